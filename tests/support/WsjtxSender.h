// A stand-in for WSJT-X and JTDX: the datagrams they send to a logger, written field by field
// from the protocol's description (a Qt data stream, big-endian: magic number, schema, type,
// the sender's id, then the type's fields), and a UDP socket that sends them.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHostAddress>
#include <QString>
#include <QTimeZone>
#include <QUdpSocket>

namespace orvel::testing {

// One datagram, built field after field.
class WsjtxDatagram
{
public:
    static constexpr quint32 kMagic = 0xadbccbda;
    WsjtxDatagram(quint32 type, const QString &id, quint32 schema = 3, quint32 magic = kMagic);

    WsjtxDatagram &u8(quint8 value);
    WsjtxDatagram &u32(quint32 value);
    WsjtxDatagram &i32(qint32 value);
    WsjtxDatagram &u64(quint64 value);
    WsjtxDatagram &i64(qint64 value);
    WsjtxDatagram &flag(bool value) { return u8(value ? 1 : 0); }
    // A UTF-8 text: its length in bytes, then the bytes; a null text has length 0xffffffff.
    WsjtxDatagram &utf8(const QString &text);
    // Julian day, milliseconds of the day, time basis (0 local, 1 UTC, 2 offset, 3 zone), then
    // the offset in seconds (2) or the zone (3).
    WsjtxDatagram &time(QDate date, QTime time, quint8 basis, qint32 offsetSeconds = 0,
                        const QTimeZone &zone = {});
    WsjtxDatagram &raw(const QByteArray &bytes);

    const QByteArray &bytes() const { return m_bytes; }

private:
    quint32 m_schema;
    QByteArray m_bytes;
};

// How a sender stamps a moment.
struct SentTime {
    QDateTime utc;           // the moment
    quint8 basis = 1;        // 0 local (this computer's), 1 UTC, 2 offset, 3 zone
    qint32 offset = 0;       // basis 2
    QTimeZone zone;          // basis 3
    bool utcAsLocal = false; // JTDX: the UTC values stamped as local
};

struct SentQso {
    QString id = QStringLiteral("WSJT-X");
    quint32 schema = 3;
    SentTime timeOn;
    int minutes = 1; // time off after time on
    QString call = QStringLiteral("F4ABC");
    QString grid = QStringLiteral("JN18");
    quint64 frequency = 14074000;
    QString mode = QStringLiteral("FT8");
    QString adifMode;    // the ADIF MODE when it differs (MFSK)
    QString adifSubmode; // FT4
    QString reportSent = QStringLiteral("-12");
    QString reportReceived = QStringLiteral("-08");
    QString power = QStringLiteral("10");
    QString comments;
    QString name;
    QString operatorCall;
    QString myCall = QStringLiteral("Q1ABC/P");
    QString myGrid = QStringLiteral("JN17");
};

QByteArray heartbeat(const QString &id, quint32 schema, const QString &version,
                     const QString &revision = QStringLiteral("6a1a3bd"));
// A heartbeat of the oldest senders: no maximum schema, version nor revision.
QByteArray bareHeartbeat(const QString &id);
QByteArray status(const QString &id, quint64 dialFrequency, const QString &mode, quint32 schema = 3,
                  const QString &dxCall = QStringLiteral("F4ABC"));
QByteArray qsoLogged(const SentQso &qso);
QByteArray loggedAdif(const SentQso &qso);
QByteArray closing(const QString &id);

// Sends datagrams to a port of this computer.
class WsjtxSender
{
public:
    explicit WsjtxSender(quint16 port, const QHostAddress &to = QHostAddress::LocalHost);
    bool send(const QByteArray &datagram);
    QUdpSocket &socket() { return m_socket; }

private:
    QUdpSocket m_socket;
    QHostAddress m_to;
    quint16 m_port;
};

// A UDP port nobody listens on now.
quint16 freeUdpPort();

} // namespace orvel::testing
