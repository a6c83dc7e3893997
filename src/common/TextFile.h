// Reading and writing the program's 8-bit text files, and their safe replacement.
#pragma once

#include "SafeWrite.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstring>

namespace orvel {

// The lines of a windows-1252 text file, each line ended by CR LF, LF or CR alone. A missing
// file reads as no lines (exists is set to false).
QStringList readLines(const QString &path, bool *exists = nullptr);

// The lines of a file that is about to be rewritten: a missing file reads as no lines, but a
// file that exists and cannot be read is a failure, so that it is never replaced by less.
FileResult readLinesForRewrite(const QString &path, QStringList &lines);

// The lines of a text, as views on it. CR LF, LF and CR alone each end a line: a file
// written by any editor reads with all its lines.
QList<QStringView> lineViews(QStringView text);

// One line of a file's raw bytes: [start, end) without its line end; the next line starts at
// next.
struct ByteLine {
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype next = 0;
};
// The lines of raw file bytes, split as lineViews splits text.
QList<ByteLine> byteLines(const QByteArray &bytes);

// Calls each(line) with every line of raw file bytes, split as byteLines splits them, without
// making the list; stops, returning false, as soon as each returns false.
template <typename Each>
bool forEachByteLine(const QByteArray &bytes, Each each);

// The raw bytes of a file that is about to be rewritten: a missing file has none, a file that
// exists and cannot be read is a failure.
FileResult readBytesForRewrite(const QString &path, QByteArray &bytes);

// The lines as stored in a file: each followed by CRLF, windows-1252.
QByteArray fileBytes(const QStringList &lines);

// Appends lines to a file (created when missing) and flushes them to disk before returning.
// On failure the file is left exactly as it was (see appendBytes).
FileResult appendLines(const QString &path, const QStringList &lines);

// Creates an empty file when it does not exist.
FileResult createEmptyFile(const QString &path);

// Replaces the file at path by lines, through a scratch file (see replaceFileBytes).
FileResult replaceFile(const QString &path, const QStringList &lines);

// The folder's path joined with a file name, with the platform's separator.
QString dataFilePath(const QString &folder, const QString &fileName);

template <typename Each>
bool forEachByteLine(const QByteArray &bytes, Each each)
{
    const char *data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype start = 0;
    while (start < size) {
        // The next LF, then a CR before it: CR LF, or a CR alone, which ends a line too.
        const auto *lf =
            static_cast<const char *>(std::memchr(data + start, '\n', size_t(size - start)));
        const qsizetype lineEnd = lf ? lf - data : size;
        const auto *cr =
            static_cast<const char *>(std::memchr(data + start, '\r', size_t(lineEnd - start)));
        ByteLine line{start, lineEnd, lf ? lineEnd + 1 : size};
        if (cr && !(lf && cr - data + 1 == lineEnd))
            line = ByteLine{start, cr - data, cr - data + 1};
        else if (cr)
            line.end = cr - data;
        if (!each(line))
            return false;
        start = line.next;
    }
    return true;
}

} // namespace orvel
