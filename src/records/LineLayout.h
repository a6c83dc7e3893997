// A fixed-column line layout described as data: each column has a name, a first column
// (1-based), a width and an alignment. Every reader and writer of a record file goes through
// its layout's table, so a column number is written in one place only.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace orvel {

enum class Alignment { Left, Right };

struct LineColumn {
    const char *name;
    int first; // 1-based
    int width;
    Alignment alignment = Alignment::Left;

    constexpr int last() const { return first + width - 1; }
    // The column just after this one.
    constexpr int end() const { return first + width; }
};

// The column's text as it stands in the line, blanks kept; shorter (or empty) where the line
// ends inside the column. Never fails on a short line.
QStringView rawColumn(QStringView line, const LineColumn &column);

// The column's text with the blanks at both ends trimmed.
QStringView trimmedColumn(QStringView line, const LineColumn &column);

// The column's text blank-padded to its width, so a short line keeps its layout.
QString paddedColumn(QStringView line, const LineColumn &column);

// From the column's first character to the line's end.
QStringView restFrom(QStringView line, const LineColumn &column);

// Writes value into line at the column: blank-padded (or right-aligned) to the width and cut
// when longer. line must already hold the column.
void placeColumn(QString &line, const LineColumn &column, QStringView value);

// Blanks trimmed at both ends, without a copy.
QStringView trimmedBlanks(QStringView text);

// The same three on a line's raw bytes (one byte a character in the files' 8-bit set).
QByteArrayView rawColumn(QByteArrayView line, const LineColumn &column);
QByteArrayView trimmedColumn(QByteArrayView line, const LineColumn &column);
QByteArrayView trimmedBlanks(QByteArrayView text);

} // namespace orvel
