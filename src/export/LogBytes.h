// A log as stored, read without decoding it: its lines and their columns as windows-1252
// bytes, one byte per character, cut by the same column table as the decoded lines.
#pragma once

#include "common/TextFile.h"
#include "records/LineLayout.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <string_view>

namespace orvel {

// Bytes of a log line, or of one of its columns.
using LogBytes = std::string_view;

// The column's bytes as they stand in the line, blanks kept; shorter (or empty) where the line
// ends inside the column.
inline LogBytes byteColumn(LogBytes line, const LineColumn &column)
{
    const QByteArrayView bytes =
        rawColumn(QByteArrayView(line.data(), qsizetype(line.size())), column);
    return LogBytes(bytes.data(), size_t(bytes.size()));
}

// Blanks trimmed at both ends.
inline LogBytes trimmedBytes(LogBytes text)
{
    const QByteArrayView bytes = trimmedBlanks(QByteArrayView(text.data(), qsizetype(text.size())));
    return LogBytes(bytes.data(), size_t(bytes.size()));
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
template <typename Each> bool forEachQsoLine(const QByteArray &log, Each each)
{
    const char *data = log.constData();
    return forEachByteLine(log, [&](const ByteLine &line) {
        const LogBytes bytes(data + line.start, size_t(line.end - line.start));
        return !holdsQso(bytes) || each(bytes);
    });
}

// A log's QSO lines as a pass hands them over: lines(each) calls each(line) for every line that
// holds a QSO, in order, and is false as soon as each returns false or the log could not be
// read to its end. A log read whole or a file read a block at a time look alike to a writer.
using LogLines = std::function<bool(const std::function<bool(LogBytes line)> &each)>;

// The QSO lines of a log held whole.
inline LogLines linesOf(const QByteArray &log)
{
    return [&log](const std::function<bool(LogBytes line)> &each) {
        return forEachQsoLine(log, each);
    };
}

} // namespace orvel
