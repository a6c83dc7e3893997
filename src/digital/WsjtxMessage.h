// The datagrams WSJT-X and JTDX send to a logger, read without trusting a byte of them. Each is
// a Qt data stream, big-endian: the magic number, the schema (2 or 3), the message type, the
// sender's id, then the type's fields. Only the types a logger uses are read; fields after the
// known ones are left, and fields a older sender does not have yet are taken as absent.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include <optional>

namespace orvel {

inline constexpr quint32 kWsjtxMagic = 0xadbccbda;
// The schemas read (Qt data stream 5.2 and 5.4); the answer to a heartbeat offers the last.
inline constexpr quint32 kWsjtxFirstSchema = 2;
inline constexpr quint32 kWsjtxLastSchema = 3;

enum class WsjtxType : quint32 {
    Heartbeat = 0,
    Status = 1,
    QsoLogged = 5,
    Close = 6,
    Replay = 7,
    LoggedAdif = 12,
};

// A moment as the sender stamped it, before it is taken to UTC.
struct WsjtxTime {
    enum class Basis : quint8 { Local = 0, Utc = 1, Offset = 2, Zone = 3 };
    QDate date;
    QTime time;
    Basis basis = Basis::Utc;
    qint32 offsetSeconds = 0; // Offset
    QTimeZone zone;           // Zone

    bool isValid() const { return date.isValid() && time.isValid(); }
    // The moment in UTC. A local stamp is this computer's local time, unless localIsUtc (JTDX
    // stamps UTC values as local ones).
    QDateTime toUtc(bool localIsUtc = false) const;
};

struct WsjtxHeartbeat {
    quint32 maximumSchema = kWsjtxFirstSchema; // absent before schema 3: 2
    QString version;
    QString revision;
};

struct WsjtxStatus {
    quint64 dialFrequency = 0; // Hz
    QString mode;              // "FT8"
    QString dxCall;
    QString subMode;
};

struct WsjtxQsoLogged {
    WsjtxTime timeOff;
    QString dxCall;
    QString dxGrid;
    quint64 txFrequency = 0; // Hz
    QString mode;
    QString reportSent;
    QString reportReceived;
    QString txPower;
    QString comments;
    QString name;
    std::optional<WsjtxTime> timeOn; // absent from the oldest senders
    QString operatorCall;
    QString myCall;
    QString myGrid;
    QString exchangeSent;
    QString exchangeReceived;
    QString propagationMode;
};

struct WsjtxMessage {
    quint32 schema = 0;
    quint32 type = 0; // a WsjtxType, or another type (left unread)
    QString id;       // the sender: "WSJT-X", "JTDX -  14074000"
    std::optional<WsjtxHeartbeat> heartbeat;
    std::optional<WsjtxStatus> status;
    std::optional<WsjtxQsoLogged> qso;
    QString adif; // LoggedAdif

    bool is(WsjtxType t) const { return type == quint32(t); }
};

// A datagram read: its message, or why it was dropped (for the developer's diagnostic).
struct WsjtxDecoding {
    std::optional<WsjtxMessage> message;
    QString problem;
};

WsjtxDecoding decodeWsjtxDatagram(QByteArrayView datagram);

// The heartbeat a logger answers with, agreeing on schema (the lower of the sender's and
// kWsjtxLastSchema).
QByteArray wsjtxHeartbeatAnswer(const QString &id, quint32 schema, const QString &version);
// The request that a program (by its id) tells its state again: it answers with its decodes
// and then a status, so that the band and mode are known without waiting for a change.
QByteArray wsjtxReplayRequest(const QString &id, quint32 schema);

} // namespace orvel
