// The QSO record and its fixed-column line in an activation's log file.
#pragma once

#include <QString>
#include <QStringList>

namespace orvel {

struct QsoRecord {
    QString date;        // dd/mm/yy
    QString time;        // hh:mm
    QString call;        // up to 12
    QString department;  // 2
    QString firstName;   // up to 15
    QString rstReceived; // 2 or 3
    QString rstSent;     // 2 or 3
    QString mode;        // up to 4
    QString band;        // "7", "3.5", "144"...
    QString remarks;     // up to 30, capitals
    QString operatorCall; // up to 12, may be empty

    bool operator==(const QsoRecord &) const = default;
};

inline constexpr int kQsoLineLength = 118;
inline constexpr int kInsertedQsoLineLength = 104;
inline constexpr int kListPrefixLength = 6;

// The stored line (118 characters; 104 for an inserted QSO, which has no operator).
// Values are cut to their columns and control characters become blanks, so a line is never
// malformed.
QString formatQsoLine(const QsoRecord &qso, bool inserted = false);

// The record of a stored line, each value trimmed; an inserted line has an empty operator.
QsoRecord parseQsoLine(const QString &line);

// Band with its unit, as the tallies and exports compare it: trimmed columns 67-73 ("7 Mhz").
QString bandWithUnit(const QString &line);
// The band alone: trimmed columns 67-69 ("7", "144").
QString bandOfLine(const QString &line);
// The call sign: trimmed columns 18-29.
QString callOfLine(const QString &line);
// The mode: trimmed columns 61-64.
QString modeOfLine(const QString &line);

// The first-name memory's key line: call padded to 13, département padded to 3, first name.
QString firstNameKeyLine(const QString &call, const QString &department, const QString &firstName);

// The list entry of a stored line: its number right-aligned in 4 columns and two blanks.
// From 10,000 on, five digits and one blank, so the line still starts at column 7.
QString listEntry(int number, const QString &line);
// The stored line of a list entry (the entry without its 6-character prefix).
QString lineOfListEntry(const QString &entry);

// The list entries of a log's lines, numbered from 1.
QStringList listEntries(const QStringList &lines);

// The number of distinct call signs (trimmed columns 18-29, case-sensitive), and the
// distinct call signs themselves in alphabetical order.
int countOperators(const QStringList &lines, QStringList *distinctCalls = nullptr);

} // namespace orvel
