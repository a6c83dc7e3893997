// Reading and writing the program's 8-bit text files, and their safe replacement.
#pragma once

#include "SafeWrite.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <bit>
#include <optional>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orvel {

struct FileBytes;

// The lines of a windows-1252 text file, each line ended by CR LF, LF or CR alone. A missing
// file reads as no lines, and so does one that cannot be read (a folder, a pipe, a device, a
// file larger than any data file: see FileRead.h); exists is then set to false.
QStringList readLines(const QString &path, bool *exists = nullptr);

// The lines of a file that is about to be rewritten: a missing file reads as no lines, but a
// file that exists and cannot be read is a failure, so that it is never replaced by less.
FileResult readLinesForRewrite(const QString &path, QStringList &lines);

// The lines of a windows-1252 file's bytes, split as lineViews splits them.
QStringList readLinesOf(QByteArrayView bytes);

// The lines of a text, as views on it. CR LF, LF and CR alone each end a line: a file
// written by any editor reads with all its lines.
QList<QStringView> lineViews(QStringView text);

// One line of a file's raw bytes: [start, end) without its line end; the next line starts at
// next.
struct ByteLine {
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype next = 0;
    // The line's bytes in the file it was found in.
    QByteArrayView in(QByteArrayView file) const { return file.sliced(start, end - start); }
};
// A file's lines rebuilt as the program writes them, every line ended by CRLF, given as pieces
// for the safe replacement: runs of lines that already end so stay one piece of the file's own
// bytes, so that changing one line of a long file copies nothing. Lines are split as
// forEachByteLine splits them.
class LinePieces
{
public:
    explicit LinePieces(QByteArrayView file);
    // The whole lines of the file from byte from up to byte to (a line start or the end of the
    // file), as they stand.
    void keepBytes(qsizetype from, qsizetype to);
    void keep(const ByteLine &line) { keepBytes(line.start, line.next); }
    // A line of other bytes (they must outlive the pieces).
    void put(QByteArrayView line);
    const BytePieces &pieces();

private:
    void extendRun(qsizetype from, qsizetype to);
    void closeRun();
    // The bytes of the file from the run up to p, where a CR or LF alone ends a line, and CRLF.
    void mendLineEnd(qsizetype &run, qsizetype p);

    QByteArrayView m_file;
    BytePieces m_pieces;
    qsizetype m_runStart = 0;
    qsizetype m_runEnd = 0;
};

// Hands each line of raw file bytes to visit(ByteLine), in order, split as lineViews splits
// text, without building a list. CR, LF and CR LF each end a line. A visit that returns false
// stops the walk, and the answer is then false.
template <typename Visit> bool forEachByteLine(QByteArrayView bytes, Visit visit)
{
    const char *data = bytes.data();
    const qsizetype size = bytes.size();
    qsizetype start = 0;
    bool going = true;
    const auto hand = [&](const ByteLine &line) {
        if constexpr (std::is_same_v<std::invoke_result_t<Visit &, const ByteLine &>, bool>)
            going = visit(line);
        else
            visit(line);
    };
    // A CR or LF at p ends the line begun at start; CR LF is one line end.
    const auto endAt = [&](qsizetype p) {
        if (p < start)
            return; // the LF of a CR LF already taken
        if (data[p] == '\r' && p + 1 < size && data[p + 1] == '\n') {
            hand(ByteLine{start, p, p + 2});
            start = p + 2;
        } else {
            hand(ByteLine{start, p, p + 1});
            start = p + 1;
        }
    };
    qsizetype i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time: a long log is split in one pass.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; going && i + 16 <= size; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i));
        unsigned mask = unsigned(_mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf))));
        while (going && mask != 0) {
            endAt(i + std::countr_zero(mask));
            mask &= mask - 1;
        }
    }
#endif
    for (; going && i < size; ++i) {
        if (data[i] == '\r' || data[i] == '\n')
            endAt(i);
    }
    if (going && start < size)
        hand(ByteLine{start, size, size});
    return going;
}

// The first line at or after the line start from whose bytes are line (without its line end),
// or nothing.
std::optional<ByteLine> findLine(QByteArrayView file, QByteArrayView line, qsizetype from = 0);

// The raw bytes of a file that is about to be rewritten: a missing file has none, a file that
// exists and cannot be read is a failure.
FileResult readBytesForRewrite(const QString &path, QByteArray &bytes);
// "Le fichier NAME ne peut pas être lu (REASON) ; il est resté inchangé": a file to rewrite
// whose reading was refused as read tells.
FileResult notRewrittenFailure(const QString &path, const FileBytes &read);

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

} // namespace orvel
