#include "RadioLink.h"

#include "Diagnostics.h"

#include <QThread>

namespace orvel {

bool RadioWorkerControl::pause(int ms)
{
    QMutexLocker locker(&m_mutex);
    if (!m_stopping)
        m_wake.wait(&m_mutex, QDeadlineTimer(ms));
    return !m_stopping;
}

bool RadioWorkerControl::goingOn()
{
    QMutexLocker locker(&m_mutex);
    return !m_stopping;
}

void RadioWorkerControl::requestStop()
{
    QMutexLocker locker(&m_mutex);
    m_stopping = true;
    m_wake.wakeAll();
}

RadioLink::RadioLink(QObject *parent)
    : QObject(parent)
{
}

RadioLink::~RadioLink()
{
    stop();
}

bool RadioLink::isRunning() const
{
    return m_thread && m_thread->isRunning();
}

void RadioLink::start(const RadioConfig &config)
{
    stop();
    if (config.kind == RadioLinkKind::None)
        return;
    auto control = std::make_shared<RadioWorkerControl>();
    auto *relay = new RadioLinkRelay;
    // News already on its way when the link stopped or restarted is not passed on.
    const int generation = ++m_generation;
    connect(relay, &RadioLinkRelay::reading, this, [this, generation](const RadioReading &r) {
        if (generation == m_generation)
            emit reading(r);
    });
    connect(relay, &RadioLinkRelay::silent, this, [this, generation](const QString &message) {
        if (generation == m_generation)
            emit silent(message);
    });
    const Timing timing = m_timing;
    QThread *thread = QThread::create([config, timing, control, relay] {
        Rig rig;
        while (control->goingOn()) {
            if (!rig.isOpen()) {
                if (const auto problem = rig.open(config)) {
                    control->tell([&] { emit relay->silent(*problem); });
                    control->pause(timing.retryMs);
                    continue;
                }
            }
            const RadioAnswer answer = rig.read();
            if (!answer.ok) {
                rig.close();
                control->tell([&] { emit relay->silent(answer.problem); });
                control->pause(timing.retryMs);
                continue;
            }
            control->tell([&] { emit relay->reading(answer.reading); });
            control->pause(timing.pollMs);
        }
    });
    thread->setObjectName(QStringLiteral("radio"));
    connect(thread, &QThread::finished, relay, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    m_control = control;
    m_thread = thread;
    m_relay = relay;
    thread->start();
}

void RadioLink::stop()
{
    if (!m_control)
        return;
    m_control->requestStop();
    m_control.reset();
    ++m_generation;
    if (m_relay)
        m_relay->disconnect(this);
    if (m_thread && m_thread->wait(QDeadlineTimer(m_timing.stopWaitMs))) {
        delete m_thread.data();
        delete m_relay.data();
    } else if (m_thread) {
        qCWarning(lcRadio) << "the radio did not let go within" << m_timing.stopWaitMs
                           << "ms; its worker ends by itself";
    }
    m_thread.clear();
    m_relay.clear();
}

} // namespace orvel
