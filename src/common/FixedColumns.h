// Fixed-column text: every data file of the program is laid out in blank-padded columns.
#pragma once

#include <QString>

namespace orvel {

// Left-aligns value in width columns: padded with blanks, cut when longer.
QString padRight(const QString &value, int width);

// Trims blanks (spaces only) at both ends, as the file readers do.
QString trimBlanks(const QString &value);

// Replaces every control character (CR, LF, tab...) by a blank so that a value can never
// split or corrupt a fixed-column line.
QString withoutControlCharacters(const QString &value);

// A number as shown in labels and count lines: one leading blank for non-negative values.
QString numberText(long long value);

} // namespace orvel
