#include "TextFile.h"

#include "Windows1252.h"
#include "common/Diagnostics.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace orvel {

namespace {

QString shownName(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

bool syncToDisk(QFile &file)
{
    if (!file.flush())
        return false;
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

bool renameOver(const QString &from, const QString &to)
{
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

QString writeError(const QString &path, const QFile &file)
{
    QString reason;
    switch (file.error()) {
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        reason = QStringLiteral("accès refusé ou dossier protégé en écriture");
        break;
    case QFileDevice::ResourceError:
        reason = QStringLiteral("disque plein ou ressource indisponible");
        break;
    default:
        reason = QStringLiteral("erreur d'écriture");
        break;
    }
    return QStringLiteral("Impossible d'écrire le fichier %1 (%2)").arg(shownName(path), reason);
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
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        if (end > start && text[end - 1] == QLatin1Char('\r'))
            --end;
        lines.append(text.mid(start, end - start));
        start = next;
    }
    return lines;
}

QList<ByteLine> byteLines(const QByteArray &bytes)
{
    QList<ByteLine> lines;
    lines.reserve(bytes.size() / 64 + 1);
    const char *data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype start = 0;
    while (start < size) {
        const void *found = std::memchr(data + start, '\n', size_t(size - start));
        qsizetype end = found ? static_cast<const char *>(found) - data : size;
        const qsizetype next = found ? end + 1 : size;
        if (end > start && data[end - 1] == '\r')
            --end;
        lines.append(ByteLine{start, end, next});
        start = next;
    }
    return lines;
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
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append))
        return FileResult::failure(writeError(path, file));
    QByteArray bytes = fileBytes(lines);
    // A file whose last line has no line end (edited by hand) would glue the new line to it.
    if (file.size() > 0 && file.seek(file.size() - 1) && file.peek(1) != "\n")
        bytes.prepend("\r\n", 2);
    file.seek(file.size());
    if (file.write(bytes) != bytes.size() || !syncToDisk(file)) {
        const QString error = writeError(path, file);
        file.close();
        return FileResult::failure(error);
    }
    file.close();
    return FileResult::success();
}

FileResult createEmptyFile(const QString &path)
{
    if (QFileInfo::exists(path))
        return FileResult::success();
    return appendLines(path, {});
}

FileResult replaceFile(const QString &path, const QString &scratchPath, const QStringList &lines)
{
    return replaceFileBytes(path, scratchPath, fileBytes(lines));
}

FileResult replaceFileBytes(const QString &path, const QString &scratchPath,
                            const QByteArray &bytes)
{
    {
        QFile scratch(scratchPath);
        if (!scratch.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            return FileResult::failure(writeError(scratchPath, scratch));
        }
        if (scratch.write(bytes) != bytes.size() || !syncToDisk(scratch)) {
            const QString error = writeError(scratchPath, scratch);
            scratch.close();
            QFile::remove(scratchPath);
            return FileResult::failure(error);
        }
        scratch.close();
    }
    if (!renameOver(scratchPath, path)) {
        QFile::remove(scratchPath);
        return FileResult::failure(
            QStringLiteral("Impossible de remplacer le fichier %1 ; il est resté inchangé")
                .arg(shownName(path)));
    }
    return FileResult::success();
}

QString dataFilePath(const QString &folder, const QString &fileName)
{
    return QDir::toNativeSeparators(QDir(folder).filePath(fileName));
}

} // namespace orvel
