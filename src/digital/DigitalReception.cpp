#include "DigitalReception.h"

#include "Diagnostics.h"
#include "common/Windows1252.h"
#include "records/Session.h"

#include <QCoreApplication>
#include <QTimer>

namespace orvel {

namespace {
// A turn of the event loop takes at most one QSO (a write of every log) and this many other
// datagrams, then lets the windows answer.
constexpr int kDatagramsPerTurn = 256;
const QString kProgramName = QStringLiteral("Orvel Multi");
} // namespace

QString DigitalTaken::statusText() const
{
    const QString where = logs == 1 ? QStringLiteral("ajouté au log")
                                    : QStringLiteral("ajouté aux %1 logs").arg(logs);
    return QStringLiteral("%1 %2 %3 %4 Mhz %5").arg(qso.mode, qso.time, qso.call, qso.band, where);
}

QString DigitalTaken::commandLineText() const
{
    return QStringLiteral("%1 %2 %3 %4").arg(qso.time, qso.call, qso.band, qso.mode);
}

DigitalReception::DigitalReception(Session &session, FirstNames names, QObject *parent)
    : QObject(parent)
    , m_session(session)
    , m_names(std::move(names))
{
}

DigitalReception::~DigitalReception()
{
    stop();
}

QString DigitalReception::start(int port, const QString &address)
{
    stop();
    m_thread = new QThread(this);
    m_thread->setObjectName(QStringLiteral("wsjtx-listener"));
    m_listener = new DatagramListener(m_queue, [this] {
        QMetaObject::invokeMethod(this, &DigitalReception::wake, Qt::QueuedConnection);
    });
    m_listener->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_listener, &QObject::deleteLater);
    m_thread->start();
    QString problem;
    QMetaObject::invokeMethod(
        m_listener, [&] { problem = m_listener->open(port, address); },
        Qt::BlockingQueuedConnection);
    if (!problem.isEmpty()) {
        qCWarning(lcDigital) << "Not listening on" << address << port << ":" << problem;
        stop();
    }
    return problem;
}

void DigitalReception::stop()
{
    if (!m_thread)
        return;
    QMetaObject::invokeMethod(
        m_listener, [listener = m_listener] { listener->close(); }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_listener = nullptr;
    // What the listener heard before it stopped is still taken.
    wake();
}

void DigitalReception::take(const QByteArray &datagram)
{
    m_pending.push_back(Datagram{datagram, QHostAddress(), 0});
    if (!m_scheduled) {
        m_scheduled = true;
        QTimer::singleShot(0, this, &DigitalReception::takeSome);
    }
}

void DigitalReception::wake()
{
    for (Datagram &datagram : m_queue.takeAll())
        m_pending.push_back(std::move(datagram));
    if (!m_pending.empty() && !m_scheduled) {
        m_scheduled = true;
        QTimer::singleShot(0, this, &DigitalReception::takeSome);
    }
}

void DigitalReception::finishPending()
{
    for (Datagram &datagram : m_queue.takeAll())
        m_pending.push_back(std::move(datagram));
    while (!m_pending.empty()) {
        const Datagram datagram = std::move(m_pending.front());
        m_pending.pop_front();
        handle(datagram);
    }
}

void DigitalReception::takeSome()
{
    m_scheduled = false;
    for (Datagram &datagram : m_queue.takeAll())
        m_pending.push_back(std::move(datagram));
    for (int i = 0; i < kDatagramsPerTurn && !m_pending.empty(); ++i) {
        const Datagram datagram = std::move(m_pending.front());
        m_pending.pop_front();
        if (handle(datagram))
            break;
    }
    if (!m_pending.empty() && !m_scheduled) {
        m_scheduled = true;
        QTimer::singleShot(0, this, &DigitalReception::takeSome);
    }
}

bool DigitalReception::handle(const Datagram &datagram)
{
    ++m_counts.datagrams;
    const WsjtxDecoding decoding = decodeWsjtxDatagram(datagram.bytes);
    if (!decoding.message) {
        ++m_counts.dropped;
        qCDebug(lcDigital) << "Datagram dropped from" << datagram.from << datagram.port << ":"
                           << decoding.problem;
        return false;
    }
    const WsjtxMessage &message = *decoding.message;
    switch (WsjtxType(message.type)) {
    case WsjtxType::Heartbeat:
        m_lastHeard = HeardProgram{message.id, message.heartbeat->version,
                                   message.heartbeat->revision, QDateTime::currentDateTimeUtc()};
        answerHeartbeat(message, datagram);
        emit heartbeatHeard(*m_lastHeard);
        return false;
    case WsjtxType::Status:
        emit statusHeard(*message.status);
        return false;
    case WsjtxType::QsoLogged:
    case WsjtxType::LoggedAdif:
        return handleQso(message);
    case WsjtxType::Close:
    case WsjtxType::Replay:
        break;
    }
    return false;
}

void DigitalReception::answerHeartbeat(const WsjtxMessage &message, const Datagram &datagram)
{
    if (!m_listener || datagram.from.isNull())
        return;
    QList<QByteArray> answers{wsjtxHeartbeatAnswer(kProgramName, message.heartbeat->maximumSchema,
                                                   QCoreApplication::applicationVersion())};
    // A program heard for the first time tells its state at once (when it takes requests).
    if (!m_clients.contains(message.id)) {
        m_clients.insert(message.id);
        answers.append(wsjtxReplayRequest(message.id, message.heartbeat->maximumSchema));
    }
    QMetaObject::invokeMethod(
        m_listener,
        [listener = m_listener, answers, to = datagram.from, port = datagram.port] {
            for (const QByteArray &answer : answers)
                listener->send(answer, to, port);
        },
        Qt::QueuedConnection);
}

bool DigitalReception::handleQso(const WsjtxMessage &message)
{
    const auto received = receivedQso(message);
    if (!received) {
        ++m_counts.dropped;
        qCDebug(lcDigital) << "Logged ADIF without a record from" << message.id;
        return false;
    }
    const QString key = receivedQsoKey(*received);
    if (!m_seen.firstSight(key)) {
        ++m_counts.copies;
        return false;
    }
    DigitalContext context;
    context.operatorCall = m_operator ? m_operator() : QString();
    context.remembered = [this](const QString &call) { return m_names.lookup(call); };
    const DigitalConversion conversion = convertReceivedQso(*received, context);
    if (!conversion.qso) {
        ++m_counts.refused;
        emit refused(conversion.refusal);
        return false;
    }
    const QsoRecord &qso = *conversion.qso;
    const QString line = formatQsoLine(qso);
    m_session.refresh();
    // Sent again after this program was started again: the log already has it.
    if (!m_session.currentLog().rowsHolding(encodeWindows1252(line)).isEmpty()) {
        ++m_counts.copies;
        return false;
    }
    const QString earlier = alreadyWorkedText(qso);
    // As a stored QSO: the memory learns the name first.
    if (const FileResult remembered =
            m_names.update(firstNameKeyLine(qso.call, qso.department, qso.firstName));
        !remembered && m_memoryFailure)
        m_memoryFailure(remembered.error);
    const QStringList references = m_session.storeReferences();
    const LogWriteResult result = write(line);
    if (!result.ok()) {
        ++m_counts.failed;
        // Not taken: a copy sent again is tried again.
        if (result.failedReferences.size() == references.size() || result.undone)
            m_seen.forget(key);
        emit refused(QStringLiteral("%1 %2 %3 NON ENREGISTRÉ : %4")
                         .arg(qso.mode, qso.time, qso.call, result.message()));
        return true;
    }
    ++m_counts.qsos;
    emit taken(DigitalTaken{qso, line, int(references.size())});
    if (!earlier.isEmpty())
        emit alreadyWorked(earlier);
    return true;
}

LogWriteResult DigitalReception::write(const QString &line)
{
    // A QSO of the last moment of the log, or later, goes at its end after the QSOs of its
    // minute, as when typed then; an earlier one goes to its moment, as an inserted QSO.
    const CurrentLog &log = m_session.currentLog();
    bool atEnd = log.isEmpty();
    if (!atEnd) {
        const auto last = qsoOrderKeyOfBytes(log.rowBytes(log.size() - 1));
        const auto moment = qsoOrderKey(line);
        atEnd = !last || !moment || *moment >= *last;
    }
    return atEnd ? m_session.append(line) : m_session.insert(line);
}

QString DigitalReception::alreadyWorkedText(const QsoRecord &qso) const
{
    const CurrentLog &log = m_session.currentLog();
    const auto row = log.firstRowWith(qso.call, qso.band, qso.mode);
    if (!row)
        return {};
    const QsoRecord earlier = parseQsoLine(log.line(*row));
    return QStringLiteral("%1 déjà contacté le %2 à %3 sur %4 Mhz en %5")
        .arg(qso.call, earlier.date, earlier.time, qso.band, qso.mode);
}

} // namespace orvel
