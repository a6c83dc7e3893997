#include "WsjtxMessage.h"

#include <QDataStream>
#include <QIODevice>

#include <algorithm>
#include <cstdlib>

namespace orvel {

namespace {

constexpr quint32 kNullTime = 0xffffffff;
constexpr quint32 kMillisecondsPerDay = 24 * 60 * 60 * 1000;
constexpr qint32 kLargestOffsetSeconds = 14 * 60 * 60;

// Reads the fields one after another on the datagram's bytes; the first field that is cut
// short or out of range marks the reading as failed, and every later read is then a no-op.
class FieldReader
{
public:
    FieldReader(const QByteArray &bytes, quint32 schema)
        : m_in(bytes)
    {
        m_in.setByteOrder(QDataStream::BigEndian);
        m_in.setVersion(schema >= 3 ? QDataStream::Qt_5_4 : QDataStream::Qt_5_2);
    }

    bool failed() const { return !m_problem.isEmpty(); }
    const QString &problem() const { return m_problem; }
    // Whether another field follows: the fields newer senders add are absent from older ones.
    bool more() const { return !failed() && !m_in.atEnd(); }

    template <typename T> T number(const char *field)
    {
        T value{};
        if (failed())
            return value;
        m_in >> value;
        check(field);
        return value;
    }

    bool flag(const char *field) { return number<quint8>(field) != 0; }

    // A UTF-8 text: its length in bytes (0xffffffff for a null text), then the bytes.
    QString utf8(const char *field)
    {
        QByteArray bytes;
        if (failed())
            return {};
        m_in >> bytes;
        check(field);
        return failed() ? QString() : QString::fromUtf8(bytes);
    }

    WsjtxTime time(const char *field)
    {
        WsjtxTime moment;
        const qint64 julianDay = number<qint64>(field);
        const quint32 milliseconds = number<quint32>(field);
        const quint8 basis = number<quint8>(field);
        if (failed())
            return moment;
        moment.date = QDate::fromJulianDay(julianDay);
        if (milliseconds != kNullTime && milliseconds < kMillisecondsPerDay)
            moment.time = QTime::fromMSecsSinceStartOfDay(int(milliseconds));
        switch (basis) {
        case quint8(WsjtxTime::Basis::Local):
        case quint8(WsjtxTime::Basis::Utc):
            break;
        case quint8(WsjtxTime::Basis::Offset):
            moment.offsetSeconds = number<qint32>(field);
            break;
        case quint8(WsjtxTime::Basis::Zone):
            if (!failed()) {
                m_in >> moment.zone;
                check(field);
            }
            break;
        default:
            fail(QStringLiteral("%1: unknown time basis %2").arg(QLatin1String(field)).arg(basis));
            return moment;
        }
        moment.basis = WsjtxTime::Basis(basis);
        return moment;
    }

    void fail(const QString &problem)
    {
        if (m_problem.isEmpty())
            m_problem = problem;
    }

private:
    void check(const char *field)
    {
        if (m_in.status() != QDataStream::Ok)
            fail(QStringLiteral("%1: cut short").arg(QLatin1String(field)));
    }

    QDataStream m_in;
    QString m_problem;
};

WsjtxHeartbeat readHeartbeat(FieldReader &in)
{
    WsjtxHeartbeat heartbeat;
    if (in.more())
        heartbeat.maximumSchema = in.number<quint32>("maximum schema");
    if (in.more())
        heartbeat.version = in.utf8("version");
    if (in.more())
        heartbeat.revision = in.utf8("revision");
    return heartbeat;
}

WsjtxStatus readStatus(FieldReader &in)
{
    WsjtxStatus status;
    status.dialFrequency = in.number<quint64>("dial frequency");
    status.mode = in.utf8("mode");
    status.dxCall = in.utf8("DX call");
    // Report, Tx mode, Tx enabled, transmitting, decoding, Rx DF, Tx DF, DE call, DE grid,
    // DX grid, Tx watchdog: passed over to reach the submode, when the sender has them.
    if (in.more())
        in.utf8("report");
    if (in.more())
        in.utf8("Tx mode");
    for (const char *field : {"Tx enabled", "transmitting", "decoding"}) {
        if (in.more())
            in.flag(field);
    }
    for (const char *field : {"Rx DF", "Tx DF"}) {
        if (in.more())
            in.number<quint32>(field);
    }
    for (const char *field : {"DE call", "DE grid", "DX grid"}) {
        if (in.more())
            in.utf8(field);
    }
    if (in.more())
        in.flag("Tx watchdog");
    if (in.more())
        status.subMode = in.utf8("submode");
    return status;
}

WsjtxQsoLogged readQso(FieldReader &in)
{
    WsjtxQsoLogged qso;
    qso.timeOff = in.time("time off");
    qso.dxCall = in.utf8("DX call");
    qso.dxGrid = in.utf8("DX grid");
    qso.txFrequency = in.number<quint64>("Tx frequency");
    qso.mode = in.utf8("mode");
    qso.reportSent = in.utf8("report sent");
    qso.reportReceived = in.utf8("report received");
    qso.txPower = in.utf8("Tx power");
    qso.comments = in.utf8("comments");
    qso.name = in.utf8("name");
    if (in.more())
        qso.timeOn = in.time("time on");
    const std::pair<const char *, QString *> later[] = {
        {"operator call", &qso.operatorCall},
        {"my call", &qso.myCall},
        {"my grid", &qso.myGrid},
        {"exchange sent", &qso.exchangeSent},
        {"exchange received", &qso.exchangeReceived},
        {"propagation mode", &qso.propagationMode},
    };
    for (const auto &[field, value] : later) {
        if (in.more())
            *value = in.utf8(field);
    }
    return qso;
}

WsjtxDecoding dropped(const QString &problem)
{
    return WsjtxDecoding{std::nullopt, problem};
}

} // namespace

QDateTime WsjtxTime::toUtc(bool localIsUtc) const
{
    if (!isValid())
        return {};
    switch (basis) {
    case Basis::Utc:
        return QDateTime(date, time, Qt::UTC);
    case Basis::Local:
        return localIsUtc ? QDateTime(date, time, Qt::UTC) : QDateTime(date, time).toUTC();
    case Basis::Offset:
        // No place on Earth is further than 14 hours from UTC.
        if (std::abs(offsetSeconds) > kLargestOffsetSeconds)
            return {};
        return QDateTime(date, time, Qt::OffsetFromUTC, offsetSeconds).toUTC();
    case Basis::Zone:
        if (!zone.isValid())
            return {};
        return QDateTime(date, time, zone).toUTC();
    }
    return {};
}

WsjtxDecoding decodeWsjtxDatagram(QByteArrayView datagram)
{
    // The stream reads the bytes where they stand.
    const QByteArray bytes = QByteArray::fromRawData(datagram.data(), datagram.size());
    quint32 magic = 0;
    quint32 schema = 0;
    {
        QDataStream head(bytes);
        head.setByteOrder(QDataStream::BigEndian);
        head >> magic >> schema;
        if (head.status() != QDataStream::Ok)
            return dropped(QStringLiteral("shorter than a header (%1 bytes)").arg(bytes.size()));
    }
    if (magic != kWsjtxMagic)
        return dropped(QStringLiteral("wrong magic number %1").arg(magic, 8, 16, QLatin1Char('0')));
    if (schema < kWsjtxFirstSchema || schema > kWsjtxLastSchema)
        return dropped(QStringLiteral("unknown schema %1").arg(schema));

    FieldReader in(bytes, schema);
    in.number<quint32>("magic");
    in.number<quint32>("schema");
    WsjtxMessage message;
    message.schema = schema;
    message.type = in.number<quint32>("type");
    message.id = in.utf8("id");
    switch (message.type) {
    case quint32(WsjtxType::Heartbeat):
        message.heartbeat = readHeartbeat(in);
        break;
    case quint32(WsjtxType::Status):
        message.status = readStatus(in);
        break;
    case quint32(WsjtxType::QsoLogged):
        message.qso = readQso(in);
        break;
    case quint32(WsjtxType::LoggedAdif):
        message.adif = in.utf8("ADIF text");
        break;
    default:
        // Close and the types a logger has no use for: nothing more to read.
        break;
    }
    if (in.failed())
        return dropped(in.problem());
    return WsjtxDecoding{std::move(message), QString()};
}

QByteArray wsjtxHeartbeatAnswer(const QString &id, quint32 schema, const QString &version)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::BigEndian);
    const quint32 agreed = std::clamp(schema, kWsjtxFirstSchema, kWsjtxLastSchema);
    out << kWsjtxMagic << agreed << quint32(WsjtxType::Heartbeat) << id.toUtf8() << agreed
        << version.toUtf8() << QByteArray("");
    return bytes;
}

QByteArray wsjtxReplayRequest(const QString &id, quint32 schema)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::BigEndian);
    out << kWsjtxMagic << std::clamp(schema, kWsjtxFirstSchema, kWsjtxLastSchema)
        << quint32(WsjtxType::Replay) << id.toUtf8();
    return bytes;
}

} // namespace orvel
