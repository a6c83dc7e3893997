// The QSO record and its fixed-column line in an activation's log file. The columns are the
// table qsocol::k*; everything that reads or writes a log line uses it.
#pragma once

#include "LineLayout.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace orvel {

struct QsoRecord {
    QString date;         // dd/mm/yy
    QString time;         // hh:mm
    QString call;         // up to 12
    QString department;   // 2
    QString firstName;    // up to 15
    QString rstReceived;  // 2 or 3
    QString rstSent;      // 2 or 3
    QString mode;         // up to 4
    QString band;         // "7", "3.5", "144"...
    QString remarks;      // up to 30, capitals
    QString operatorCall; // up to 12, may be empty

    bool operator==(const QsoRecord &) const = default;
};

namespace qsocol {
// The log line. Two blanks separate the columns, except between the reports and the mode.
inline constexpr LineColumn kDate{"date", 1, 8};
inline constexpr LineColumn kTime{"time", 11, 5};
inline constexpr LineColumn kCall{"call", 18, 12};
inline constexpr LineColumn kDepartment{"department", 32, 2};
inline constexpr LineColumn kFirstName{"firstName", 36, 15};
inline constexpr LineColumn kRstReceived{"rstReceived", 53, 4};
inline constexpr LineColumn kRstSent{"rstSent", 57, 4};
inline constexpr LineColumn kMode{"mode", 61, 4};
inline constexpr LineColumn kBand{"band", 67, 3, Alignment::Right};
inline constexpr LineColumn kBandUnit{"bandUnit", 70, 5}; // always " Mhz "
inline constexpr LineColumn kRemarks{"remarks", 75, 30};
inline constexpr LineColumn kOperator{"operator", 107, 12};
// The band with its unit, as tallies and exports compare it ("7 Mhz").
inline constexpr LineColumn kBandWithUnit{"bandWithUnit", kBand.first,
                                          kBandUnit.last() - 1 - kBand.first + 1};

inline constexpr std::array<LineColumn, 12> kColumns{
    kDate,    kTime, kCall, kDepartment, kFirstName, kRstReceived,
    kRstSent, kMode, kBand, kBandUnit,   kRemarks,   kOperator};

inline constexpr int kLineLength = kOperator.last(); // 118
// 104: the line earlier versions wrote for an inserted QSO, without its operator; every
// reader still accepts it.
inline constexpr int kInsertedLineLength = kRemarks.last();
inline constexpr char16_t kBandUnitText[] = u" Mhz ";

// The first-name memory's line (Liste_Prenom.txt): call sign, département, then the first
// name as typed up to the line's end.
inline constexpr LineColumn kNameCall{"call", 1, 12};
inline constexpr LineColumn kNameDepartment{"department", 14, 2};
inline constexpr LineColumn kNameFirstName{"firstName", 17, 15};

// The list entry of the entry window: the number right-aligned in 4 columns and two blanks,
// then the log line.
inline constexpr LineColumn kListNumber{"number", 1, 4, Alignment::Right};
inline constexpr int kListPrefixLength = 6;
} // namespace qsocol

inline constexpr int kQsoLineLength = qsocol::kLineLength;
inline constexpr int kInsertedQsoLineLength = qsocol::kInsertedLineLength;
inline constexpr int kListPrefixLength = qsocol::kListPrefixLength;

// The stored line, 118 characters, inserted QSOs included; inserted: the 104-character line
// without operator that earlier versions wrote for an inserted QSO.
// Values are cut to their columns and control characters become blanks, so a line is never
// malformed.
QString formatQsoLine(const QsoRecord &qso, bool inserted = false);

// The record of a stored line, each value trimmed; a 104-character line has an empty operator.
QsoRecord parseQsoLine(const QString &line);

// Trimmed fields of a log line, without a copy.
inline QStringView qsoField(QStringView line, const LineColumn &column)
{
    return trimmedColumn(line, column);
}

// Band with its unit, as the tallies and exports compare it: "7 Mhz".
QString bandWithUnit(const QString &line);
// The band alone: "7", "144".
QString bandOfLine(const QString &line);
// The call sign.
QString callOfLine(const QString &line);
// The mode.
QString modeOfLine(const QString &line);

// A number that orders log lines by their date and time as typed: year with its century,
// month, day, hour, minute. Only the form counts (dd/mm/yy, hh:mm), as the entry fields
// check only the form; empty for a line without it.
std::optional<qint64> qsoOrderKey(QStringView line);
// The same on a line's raw bytes.
std::optional<qint64> qsoOrderKeyOfBytes(QByteArrayView line);

// The first-name memory's key line: call padded to 13, département padded to 3, first name.
QString firstNameKeyLine(const QString &call, const QString &department, const QString &firstName);

// The titles over a list of QSOs whose rows show a number right-aligned in numberWidth
// characters, then the log line from the row's character lineStart: "N°" over the number's
// last digits, then over each column of the line "Date", timeTitle, "Indicatif", "Dpt",
// "Prenom", "RST R" (its R over the report received), "E", "Mode", "Bande", "Observations" and
// "Opérateur". Every start comes from the line's column table.
QList<ColumnTitle> qsoListTitles(int numberWidth, int lineStart, const QString &timeTitle);
// The titles over the list entries of listEntry(): the entry window's list ("Heure") and the
// search's results ("QTR").
QList<ColumnTitle> listEntryTitles(const QString &timeTitle);

// The list entry of a stored line: its number right-aligned in 4 columns and two blanks.
// From 10,000 on, five digits and one blank, so the line still starts at column 7.
QString listEntry(int number, const QString &line);
// The stored line of a list entry (the entry without its 6-character prefix).
QString lineOfListEntry(const QString &entry);
// The number of a list entry; empty when the entry has none.
std::optional<int> numberOfListEntry(const QString &entry);

// The list entries of a log's lines, numbered from 1.
QStringList listEntries(const QStringList &lines);

// The number of distinct call signs (case-sensitive), and the distinct call signs themselves
// in alphabetical order.
int countOperators(const QStringList &lines, QStringList *distinctCalls = nullptr);

} // namespace orvel
