#include "AdifWriter.h"

#include "AsciiText.h"
#include "LogBytes.h"
#include "common/DateTimeText.h"
#include "common/FixedColumns.h"
#include "common/Program.h"
#include "common/Windows1252.h"
#include "records/LogModes.h"
#include "records/PotaPark.h"
#include "records/QsoLine.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>

namespace orvel {

namespace {

const QString kAdifVersion = QStringLiteral("3.1.4");
const QString kProgramId = QStringLiteral("Orvel Multi");

// The bands of the entry window, as the award managers expect them.
struct NamedBand {
    std::string_view logBand;
    std::string_view adifBand;
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

// The header's fields and the fields a file repeats in every record are assembled in a
// std::string; the records themselves are written in place (see RecordBuilder).
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

int twoDigits(LogBytes text, size_t at)
{
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

// The yyyymmdd digits of a dd/mm/yy text, when it is a calendar date.
bool calendarDate(LogBytes text, char (&digits)[8])
{
    // The form is one of ASCII digits and slashes: other bytes never have it.
    if (text.size() != 8 || !isPrintableAscii(text))
        return false;
    char16_t characters[8];
    std::copy(text.begin(), text.end(), characters);
    if (!hasDateForm(QStringView(characters, 8)))
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

// A date typed by hand without its leading zeros ("5/9/13") still names a day.
QDate looseDate(const QString &dateText)
{
    const QStringList parts = dateText.split(QLatin1Char('/'));
    if (parts.size() != 3)
        return {};
    bool dayOk = false, monthOk = false, yearOk = false;
    const int day = parts.at(0).toInt(&dayOk);
    const int month = parts.at(1).toInt(&monthOk);
    int year = parts.at(2).toInt(&yearOk);
    if (yearOk && parts.at(2).size() <= 2)
        year = fullYear(year);
    if (!dayOk || !monthOk || !yearOk)
        return {};
    return QDate(year, month, day);
}

// The day of a date that is not in the dd/mm/yy form; any other text is written as it
// stands, for the reader to see.
QString dateFallback(const QString &dateText)
{
    const QDate date = looseDate(dateText);
    return date.isValid() ? date.toString(QStringLiteral("yyyyMMdd")) : dateText;
}

std::string_view namedBand(LogBytes bandWithUnit)
{
    for (const NamedBand &band : kBandTable) {
        if (bandWithUnit == band.logBand)
            return band.adifBand;
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
    const bool pota = isPotaReference(reference);
    const bool wff = !pota && reference.contains(QLatin1String("FF"), Qt::CaseSensitive);
    const bool dmsm = reference.contains(QLatin1String("DMSM"), Qt::CaseSensitive);
    QList<AdifVariant> variants;
    if (pota)
        variants.append(AdifVariant::Pota);
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

QDate adifQsoDay(std::string_view storedDate)
{
    const LogBytes date = trimmedBytes(storedDate);
    char digits[8];
    if (calendarDate(date, digits))
        return QDate::fromString(QString::fromLatin1(digits, 8), QStringLiteral("yyyyMMdd"));
    return looseDate(decodedBytes(date));
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

namespace {

// The digits of a length, written at at; returns their end.
char *writeNumber(char *at, size_t number)
{
    if (number < 10) {
        *at++ = char('0' + number);
        return at;
    }
    char digits[24];
    int count = 0;
    for (; number > 0; number /= 10)
        digits[count++] = char('0' + number % 10);
    while (count > 0)
        *at++ = digits[--count];
    return at;
}

// Builds the records of one file from the log lines as stored, each written straight into the
// caller's buffer. It keeps what it can reuse from one record to the next: the buffer of
// folded text, the ADIF band of the last band outside the list (a log keeps to a few bands)
// and the fields that are the same in every record of the file.
class RecordBuilder
{
public:
    explicit RecordBuilder(const AdifFileData &data);

    // The most a record can take: the fields come from the line's first columns only, and
    // a character folds to a few letters at most.
    size_t maxRecordSize() const { return m_maxRecordSize; }

    // Writes the record of line at out, which has room for maxRecordSize() bytes, and
    // returns its end; in the DMSM layout the record is in capitals.
    char *write(char *out, LogBytes line);

private:
    template <size_t N> static char *tag(char *at, const char (&name)[N], size_t length)
    {
        *at++ = '<';
        std::memcpy(at, name, N - 1);
        at += N - 1;
        *at++ = ':';
        at = writeNumber(at, length);
        *at++ = '>';
        return at;
    }
    // A value that needs no folding; a blank follows.
    template <size_t N>
    static char *plainField(char *at, const char (&name)[N], std::string_view value)
    {
        at = tag(at, name, value.size());
        if (!value.empty())
            std::memcpy(at, value.data(), value.size());
        at += value.size();
        *at++ = ' ';
        return at;
    }
    // A log value trimmed of blanks; one that is not plain ASCII is folded first, and the
    // length is that of the folded value.
    template <size_t N> char *field(char *at, const char (&name)[N], LogBytes value)
    {
        char *const start = at;
        at = tag(at, name, value.size());
        for (const char c : value) {
            if (static_cast<unsigned char>(c - 32) > 126 - 32)
                return foldedField(start, name, value);
            *at++ = c;
        }
        *at++ = ' ';
        return at;
    }
    template <size_t N> char *foldedField(char *at, const char (&name)[N], LogBytes value)
    {
        m_folded.clear();
        appendAsciiFolded(m_folded, value);
        return plainField(at, name, trimmedFolded());
    }
    template <size_t N> char *field(char *at, const char (&name)[N], QStringView value)
    {
        m_folded.clear();
        appendAsciiFolded(m_folded, value);
        return plainField(at, name, trimmedFolded());
    }
    // Blanks that folding brought to the edges (a non-breaking blank) are trimmed too.
    std::string_view trimmedFolded() const
    {
        const size_t first = m_folded.find_first_not_of(' ');
        if (first == std::string::npos)
            return {};
        return std::string_view(m_folded).substr(first, m_folded.find_last_not_of(' ') - first + 1);
    }
    // The yyyymmdd digits of a date when it is a calendar day; a log holds the QSOs of one
    // day in a row.
    std::optional<std::string_view> dateDigits(LogBytes date)
    {
        if (date != m_lastDate) {
            m_lastDate.assign(date);
            m_lastDateIsDay = calendarDate(date, m_lastDigits);
        }
        if (!m_lastDateIsDay)
            return std::nullopt;
        return std::string_view(m_lastDigits, sizeof m_lastDigits);
    }
    // MODE, and SUBMODE when ADIF names the log's mode as a submode; a log keeps to a few modes.
    char *modeFields(char *at, LogBytes mode)
    {
        if (!m_lastMode || mode != *m_lastMode) {
            m_lastMode.emplace(mode);
            const AdifMode named = adifModeOf(decodedBytes(mode));
            m_modeFields.clear();
            appendField(m_modeFields, QLatin1String("mode"), named.mode);
            if (!named.submode.isEmpty())
                appendField(m_modeFields, QLatin1String("submode"), named.submode);
        }
        std::memcpy(at, m_modeFields.data(), m_modeFields.size());
        return at + m_modeFields.size();
    }
    const std::string &otherBand(LogBytes bandWithUnit)
    {
        if (bandWithUnit != m_lastBand) {
            m_lastBand.assign(bandWithUnit);
            const QString band =
                bandOfMegahertz(decodedBytes(bandWithUnit).section(QLatin1Char(' '), 0, 0));
            m_lastAnswer = band.toStdString();
        }
        return m_lastAnswer;
    }

    AdifVariant m_variant;
    std::string m_folded;
    std::string m_lastBand;
    std::optional<std::string> m_lastMode;
    std::string m_modeFields;
    std::string m_lastAnswer;
    std::string m_lastDate;
    bool m_lastDateIsDay = false;
    char m_lastDigits[8] = {};
    // The fields of the file's WFF or DMSM layout that come from the reference and the
    // activator, between the log's fields.
    std::string m_fileFieldsAfterComment;
    std::string m_fileFieldsAfterOperator;
    size_t m_maxRecordSize = 0;
};

RecordBuilder::RecordBuilder(const AdifFileData &data)
    : m_variant(data.variant)
{
    const auto add = [](std::string &out, const char *tag, const QString &value) {
        appendField(out, QLatin1String(tag), value);
    };
    switch (data.variant) {
    case AdifVariant::Standard:
        break;
    case AdifVariant::Wff:
        add(m_fileFieldsAfterComment, "MY_SIG", QStringLiteral("WWFF"));
        add(m_fileFieldsAfterComment, "My_SIG_INFO", trimBlanks(wwffReference(data.reference)));
        add(m_fileFieldsAfterComment, "SIG", QStringLiteral("WWFF"));
        add(m_fileFieldsAfterComment, "STATION_CALLSIGN", trimBlanks(data.activator));
        add(m_fileFieldsAfterOperator, "SIG_Info", QString());
        break;
    case AdifVariant::Dmsm:
        add(m_fileFieldsAfterComment, "comment", trimBlanks(data.reference));
        add(m_fileFieldsAfterComment, "operator", trimBlanks(data.activator));
        break;
    case AdifVariant::Pota: {
        const QString park = potaPark(data.reference);
        add(m_fileFieldsAfterComment, "MY_SIG", QStringLiteral("POTA"));
        add(m_fileFieldsAfterComment, "MY_SIG_INFO", park);
        add(m_fileFieldsAfterComment, "MY_POTA_REF", park);
        add(m_fileFieldsAfterComment, "STATION_CALLSIGN", trimBlanks(data.activator));
        break;
    }
    }
    // Every value of a record comes from the line's columns, the time twice; the tags, their
    // lengths and the fixed values take well under the rest.
    constexpr size_t kTagsAndFixedValues = 1024;
    m_maxRecordSize = kTagsAndFixedValues + 2 * kQsoLineLength * longestAsciiFold() +
                      m_fileFieldsAfterComment.size() + m_fileFieldsAfterOperator.size();
}

char *RecordBuilder::write(char *out, LogBytes line)
{
    char *at = out;
    at = field(at, "call", byteField(line, qsocol::kCall));
    const LogBytes firstName = byteField(line, qsocol::kFirstName);
    if (!firstName.empty())
        at = field(at, "name", firstName);

    const LogBytes band = byteField(line, qsocol::kBandWithUnit);
    const std::string_view named = namedBand(band);
    at = plainField(at, "band", !named.empty() ? named : std::string_view(otherBand(band)));

    at = modeFields(at, byteField(line, qsocol::kMode));

    const LogBytes date = byteField(line, qsocol::kDate);
    if (const std::optional<std::string_view> digits = dateDigits(date))
        at = plainField(at, "qso_date", *digits);
    else
        at = field(at, "qso_date", QStringView(dateFallback(decodedBytes(date))));

    // hhmm: the first two and the last two characters of the time.
    const LogBytes time = byteField(line, qsocol::kTime);
    if (time.size() == 5 && isPrintableAscii(time)) {
        const char hhmm[4] = {time[0], time[1], time[3], time[4]};
        at = plainField(at, "time_on", std::string_view(hhmm, 4));
        at = plainField(at, "time_off", std::string_view(hhmm, 4));
    } else {
        std::string hhmm(time.substr(0, 2));
        hhmm.append(time.substr(time.size() - std::min<size_t>(2, time.size())));
        at = field(at, "time_on", LogBytes(hhmm));
        at = field(at, "time_off", LogBytes(hhmm));
    }
    at = field(at, "rst_sent", byteField(line, qsocol::kRstSent));
    at = field(at, "rst_rcvd", byteField(line, qsocol::kRstReceived));
    at = field(at, "state", byteField(line, qsocol::kDepartment));
    const LogBytes remarks = byteField(line, qsocol::kRemarks);
    const auto fileFields = [&at](const std::string &fields) {
        std::memcpy(at, fields.data(), fields.size());
        at += fields.size();
    };
    switch (m_variant) {
    case AdifVariant::Standard:
        at = field(at, "comment", remarks);
        break;
    case AdifVariant::Wff:
        at = field(at, "comment", remarks);
        fileFields(m_fileFieldsAfterComment);
        at = field(at, "OPERATOR", byteField(line, qsocol::kOperator));
        fileFields(m_fileFieldsAfterOperator);
        break;
    case AdifVariant::Dmsm:
        fileFields(m_fileFieldsAfterComment);
        at = field(at, "Qth", remarks);
        break;
    case AdifVariant::Pota:
        at = field(at, "comment", remarks);
        fileFields(m_fileFieldsAfterComment);
        // The operator of the QSO, when another than the activator made it.
        if (const LogBytes operatorCall = byteField(line, qsocol::kOperator); !operatorCall.empty())
            at = field(at, "OPERATOR", operatorCall);
        break;
    }
    std::memcpy(at, "<eor>", 5);
    at += 5;
    // Folded to ASCII beforehand, so capitals never change a length.
    if (m_variant == AdifVariant::Dmsm) {
        for (char *c = out; c != at; ++c) {
            if (*c >= 'a' && *c <= 'z')
                *c = char(*c - 'a' + 'A');
        }
    }
    Q_ASSERT(size_t(at - out) <= m_maxRecordSize);
    return at;
}

} // namespace

QString adifRecord(const QString &logLine, const AdifFileData &data)
{
    const QByteArray stored = encodeWindows1252(logLine);
    RecordBuilder builder(data);
    std::string record(builder.maxRecordSize(), '\0');
    const char *end =
        builder.write(record.data(), LogBytes(stored.constData(), size_t(stored.size())));
    return QString::fromLatin1(record.data(), qsizetype(end - record.data()));
}

bool writeAdif(QIODevice &device, const QByteArray &log, const AdifFileData &data,
               const QDateTime &createdUtc)
{
    return writeAdif(device, linesOf(log), data, createdUtc);
}

bool writeAdif(QIODevice &device, const LogLines &lines, const AdifFileData &data,
               const QDateTime &createdUtc)
{
    // Written in chunks as it goes: a long log never stands twice in memory.
    constexpr qsizetype chunkSize = 1 << 20;
    RecordBuilder builder(data);
    const qsizetype recordRoom = qsizetype(builder.maxRecordSize()) + 2;
    const QByteArray header = adifHeader(data.activator, createdUtc).toLatin1();
    QByteArray chunk(std::max(chunkSize, header.size()) + recordRoom, Qt::Uninitialized);
    char *const first = chunk.data();
    char *at = std::copy(header.cbegin(), header.cend(), first);
    auto flushChunk = [&] {
        const qint64 size = at - first;
        at = first;
        return device.write(first, size) == size;
    };
    const bool whole = lines([&](LogBytes line) {
        if (at - first > chunkSize && !flushChunk())
            return false;
        at = builder.write(at, line);
        *at++ = '\r';
        *at++ = '\n';
        return true;
    });
    return whole && flushChunk();
}

} // namespace orvel
