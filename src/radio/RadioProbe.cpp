#include "RadioProbe.h"

#include <QThread>

namespace orvel {

RadioProbe::RadioProbe(QObject *parent)
    : QObject(parent)
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        RadioAnswer late;
        late.problem = m_lateMessage;
        finish(late);
    });
}

RadioProbe::~RadioProbe()
{
    giveUp();
}

QString noAnswerMessage(const RadioConfig &config, int deadlineMs)
{
    return QStringLiteral("La radio n'a pas répondu en %1 s (%2).")
        .arg((deadlineMs + 999) / 1000)
        .arg(config.description());
}

void RadioProbe::start(const RadioConfig &config, int deadlineMs)
{
    start([config] { return readRadioOnce(config); }, deadlineMs,
          noAnswerMessage(config, deadlineMs));
}

void RadioProbe::start(Reader reader, int deadlineMs, const QString &lateMessage)
{
    giveUp();
    m_lateMessage = lateMessage;
    auto control = std::make_shared<RadioWorkerControl>();
    auto *relay = new RadioProbeRelay;
    const int generation = ++m_generation;
    connect(relay, &RadioProbeRelay::answered, this, [this, generation](const RadioAnswer &answer) {
        if (generation == m_generation)
            finish(answer);
    });
    QThread *thread = QThread::create([reader = std::move(reader), control, relay] {
        const RadioAnswer answer = reader();
        control->tell([&] { emit relay->answered(answer); });
    });
    thread->setObjectName(QStringLiteral("radio probe"));
    connect(thread, &QThread::finished, relay, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    m_control = control;
    m_worker = thread;
    m_deadline.start(deadlineMs);
    thread->start();
}

bool RadioProbe::waitForWorker(int ms)
{
    return !m_worker || m_worker->wait(QDeadlineTimer(ms));
}

void RadioProbe::giveUp()
{
    m_deadline.stop();
    ++m_generation;
    if (m_control)
        m_control->requestStop();
    m_control.reset();
}

void RadioProbe::finish(const RadioAnswer &answer)
{
    giveUp();
    emit answered(answer);
}

} // namespace orvel
