// Reading and writing the program's 8-bit text files, and their safe replacement.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace orvel {

// Outcome of a file operation: ok, or a French text telling what went wrong.
struct FileResult {
    bool ok = true;
    QString error;
    explicit operator bool() const { return ok; }
    static FileResult success() { return {}; }
    static FileResult failure(const QString &error) { return {false, error}; }
};

// The lines of a windows-1252 text file; CRLF and LF-only lines both read. A missing file
// reads as no lines (exists is set to false).
QStringList readLines(const QString &path, bool *exists = nullptr);

// The lines of a file that is about to be rewritten: a missing file reads as no lines, but a
// file that exists and cannot be read is a failure, so that it is never replaced by less.
FileResult readLinesForRewrite(const QString &path, QStringList &lines);

// The lines of a text (CRLF or LF-only line ends), as views on it.
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

// The raw bytes of a file that is about to be rewritten: a missing file has none, a file that
// exists and cannot be read is a failure.
FileResult readBytesForRewrite(const QString &path, QByteArray &bytes);

// The lines as stored in a file: each followed by CRLF, windows-1252.
QByteArray fileBytes(const QStringList &lines);

// Appends lines to a file (created when missing) and flushes them to disk before returning.
FileResult appendLines(const QString &path, const QStringList &lines);

// Creates an empty file when it does not exist.
FileResult createEmptyFile(const QString &path);

// Replaces the file at path by lines: the whole content goes to the scratch file (in the
// same folder), is flushed to disk, and only then takes the place of the original in one
// step. On failure the original is untouched and the scratch file is removed.
FileResult replaceFile(const QString &path, const QString &scratchPath, const QStringList &lines);
// The same with the file's whole content as bytes.
FileResult replaceFileBytes(const QString &path, const QString &scratchPath,
                            const QByteArray &bytes);

// The folder's path joined with a file name, with the platform's separator.
QString dataFilePath(const QString &folder, const QString &fileName);

} // namespace orvel
