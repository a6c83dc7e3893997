// A fixed-column line layout described as data: each column has a name, a first column
// (1-based), a width and an alignment. Every reader and writer of a record file goes through
// its layout's table, so a column number is written in one place only.
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <cstring>

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

// A title of a list's heading and the character of the list's rows where it starts (1-based).
struct ColumnTitle {
    QString text;
    int start;

    bool operator==(const ColumnTitle &) const = default;
};

// The heading as one line: each title from its start, in the order given; a title that would
// reach into the one before starts one blank after it instead.
QString headingLine(const QList<ColumnTitle> &titles);

// The same three on a line's raw bytes (one byte a character in the files' 8-bit set), inline:
// the exports and the current log cut every line of a log with them.
inline QByteArrayView rawColumn(QByteArrayView line, const LineColumn &column)
{
    if (column.first > line.size())
        return {};
    return line.sliced(column.first - 1,
                       qMin<qsizetype>(column.width, line.size() - column.first + 1));
}

inline QByteArrayView trimmedBlanks(QByteArrayView text)
{
    // Columns are often blank for most of their width: eight blanks are passed at a time.
    constexpr quint64 kEightBlanks = 0x2020202020202020;
    const auto eightBlanks = [](const char *at) {
        quint64 word;
        std::memcpy(&word, at, sizeof word);
        return word == kEightBlanks;
    };
    const char *start = text.data();
    const char *end = start + text.size();
    while (end - start >= 8 && eightBlanks(end - 8))
        end -= 8;
    while (end > start && end[-1] == ' ')
        --end;
    while (start < end && *start == ' ')
        ++start;
    return QByteArrayView(start, end - start);
}

inline QByteArrayView trimmedColumn(QByteArrayView line, const LineColumn &column)
{
    return trimmedBlanks(rawColumn(line, column));
}

} // namespace orvel
