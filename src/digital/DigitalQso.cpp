#include "DigitalQso.h"

#include "common/DateTimeText.h"
#include "common/FixedColumns.h"
#include "common/Windows1252.h"
#include "records/Bands.h"
#include "records/LogModes.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace orvel {

namespace {

// The report the entry window gives a mode other than CW.
const QString kDefaultReport = QStringLiteral("59");
// The years a dd/mm/yy date of the log stands for (common/DateTimeText.h).
constexpr int kFirstLoggedYear = 1950;
constexpr int kLastLoggedYear = 2049;
// Three characters at most, as the entry window takes them, so the reports stay apart.
constexpr int kReportWidth = 3;

QString folded(const QString &text)
{
    return trimBlanks(foldToWindows1252(text));
}

QString cut(const QString &text, int width)
{
    return trimBlanks(text.left(width));
}

// An ADIF frequency in MHz ("14.075500") in hertz; 0 when it is not a number.
qint64 hertzOfMegahertz(const QString &text)
{
    bool ok = false;
    const double megahertz = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(megahertz) || megahertz <= 0 || megahertz > 1e6)
        return 0;
    return std::llround(megahertz * 1e6);
}

// QSO_DATE (yyyyMMdd) and TIME_ON (hhmm or hhmmss) of an ADIF record, in UTC.
QDateTime adifMoment(const QString &date, const QString &time)
{
    const QDate day = QDate::fromString(date.trimmed(), QStringLiteral("yyyyMMdd"));
    const QString hhmmss = time.trimmed();
    QTime at;
    if (hhmmss.size() == 4)
        at = QTime::fromString(hhmmss, QStringLiteral("hhmm"));
    else if (hhmmss.size() == 6)
        at = QTime::fromString(hhmmss, QStringLiteral("hhmmss"));
    if (!day.isValid() || !at.isValid())
        return {};
    return QDateTime(day, at, Qt::UTC);
}

ReceivedQso qsoOfLogged(const QString &sender, const WsjtxQsoLogged &logged)
{
    ReceivedQso qso;
    qso.sender = sender;
    const WsjtxTime &begun = logged.timeOn ? *logged.timeOn : logged.timeOff;
    qso.timeOn = begun.toUtc(isJtdxSender(sender));
    qso.call = logged.dxCall;
    qso.frequency = logged.txFrequency > quint64(std::numeric_limits<qint64>::max())
                        ? 0
                        : qint64(logged.txFrequency);
    qso.mode = logged.mode;
    qso.reportSent = logged.reportSent;
    qso.reportReceived = logged.reportReceived;
    qso.name = logged.name;
    qso.comments = logged.comments;
    return qso;
}

std::optional<ReceivedQso> qsoOfAdif(const QString &sender, const QString &text)
{
    const QHash<QString, QString> fields = firstAdifRecord(text);
    if (fields.isEmpty())
        return std::nullopt;
    ReceivedQso qso;
    qso.sender = sender;
    qso.timeOn = adifMoment(fields.value(QStringLiteral("QSO_DATE")),
                            fields.value(QStringLiteral("TIME_ON")));
    qso.call = fields.value(QStringLiteral("CALL"));
    qso.frequency = hertzOfMegahertz(fields.value(QStringLiteral("FREQ")));
    qso.adifBand = fields.value(QStringLiteral("BAND"));
    qso.mode = fields.value(QStringLiteral("MODE"));
    qso.submode = fields.value(QStringLiteral("SUBMODE"));
    qso.reportSent = fields.value(QStringLiteral("RST_SENT"));
    qso.reportReceived = fields.value(QStringLiteral("RST_RCVD"));
    qso.name = fields.value(QStringLiteral("NAME"));
    qso.comments = fields.value(QStringLiteral("COMMENT"));
    return qso;
}

DigitalConversion refuse(const QString &reason)
{
    return DigitalConversion{std::nullopt, reason};
}

} // namespace

bool isJtdxSender(const QString &id)
{
    return id.startsWith(QLatin1String("JTDX"), Qt::CaseInsensitive);
}

std::optional<ReceivedQso> receivedQso(const WsjtxMessage &message)
{
    if (message.is(WsjtxType::QsoLogged) && message.qso)
        return qsoOfLogged(message.id, *message.qso);
    if (message.is(WsjtxType::LoggedAdif))
        return qsoOfAdif(message.id, message.adif);
    return std::nullopt;
}

QHash<QString, QString> firstAdifRecord(const QString &text)
{
    QHash<QString, QString> fields;
    qsizetype at = 0;
    // A text that has a header starts its records after <EOH>.
    static const QRegularExpression headerEnd(QStringLiteral("<eoh>"),
                                              QRegularExpression::CaseInsensitiveOption);
    if (const auto match = headerEnd.match(text); match.hasMatch())
        at = match.capturedEnd();
    while (at < text.size()) {
        const qsizetype open = text.indexOf(QLatin1Char('<'), at);
        if (open < 0)
            break;
        const qsizetype close = text.indexOf(QLatin1Char('>'), open + 1);
        if (close < 0)
            break;
        const QStringList parts = text.mid(open + 1, close - open - 1).split(QLatin1Char(':'));
        const QString name = parts.value(0).trimmed().toUpper();
        at = close + 1;
        if (name == QLatin1String("EOR"))
            break;
        if (parts.size() < 2)
            continue;
        bool ok = false;
        const qsizetype length = parts.value(1).trimmed().toLongLong(&ok);
        if (!ok || length < 0)
            continue;
        const qsizetype taken = std::min(length, text.size() - at);
        fields.insert(name, text.mid(at, taken));
        at += taken;
    }
    return fields;
}

QString receivedBand(const ReceivedQso &qso)
{
    if (qso.frequency > 0)
        return bandOfFrequency(qso.frequency);
    return bandOfAdifName(qso.adifBand);
}

QString receivedQsoKey(const ReceivedQso &qso)
{
    const QString minute =
        qso.timeOn.isValid() ? qso.timeOn.toString(QStringLiteral("yyyyMMddhhmm")) : QString();
    return QStringList{qso.sender, trimBlanks(qso.call).toUpper(), minute, receivedBand(qso)}.join(
        QChar(0x1f));
}

DigitalConversion convertReceivedQso(const ReceivedQso &received, const DigitalContext &context)
{
    QsoRecord qso;
    qso.call = capitals(folded(received.call));
    if (qso.call.isEmpty())
        return refuse(QStringLiteral("QSO reçu sans indicatif : non enregistré"));
    if (qso.call.size() > qsocol::kCall.width)
        return refuse(QStringLiteral("QSO reçu de %1 : indicatif de plus de %2 caractères, non "
                                     "enregistré")
                          .arg(qso.call)
                          .arg(qsocol::kCall.width));
    if (!received.timeOn.isValid())
        return refuse(
            QStringLiteral("QSO reçu de %1 : heure illisible, non enregistré").arg(qso.call));
    const QDateTime utc = received.timeOn.toUTC();
    // Two digits of year read back in 1950 to 2049 only.
    if (utc.date().year() < kFirstLoggedYear || utc.date().year() > kLastLoggedYear)
        return refuse(QStringLiteral("QSO reçu de %1 : date %2 hors des années que le log "
                                     "peut écrire (%3 à %4), non enregistré")
                          .arg(qso.call, utc.toString(QStringLiteral("dd/MM/yyyy")))
                          .arg(kFirstLoggedYear)
                          .arg(kLastLoggedYear));
    qso.date = dateText(utc.date());
    qso.time = timeText(utc.time());
    qso.mode = logModeOf(received.mode, received.submode);
    if (qso.mode.isEmpty()) {
        const QString unknown = logModeRefusal(received.mode, received.submode);
        return refuse(
            unknown.isEmpty()
                ? QStringLiteral("QSO reçu de %1 : sans mode, non enregistré").arg(qso.call)
                : QStringLiteral("QSO reçu de %1 : %2, non enregistré")
                      .arg(qso.call, folded(unknown)));
    }
    qso.band = receivedBand(received);
    if (qso.band.isEmpty()) {
        const QString where =
            received.frequency > 0 ? kilohertzText(received.frequency) : received.adifBand;
        return refuse(QStringLiteral("%1 %2 %3 : %4 hors des bandes du log, QSO non enregistré")
                          .arg(qso.mode, qso.time, qso.call, where));
    }
    qso.firstName = cut(folded(received.name), qsocol::kFirstName.width);
    // As the call-sign step of the entry window: the memory fills what was not given.
    if (context.remembered) {
        if (const auto known = context.remembered(qso.call)) {
            qso.department = cut(known->department, qsocol::kDepartment.width);
            if (qso.firstName.isEmpty())
                qso.firstName = cut(known->firstName, qsocol::kFirstName.width);
        }
    }
    const auto report = [](const QString &sent) {
        const QString value = cut(folded(sent), kReportWidth);
        return value.isEmpty() ? kDefaultReport : value;
    };
    qso.rstReceived = report(received.reportReceived);
    qso.rstSent = report(received.reportSent);
    qso.remarks = cut(capitals(folded(received.comments)), qsocol::kRemarks.width);
    qso.operatorCall = cut(capitals(folded(context.operatorCall)), qsocol::kOperator.width);
    return DigitalConversion{qso, QString()};
}

QString kilohertzText(qint64 hertz)
{
    QString whole = QString::number(hertz / 1000);
    for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
        whole.insert(at, QLatin1Char(' '));
    return QStringLiteral("%1,%2 kHz").arg(whole).arg(hertz % 1000, 3, 10, QLatin1Char('0'));
}

bool SeenQsos::firstSight(const QString &key)
{
    if (m_keys.contains(key))
        return false;
    m_keys.insert(key);
    return true;
}

} // namespace orvel
