// The entry window's running clock: every second the UTC and local clocks and the day's date
// of the time base; the clock that does not date QSOs is greyed.
#pragma once

#include "EntryClock.h"

#include <QObject>

class QLabel;
class QTimer;

namespace orvel {

class ClockPanel : public QObject
{
    Q_OBJECT
public:
    ClockPanel(const Clock &clock, QLabel *utcLabel, QLabel *localLabel, QLabel *dateLabel,
               QObject *parent = nullptr);

    TimeBase timeBase() const { return m_base; }
    void setTimeBase(TimeBase base);

    // Date_Courante at the last tick.
    QString currentDate() const { return m_reading.currentDate; }
    // The caption of the clock of the time base, as displayed ("14:05 Utc").
    QString activeCaption() const { return m_reading.activeCaption(m_base); }

    QTimer *timer() const { return m_timer; }

public slots:
    void tick();

private:
    const Clock &m_clock;
    QLabel *m_utc;
    QLabel *m_local;
    QLabel *m_date;
    QTimer *m_timer;
    TimeBase m_base = TimeBase::Utc;
    ClockReading m_reading;
};

} // namespace orvel
