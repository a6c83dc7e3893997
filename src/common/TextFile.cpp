#include "TextFile.h"

#include "FileRead.h"
#include "Windows1252.h"
#include "common/Diagnostics.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <functional>

namespace orvel {

namespace {

QString shownName(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QStringList readLines(const QString &path, bool *exists)
{
    const FileBytes read = readFileBytes(path);
    // A missing file is an ordinary case; one that is there and cannot be read is not.
    if (!read.ok())
        qCWarning(lcCommon) << "Unreadable file read as empty:" << path << read.reason();
    if (exists)
        *exists = read.outcome == FileBytes::Outcome::Read;
    return readLinesOf(read.bytes);
}

QStringList readLinesOf(QByteArrayView bytes)
{
    const QString text = decodeWindows1252(bytes);
    QStringList lines;
    for (const QStringView line : lineViews(text))
        lines.append(line.toString());
    return lines;
}

QList<QStringView> lineViews(QStringView text)
{
    QList<QStringView> lines;
    const QChar *data = text.data();
    const qsizetype size = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = data[i].unicode();
        if (c != u'\n' && c != u'\r')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < size && data[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.mid(start));
    return lines;
}

LinePieces::LinePieces(QByteArrayView file)
    : m_file(file)
{
}

void LinePieces::keepBytes(qsizetype from, qsizetype to)
{
    const char *data = m_file.data();
    const qsizetype size = m_file.size();
    qsizetype run = from;
    // A CR not followed by LF, or an LF not preceded by CR, ends a line of its own.
    const auto check = [&](qsizetype p) {
        if (data[p] == '\r') {
            if (p + 1 >= size || data[p + 1] != '\n')
                mendLineEnd(run, p);
        } else if (data[p] == '\n') {
            if (p == 0 || data[p - 1] != '\r')
                mendLineEnd(run, p);
        }
    };
    qsizetype i = from;
#if defined(__SSE2__)
    // Sixteen bytes at a time; a block whose every CR is followed by LF and every LF preceded by
    // CR is kept as it stands.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 16 <= to; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i));
        const unsigned crs = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, cr)));
        const unsigned lfs = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, lf)));
        if ((crs | lfs) == 0)
            continue;
        const unsigned crBefore = i > 0 && data[i - 1] == '\r' ? 1u : 0u;
        const bool lastCrPaired = !(crs & 0x8000u) || (i + 16 < size && data[i + 16] == '\n');
        if (lfs == (((crs << 1) | crBefore) & 0xFFFFu) && lastCrPaired)
            continue;
        for (unsigned mask = crs | lfs; mask != 0; mask &= mask - 1)
            check(i + std::countr_zero(mask));
    }
#endif
    for (; i < to; ++i)
        check(i);
    if (to == size && to > run && data[to - 1] != '\n' && data[to - 1] != '\r') {
        // The last line of the file has no line end.
        mendLineEnd(run, to);
        return;
    }
    extendRun(run, to);
}

void LinePieces::mendLineEnd(qsizetype &run, qsizetype p)
{
    extendRun(run, p);
    put({});
    run = p + 1;
}

void LinePieces::put(QByteArrayView line)
{
    static constexpr char kCrlf[] = "\r\n";
    closeRun();
    if (!line.isEmpty())
        m_pieces.append(line);
    m_pieces.append(QByteArrayView(kCrlf, 2));
}

const BytePieces &LinePieces::pieces()
{
    closeRun();
    return m_pieces;
}

void LinePieces::extendRun(qsizetype from, qsizetype to)
{
    if (to <= from)
        return;
    if (m_runEnd != from || m_runEnd == m_runStart) {
        closeRun();
        m_runStart = from;
    }
    m_runEnd = to;
}

void LinePieces::closeRun()
{
    if (m_runEnd > m_runStart)
        m_pieces.append(m_file.sliced(m_runStart, m_runEnd - m_runStart));
    m_runStart = m_runEnd = 0;
}

std::optional<ByteLine> findLine(QByteArrayView file, QByteArrayView line, qsizetype from)
{
    const auto isLineEnd = [](char c) { return c == '\r' || c == '\n'; };
    if (line.isEmpty() || std::any_of(line.begin(), line.end(), isLineEnd)) {
        std::optional<ByteLine> found;
        const QByteArrayView rest = file.sliced(from);
        forEachByteLine(rest, [&](const ByteLine &l) {
            if (l.in(rest) != line)
                return true;
            found = ByteLine{from + l.start, from + l.end, from + l.next};
            return false;
        });
        return found;
    }
    // The bytes searched for, then kept only where they make a whole line. Log lines end with
    // runs of blanks, which a Horspool search skips badly; the C library's search does not.
#if !defined(__GLIBC__)
    const std::boyer_moore_horspool_searcher searcher(line.begin(), line.end());
#endif
    const char *data = file.data();
    const qsizetype size = file.size();
    for (qsizetype at = from; at < size;) {
#if defined(__GLIBC__)
        const void *found =
            ::memmem(data + at, size_t(size - at), line.data(), size_t(line.size()));
        const char *hit = found ? static_cast<const char *>(found) : data + size;
#else
        const char *hit = std::search(data + at, data + size, searcher);
#endif
        if (hit == data + size)
            return std::nullopt;
        const qsizetype start = hit - data;
        const qsizetype end = start + line.size();
        if ((start == 0 || isLineEnd(data[start - 1])) && (end == size || isLineEnd(data[end]))) {
            qsizetype next = end;
            if (next < size)
                next += data[next] == '\r' && next + 1 < size && data[next + 1] == '\n' ? 2 : 1;
            return ByteLine{start, end, next};
        }
        at = start + 1;
    }
    return std::nullopt;
}

FileResult notRewrittenFailure(const QString &path, const FileBytes &read)
{
    return FileResult::failure(
        QStringLiteral("Le fichier %1 ne peut pas être lu (%2) ; il est resté inchangé")
            .arg(shownName(path), read.reason()),
        read.systemError);
}

FileResult readBytesForRewrite(const QString &path, QByteArray &bytes)
{
    FileBytes read = readFileBytes(path);
    bytes = std::move(read.bytes);
    if (!read.ok())
        return notRewrittenFailure(path, read);
    return FileResult::success();
}

FileResult readLinesForRewrite(const QString &path, QStringList &lines)
{
    lines.clear();
    const FileBytes read = readFileBytes(path);
    if (!read.ok())
        return notRewrittenFailure(path, read);
    lines = readLinesOf(read.bytes);
    return FileResult::success();
}

QByteArray fileBytes(const QStringList &lines)
{
    QByteArray bytes;
    qsizetype total = 0;
    for (const QString &line : lines)
        total += line.size() + 2;
    bytes.reserve(total);
    for (const QString &line : lines) {
        bytes.append(encodeWindows1252(line));
        bytes.append("\r\n", 2);
    }
    return bytes;
}

FileResult appendLines(const QString &path, const QStringList &lines)
{
    return appendBytes(path, fileBytes(lines));
}

FileResult createEmptyFile(const QString &path)
{
    if (QFileInfo::exists(path))
        return FileResult::success();
    return appendLines(path, {});
}

FileResult replaceFile(const QString &path, const QStringList &lines)
{
    return replaceFileBytes(path, fileBytes(lines));
}

QString dataFilePath(const QString &folder, const QString &fileName)
{
    return QDir::toNativeSeparators(QDir(folder).filePath(fileName));
}

} // namespace orvel
