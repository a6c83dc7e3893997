#include "TextFile.h"

#include "Windows1252.h"
#include "common/Diagnostics.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace orvel {

namespace {

QString shownName(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QStringList readLines(const QString &path, bool *exists)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        // A missing file is an ordinary case; one that is there and cannot be read is not.
        if (file.exists())
            qCWarning(lcCommon) << "Unreadable file read as empty:" << path << file.errorString();
        if (exists)
            *exists = false;
        return {};
    }
    if (exists)
        *exists = true;
    const QString text = decodeWindows1252(file.readAll());
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

QList<ByteLine> byteLines(const QByteArray &bytes)
{
    QList<ByteLine> lines;
    lines.reserve(bytes.size() / 64 + 1);
    forEachByteLine(bytes, [&lines](const ByteLine &line) { lines.append(line); });
    return lines;
}

LinePieces::LinePieces(const QByteArray &file, const QList<ByteLine> &lines)
    : m_file(file)
    , m_lines(lines)
{
}

void LinePieces::keep(qsizetype i)
{
    const ByteLine &line = m_lines.at(i);
    const bool endsWithCrlf = line.next - line.end == 2 && m_file.at(line.end) == '\r' &&
                              m_file.at(line.end + 1) == '\n';
    if (!endsWithCrlf) {
        put(QByteArrayView(m_file.constData() + line.start, line.end - line.start));
        return;
    }
    if (m_runEnd != line.start || m_runEnd == m_runStart) {
        closeRun();
        m_runStart = line.start;
    }
    m_runEnd = line.next;
}

void LinePieces::put(QByteArrayView line)
{
    static constexpr char kCrlf[] = "\r\n";
    closeRun();
    m_pieces.append(line);
    m_pieces.append(QByteArrayView(kCrlf, 2));
}

const BytePieces &LinePieces::pieces()
{
    closeRun();
    return m_pieces;
}

void LinePieces::closeRun()
{
    if (m_runEnd > m_runStart)
        m_pieces.append(QByteArrayView(m_file.constData() + m_runStart, m_runEnd - m_runStart));
    m_runStart = m_runEnd = 0;
}

FileResult readBytesForRewrite(const QString &path, QByteArray &bytes)
{
    bytes.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!file.exists())
            return FileResult::success();
        return FileResult::failure(
            QStringLiteral("Le fichier %1 ne peut pas être lu ; il est resté inchangé")
                .arg(shownName(path)));
    }
    bytes = file.readAll();
    return FileResult::success();
}

FileResult readLinesForRewrite(const QString &path, QStringList &lines)
{
    bool readable = false;
    lines = readLines(path, &readable);
    if (!readable && QFileInfo::exists(path)) {
        return FileResult::failure(
            QStringLiteral("Le fichier %1 ne peut pas être lu ; il est resté inchangé")
                .arg(shownName(path)));
    }
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
