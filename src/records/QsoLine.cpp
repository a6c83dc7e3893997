#include "QsoLine.h"

#include "common/Windows1252.h"

#include "common/FixedColumns.h"

#include <algorithm>

namespace orvel {

namespace {

const QString kTwoBlanks = QStringLiteral("  ");

QString clean(const QString &value)
{
    return withoutControlCharacters(value);
}

QString rstColumn(const QString &rst)
{
    // The report is followed by (4 minus its length) blanks.
    return padRight(clean(rst), 4);
}

} // namespace

QString formatQsoLine(const QsoRecord &qso, bool inserted)
{
    QString line;
    line.reserve(kQsoLineLength);
    line += padRight(clean(qso.date), 8) + kTwoBlanks;
    line += padRight(clean(qso.time), 5) + kTwoBlanks;
    line += padRight(clean(qso.call), 12) + kTwoBlanks;
    line += padRight(clean(qso.department), 2) + kTwoBlanks;
    line += padRight(clean(qso.firstName), 15) + kTwoBlanks;
    line += rstColumn(qso.rstReceived);
    line += rstColumn(qso.rstSent);
    line += padRight(clean(qso.mode), 4) + kTwoBlanks;
    line += alignRight(trimBlanks(clean(qso.band)), 3) + QStringLiteral(" Mhz ");
    line += padRight(capitals(clean(qso.remarks)), 30);
    if (!inserted)
        line += kTwoBlanks + padRight(clean(qso.operatorCall), 12);
    return line;
}

QsoRecord parseQsoLine(const QString &line)
{
    QsoRecord qso;
    qso.date = columnsTrimmed(line, 1, 8);
    qso.time = columnsTrimmed(line, 11, 15);
    qso.call = columnsTrimmed(line, 18, 29);
    qso.department = columnsTrimmed(line, 32, 33);
    qso.firstName = columnsTrimmed(line, 36, 50);
    qso.rstReceived = columnsTrimmed(line, 53, 56);
    qso.rstSent = columnsTrimmed(line, 57, 60);
    qso.mode = columnsTrimmed(line, 61, 64);
    qso.band = columnsTrimmed(line, 67, 69);
    qso.remarks = columnsTrimmed(line, 75, 104);
    qso.operatorCall = columnsTrimmed(line, 107, 118);
    return qso;
}

QString bandWithUnit(const QString &line)
{
    return columnsTrimmed(line, 67, 73);
}

QString bandOfLine(const QString &line)
{
    return columnsTrimmed(line, 67, 69);
}

QString callOfLine(const QString &line)
{
    return columnsTrimmed(line, 18, 29);
}

QString modeOfLine(const QString &line)
{
    return columnsTrimmed(line, 61, 64);
}

QString firstNameKeyLine(const QString &call, const QString &department, const QString &firstName)
{
    return padRight(clean(call), 13) + padRight(clean(department), 3) + clean(firstName);
}

QString listEntry(int number, const QString &line)
{
    const QString digits = QString::number(number);
    const QString prefix = digits.size() <= 4 ? alignRight(digits, 4) + kTwoBlanks
                                              : padRight(digits, 5) + QLatin1Char(' ');
    return prefix.left(kListPrefixLength) + line;
}

QString lineOfListEntry(const QString &entry)
{
    return entry.mid(kListPrefixLength);
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

} // namespace orvel
