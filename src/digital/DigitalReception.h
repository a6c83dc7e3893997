// The QSOs of WSJT-X and JTDX, taken into every open log: the datagrams the listener hears are
// read here, on the thread of the session, a few at a time so that the windows keep answering
// through a burst; each QSO is taken once (its QSO Logged and Logged ADIF messages, and any
// copy of them, make one QSO) and written through the session at its own moment, as a QSO
// typed at that moment would be. Heartbeats are answered and remembered; statuses are handed
// on for the band and mode.
#pragma once

#include "DatagramListener.h"
#include "DigitalQso.h"
#include "WsjtxMessage.h"
#include "records/LogFiles.h"

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QThread>

#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace orvel {

class Session;

// The program last heard.
struct HeardProgram {
    QString id;      // "WSJT-X"
    QString version; // "2.6.1"
    QString revision;
    QDateTime when; // UTC
};

// A QSO written.
struct DigitalTaken {
    QsoRecord qso;
    QString line;
    int logs = 0;
    // "FT8 14:02 F4ABC 14 Mhz ajouté aux 3 logs"
    QString statusText() const;
    // "14:02 F4ABC 14 FT8", for the command line.
    QString commandLineText() const;
};

// What was heard, for the developer's diagnostic.
struct DigitalCounts {
    qint64 datagrams = 0; // every datagram
    qint64 dropped = 0;   // not a well-formed message
    qint64 qsos = 0;      // written
    qint64 copies = 0;    // a QSO already taken, or already in the log
    qint64 refused = 0;   // a QSO that cannot be written
    qint64 failed = 0;    // a QSO some log could not take
};

class DigitalReception : public QObject
{
    Q_OBJECT
public:
    DigitalReception(Session &session, FirstNames names, QObject *parent = nullptr);
    ~DigitalReception() override;

    // The operator of each QSO: the entry window's, asked when the QSO is written.
    void setOperator(std::function<QString()> operatorCall)
    {
        m_operator = std::move(operatorCall);
    }
    // Where a failure of the first-name memory is told (the QSO is written all the same).
    void setMemoryFailure(std::function<void(const QString &)> onFailure)
    {
        m_memoryFailure = std::move(onFailure);
    }

    // Listens on port at address: empty when listening, else the French reason.
    QString start(int port, const QString &address);
    // Stops listening; what was heard is still taken.
    void stop();
    bool isListening() const { return m_thread != nullptr; }

    // A datagram as if heard from the network, taken in turn with the others.
    void take(const QByteArray &datagram);
    // Takes at once everything heard and not yet taken.
    void finishPending();
    // Whether datagrams wait to be taken.
    bool hasPending() const { return !m_pending.empty(); }

    const std::optional<HeardProgram> &lastHeard() const { return m_lastHeard; }
    const DigitalCounts &counts() const { return m_counts; }

signals:
    void taken(const orvel::DigitalTaken &taken);
    // A QSO that was not written, or not in every log: the French line to show.
    void refused(const QString &message);
    // A QSO written whose call sign was already in the log on that band and mode.
    void alreadyWorked(const QString &message);
    void statusHeard(const orvel::WsjtxStatus &status);
    void heartbeatHeard(const orvel::HeardProgram &program);

private:
    void wake();
    void takeSome();
    // Takes one datagram; true when it wrote a log.
    bool handle(const Datagram &datagram);
    bool handleQso(const WsjtxMessage &message);
    void answerHeartbeat(const WsjtxMessage &message, const Datagram &datagram);
    LogWriteResult write(const QString &line);
    QString alreadyWorkedText(const QsoRecord &qso) const;

    Session &m_session;
    FirstNames m_names;
    std::function<QString()> m_operator;
    std::function<void(const QString &)> m_memoryFailure;
    DatagramQueue m_queue;
    QThread *m_thread = nullptr;
    DatagramListener *m_listener = nullptr;
    std::deque<Datagram> m_pending;
    bool m_scheduled = false;
    SeenQsos m_seen;
    QSet<QString> m_clients; // the ids heard
    std::optional<HeardProgram> m_lastHeard;
    DigitalCounts m_counts;
};

} // namespace orvel
