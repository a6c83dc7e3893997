// One reading of the radio on a thread of its own, answered within a deadline: the settings
// dialog's "Tester" and the command line. A radio that holds Hamlib past the deadline is
// answered for ("no answer") and its worker left to end by itself.
#pragma once

#include "RadioLink.h"
#include "Rig.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

namespace orvel {

class RadioProbeRelay : public QObject
{
    Q_OBJECT
signals:
    void answered(const orvel::RadioAnswer &answer);
};

class RadioProbe : public QObject
{
    Q_OBJECT
public:
    using Reader = std::function<RadioAnswer()>;

    explicit RadioProbe(QObject *parent = nullptr);
    ~RadioProbe() override;

    // Reads the radio of config once.
    void start(const RadioConfig &config, int deadlineMs);
    // Runs reader on the probe's thread; lateMessage answers when it has not returned after
    // deadlineMs. A probe already running is given up first.
    void start(Reader reader, int deadlineMs, const QString &lateMessage);
    bool isBusy() const { return m_control != nullptr; }
    // Waits up to ms for the last worker to end (after its answer, or inside Hamlib after
    // the deadline); true when none is left running.
    bool waitForWorker(int ms);

signals:
    // Exactly once per start, within its deadline.
    void answered(const orvel::RadioAnswer &answer);

private:
    void giveUp();
    void finish(const RadioAnswer &answer);

    QTimer m_deadline;
    QString m_lateMessage;
    std::shared_ptr<RadioWorkerControl> m_control;
    QPointer<QThread> m_worker;
    int m_generation = 0;
};

// The message of a radio that gave no answer within the deadline, "La radio n'a pas répondu
// en 5 s (rigctld 127.0.0.1:4532)."
QString noAnswerMessage(const RadioConfig &config, int deadlineMs);

} // namespace orvel

Q_DECLARE_METATYPE(orvel::RadioAnswer)
