// The selection entry: the 79-character text that stands for a QSO in the two lists of the
// label selection. It starts with the call sign, so that sorted lists are in call-sign order,
// and ends with the date and time; the label fields are read from its columns.
#pragma once

#include "records/LineLayout.h"
#include "records/QsoLine.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace orvel {

class LogRows;

namespace selcol {
// The entry is five blanks, the log line's columns 18 to 75, a blank, then its columns 1 to
// 15: a log column c from 18 on stands at c - 12, the date and time at c + 64.
inline constexpr int kLead = 5;
inline constexpr int kLogPart = 75; // the log line's columns that reach the entry
inline constexpr int kBodyShift = qsocol::kCall.first - 1 - kLead;
inline constexpr int kTailShift = kLogPart - qsocol::kCall.first + 1 + kLead + 1;

constexpr LineColumn body(const LineColumn &logColumn, int width)
{
    return {logColumn.name, logColumn.first - kBodyShift, width, logColumn.alignment};
}
constexpr LineColumn tail(const LineColumn &logColumn)
{
    return {logColumn.name, logColumn.first + kTailShift, logColumn.width, logColumn.alignment};
}

inline constexpr LineColumn kCall = body(qsocol::kCall, qsocol::kCall.width); // 6-17
inline constexpr LineColumn kDepartment = body(qsocol::kDepartment, 2);       // 20-21
inline constexpr LineColumn kRst = body(qsocol::kRstReceived, 3);             // 41-43
inline constexpr LineColumn kMode = body(qsocol::kMode, qsocol::kMode.width); // 49-52
inline constexpr LineColumn kBand =
    body(qsocol::kBandWithUnit, qsocol::kBandWithUnit.width); // 55-61
inline constexpr LineColumn kDate = tail(qsocol::kDate);      // 65-72
inline constexpr LineColumn kTime = tail(qsocol::kTime);      // 75-79

inline constexpr int kLength = kTime.last(); // 79
} // namespace selcol

// The entry of a log line. A line shorter than 75 characters (typed by hand) is taken as
// blank-padded, so every entry has 79 characters.
QString selectionEntry(QStringView logLine);
// The same from the line as stored (windows-1252).
QString selectionEntry(QByteArrayView logLine);

// The fields a label prints of one QSO, each trimmed. An empty entry gives empty fields.
struct LabelQso {
    QString call;
    QString department;
    QString rst; // the report received
    QString mode;
    QString band; // with its unit: "7 Mhz"
    QString date;
    QString time;

    bool operator==(const LabelQso &) const = default;
};

LabelQso labelQsoOfEntry(QStringView entry);

// The order of the sorted lists, that of the listings: letters compared without regard to
// case, then entries that differ in letter case alone by their characters' codes ("F4ABC"
// before "f4abc"). Equal entries keep their order.
bool entryLess(const QString &a, const QString &b);
// Puts entries in that order.
void sortEntries(QStringList &entries);
// The same, with the log row of each entry (rows[i] is entries[i]'s) moved along.
void sortEntries(QStringList &entries, QList<qsizetype> &rows);

// The two lists of the label selection made from a log: the rows not chosen and those
// chosen, each list in the sorted order of the rows' entries (equal entries in row order).
struct SelectionLists {
    QList<qsizetype> availableRows;
    QList<qsizetype> chosenRows;
};
// The lists of rows, those of chosenRows chosen (rows outside the log are left out).
SelectionLists selectionLists(const LogRows &rows, const QList<qsizetype> &chosenRows);
// The lists of rows after the log was read again whole: a row is chosen when its entry is
// one of chosenEntries, each of those standing for one row (the first rows that have it).
SelectionLists selectionListsMatching(const LogRows &rows, const QStringList &chosenEntries);

} // namespace orvel
