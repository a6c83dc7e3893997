// A log as stored, read without decoding it: its lines and their columns as windows-1252
// bytes, one byte per character, cut by the same column table as the decoded lines.
#pragma once

#include "common/TextFile.h"
#include "records/LineLayout.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstring>
#include <string_view>

namespace orvel {

// Bytes of a log line, or of one of its columns.
using LogBytes = std::string_view;

// The column's bytes as they stand in the line, blanks kept; shorter (or empty) where the line
// ends inside the column.
inline LogBytes byteColumn(LogBytes line, const LineColumn &column)
{
    const size_t first = size_t(column.first - 1);
    if (first >= line.size())
        return {};
    return line.substr(first, size_t(column.width));
}

// Blanks trimmed at both ends.
inline LogBytes trimmedBytes(LogBytes text)
{
    // Columns are often blank for most of their width: eight blanks are passed at a time.
    constexpr std::uint64_t kEightBlanks = 0x2020202020202020;
    const auto eightBlanks = [](const char *at) {
        std::uint64_t word;
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
    return LogBytes(start, size_t(end - start));
}

// The column's bytes, blanks trimmed at both ends.
inline LogBytes byteField(LogBytes line, const LineColumn &column)
{
    return trimmedBytes(byteColumn(line, column));
}

// The text the bytes stand for.
QString decodedBytes(LogBytes bytes);

// Whether a log line holds a QSO: lines made only of blanks (added by hand) are passed over.
inline bool holdsQso(LogBytes line)
{
    for (const char c : line) {
        if (c != ' ')
            return true;
    }
    return false;
}

// Calls each(line) for every line of log that holds a QSO, in order; false as soon as each
// returns false. Lines end as the files' readers end them (CR LF, LF or CR alone).
template <typename Each>
bool forEachQsoLine(const QByteArray &log, Each each)
{
    const char *data = log.constData();
    return forEachByteLine(log, [&](const ByteLine &line) {
        const LogBytes bytes(data + line.start, size_t(line.end - line.start));
        return !holdsQso(bytes) || each(bytes);
    });
}

} // namespace orvel
