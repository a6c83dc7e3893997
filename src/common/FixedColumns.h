// Fixed-column text: every data file of the program is laid out in blank-padded columns.
#pragma once

#include <QString>

namespace orvel {

// Left-aligns value in width columns: padded with blanks, cut when longer.
QString padRight(const QString &value, int width);

// Right-aligns value in width columns: blanks before it, cut (keeping the left part) when longer.
QString alignRight(const QString &value, int width);

// Columns first..last (1-based, inclusive) of line; the part beyond the line's end is empty.
QString columns(const QString &line, int first, int last);

// Columns first..last of line, blanks trimmed at both ends. Never fails on a short line.
QString columnsTrimmed(const QString &line, int first, int last);

// Trims blanks (spaces only) at both ends, as the file readers do.
QString trimBlanks(const QString &value);

// Replaces every control character (CR, LF, tab...) by a blank so that a value can never
// split or corrupt a fixed-column line.
QString withoutControlCharacters(const QString &value);

// A number as shown in labels and count lines: one leading blank for non-negative values.
QString numberText(long long value);

} // namespace orvel
