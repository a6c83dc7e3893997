#include "ClockPanel.h"

#include <QLabel>
#include <QTimer>

namespace orvel {

ClockPanel::ClockPanel(const Clock &clock, QLabel *utcLabel, QLabel *localLabel, QLabel *dateLabel,
                       QObject *parent)
    : QObject(parent)
    , m_clock(clock)
    , m_utc(utcLabel)
    , m_local(localLabel)
    , m_date(dateLabel)
    , m_timer(new QTimer(this))
{
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &ClockPanel::tick);
    // A QSO stored before the first second is over still gets the clock's date and time.
    tick();
    m_timer->start();
}

void ClockPanel::setTimeBase(TimeBase base)
{
    m_base = base;
    tick();
}

void ClockPanel::tick()
{
    m_reading = readClock(m_clock, m_base);
    m_utc->setText(m_reading.utcCaption);
    m_utc->setEnabled(m_base == TimeBase::Utc);
    m_local->setText(m_reading.localCaption);
    m_local->setEnabled(m_base == TimeBase::Local);
    m_date->setText(m_reading.currentDate);
}

} // namespace orvel
