#include "WsjtxSender.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

namespace orvel::testing {

namespace {

template <typename T> void appendBigEndian(QByteArray &bytes, T value)
{
    const T big = qToBigEndian(value);
    bytes.append(reinterpret_cast<const char *>(&big), sizeof big);
}

// The moment's date and time as the sender's clock shows them for basis.
std::pair<QDate, QTime> shown(const SentTime &t)
{
    switch (t.basis) {
    case 0: {
        const QDateTime local = t.utcAsLocal ? t.utc.toUTC() : t.utc.toLocalTime();
        return {local.date(), local.time()};
    }
    case 2: {
        const QDateTime there = t.utc.toUTC().addSecs(t.offset);
        return {there.date(), there.time()};
    }
    case 3: {
        const QDateTime there = t.utc.toTimeZone(t.zone);
        return {there.date(), there.time()};
    }
    default:
        return {t.utc.toUTC().date(), t.utc.toUTC().time()};
    }
}

void sendTime(WsjtxDatagram &datagram, const SentTime &t)
{
    const auto [date, time] = shown(t);
    datagram.time(date, time, t.basis, t.offset, t.zone);
}

QString adifField(const char *name, const QString &value)
{
    if (value.isEmpty())
        return {};
    return QStringLiteral("<%1:%2>%3 ").arg(QLatin1String(name)).arg(value.size()).arg(value);
}

} // namespace

WsjtxDatagram::WsjtxDatagram(quint32 type, const QString &id, quint32 schema, quint32 magic)
    : m_schema(schema)
{
    u32(magic).u32(schema).u32(type).utf8(id);
}

WsjtxDatagram &WsjtxDatagram::u8(quint8 value)
{
    m_bytes.append(char(value));
    return *this;
}

WsjtxDatagram &WsjtxDatagram::u32(quint32 value)
{
    appendBigEndian(m_bytes, value);
    return *this;
}

WsjtxDatagram &WsjtxDatagram::i32(qint32 value)
{
    appendBigEndian(m_bytes, value);
    return *this;
}

WsjtxDatagram &WsjtxDatagram::u64(quint64 value)
{
    appendBigEndian(m_bytes, value);
    return *this;
}

WsjtxDatagram &WsjtxDatagram::i64(qint64 value)
{
    appendBigEndian(m_bytes, value);
    return *this;
}

WsjtxDatagram &WsjtxDatagram::utf8(const QString &text)
{
    if (text.isNull())
        return u32(0xffffffff);
    const QByteArray bytes = text.toUtf8();
    u32(quint32(bytes.size()));
    m_bytes.append(bytes);
    return *this;
}

WsjtxDatagram &WsjtxDatagram::time(QDate date, QTime time, quint8 basis, qint32 offsetSeconds,
                                   const QTimeZone &zone)
{
    i64(date.toJulianDay());
    u32(time.isValid() ? quint32(time.msecsSinceStartOfDay()) : 0xffffffff);
    u8(basis);
    if (basis == 2)
        i32(offsetSeconds);
    if (basis == 3) {
        // The zone as Qt writes one in the stream version of the schema.
        QByteArray zoneBytes;
        QDataStream out(&zoneBytes, QIODevice::WriteOnly);
        out.setVersion(m_schema >= 3 ? QDataStream::Qt_5_4 : QDataStream::Qt_5_2);
        out << zone;
        m_bytes.append(zoneBytes);
    }
    return *this;
}

WsjtxDatagram &WsjtxDatagram::raw(const QByteArray &bytes)
{
    m_bytes.append(bytes);
    return *this;
}

QByteArray heartbeat(const QString &id, quint32 schema, const QString &version,
                     const QString &revision)
{
    return WsjtxDatagram(0, id, schema).u32(3).utf8(version).utf8(revision).bytes();
}

QByteArray bareHeartbeat(const QString &id)
{
    return WsjtxDatagram(0, id, 2).bytes();
}

QByteArray status(const QString &id, quint64 dialFrequency, const QString &mode, quint32 schema,
                  const QString &dxCall)
{
    WsjtxDatagram d(1, id, schema);
    d.u64(dialFrequency).utf8(mode).utf8(dxCall).utf8(QStringLiteral("-10")).utf8(mode);
    d.flag(false).flag(false).flag(true).u32(1500).u32(1200);
    d.utf8(QStringLiteral("Q1ABC/P")).utf8(QStringLiteral("JN17")).utf8(QStringLiteral("JN18"));
    d.flag(false).utf8(QString()).flag(false).u8(0).u32(0xffffffff).u32(15);
    d.utf8(QStringLiteral("Default")).utf8(QStringLiteral("F4ABC Q1ABC JN17"));
    return d.bytes();
}

QByteArray qsoLogged(const SentQso &qso)
{
    WsjtxDatagram d(5, qso.id, qso.schema);
    SentTime off = qso.timeOn;
    off.utc = qso.timeOn.utc.addSecs(60 * qso.minutes);
    sendTime(d, off);
    d.utf8(qso.call).utf8(qso.grid).u64(qso.frequency).utf8(qso.mode);
    d.utf8(qso.reportSent).utf8(qso.reportReceived).utf8(qso.power).utf8(qso.comments);
    d.utf8(qso.name);
    sendTime(d, qso.timeOn);
    d.utf8(qso.operatorCall).utf8(qso.myCall).utf8(qso.myGrid);
    d.utf8(QString()).utf8(QString()).utf8(QString());
    return d.bytes();
}

QByteArray loggedAdif(const SentQso &qso)
{
    const QDateTime on = qso.timeOn.utc.toUTC();
    const QDateTime off = on.addSecs(60 * qso.minutes);
    QString text = QStringLiteral("\n<adif_ver:5>3.1.0\n<programid:6>WSJT-X\n<EOH>\n");
    text += adifField("call", qso.call) + adifField("gridsquare", qso.grid);
    text += adifField("mode", qso.adifMode.isEmpty() ? qso.mode : qso.adifMode);
    text += adifField("submode", qso.adifSubmode);
    text += adifField("rst_sent", qso.reportSent) + adifField("rst_rcvd", qso.reportReceived);
    text += adifField("qso_date", on.toString(QStringLiteral("yyyyMMdd")));
    text += adifField("time_on", on.toString(QStringLiteral("hhmmss")));
    text += adifField("qso_date_off", off.toString(QStringLiteral("yyyyMMdd")));
    text += adifField("time_off", off.toString(QStringLiteral("hhmmss")));
    text += adifField("band", QStringLiteral("20m"));
    text += adifField("freq", QString::number(double(qso.frequency) / 1e6, 'f', 6));
    text += adifField("station_callsign", qso.myCall) + adifField("my_gridsquare", qso.myGrid);
    text += adifField("tx_pwr", qso.power) + adifField("comment", qso.comments);
    text += adifField("name", qso.name) + adifField("operator", qso.operatorCall);
    text += QStringLiteral("<EOR>");
    return WsjtxDatagram(12, qso.id, qso.schema).utf8(text).bytes();
}

QByteArray closing(const QString &id)
{
    return WsjtxDatagram(6, id).bytes();
}

WsjtxSender::WsjtxSender(quint16 port, const QHostAddress &to)
    : m_to(to)
    , m_port(port)
{
}

bool WsjtxSender::send(const QByteArray &datagram)
{
    return m_socket.writeDatagram(datagram, m_to, m_port) == datagram.size();
}

quint16 freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

} // namespace orvel::testing
