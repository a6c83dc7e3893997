#include "QsoLine.h"

#include "common/DateTimeText.h"
#include "common/FixedColumns.h"
#include "common/Windows1252.h"

#include <QSet>

#include <algorithm>

namespace orvel {

namespace {

QString clean(const QString &value)
{
    return withoutControlCharacters(value);
}

} // namespace

QString formatQsoLine(const QsoRecord &qso, bool inserted)
{
    using namespace qsocol;
    QString line(inserted ? kInsertedLineLength : kLineLength, QLatin1Char(' '));
    placeColumn(line, kDate, clean(qso.date));
    placeColumn(line, kTime, clean(qso.time));
    placeColumn(line, kCall, clean(qso.call));
    placeColumn(line, kDepartment, clean(qso.department));
    placeColumn(line, kFirstName, clean(qso.firstName));
    placeColumn(line, kRstReceived, clean(qso.rstReceived));
    placeColumn(line, kRstSent, clean(qso.rstSent));
    placeColumn(line, kMode, clean(qso.mode));
    placeColumn(line, kBand, trimBlanks(clean(qso.band)));
    placeColumn(line, kBandUnit, QStringView(kBandUnitText));
    placeColumn(line, kRemarks, capitals(clean(qso.remarks)));
    if (!inserted)
        placeColumn(line, kOperator, clean(qso.operatorCall));
    return line;
}

QsoRecord parseQsoLine(const QString &line)
{
    using namespace qsocol;
    const auto field = [&line](const LineColumn &column) {
        return trimmedColumn(line, column).toString();
    };
    QsoRecord record;
    record.date = field(kDate);
    record.time = field(kTime);
    record.call = field(kCall);
    record.department = field(kDepartment);
    record.firstName = field(kFirstName);
    record.rstReceived = field(kRstReceived);
    record.rstSent = field(kRstSent);
    record.mode = field(kMode);
    record.band = field(kBand);
    record.remarks = field(kRemarks);
    record.operatorCall = field(kOperator);
    return record;
}

QString bandWithUnit(const QString &line)
{
    return trimmedColumn(line, qsocol::kBandWithUnit).toString();
}

QString bandOfLine(const QString &line)
{
    return trimmedColumn(line, qsocol::kBand).toString();
}

QString callOfLine(const QString &line)
{
    return trimmedColumn(line, qsocol::kCall).toString();
}

QString modeOfLine(const QString &line)
{
    return trimmedColumn(line, qsocol::kMode).toString();
}

std::optional<qint64> qsoOrderKey(QStringView line)
{
    return momentOrderKey(rawColumn(line, qsocol::kDate), rawColumn(line, qsocol::kTime));
}

std::optional<qint64> qsoOrderKeyOfBytes(QByteArrayView line)
{
    return momentOrderKey(rawColumn(line, qsocol::kDate), rawColumn(line, qsocol::kTime));
}

QString firstNameKeyLine(const QString &call, const QString &department, const QString &firstName)
{
    using namespace qsocol;
    QString line(kNameFirstName.first - 1, QLatin1Char(' '));
    placeColumn(line, kNameCall, clean(call));
    placeColumn(line, kNameDepartment, clean(department));
    return line + clean(firstName);
}

QString listEntry(int number, const QString &line)
{
    const QString digits = QString::number(number);
    QString entry(qsocol::kListPrefixLength, QLatin1Char(' '));
    if (digits.size() <= qsocol::kListNumber.width) {
        placeColumn(entry, qsocol::kListNumber, digits);
        return entry + line;
    }
    // A longer number is written whole, one blank before the line: a log of 100,000 QSOs and
    // more still tells each QSO by its number.
    return digits + QLatin1Char(' ') + line;
}

namespace {

// Where the number of a list entry ends (after its leading blanks and digits).
qsizetype numberEnd(QStringView entry)
{
    qsizetype i = 0;
    while (i < entry.size() && i < kListPrefixLength && entry.at(i) == QLatin1Char(' '))
        ++i;
    // An entry without a number: its line starts where the number column ends.
    if (i >= kListPrefixLength)
        return kListPrefixLength - 1;
    while (i < entry.size() && entry.at(i).isDigit())
        ++i;
    return i;
}

} // namespace

QString lineOfListEntry(const QString &entry)
{
    return entry.mid(qMax<qsizetype>(kListPrefixLength, numberEnd(entry) + 1));
}

std::optional<int> numberOfListEntry(const QString &entry)
{
    // The whole number is read, however many digits it has.
    const qsizetype end = numberEnd(entry);
    bool isNumber = false;
    const int number = trimmedBlanks(QStringView(entry).left(qMax<qsizetype>(end, kListPrefixLength)))
                           .toInt(&isNumber);
    if (!isNumber)
        return std::nullopt;
    return number;
}

QStringList listEntries(const QStringList &lines)
{
    QStringList entries;
    entries.reserve(lines.size());
    int number = 1;
    for (const QString &line : lines)
        entries.append(listEntry(number++, line));
    return entries;
}

int countOperators(const QStringList &lines, QStringList *distinctCalls)
{
    if (!distinctCalls) {
        // The count alone: views on the lines, nothing copied or sorted.
        QSet<QStringView> seen;
        seen.reserve(lines.size());
        for (const QString &line : lines) {
            if (const QStringView call = qsoField(line, qsocol::kCall); !call.isEmpty())
                seen.insert(call);
        }
        return static_cast<int>(seen.size());
    }
    QStringList calls;
    calls.reserve(lines.size());
    for (const QString &line : lines) {
        const QString call = callOfLine(line);
        if (!call.isEmpty())
            calls.append(call);
    }
    std::sort(calls.begin(), calls.end());
    calls.erase(std::unique(calls.begin(), calls.end()), calls.end());
    if (distinctCalls)
        *distinctCalls = calls;
    return static_cast<int>(calls.size());
}

QList<ColumnTitle> qsoListTitles(int numberWidth, int lineStart, const QString &timeTitle)
{
    using namespace qsocol;
    const QString number = QStringLiteral("N°");
    const auto over = [lineStart](const LineColumn &column) { return lineStart + column.first - 1; };
    return {
        {number, qMax(1, numberWidth - int(number.size()) + 1)},
        {QStringLiteral("Date"), over(kDate)},
        {timeTitle, over(kTime)},
        {QStringLiteral("Indicatif"), over(kCall)},
        {QStringLiteral("Dpt"), over(kDepartment)},
        {QStringLiteral("Prenom"), over(kFirstName)},
        // "RST" before the column, so that "R" and "E" stand over their reports.
        {QStringLiteral("RST R"), over(kRstReceived) - 4},
        {QStringLiteral("E"), over(kRstSent)},
        {QStringLiteral("Mode"), over(kMode)},
        {QStringLiteral("Bande"), over(kBand)},
        {QStringLiteral("Observations"), over(kRemarks)},
        {QStringLiteral("Opérateur"), over(kOperator)},
    };
}

QList<ColumnTitle> listEntryTitles(const QString &timeTitle)
{
    return qsoListTitles(qsocol::kListNumber.width, qsocol::kListPrefixLength + 1, timeTitle);
}

} // namespace orvel
