#include "AdifWriter.h"

#include "AsciiText.h"
#include "common/DateTimeText.h"
#include "common/FixedColumns.h"
#include "help/Revision.h"
#include "records/QsoLine.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace orvel {

namespace {

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
constexpr std::array<BandRange, 33> kAdifRanges{
    {{0.1357, 0.1378, "2190m"},   {0.472, 0.479, "630m"},      {0.501, 0.504, "560m"},
     {1.8, 2.0, "160m"},          {3.5, 4.0, "80m"},           {5.06, 5.45, "60m"},
     {7.0, 7.3, "40m"},           {10.1, 10.15, "30m"},        {14.0, 14.35, "20m"},
     {18.068, 18.168, "17m"},     {21.0, 21.45, "15m"},        {24.89, 24.99, "12m"},
     {28.0, 29.7, "10m"},         {40.0, 45.0, "8m"},          {50.0, 54.0, "6m"},
     {54.000001, 69.9, "5m"},     {70.0, 71.0, "4m"},          {144.0, 148.0, "2m"},
     {222.0, 225.0, "1.25m"},     {420.0, 450.0, "70cm"},      {902.0, 928.0, "33cm"},
     {1240.0, 1300.0, "23cm"},    {2300.0, 2450.0, "13cm"},    {3300.0, 3500.0, "9cm"},
     {5650.0, 5925.0, "6cm"},     {10000.0, 10500.0, "3cm"},   {24000.0, 24250.0, "1.25cm"},
     {47000.0, 47200.0, "6mm"},   {75500.0, 81000.0, "4mm"},   {119980.0, 123000.0, "2.5mm"},
     {134000.0, 149000.0, "2mm"}, {241000.0, 250000.0, "1mm"}, {300000.0, 7500000.0, "submm"}}};

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

// A record is assembled in a reused std::string: appending one character is then inline.
using Record = std::string;

void appendTag(Record &out, QLatin1String tag, qsizetype length)
{
    char digits[24];
    int count = 0;
    do {
        digits[count++] = char('0' + length % 10);
        length /= 10;
    } while (length > 0);
    char text[64];
    if (tag.size() + count + 3 > qsizetype(sizeof text)) {
        out.append("<").append(tag.data(), size_t(tag.size())).append(":");
        while (count > 0)
            out.push_back(digits[--count]);
        out.push_back('>');
        return;
    }
    char *p = text;
    *p++ = '<';
    p = std::copy(tag.data(), tag.data() + tag.size(), p);
    *p++ = ':';
    while (count > 0)
        *p++ = digits[--count];
    *p++ = '>';
    out.append(text, size_t(p - text));
}

// The field of a value already trimmed of blanks; values that are not plain ASCII are folded
// first, and the length is that of the folded value.
void appendField(Record &out, QLatin1String tag, QStringView value, std::string &folded)
{
    if (isPrintableAscii(value)) {
        appendTag(out, tag, value.size());
        char text[128];
        if (value.size() > qsizetype(sizeof text)) {
            for (const QChar c : value)
                out.push_back(char(c.unicode()));
        } else {
            char *p = text;
            for (const QChar c : value)
                *p++ = char(c.unicode());
            out.append(text, size_t(p - text));
        }
    } else {
        folded.clear();
        appendAsciiFolded(folded, value);
        // Blanks that folding brought to the edges (a non-breaking blank) are trimmed too.
        const size_t first = folded.find_first_not_of(' ');
        const size_t length =
            first == std::string::npos ? 0 : folded.find_last_not_of(' ') - first + 1;
        appendTag(out, tag, qsizetype(length));
        if (length > 0)
            out.append(folded, first, length);
    }
    out.push_back(' ');
}

void appendField(Record &out, QLatin1String tag, QStringView value)
{
    std::string folded;
    appendField(out, tag, value, folded);
}

void appendField(Record &out, QLatin1String tag, QLatin1String value)
{
    appendTag(out, tag, value.size());
    out.append(value.data(), size_t(value.size()));
    out.push_back(' ');
}

int twoDigits(QStringView text, qsizetype at)
{
    return (text[at].unicode() - '0') * 10 + (text[at + 1].unicode() - '0');
}

// The yyyymmdd digits of a dd/mm/yy text, when it is a calendar date.
bool calendarDate(QStringView text, char (&digits)[8])
{
    if (!hasDateForm(text))
        return false;
    const int year = fullYear(twoDigits(text, 6));
    const int month = twoDigits(text, 3);
    const int day = twoDigits(text, 0);
    if (!QDate::isValid(year, month, day))
        return false;
    const int values[] = {year / 100, year % 100, month, day};
    for (int i = 0; i < 4; ++i) {
        digits[2 * i] = char('0' + values[i] / 10);
        digits[2 * i + 1] = char('0' + values[i] % 10);
    }
    return true;
}

// A date typed by hand without its leading zeros ("5/9/13") still names a day; any other
// text is written as it stands, for the reader to see.
QString dateFallback(const QString &dateText)
{
    const QStringList parts = dateText.split(QLatin1Char('/'));
    if (parts.size() == 3) {
        bool dayOk = false, monthOk = false, yearOk = false;
        const int day = parts.at(0).toInt(&dayOk);
        const int month = parts.at(1).toInt(&monthOk);
        int year = parts.at(2).toInt(&yearOk);
        if (yearOk && parts.at(2).size() <= 2)
            year = fullYear(year);
        const QDate date(year, month, day);
        if (dayOk && monthOk && yearOk && date.isValid())
            return date.toString(QStringLiteral("yyyyMMdd"));
    }
    return dateText;
}

QLatin1String namedBand(QStringView bandWithUnit);

QLatin1String namedBand(QStringView bandWithUnit)
{
    for (const NamedBand &band : kBandTable) {
        if (bandWithUnit == QLatin1String(band.logBand))
            return QLatin1String(band.adifBand);
    }
    return {};
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
    return reference +
           (variant == AdifVariant::Dmsm ? QStringLiteral(" Sp.adi") : QStringLiteral(".adi"));
}

QString adifTitle(const QString &activator)
{
    return QStringLiteral("Exportation du log Brivo_Orvel de ") + activator +
           QStringLiteral(" au format ADIF");
}

QString adifHeader(const QString &activator, const QDateTime &createdUtc)
{
    const QString credit =
        adifField(QStringLiteral("ADIF_VER"), kAdifVersion) +
        adifField(QStringLiteral("PROGRAMID"), kProgramId) +
        adifField(QStringLiteral("PROGRAMVERSION"), revisionText()) +
        adifField(QStringLiteral("CREATED_TIMESTAMP"),
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
    Record out;
    appendField(out, QLatin1String(latinTag), trimBlanks(value));
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

bool holdsQso(QStringView logLine)
{
    for (const QChar c : logLine) {
        if (c != QLatin1Char(' '))
            return true;
    }
    return false;
}

namespace {

// Builds the records of one file. It keeps what it can reuse from one record to the next: the
// buffer of folded text and the ADIF band of the last band outside the list (a log keeps to a
// few bands).
class RecordBuilder
{
public:
    explicit RecordBuilder(const AdifFileData &data)
        : m_data(data)
    {
    }

    // Appends the record to out; in the DMSM layout its part of out is put in capitals.
    void append(Record &out, QStringView line);

private:
    void field(Record &out, QLatin1String tag, QStringView value)
    {
        appendField(out, tag, value, m_folded);
    }
    void field(Record &out, QLatin1String tag, QLatin1String value)
    {
        appendField(out, tag, value);
    }
    const QString &otherBand(QStringView bandWithUnit)
    {
        if (bandWithUnit != m_lastBand) {
            m_lastBand = bandWithUnit.toString();
            m_lastAnswer = bandOfMegahertz(m_lastBand.section(QLatin1Char(' '), 0, 0));
        }
        return m_lastAnswer;
    }

    const AdifFileData &m_data;
    std::string m_folded;
    QString m_lastBand;
    QString m_lastAnswer;
};

void RecordBuilder::append(Record &out, QStringView line)
{
    const AdifFileData &data = m_data;
    const size_t start = out.size();
    field(out, QLatin1String("call"), qsoField(line, qsocol::kCall));
    const QStringView firstName = qsoField(line, qsocol::kFirstName);
    if (!firstName.isEmpty())
        field(out, QLatin1String("name"), firstName);

    const QStringView band = qsoField(line, qsocol::kBandWithUnit);
    const QLatin1String named = namedBand(band);
    if (named.size() > 0)
        field(out, QLatin1String("band"), named);
    else
        field(out, QLatin1String("band"), otherBand(band));

    const QStringView mode = qsoField(line, qsocol::kMode);
    if (mode == QLatin1String("TTY"))
        field(out, QLatin1String("mode"), QLatin1String("RTTY"));
    else
        field(out, QLatin1String("mode"), mode);

    const QStringView date = qsoField(line, qsocol::kDate);
    char digits[8];
    if (calendarDate(date, digits))
        field(out, QLatin1String("qso_date"), QLatin1String(digits, 8));
    else
        field(out, QLatin1String("qso_date"), dateFallback(date.toString()));

    // hhmm: the first two and the last two characters of the time.
    const QStringView time = qsoField(line, qsocol::kTime);
    if (time.size() == 5 && isPrintableAscii(time)) {
        for (const char *tag : {"time_on", "time_off"}) {
            appendTag(out, QLatin1String(tag), 4);
            for (const qsizetype i : {0, 1, 3, 4})
                out.push_back(char(time[i].unicode()));
            out.push_back(' ');
        }
    } else {
        const QString hhmm = time.left(2).toString() + time.right(2).toString();
        field(out, QLatin1String("time_on"), hhmm);
        field(out, QLatin1String("time_off"), hhmm);
    }
    field(out, QLatin1String("rst_sent"), qsoField(line, qsocol::kRstSent));
    field(out, QLatin1String("rst_rcvd"), qsoField(line, qsocol::kRstReceived));
    field(out, QLatin1String("state"), qsoField(line, qsocol::kDepartment));
    const QStringView remarks = qsoField(line, qsocol::kRemarks);
    switch (data.variant) {
    case AdifVariant::Standard:
        field(out, QLatin1String("comment"), remarks);
        break;
    case AdifVariant::Wff:
        field(out, QLatin1String("comment"), remarks);
        field(out, QLatin1String("MY_SIG"), QLatin1String("WWFF"));
        field(out, QLatin1String("My_SIG_INFO"), trimBlanks(wwffReference(data.reference)));
        field(out, QLatin1String("SIG"), QLatin1String("WWFF"));
        field(out, QLatin1String("STATION_CALLSIGN"), trimBlanks(data.activator));
        field(out, QLatin1String("OPERATOR"), qsoField(line, qsocol::kOperator));
        field(out, QLatin1String("SIG_Info"), QLatin1String(""));
        break;
    case AdifVariant::Dmsm:
        field(out, QLatin1String("comment"), trimBlanks(data.reference));
        field(out, QLatin1String("operator"), trimBlanks(data.activator));
        field(out, QLatin1String("Qth"), remarks);
        break;
    }
    out.append("<eor>", 5);
    // Folded to ASCII beforehand, so capitals never change a length.
    if (data.variant == AdifVariant::Dmsm) {
        for (auto c = out.begin() + qsizetype(start); c != out.end(); ++c) {
            if (*c >= 'a' && *c <= 'z')
                *c = char(*c - 'a' + 'A');
        }
    }
}

} // namespace

QString adifRecord(const QString &logLine, const AdifFileData &data)
{
    Record record;
    RecordBuilder(data).append(record, logLine);
    return QString::fromLatin1(record.data(), qsizetype(record.size()));
}

bool writeAdif(QIODevice &device, const QList<QStringView> &logLines, const AdifFileData &data,
               const QDateTime &createdUtc)
{
    constexpr size_t chunkSize = 1 << 20;
    Record chunk;
    chunk.reserve(chunkSize + 4096);
    const QByteArray header = adifHeader(data.activator, createdUtc).toLatin1();
    chunk.append(header.constData(), size_t(header.size()));
    auto flushChunk = [&device, &chunk] {
        const bool written =
            device.write(chunk.data(), qint64(chunk.size())) == qint64(chunk.size());
        chunk.clear();
        return written;
    };
    RecordBuilder builder(data);
    for (const QStringView line : logLines) {
        if (!holdsQso(line))
            continue;
        builder.append(chunk, line);
        chunk.append("\r\n", 2);
        if (chunk.size() >= chunkSize && !flushChunk())
            return false;
    }
    return flushChunk();
}

bool writeAdif(QIODevice &device, const QStringList &logLines, const AdifFileData &data,
               const QDateTime &createdUtc)
{
    QList<QStringView> views;
    views.reserve(logLines.size());
    for (const QString &line : logLines)
        views.append(line);
    return writeAdif(device, views, data, createdUtc);
}

} // namespace orvel
