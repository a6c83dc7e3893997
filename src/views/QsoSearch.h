// The QSO search: the rules of its three key boxes and the search over the entries of the
// entry window's list (the current log, numbered as that list numbers it).
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace orvel {

class CurrentLog;

enum class SearchOption { Call, Date, Department };

// What Enter in a key box gives: nothing (the search runs), or a message to show and whether
// the box is emptied.
struct KeyCheck {
    QString message;
    bool emptyBox = false;
    bool ok() const { return message.isEmpty(); }
};

// The rule of the box of option, applied to its text when Enter is pressed in it.
KeyCheck checkSearchKey(SearchOption box, const QString &text);

// The call-sign box turns every letter a to z typed into its capital, and nothing else.
QString callKeyCapitals(const QString &typed);

// A key that begins with a line break loses those two characters (its box shows it too).
QString withoutLeadingLineBreak(const QString &text);

struct SearchOutcome {
    QStringList entries;  // the entries found, unchanged, in list order
    QList<int> rows;      // their rows in the entry window's list
    QString message;      // shown at the end: an empty key, or nothing found
    bool stopped = false; // the key was empty: the boxes are left as they are
    bool emptyCallBox = false;
};

// Searches the entries of the log's lines with the key of option: the call sign containing it
// anywhere, the date equal to it (both in capitals), or the two département characters equal
// to it as typed. The log is read a line at a time, with no copy of it.
SearchOutcome searchQsos(const CurrentLog &log, SearchOption option, const QString &key);

// The count shown under the results: "3 QSO trouvé(s)"; empty before any search.
QString foundCountText(int found);

// The row of the entry window's list a chosen result selects: the last entry whose first 134
// characters are the chosen entry's; -1 when the log no longer holds it.
int rowOfSearchResult(const CurrentLog &log, const QString &chosenEntry);

} // namespace orvel
