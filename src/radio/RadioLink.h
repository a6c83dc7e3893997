// The radio read on a worker thread: every half second while it answers, again every ten
// seconds while it does not. What it says reaches the receiver's thread through queued signals,
// so the windows never wait on the radio.
#pragma once

#include "RadioConfig.h"
#include "Rig.h"

#include <QMutex>
#include <QMutexLocker>
#include <QObject>
#include <QPointer>
#include <QWaitCondition>
#include <memory>

class QThread;

namespace orvel {

// The stop request a worker thread shares with its owner.
class RadioWorkerControl
{
public:
    // Waits ms unless a stop comes first; true while the worker should go on.
    bool pause(int ms);
    bool goingOn();
    void requestStop();
    // Runs tell (a signal to the owner's thread) unless a stop came first: once the owner has
    // stopped the worker, it hears nothing more from it, even from a worker it could not wait
    // for.
    template <typename Tell> void tell(Tell tell)
    {
        QMutexLocker locker(&m_mutex);
        if (!m_stopping)
            tell();
    }

private:
    QMutex m_mutex;
    QWaitCondition m_wake;
    bool m_stopping = false;
};

// Carries the worker's news to the thread that started it. It lives as long as its worker,
// which may outlive the link when a radio holds it inside Hamlib.
class RadioLinkRelay : public QObject
{
    Q_OBJECT
signals:
    void reading(const orvel::RadioReading &reading);
    void silent(const QString &message);
};

class RadioLink : public QObject
{
    Q_OBJECT
public:
    struct Timing {
        int pollMs = 500;       // between two readings of a radio that answers
        int retryMs = 10'000;   // before opening again a radio that did not answer
        int stopWaitMs = 2'000; // the longest a stop waits for the worker
    };

    explicit RadioLink(QObject *parent = nullptr);
    ~RadioLink() override;

    void setTiming(const Timing &timing) { m_timing = timing; }
    const Timing &timing() const { return m_timing; }

    // Starts reading the radio of config, after stopping the link in use; with no radio chosen
    // the link only stops.
    void start(const RadioConfig &config);
    // Ends the worker and closes the radio. A worker held inside Hamlib longer than
    // Timing::stopWaitMs is left to end by itself: the caller never hangs on a radio.
    void stop();
    bool isRunning() const;

signals:
    // Every reading, twice a second while the radio answers.
    void reading(const orvel::RadioReading &reading);
    // The radio could not be opened or read; the French reason, once per attempt.
    void silent(const QString &message);

private:
    Timing m_timing;
    std::shared_ptr<RadioWorkerControl> m_control;
    QPointer<QThread> m_thread;
    QPointer<RadioLinkRelay> m_relay;
    int m_generation = 0;
};

} // namespace orvel
