#include "AdifWriter.h"

#include "AsciiText.h"
#include "common/DateTimeText.h"
#include "common/FixedColumns.h"
#include "help/Revision.h"
#include "logging/QsoLine.h"

#include <array>
#include <cmath>

namespace orvel {

namespace {

const QString kWwff = QStringLiteral("WWFF");
const QString kAdifVersion = QStringLiteral("3.1.4");
const QString kProgramId = QStringLiteral("Orvel Multi");

// The bands of the entry window, as the award managers expect them.
struct NamedBand {
    const char *logBand;
    const char *adifBand;
};
constexpr std::array<NamedBand, 10> kBandTable{{{"3.5 Mhz", "80m"},
                                                {"7 Mhz", "40m"},
                                                {"10 Mhz", "30m"},
                                                {"14 Mhz", "20m"},
                                                {"18 Mhz", "17m"},
                                                {"21 Mhz", "15m"},
                                                {"24 Mhz", "12m"},
                                                {"28 Mhz", "10m"},
                                                {"50 Mhz", "6m"},
                                                {"144 Mhz", "2m"}}};

// The ADIF band enumeration, edges in MHz.
struct BandRange {
    double lower;
    double upper;
    const char *name;
};
constexpr std::array<BandRange, 33> kAdifRanges{{{0.1357, 0.1378, "2190m"},
                                                 {0.472, 0.479, "630m"},
                                                 {0.501, 0.504, "560m"},
                                                 {1.8, 2.0, "160m"},
                                                 {3.5, 4.0, "80m"},
                                                 {5.06, 5.45, "60m"},
                                                 {7.0, 7.3, "40m"},
                                                 {10.1, 10.15, "30m"},
                                                 {14.0, 14.35, "20m"},
                                                 {18.068, 18.168, "17m"},
                                                 {21.0, 21.45, "15m"},
                                                 {24.89, 24.99, "12m"},
                                                 {28.0, 29.7, "10m"},
                                                 {40.0, 45.0, "8m"},
                                                 {50.0, 54.0, "6m"},
                                                 {54.000001, 69.9, "5m"},
                                                 {70.0, 71.0, "4m"},
                                                 {144.0, 148.0, "2m"},
                                                 {222.0, 225.0, "1.25m"},
                                                 {420.0, 450.0, "70cm"},
                                                 {902.0, 928.0, "33cm"},
                                                 {1240.0, 1300.0, "23cm"},
                                                 {2300.0, 2450.0, "13cm"},
                                                 {3300.0, 3500.0, "9cm"},
                                                 {5650.0, 5925.0, "6cm"},
                                                 {10000.0, 10500.0, "3cm"},
                                                 {24000.0, 24250.0, "1.25cm"},
                                                 {47000.0, 47200.0, "6mm"},
                                                 {75500.0, 81000.0, "4mm"},
                                                 {119980.0, 123000.0, "2.5mm"},
                                                 {134000.0, 149000.0, "2mm"},
                                                 {241000.0, 250000.0, "1mm"},
                                                 {300000.0, 7500000.0, "submm"}}};

// The band of a number of MHz. A log names a band by a round number ("10" for 10.1 MHz,
// "5" for 5.3 MHz), so a band's lower edge is read to the precision the number was written
// with.
QString bandOfMegahertz(QString number)
{
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double megahertz = number.toDouble(&ok);
    if (!ok || megahertz <= 0)
        return {};
    const qsizetype point = number.indexOf(QLatin1Char('.'));
    const int decimals = point < 0 ? 0 : int(number.size() - point - 1);
    const double scale = std::pow(10.0, decimals);
    constexpr double tolerance = 1e-9;
    for (const BandRange &band : kAdifRanges) {
        const double lower = std::floor(band.lower * scale + tolerance) / scale;
        if (megahertz >= lower - tolerance && megahertz <= band.upper + tolerance)
            return QString::fromLatin1(band.name);
    }
    return {};
}

void appendField(QString &out, QLatin1String tag, const QString &rawValue)
{
    const QString value = trimBlanks(asciiFolded(rawValue));
    out.append(QLatin1Char('<'));
    out.append(tag);
    out.append(QLatin1Char(':'));
    out.append(QString::number(value.size()));
    out.append(QLatin1Char('>'));
    out.append(value);
    out.append(QLatin1Char(' '));
}

// The reference as the WWFF programme knows it: the part after the first blank
// ("WFF FFF-0123" gives "FFF-0123"), or the whole reference.
QString wwffReference(const QString &reference)
{
    const qsizetype blank = reference.indexOf(QLatin1Char(' '));
    return blank < 0 ? reference : reference.mid(blank + 1);
}

} // namespace

QList<AdifVariant> adifVariants(const QString &reference)
{
    const bool wff = reference.contains(QLatin1String("FF"), Qt::CaseSensitive);
    const bool dmsm = reference.contains(QLatin1String("DMSM"), Qt::CaseSensitive);
    QList<AdifVariant> variants;
    if (wff)
        variants.append(AdifVariant::Wff);
    if (dmsm)
        variants.append(AdifVariant::Dmsm);
    if (variants.isEmpty())
        variants.append(AdifVariant::Standard);
    return variants;
}

QString adifFileName(const QString &reference, AdifVariant variant)
{
    return reference
           + (variant == AdifVariant::Dmsm ? QStringLiteral(" Sp.adi") : QStringLiteral(".adi"));
}

QString adifTitle(const QString &activator)
{
    return QStringLiteral("Exportation du log Brivo_Orvel de ") + activator
           + QStringLiteral(" au format ADIF");
}

QString adifHeader(const QString &activator, const QDateTime &createdUtc)
{
    QString credit;
    appendField(credit, QLatin1String("ADIF_VER"), kAdifVersion);
    appendField(credit, QLatin1String("PROGRAMID"), kProgramId);
    appendField(credit, QLatin1String("PROGRAMVERSION"), revisionText());
    appendField(credit, QLatin1String("CREATED_TIMESTAMP"),
                createdUtc.toUTC().toString(QStringLiteral("yyyyMMdd HHmmss")));
    const QString crlf = QStringLiteral("\r\n");
    // The title is free text before the first tag: a '<' in it would open a false field.
    QString title = asciiFolded(adifTitle(activator));
    title.replace(QLatin1Char('<'), QLatin1Char('('));
    return title + crlf + crlf + credit + crlf + crlf + crlf + QStringLiteral("<eoh>") + crlf;
}

QString adifField(const QString &tag, const QString &value)
{
    const QByteArray latinTag = tag.toLatin1();
    QString out;
    appendField(out, QLatin1String(latinTag), value);
    return out;
}

QString adifDate(const QString &dateText)
{
    if (const auto date = parseDateText(dateText))
        return date->toString(QStringLiteral("yyyyMMdd"));
    // A date that is not a calendar date is written as it stands, in the same order.
    const QString year = dateText.right(2);
    bool numeric = false;
    const int twoDigits = year.toInt(&numeric);
    const QString fullYearText = numeric && year.size() == 2 ? QString::number(fullYear(twoDigits))
                                                              : year;
    return fullYearText + dateText.mid(3, 2) + dateText.left(2);
}

QString adifTime(const QString &timeText)
{
    return timeText.left(2) + timeText.right(2);
}

QString adifBand(const QString &bandWithUnit)
{
    for (const NamedBand &band : kBandTable) {
        if (bandWithUnit == QLatin1String(band.logBand))
            return QString::fromLatin1(band.adifBand);
    }
    const QString number = bandWithUnit.section(QLatin1Char(' '), 0, 0);
    return bandOfMegahertz(number);
}

QString adifMode(const QString &mode)
{
    if (mode == QLatin1String("TTY"))
        return QStringLiteral("RTTY");
    return mode;
}

bool holdsQso(const QString &logLine)
{
    return !trimBlanks(logLine).isEmpty();
}

QString adifRecord(const QString &line, const AdifFileData &data)
{
    QString record;
    record.reserve(320);
    appendField(record, QLatin1String("call"), columnsTrimmed(line, 18, 29));
    const QString firstName = columnsTrimmed(line, 36, 50);
    if (!firstName.isEmpty())
        appendField(record, QLatin1String("name"), firstName);
    appendField(record, QLatin1String("band"), adifBand(bandWithUnit(line)));
    appendField(record, QLatin1String("mode"), adifMode(columnsTrimmed(line, 61, 64)));
    appendField(record, QLatin1String("qso_date"), adifDate(columnsTrimmed(line, 1, 8)));
    const QString time = adifTime(columnsTrimmed(line, 11, 15));
    appendField(record, QLatin1String("time_on"), time);
    appendField(record, QLatin1String("time_off"), time);
    appendField(record, QLatin1String("rst_sent"), columnsTrimmed(line, 57, 60));
    appendField(record, QLatin1String("rst_rcvd"), columnsTrimmed(line, 53, 56));
    appendField(record, QLatin1String("state"), columnsTrimmed(line, 32, 33));
    const QString remarks = columnsTrimmed(line, 75, 104);
    switch (data.variant) {
    case AdifVariant::Standard:
        appendField(record, QLatin1String("comment"), remarks);
        break;
    case AdifVariant::Wff:
        appendField(record, QLatin1String("comment"), remarks);
        appendField(record, QLatin1String("MY_SIG"), kWwff);
        appendField(record, QLatin1String("My_SIG_INFO"), wwffReference(data.reference));
        appendField(record, QLatin1String("SIG"), kWwff);
        appendField(record, QLatin1String("STATION_CALLSIGN"), data.activator);
        appendField(record, QLatin1String("OPERATOR"), columnsTrimmed(line, 107, 118));
        appendField(record, QLatin1String("SIG_Info"), QString());
        break;
    case AdifVariant::Dmsm:
        appendField(record, QLatin1String("comment"), data.reference);
        appendField(record, QLatin1String("operator"), data.activator);
        appendField(record, QLatin1String("Qth"), remarks);
        break;
    }
    record.append(QLatin1String("<eor>"));
    // Folded to ASCII beforehand, so capitals never change a length.
    if (data.variant == AdifVariant::Dmsm)
        return record.toUpper();
    return record;
}

bool writeAdif(QIODevice &device, const QStringList &logLines, const AdifFileData &data,
               const QDateTime &createdUtc)
{
    constexpr qsizetype chunkSize = 1 << 20;
    QByteArray chunk;
    chunk.reserve(chunkSize + 1024);
    chunk.append(adifHeader(data.activator, createdUtc).toLatin1());
    auto flushChunk = [&device, &chunk] {
        const bool written = device.write(chunk) == chunk.size();
        chunk.clear();
        return written;
    };
    for (const QString &line : logLines) {
        if (!holdsQso(line))
            continue;
        chunk.append(adifRecord(line, data).toLatin1());
        chunk.append("\r\n", 2);
        if (chunk.size() >= chunkSize && !flushChunk())
            return false;
    }
    return flushChunk();
}

} // namespace orvel
