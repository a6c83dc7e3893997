#include "AdifImport.h"

#include "EntryRules.h"
#include "common/DateTimeText.h"
#include "common/FixedColumns.h"
#include "common/Windows1252.h"
#include "records/Bands.h"
#include "records/CurrentLog.h"
#include "records/Session.h"

#include "common/FileRead.h"
#include <QDate>
#include <QDir>

#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <cstdlib>

namespace orvel {

namespace {

// --- Reading the file --------------------------------------------------------------------------

bool isNameCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool isDigitByte(char c)
{
    return c >= '0' && c <= '9';
}

bool isBlankByte(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool isContinuationByte(QByteArrayView bytes, qsizetype at)
{
    return at < bytes.size() && (static_cast<unsigned char>(bytes[at]) & 0xC0) == 0x80;
}

// A tag: <NAME> or <NAME:LENGTH> or <NAME:LENGTH:TYPE>.
struct Tag {
    QString name;          // in capitals
    qsizetype length = -1; // -1 for a tag without a value (<eor>, <eoh>)
    qsizetype end = 0;     // the byte after '>'
};

std::optional<Tag> tagAt(QByteArrayView bytes, qsizetype open)
{
    constexpr qsizetype kLongestName = 64;
    constexpr qsizetype kLongestLength = 9;
    const qsizetype size = bytes.size();
    qsizetype at = open + 1;
    while (at < size && isNameCharacter(bytes[at]) && at - open <= kLongestName)
        ++at;
    if (at == open + 1 || at >= size)
        return std::nullopt;
    Tag tag;
    tag.name = QString::fromLatin1(bytes.sliced(open + 1, at - open - 1)).toUpper();
    if (bytes[at] == '>') {
        tag.end = at + 1;
        return tag;
    }
    if (bytes[at] != ':')
        return std::nullopt;
    const qsizetype digits = ++at;
    while (at < size && isDigitByte(bytes[at]) && at - digits < kLongestLength)
        ++at;
    if (at == digits || at >= size)
        return std::nullopt;
    tag.length = QByteArrayView(bytes.sliced(digits, at - digits)).toLongLong();
    if (bytes[at] == ':') {
        ++at;
        while (at < size && isNameCharacter(bytes[at]))
            ++at;
    }
    if (at >= size || bytes[at] != '>')
        return std::nullopt;
    tag.end = at + 1;
    return tag;
}

// Whether only blanks stand between at and the next tag (or the end of the file).
bool blanksUpToTag(QByteArrayView bytes, qsizetype at)
{
    while (at < bytes.size() && isBlankByte(bytes[at]))
        ++at;
    return at >= bytes.size() || bytes[at] == '<';
}

// The end of a UTF-8 value. The standard counts a length in bytes, but some programs count
// characters: a count of bytes that cuts a character in two, or leaves text before the next
// tag, is read as a count of characters when that one ends cleanly.
qsizetype utf8ValueEnd(QByteArrayView bytes, qsizetype start, qsizetype length)
{
    const qsizetype byteEnd = start + length;
    const QByteArrayView value = bytes.sliced(start, length);
    const bool plain = std::all_of(value.begin(), value.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (plain && !isContinuationByte(bytes, byteEnd))
        return byteEnd;
    if (!isContinuationByte(bytes, byteEnd) && blanksUpToTag(bytes, byteEnd))
        return byteEnd;
    qsizetype at = start;
    qsizetype characters = 0;
    while (characters < length && at < bytes.size()) {
        ++at;
        while (isContinuationByte(bytes, at))
            ++at;
        ++characters;
    }
    if (characters == length && blanksUpToTag(bytes, at))
        return at;
    return byteEnd;
}

bool isUtf8Text(QByteArrayView bytes)
{
    const bool plain = std::all_of(bytes.begin(), bytes.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (plain)
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    return !decoder.hasError();
}

QString notAdif(const QString &subject, const QString &reason)
{
    return QStringLiteral("%1 n'est pas un fichier ADIF : %2.").arg(subject, reason);
}

const QString kThisFile = QStringLiteral("Ce fichier");

// The records of an ADX file (ADIF written as XML): each element inside a RECORD is a field
// named after it; an APP element is named APP_<PROGRAMID>_<FIELDNAME>, a USERDEF one after its
// FIELDNAME, as an ADI file names them.
AdifReading readAdxRecords(QByteArrayView bytes, const QString &subject)
{
    AdifReading reading;
    QXmlStreamReader xml(bytes.toByteArray());
    QSet<QString> names;
    AdifRecord current;
    bool inRecord = false;
    bool sawRoot = false;
    int number = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QString element = xml.name().toString().toUpper();
            if (!sawRoot) {
                if (element != QLatin1String("ADX"))
                    break;
                sawRoot = true;
            } else if (element == QLatin1String("RECORD")) {
                inRecord = true;
                current = AdifRecord();
            } else if (inRecord) {
                QString name = element;
                const QXmlStreamAttributes attributes = xml.attributes();
                if (element == QLatin1String("APP"))
                    name = QStringLiteral("APP_%1_%2")
                               .arg(attributes.value(QStringLiteral("PROGRAMID")).toString(),
                                    attributes.value(QStringLiteral("FIELDNAME")).toString())
                               .toUpper();
                else if (element == QLatin1String("USERDEF"))
                    name = attributes.value(QStringLiteral("FIELDNAME")).toString().toUpper();
                const QString value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                auto shared = names.constFind(name);
                if (shared == names.cend())
                    shared = names.insert(name);
                current.add(*shared, value);
            }
        } else if (token == QXmlStreamReader::EndElement && inRecord &&
                   xml.name().toString().toUpper() == QLatin1String("RECORD")) {
            inRecord = false;
            current.number = ++number;
            reading.records.append(std::move(current));
            current = AdifRecord();
        }
    }
    if (!sawRoot) {
        reading.error = notAdif(subject, QStringLiteral("c'est un fichier XML qui n'est pas un "
                                                        "fichier ADX"));
        return reading;
    }
    if (xml.hasError()) {
        // The records read whole before the fault are kept; the one it cut is refused.
        current.damage = QStringLiteral("fichier ADX abîmé à la ligne %1 : %2")
                             .arg(xml.lineNumber())
                             .arg(xml.errorString());
        if (inRecord || reading.records.isEmpty()) {
            current.number = ++number;
            reading.records.append(std::move(current));
        }
    }
    return reading;
}

// The records, or the reason (without its subject) the bytes are not ADIF.
AdifReading readRecords(QByteArrayView bytes, const QString &subject,
                        const ImportProgress &progress)
{
    AdifReading reading;
    qsizetype pos = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    qsizetype first = pos;
    while (first < bytes.size() && isBlankByte(bytes[first]))
        ++first;
    if (first == bytes.size()) {
        reading.error = notAdif(subject, QStringLiteral("il est vide"));
        return reading;
    }
    if (bytes.sliced(first).startsWith("<?xml"))
        return readAdxRecords(bytes.sliced(first), subject);
    const bool utf8 = isUtf8Text(bytes);
    const auto decode = [utf8](QByteArrayView value) {
        return utf8 ? QString::fromUtf8(value) : decodeWindows1252(value);
    };
    bool sawField = false;
    bool sawHeaderEnd = false;
    AdifRecord current;
    int number = 0;
    // Each field name once, shared by the records.
    QSet<QString> names;
    const auto close = [&] {
        current.values.squeeze();
        current.fields.squeeze();
        current.number = ++number;
        reading.records.append(std::move(current));
        current = AdifRecord();
        if (progress && number % 1000 == 0)
            progress(pos, bytes.size());
    };
    for (;;) {
        const qsizetype open = bytes.indexOf('<', pos);
        if (open < 0)
            break;
        const std::optional<Tag> tag = tagAt(bytes, open);
        if (!tag) {
            pos = open + 1;
            continue;
        }
        pos = tag->end;
        if (tag->length < 0) {
            if (tag->name == QLatin1String("EOR")) {
                if (!current.fields.isEmpty())
                    close();
            } else if (tag->name == QLatin1String("EOH")) {
                // The fields before it describe the file, not a QSO.
                sawHeaderEnd = true;
                current = AdifRecord();
            }
            continue;
        }
        sawField = true;
        // A declared length that runs over the next tag (a writer that counted wrong, or
        // counted bytes of another character set): the value is what stands before that tag.
        const qsizetype declaredEnd = std::min(tag->end + tag->length, bytes.size());
        qsizetype overrun = -1;
        for (qsizetype next = bytes.indexOf('<', tag->end); next >= 0 && next < declaredEnd;
             next = bytes.indexOf('<', next + 1)) {
            // Only a field's tag or the end of a record or header: "<b>" may stand in a name.
            const std::optional<Tag> later = tagAt(bytes, next);
            if (later && (later->length >= 0 || later->name == QLatin1String("EOR") ||
                          later->name == QLatin1String("EOH"))) {
                overrun = next;
                break;
            }
        }
        if (overrun >= 0) {
            ++current.mendedLengths;
            auto name = names.constFind(tag->name);
            if (name == names.cend())
                name = names.insert(tag->name);
            current.add(*name, decode(bytes.sliced(tag->end, overrun - tag->end)));
            pos = overrun;
            continue;
        }
        if (tag->end + tag->length > bytes.size()) {
            current.damage = QStringLiteral("enregistrement coupé à la fin du fichier");
            pos = bytes.size();
            break;
        }
        const qsizetype end =
            utf8 ? utf8ValueEnd(bytes, tag->end, tag->length) : tag->end + tag->length;
        auto name = names.constFind(tag->name);
        if (name == names.cend())
            name = names.insert(tag->name);
        current.add(*name, decode(bytes.sliced(tag->end, end - tag->end)));
        pos = end;
    }
    if (!current.fields.isEmpty() || !current.damage.isEmpty()) {
        if (current.damage.isEmpty())
            current.damage = QStringLiteral("enregistrement sans <eor> à la fin du fichier");
        close();
    }
    if (!sawField && !sawHeaderEnd)
        reading.error = notAdif(subject, QStringLiteral("il ne contient aucun champ ADIF "
                                                        "(de la forme <CALL:5>F4ABC)"));
    if (progress)
        progress(bytes.size(), bytes.size());
    return reading;
}

// --- One record --------------------------------------------------------------------------------

QString folded(const QString &text)
{
    return trimBlanks(foldToWindows1252(text));
}

// The value cut to a column's width, blanks trimmed again.
QString cut(const QString &text, int width)
{
    return trimBlanks(text.left(width));
}

// A value quoted in a message: at most 40 characters of it, so that a flood in a damaged file
// never floods the summary.
QString quoted(const QString &value)
{
    constexpr qsizetype kQuoted = 40;
    if (value.size() <= kQuoted)
        return value;
    return value.left(kQuoted) + QStringLiteral("… (%1 caractères)").arg(value.size());
}

MappedRecord refuse(const QString &reason)
{
    return MappedRecord{std::nullopt, reason};
}

bool allDigits(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

// dd/mm/yy of a YYYYMMDD date, or the reason it cannot be one.
std::optional<QString> dateOf(const QString &value, QString &refusal)
{
    if (value.isEmpty()) {
        refusal = QStringLiteral("pas de date (QSO_DATE)");
        return std::nullopt;
    }
    const QDate date =
        value.size() == 8 && allDigits(value)
            ? QDate(value.left(4).toInt(), value.mid(4, 2).toInt(), value.right(2).toInt())
            : QDate();
    if (!date.isValid()) {
        refusal = QStringLiteral("date inexistante : %1").arg(quoted(value));
        return std::nullopt;
    }
    // The log writes two digits of the year and reads them back in these years only.
    if (date.year() < 1950 || date.year() > 2049) {
        refusal = QStringLiteral("date hors des années 1950 à 2049 : %1").arg(value);
        return std::nullopt;
    }
    return dateText(date);
}

// hh:mm of an HHMM or HHMMSS time (the seconds dropped), or the reason it cannot be one.
std::optional<QString> timeOf(const QString &value, QString &refusal)
{
    if (value.isEmpty()) {
        refusal = QStringLiteral("pas d'heure (TIME_ON)");
        return std::nullopt;
    }
    const bool form = (value.size() == 4 || value.size() == 6) && allDigits(value);
    const QTime time = form ? QTime(value.left(2).toInt(), value.mid(2, 2).toInt(),
                                    value.size() == 6 ? value.right(2).toInt() : 0)
                            : QTime();
    if (!time.isValid()) {
        refusal = QStringLiteral("heure inexistante : %1").arg(quoted(value));
        return std::nullopt;
    }
    return timeText(time);
}

std::optional<QString> bandOf(const AdifRecord &record, QString &refusal)
{
    const QString band = record.value(QStringLiteral("BAND"));
    if (!band.isEmpty()) {
        if (const QString known = loggedBandOfAdifName(band); !known.isEmpty())
            return known;
        refusal = QStringLiteral("bande %1 hors des bandes du log").arg(quoted(folded(band)));
        return std::nullopt;
    }
    QString frequency = record.value(QStringLiteral("FREQ"));
    if (frequency.isEmpty()) {
        refusal = QStringLiteral("pas de bande ni de fréquence (BAND, FREQ)");
        return std::nullopt;
    }
    frequency.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double megahertz = frequency.toDouble(&ok);
    if (!ok) {
        refusal = QStringLiteral("fréquence illisible : %1").arg(quoted(folded(frequency)));
        return std::nullopt;
    }
    if (const QString known = loggedBandOfFrequency(qRound64(megahertz * 1e6)); !known.isEmpty())
        return known;
    refusal = QStringLiteral("fréquence %1 MHz hors des bandes du log").arg(quoted(frequency));
    return std::nullopt;
}

// Punctuation that ends a part of a name, left hanging when the rest is cut ("Dupont,").
QString withoutHangingPunctuation(QString text)
{
    while (!text.isEmpty() && QStringLiteral(" ,;:-/").contains(text.back()))
        text.chop(1);
    return text;
}

// A text cut to width at the last blank that keeps whole words; a first word longer than the
// column is cut where it must be.
QString cutAtWord(const QString &text, qsizetype width)
{
    const QString words = text.simplified();
    if (words.size() <= width)
        return words;
    const qsizetype blank = words.lastIndexOf(QLatin1Char(' '), width);
    const QString kept = withoutHangingPunctuation(blank > 0 ? words.left(blank) : QString());
    return kept.isEmpty() ? words.left(width) : kept;
}

// The other station's name: NAME, or else the name in any script (NAME_INTL) folded to the
// files' character set, in whole words.
QString nameOf(const AdifRecord &record)
{
    QString name = folded(record.value(QStringLiteral("NAME")));
    if (name.isEmpty())
        name = folded(record.value(QStringLiteral("NAME_INTL")));
    return cutAtWord(name, qsocol::kFirstName.width);
}

// The call sign without what follows its first "/" ("F4ABC/P" is "F4ABC").
QString baseCall(const QString &call)
{
    return call.section(QLatin1Char('/'), 0, 0);
}

// Who made the QSO: the logger of a second operator names him in OPERATOR, or only as the
// station it ran (STATION_CALLSIGN), which is the activator's own when he logged it himself.
QString operatorOf(const AdifRecord &record, const ImportContext &context)
{
    const QString named = capitals(folded(record.value(QStringLiteral("OPERATOR"))));
    if (!named.isEmpty())
        return named;
    const QString station = capitals(folded(record.value(QStringLiteral("STATION_CALLSIGN"))));
    const QString activator = capitals(trimBlanks(context.activator));
    const bool activators = station == activator || baseCall(station) == baseCall(activator) ||
                            baseCall(station) == capitals(context.defaultOperator);
    if (!station.isEmpty() && !activator.isEmpty() && !activators)
        return station;
    return context.defaultOperator;
}

// --- Duplicates --------------------------------------------------------------------------------

// Minutes since a fixed day, from dd/mm/yy and hh:mm.
std::optional<qint64> minutesOf(QByteArrayView date, QByteArrayView time)
{
    if (date.size() != 8 || time.size() != 5 || date[2] != '/' || date[5] != '/' || time[2] != ':')
        return std::nullopt;
    for (const qsizetype i : {0, 1, 3, 4, 6, 7}) {
        if (!isDigitByte(date[i]))
            return std::nullopt;
    }
    for (const qsizetype i : {0, 1, 3, 4}) {
        if (!isDigitByte(time[i]))
            return std::nullopt;
    }
    const auto two = [](QByteArrayView text, qsizetype at) {
        return (text[at] - '0') * 10 + (text[at + 1] - '0');
    };
    const QDate day(fullYear(two(date, 6)), two(date, 3), two(date, 0));
    if (!day.isValid())
        return std::nullopt;
    return day.toJulianDay() * 24 * 60 + two(time, 0) * 60 + two(time, 3);
}

std::optional<qint64> minutesOfLine(QByteArrayView line)
{
    return minutesOf(trimmedColumn(line, qsocol::kDate), trimmedColumn(line, qsocol::kTime));
}

// The ADIF mode of a log's mode text: a QSO typed as "PSK" and the same QSO read from a file
// as PSK31 ("P31"), or imported before the mode table as "DIGI" and now as "DV", are one QSO.
QByteArray modeFamily(QByteArrayView logged)
{
    return adifModeOf(decodeWindows1252(logged)).mode.toUpper().toLatin1();
}

QByteArray duplicateKey(QByteArrayView call, QByteArrayView band, QByteArrayView mode)
{
    const QByteArray family = modeFamily(mode);
    QByteArray key;
    key.reserve(call.size() + band.size() + family.size() + 2);
    key.append(call).append('\t').append(band).append('\t').append(family);
    return key;
}

QByteArray duplicateKey(QByteArrayView line)
{
    return duplicateKey(trimmedColumn(line, qsocol::kCall), trimmedColumn(line, qsocol::kBand),
                        trimmedColumn(line, qsocol::kMode));
}

bool within(qint64 a, qint64 b)
{
    return std::llabs(a - b) <= kDuplicateMinutes;
}

} // namespace

QString AdifRecord::value(const QString &name) const
{
    for (auto field = fields.crbegin(); field != fields.crend(); ++field) {
        if (field->name == name)
            return trimBlanks(values.mid(field->from, field->length));
    }
    return {};
}

void AdifRecord::add(const QString &name, QStringView value)
{
    fields.append({name, values.size(), value.size()});
    values.append(value);
}

AdifReading readAdif(QByteArrayView bytes, const ImportProgress &progress)
{
    return readRecords(bytes, kThisFile, progress);
}

AdifReading readAdifFile(const QString &path, const ImportProgress &progress)
{
    const QString shown = QDir::toNativeSeparators(path);
    // Through the careful reader of the data files: a pipe or a device (/dev/zero) is refused
    // at once, never waited on or read without end, and a file past the cap is not read.
    const FileBytes read = readFileBytes(path, kMaxAdifFileSize);
    if (read.outcome == FileBytes::Outcome::Missing) {
        AdifReading reading;
        reading.error = QStringLiteral("Le fichier %1 est introuvable.").arg(shown);
        return reading;
    }
    if (read.outcome != FileBytes::Outcome::Read) {
        AdifReading reading;
        reading.error = unreadableFileMessage(path, read);
        return reading;
    }
    return readRecords(read.bytes, QStringLiteral("Le fichier %1").arg(shown), progress);
}

QString departmentOfState(const QString &state)
{
    QString code = trimBlanks(state).toUpper();
    if (code.size() == 1 && allDigits(code))
        code.prepend(QLatin1Char('0'));
    if (code == QLatin1String("2A") || code == QLatin1String("2B"))
        return code;
    if (code.size() != 2 || !allDigits(code))
        return {};
    const int number = code.toInt();
    return number >= 1 && number <= 95 ? code : QString();
}

MappedRecord mapAdifRecord(const AdifRecord &record, const ImportContext &context)
{
    if (!record.damage.isEmpty())
        return refuse(record.damage);
    QsoRecord qso;
    qso.call = capitals(folded(record.value(QStringLiteral("CALL"))));
    if (qso.call.isEmpty())
        return refuse(QStringLiteral("pas d'indicatif (CALL)"));
    if (qso.call.size() > qsocol::kCall.width)
        return refuse(QStringLiteral("indicatif de plus de %1 caractères : %2")
                          .arg(qsocol::kCall.width)
                          .arg(quoted(qso.call)));
    QString refusal;
    const auto date = dateOf(record.value(QStringLiteral("QSO_DATE")), refusal);
    if (!date)
        return refuse(refusal);
    const auto time = timeOf(record.value(QStringLiteral("TIME_ON")), refusal);
    if (!time)
        return refuse(refusal);
    const auto band = bandOf(record, refusal);
    if (!band)
        return refuse(refusal);
    qso.date = *date;
    qso.time = *time;
    qso.band = *band;
    const QString mode = record.value(QStringLiteral("MODE"));
    const QString submode = record.value(QStringLiteral("SUBMODE"));
    qso.mode = logModeOf(mode, submode);
    if (qso.mode.isEmpty()) {
        const QString refusal = logModeRefusal(mode, submode);
        return refuse(refusal.isEmpty() ? QStringLiteral("pas de mode (MODE)") : folded(refusal));
    }

    const bool inFrance =
        record.value(QStringLiteral("DXCC")) == QLatin1String("227") || isFrenchCall(qso.call);
    if (inFrance)
        qso.department = departmentOfState(record.value(QStringLiteral("STATE")));
    qso.firstName = nameOf(record);
    // As the call-sign step of the entry window: the memory fills what was not given.
    if ((qso.department.isEmpty() || qso.firstName.isEmpty()) && context.remembered) {
        if (const auto known = context.remembered(qso.call)) {
            if (qso.department.isEmpty())
                qso.department = cut(known->department, qsocol::kDepartment.width);
            if (qso.firstName.isEmpty())
                qso.firstName = cut(known->firstName, qsocol::kFirstName.width);
        }
    }
    // Three characters at most, as the entry window takes them, so the reports stay apart.
    constexpr int kReportWidth = 3;
    const auto report = [&](const char *tag) {
        const QString value = cut(folded(record.value(QLatin1String(tag))), kReportWidth);
        return value.isEmpty() ? defaultReport(qso.mode) : value;
    };
    qso.rstReceived = report("RST_RCVD");
    qso.rstSent = report("RST_SENT");
    qso.remarks =
        cut(capitals(folded(record.value(QStringLiteral("COMMENT")))), qsocol::kRemarks.width);
    qso.operatorCall = cut(operatorOf(record, context), qsocol::kOperator.width);
    return MappedRecord{qso, QString()};
}

QStringList ImportPlan::lines() const
{
    QStringList result;
    result.reserve(imported);
    for (const ImportItem &item : items) {
        if (item.verdict == ImportVerdict::Imported)
            result.append(item.line);
    }
    return result;
}

QStringList ImportPlan::firstNameKeyLines() const
{
    QStringList result;
    result.reserve(imported);
    for (const ImportItem &item : items) {
        if (item.verdict == ImportVerdict::Imported) {
            const QsoRecord qso = parseQsoLine(item.line);
            result.append(firstNameKeyLine(qso.call, qso.department, firstWord(qso.firstName)));
        }
    }
    return result;
}

QString ImportPlan::refusalLine(const ImportItem &item)
{
    const QString call = item.call.isEmpty() ? QStringLiteral("sans indicatif") : quoted(item.call);
    return QStringLiteral("Enregistrement %1 (%2) : %3").arg(item.number).arg(call, item.reason);
}

QString ImportPlan::summary() const
{
    QString text =
        QStringLiteral("%1, %2 déjà dans le log, %3")
            .arg(countOf(imported, QStringLiteral("QSO importé"), QStringLiteral("QSO importés")))
            .arg(alreadyInLog)
            .arg(countOf(refused, QStringLiteral("refusé"), QStringLiteral("refusés")));
    if (mendedLengths > 0)
        text += mendedLengths == 1
                    ? QStringLiteral("\n1 valeur dont la longueur annoncée débordait sur la "
                                     "balise suivante, lue jusqu'à elle")
                    : QStringLiteral("\n%1 valeurs dont la longueur annoncée débordait sur la "
                                     "balise suivante, lues jusqu'à elle")
                          .arg(mendedLengths);
    for (const ImportItem &item : items) {
        if (item.verdict == ImportVerdict::Refused)
            text += QLatin1Char('\n') + refusalLine(item);
    }
    return text;
}

QString firstWord(const QString &name)
{
    return withoutHangingPunctuation(
        name.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty));
}

QString countOf(int count, const QString &singular, const QString &plural)
{
    return QString::number(count) + QLatin1Char(' ') + (count <= 1 ? singular : plural);
}

ImportPlan planImport(const QList<AdifRecord> &records, const ImportContext &context,
                      const CurrentLog &log)
{
    ImportPlan plan;
    plan.items.reserve(records.size());
    QSet<QByteArray> calls;
    for (const AdifRecord &record : records) {
        ImportItem item;
        item.number = record.number;
        plan.mendedLengths += record.mendedLengths;
        item.call = folded(record.value(QStringLiteral("CALL"))).toUpper();
        const MappedRecord mapped = mapAdifRecord(record, context);
        if (mapped.qso) {
            item.line = formatQsoLine(*mapped.qso);
            item.verdict = ImportVerdict::Imported;
            calls.insert(encodeWindows1252(mapped.qso->call));
        } else {
            item.reason = mapped.refusal;
        }
        plan.items.append(std::move(item));
    }

    // The moments of the log's QSOs of the call signs the file names, by call, band and mode.
    QHash<QByteArray, QList<qint64>> inLog;
    for (qsizetype row = 0; row < log.size(); ++row) {
        const QByteArrayView line = log.rowBytes(row);
        const QByteArrayView call = trimmedColumn(line, qsocol::kCall);
        if (!calls.contains(call.toByteArray()))
            continue;
        if (const auto minutes = minutesOfLine(line))
            inLog[duplicateKey(call, trimmedColumn(line, qsocol::kBand),
                               trimmedColumn(line, qsocol::kMode))]
                .append(*minutes);
    }
    // The records taken so far, with their numbers.
    QHash<QByteArray, QList<std::pair<qint64, int>>> taken;
    for (ImportItem &item : plan.items) {
        if (item.verdict != ImportVerdict::Imported) {
            ++plan.refused;
            item.verdict = ImportVerdict::Refused;
            continue;
        }
        const QByteArray line = encodeWindows1252(item.line);
        const QByteArray key = duplicateKey(line);
        const qint64 minutes = minutesOfLine(line).value();
        const QList<qint64> logged = inLog.value(key);
        if (std::any_of(logged.cbegin(), logged.cend(),
                        [minutes](qint64 other) { return within(minutes, other); })) {
            item.verdict = ImportVerdict::AlreadyInLog;
            item.reason = QStringLiteral("déjà dans le log");
            ++plan.alreadyInLog;
            continue;
        }
        QList<std::pair<qint64, int>> &earlier = taken[key];
        const auto twin = std::find_if(earlier.cbegin(), earlier.cend(), [minutes](const auto &e) {
            return within(minutes, e.first);
        });
        if (twin != earlier.cend()) {
            item.verdict = ImportVerdict::AlreadyInLog;
            item.reason =
                QStringLiteral("déjà dans le log (enregistrement %1 du fichier)").arg(twin->second);
            ++plan.alreadyInLog;
            continue;
        }
        earlier.append({minutes, item.number});
        ++plan.imported;
    }
    return plan;
}

QString ImportOutcome::message() const
{
    if (ok()) {
        QString text = plan.summary();
        if (!memoryError.isEmpty())
            text += QLatin1Char('\n') + memoryError;
        return text;
    }
    QString text;
    if (write.undone) {
        text = QStringLiteral("Aucun QSO n'a été importé : aucun log n'a été modifié.");
    } else {
        QStringList received = references;
        for (const QString &failed : write.failedReferences)
            received.removeAll(failed);
        text = QStringLiteral("Les QSO importés n'ont pas pu être écrits dans : %1.")
                   .arg(write.failedReferences.join(QStringLiteral(", ")));
        if (!received.isEmpty())
            text += QStringLiteral("\nIls ont été écrits dans : %1.")
                        .arg(received.join(QStringLiteral(", ")));
    }
    if (!write.errors.isEmpty())
        text += QLatin1Char('\n') + write.errors.join(QLatin1Char('\n'));
    return text;
}

ImportOutcome importRecords(Session &session, const QList<AdifRecord> &records,
                            const ImportContext &context, const FirstNames *names)
{
    ImportOutcome outcome;
    outcome.references = session.storeReferences();
    // Decided against the log as its file now stands, which the preview may no longer show.
    session.refresh();
    outcome.plan = planImport(records, context, session.currentLog());
    const QStringList lines = outcome.plan.lines();
    if (lines.isEmpty())
        return outcome;
    outcome.write = session.insertMany(lines);
    if (outcome.write.ok() && names) {
        if (const FileResult learnt = names->updateMany(outcome.plan.firstNameKeyLines()); !learnt)
            outcome.memoryError =
                QStringLiteral("Les prénoms n'ont pas pu être mémorisés.\n") + learnt.error;
    }
    return outcome;
}

ImportContext entryImportContext(const QString &activator, const FirstNames &names)
{
    ImportContext context;
    context.activator = activator;
    context.defaultOperator = defaultOperator(activator);
    // Read once for the whole file: a lookup of the memory itself checks its file each time.
    context.remembered = [memory = names.snapshot()](const QString &call) {
        return memory.lookup(call);
    };
    return context;
}

} // namespace orvel
