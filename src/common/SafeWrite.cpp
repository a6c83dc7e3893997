#include "SafeWrite.h"

#include <functional>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

namespace orvel {

namespace {

// The few system calls this file needs, under one name on both systems.
#ifdef Q_OS_WIN
using FileSize = long long;
int openFile(const QString &path, int flags, int mode = 0)
{
    return _wopen(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
                  flags | _O_BINARY | _O_NOINHERIT, mode);
}
long long writeSome(int fd, const char *data, qsizetype size)
{
    return _write(fd, data, static_cast<unsigned>(std::min<qsizetype>(size, 1 << 30)));
}
int syncFile(int fd)
{
    return _commit(fd);
}
int closeFile(int fd)
{
    return _close(fd);
}
int truncateFile(int fd, FileSize size)
{
    return _chsize_s(fd, size) == 0 ? 0 : -1;
}
FileSize sizeOf(int fd)
{
    struct _stat64 st;
    return _fstat64(fd, &st) == 0 ? st.st_size : -1;
}
bool lastByte(int fd, FileSize size, char *byte)
{
    return _lseeki64(fd, size - 1, SEEK_SET) >= 0 && _read(fd, byte, 1) == 1;
}
void syncFolder(const QString &) {} // MoveFileEx with WRITE_THROUGH has done it
bool renameOver(const QString &from, const QString &to)
{
    return MoveFileExW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
bool processRunning(qint64 pid)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}
#else
using FileSize = off_t;
int openFile(const QString &path, int flags, int mode = 0)
{
    int fd;
    do {
        fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}
long long writeSome(int fd, const char *data, qsizetype size)
{
    return ::write(fd, data, static_cast<size_t>(size));
}
int syncFile(int fd)
{
    return ::fsync(fd);
}
int closeFile(int fd)
{
    return ::close(fd);
}
int truncateFile(int fd, FileSize size)
{
    return ::ftruncate(fd, size);
}
FileSize sizeOf(int fd)
{
    struct stat st;
    return ::fstat(fd, &st) == 0 ? st.st_size : -1;
}
bool lastByte(int fd, FileSize size, char *byte)
{
    return ::pread(fd, byte, 1, size - 1) == 1;
}
void syncFolder(const QString &folder)
{
    // Some file systems cannot flush a folder; the file itself is on disk all the same.
    const int fd = openFile(folder, O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
bool renameOver(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}
bool processRunning(qint64 pid)
{
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}
#endif

// The size past which no file may grow, or -1: see SimulatedFileSizeLimit.
std::atomic<qint64> &simulatedSizeLimit()
{
    static std::atomic<qint64> limit{-1};
    return limit;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    if (const qint64 limit = simulatedSizeLimit().load(); limit >= 0) {
        const qint64 room = std::max<qint64>(0, limit - sizeOf(fd));
        if (room < left) {
            if (room > 0 && writeSome(fd, data, room) < 0)
                return false;
            errno = ENOSPC;
            return false;
        }
    }
    while (left > 0) {
        const long long written = writeSome(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

QString shownName(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString refusedNameResult()
{
    return QStringLiteral("Aucun fichier n'a été écrit : le nom du fichier est refusé");
}

// The file a path finally names, through any symbolic links.
QString finalTarget(const QString &path)
{
    QString target = QFileInfo(path).absoluteFilePath();
    for (int depth = 0; depth < 40; ++depth) {
        const QFileInfo info(target);
        if (!info.isSymLink())
            break;
        target = info.symLinkTarget();
    }
    return target;
}

// Keeps the former file's permissions (and, where allowed, its owner) on the scratch file.
void copyAccess(int scratch, const QString &target)
{
#ifdef Q_OS_WIN
    Q_UNUSED(scratch);
    Q_UNUSED(target);
#else
    struct stat st;
    if (::stat(QFile::encodeName(target).constData(), &st) != 0)
        return;
    ::fchmod(scratch, st.st_mode & 07777);
    // Only succeeds for the owner's own group or for the administrator; otherwise the file
    // simply becomes the writer's.
    if (::fchown(scratch, st.st_uid, st.st_gid) != 0)
        errno = 0;
#endif
}

bool writableByUs(const QString &target)
{
#ifdef Q_OS_WIN
    return !(QFileInfo(target).exists() && !QFileInfo(target).isWritable());
#else
    return ::access(QFile::encodeName(target).constData(), W_OK) == 0 || errno == ENOENT;
#endif
}

const QRegularExpression &scratchPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^Temporaire-([0-9]{1,10})-[a-z0-9]{6}\\.tmp$"));
    return pattern;
}

} // namespace

QString writeErrorText(const QString &path, int systemError)
{
    QString reason;
    switch (systemError) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        reason = QStringLiteral("disque plein");
        break;
    case EFBIG:
        reason = QStringLiteral("fichier trop grand pour le disque");
        break;
    case EACCES:
    case EPERM:
    case EROFS:
        reason = QStringLiteral("accès refusé ou dossier protégé en écriture");
        break;
    case ENOENT:
    case ENOTDIR:
        reason = QStringLiteral("dossier introuvable");
        break;
    case EISDIR:
        reason = QStringLiteral("un dossier porte ce nom");
        break;
    case EINVAL:
        reason = QStringLiteral("ce nom n'est pas celui d'un fichier ordinaire");
        break;
    case EIO:
        reason = QStringLiteral("erreur du support");
        break;
    case ELOOP:
        reason = QStringLiteral("lien symbolique sans fin");
        break;
    default:
        reason = QStringLiteral("erreur d'écriture");
        break;
    }
    return QStringLiteral("Impossible d'écrire le fichier %1 (%2)").arg(shownName(path), reason);
}

FileResult cutBack(const QString &path, qint64 grownSize, qint64 size)
{
    const int fd = openFile(path, O_RDWR);
    if (fd < 0) {
        const int error = errno;
        return FileResult::failure(writeErrorText(path, error), error);
    }
    // Whatever another writer added since is not this program's to take away.
    if (sizeOf(fd) != FileSize(grownSize)) {
        closeFile(fd);
        return FileResult::failure(
            QStringLiteral("Le fichier %1 a été modifié par un autre programme").arg(path));
    }
    const bool cut = truncateFile(fd, FileSize(size)) == 0 && syncFile(fd) == 0;
    const int error = errno;
    if (closeFile(fd) != 0 || !cut)
        return FileResult::failure(writeErrorText(path, error), error);
    return FileResult::success();
}

FileResult appendBytes(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty())
        return FileResult::failure(refusedNameResult());
    bool created = true;
    int fd = openFile(path, O_RDWR | O_APPEND | O_CREAT | O_EXCL, 0666);
    if (fd < 0 && errno == EEXIST) {
        created = false;
        fd = openFile(path, O_RDWR | O_APPEND);
    }
    if (fd < 0) {
        const int error = errno;
        return FileResult::failure(writeErrorText(path, error), error);
    }
#ifndef Q_OS_WIN
    // A pipe or a device under the name (a link to one, say) is no file to append to.
    struct stat st;
    if (::fstat(fd, &st) == 0 && !S_ISREG(st.st_mode)) {
        closeFile(fd);
        return FileResult::failure(writeErrorText(path, EINVAL), EINVAL);
    }
#endif
    const FileSize oldSize = sizeOf(fd);
    QByteArray text;
    char last = '\n';
    // A file whose last line has no line end (edited by hand) would glue the new line to it.
    if (oldSize > 0 && lastByte(fd, oldSize, &last) && last != '\n' && last != '\r')
        text = QByteArrayLiteral("\r\n");
    text += bytes;
    if (oldSize < 0 || !writeAll(fd, text) || syncFile(fd) != 0) {
        const int error = errno;
        // Nothing of a failed append may stay: a fragment would read as one more QSO.
        const bool undone = oldSize >= 0 && truncateFile(fd, oldSize) == 0 && syncFile(fd) == 0;
        closeFile(fd);
        if (created)
            QFile::remove(path);
        QString message = writeErrorText(path, error);
        if (!undone)
            message += QStringLiteral(" ; le fichier n'a pas pu être remis dans son état "
                                      "précédent, vérifiez sa dernière ligne");
        return FileResult::failure(message, error);
    }
    if (closeFile(fd) != 0) {
        const int error = errno;
        return FileResult::failure(writeErrorText(path, error), error);
    }
    if (created)
        syncFolder(QFileInfo(path).absolutePath());
    return FileResult::success();
}

QString newScratchFileName()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix;
    for (int i = 0; i < 6; ++i)
        suffix += QLatin1Char(letters[QRandomGenerator::global()->bounded(36)]);
    return QStringLiteral("Temporaire-%1-%2.tmp")
        .arg(QCoreApplication::applicationPid())
        .arg(suffix);
}

bool isScratchFileName(const QString &fileName)
{
    return scratchPattern().match(fileName).hasMatch();
}

struct FileReplacements::Pending {
    QString path;
    QString target;
    QString scratchPath;
    int fd = -1;
    FileResult result;
};

namespace {

using Pending = FileReplacements::Pending;

// Starts sending bytes written to a file to disk without waiting (from offset, size bytes; a
// size of 0 runs to the end of the file): the disk works while the rest of the file, or the next
// file, is still being written, and the flush that makes it last then waits less.
void startWriteback(int fd, qint64 offset = 0, qint64 size = 0)
{
#ifdef Q_OS_LINUX
    ::sync_file_range(fd, offset, size, SYNC_FILE_RANGE_WRITE);
#else
    Q_UNUSED(fd);
    Q_UNUSED(offset);
    Q_UNUSED(size);
#endif
}

// Writes pieces in order; small ones are gathered so that a file of short lines costs few
// system calls, long ones are written straight from where they stand. Each megabyte written is
// sent on to the disk at once.
bool writePieces(int fd, const BytePieces &pieces)
{
    constexpr qsizetype kStaging = 1 << 20;
    constexpr qsizetype kDirect = 64 * 1024;
    constexpr qsizetype kStep = 1 << 20;
    qint64 written = 0;
    qint64 sent = 0;
    const auto write = [&](const char *data, qsizetype size) {
        while (size > 0) {
            const qsizetype step = std::min(size, kStep);
            if (!writeAll(fd, QByteArray::fromRawData(data, step)))
                return false;
            data += step;
            size -= step;
            written += step;
            if (written - sent >= kStep) {
                startWriteback(fd, sent, written - sent);
                sent = written;
            }
        }
        return true;
    };
    QByteArray staging;
    const auto flushStaging = [&] {
        const bool ok = write(staging.constData(), staging.size());
        staging.resize(0);
        return ok;
    };
    for (const QByteArrayView piece : pieces) {
        if (piece.size() >= kDirect) {
            if (!flushStaging() || !write(piece.data(), piece.size()))
                return false;
            continue;
        }
        if (staging.capacity() < kStaging)
            staging.reserve(kStaging);
        if (staging.size() + piece.size() > kStaging && !flushStaging())
            return false;
        staging.append(piece);
    }
    return flushStaging();
}

// The file about to be replaced, kept open across the rename: freeing a long file's blocks is
// then done when it is closed, away from the caller (see releaseLater).
int holdFormer(const QString &target)
{
#ifdef Q_OS_WIN
    Q_UNUSED(target);
    return -1; // a file held open could not be replaced
#else
    return openFile(target, O_RDONLY | O_NONBLOCK);
#endif
}

void releaseLater(int fd)
{
    if (fd < 0)
        return;
    QThreadPool::globalInstance()->start([fd] { closeFile(fd); });
}

void dropScratch(Pending &pending, int error)
{
    if (pending.fd >= 0)
        closeFile(pending.fd);
    pending.fd = -1;
    QFile::remove(pending.scratchPath);
    pending.result = FileResult::failure(writeErrorText(pending.path, error), error);
}

// The scratch file beside the file at path, open for writing; a failure says why.
Pending openScratch(const QString &path)
{
    Pending pending;
    pending.path = path;
    if (path.isEmpty()) {
        pending.result = FileResult::failure(refusedNameResult());
        return pending;
    }
    pending.target = finalTarget(path);
    // A folder, a device or a pipe under the file's name is not a file of ours to replace.
    const QFileInfo targetInfo(pending.target);
    if (targetInfo.exists() && !targetInfo.isFile()) {
        const int error = targetInfo.isDir() ? EISDIR : EINVAL;
        pending.result = FileResult::failure(writeErrorText(path, error), error);
        return pending;
    }
    if (!writableByUs(pending.target)) {
        pending.result = FileResult::failure(writeErrorText(path, EACCES), EACCES);
        return pending;
    }
    const QString folder = QFileInfo(pending.target).absolutePath();
    for (int attempt = 0; attempt < 100 && pending.fd < 0; ++attempt) {
        pending.scratchPath = QDir(folder).filePath(newScratchFileName());
        pending.fd = openFile(pending.scratchPath, O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (pending.fd < 0 && errno != EEXIST)
            break;
    }
    if (pending.fd < 0) {
        const int error = errno;
        pending.result = FileResult::failure(writeErrorText(path, error), error);
        return pending;
    }
    copyAccess(pending.fd, pending.target);
    return pending;
}

// Fills an open scratch file; a failure removes it.
void fillScratch(Pending &pending, const std::function<bool(int fd)> &fill)
{
    if (pending.fd < 0)
        return;
    errno = 0;
    if (!fill(pending.fd)) {
        dropScratch(pending, errno != 0 ? errno : EIO);
        return;
    }
    // What a filler wrote through a file of its own went past any simulated limit unseen.
    if (const qint64 limit = simulatedSizeLimit().load();
        limit >= 0 && sizeOf(pending.fd) > limit) {
        dropScratch(pending, ENOSPC);
        return;
    }
    startWriteback(pending.fd);
}

// Every filled scratch file flushed and closed; false when one of them, or one made before,
// failed (that one's result then says why).
bool flushAll(QList<Pending> &all)
{
    bool whole = true;
    for (Pending &pending : all) {
        if (pending.fd < 0) {
            whole = whole && pending.result.ok;
            continue;
        }
        if (syncFile(pending.fd) != 0) {
            dropScratch(pending, errno);
            whole = false;
            continue;
        }
        const int fd = pending.fd;
        pending.fd = -1;
        if (closeFile(fd) != 0) {
            dropScratch(pending, errno);
            whole = false;
        }
    }
    return whole;
}

// Each flushed scratch file put in the place of its file, or, with keepAll, every file left as
// it was; each folder is flushed once, after all the renames.
void renameAll(QList<Pending> &all, bool keepAll)
{
    QStringList folders;
    for (Pending &pending : all) {
        if (!pending.result.ok)
            continue;
        if (keepAll) {
            QFile::remove(pending.scratchPath);
            pending.result = FileResult::failure(
                QStringLiteral("Le fichier %1 est resté inchangé : un autre fichier n'a "
                               "pas pu être écrit")
                    .arg(shownName(pending.path)));
            continue;
        }
        const int former = holdFormer(pending.target);
        if (!renameOver(pending.scratchPath, pending.target)) {
            const int error = errno;
            if (former >= 0)
                closeFile(former);
            QFile::remove(pending.scratchPath);
            pending.result = FileResult::failure(
                QStringLiteral("Impossible de remplacer le fichier %1 ; il est resté inchangé")
                    .arg(shownName(pending.path)),
                error);
            continue;
        }
        releaseLater(former);
        const QString folder = QFileInfo(pending.target).absolutePath();
        if (!folders.contains(folder))
            folders.append(folder);
    }
    for (const QString &folder : folders)
        syncFolder(folder);
}

// Every filled scratch file flushed to disk and put in the place of its file.
void finishAll(QList<Pending> &all)
{
    flushAll(all);
    renameAll(all, false);
}

// The results, in the order the files were added; the list is emptied.
QList<FileResult> takeResults(QList<Pending> &all)
{
    QList<FileResult> results;
    results.reserve(all.size());
    for (const Pending &pending : std::as_const(all))
        results.append(pending.result);
    all.clear();
    return results;
}

FileResult replaceThroughScratch(const QString &path, const std::function<bool(int fd)> &fill)
{
    QList<Pending> one{openScratch(path)};
    fillScratch(one.first(), fill);
    finishAll(one);
    return one.first().result;
}

} // namespace

FileReplacements::FileReplacements() = default;

FileReplacements::~FileReplacements()
{
    for (Pending &pending : m_pending) {
        if (pending.fd >= 0)
            dropScratch(pending, 0);
    }
}

void FileReplacements::add(const QString &path, const BytePieces &pieces)
{
    m_pending.append(openScratch(path));
    fillScratch(m_pending.last(), [&pieces](int fd) { return writePieces(fd, pieces); });
}

void FileReplacements::addWritten(const QString &path,
                                  const std::function<bool(const PiecesPut &put)> &write)
{
    m_pending.append(openScratch(path));
    fillScratch(m_pending.last(), [&write](int fd) {
        return write([fd](const BytePieces &pieces) { return writePieces(fd, pieces); });
    });
}

void FileReplacements::take(FileReplacements &&other)
{
    m_pending.append(std::move(other.m_pending));
    other.m_pending.clear();
}

QList<FileResult> FileReplacements::finish()
{
    finishAll(m_pending);
    return takeResults(m_pending);
}

QList<FileResult> FileReplacements::finishTogether()
{
    const bool whole = flushAll(m_pending);
    renameAll(m_pending, !whole);
    return takeResults(m_pending);
}

FileResult replaceFileBytes(const QString &path, const QByteArray &bytes)
{
    return replaceThroughScratch(
        path, [&bytes](int fd) { return writePieces(fd, BytePieces{QByteArrayView(bytes)}); });
}

FileResult replaceFileBytesUnsynced(const QString &path, const QByteArray &bytes)
{
    const QString scratch = QFileInfo(path).dir().filePath(newScratchFileName());
    QFile file(scratch);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered) ||
        file.write(bytes) != bytes.size()) {
        const int error = errno;
        file.close();
        QFile::remove(scratch);
        return FileResult::failure(writeErrorText(path, error), error);
    }
    file.close();
    if (!renameOver(scratch, path)) {
        const int error = errno;
        QFile::remove(scratch);
        return FileResult::failure(writeErrorText(path, error), error);
    }
    return FileResult::success();
}

FileResult replaceFilePieces(const QString &path, const BytePieces &pieces)
{
    FileReplacements one;
    one.add(path, pieces);
    return one.finish().constFirst();
}

FileResult replaceFileWith(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    return replaceThroughScratch(path, [&write](int fd) {
        QFile file;
        if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
            return false;
        const bool written = write(file) && file.flush();
        file.close();
        return written;
    });
}

SimulatedFileSizeLimit::SimulatedFileSizeLimit(qint64 limit)
{
    simulatedSizeLimit().store(limit);
}

SimulatedFileSizeLimit::~SimulatedFileSizeLimit()
{
    simulatedSizeLimit().store(-1);
}

int removeStaleScratchFiles(const QString &folder)
{
    int removed = 0;
    const QDir dir(folder);
    const QStringList names =
        dir.entryList({QStringLiteral("Temporaire-*.tmp")}, QDir::Files | QDir::Hidden);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = scratchPattern().match(name);
        if (!match.hasMatch())
            continue;
        const qint64 pid = match.captured(1).toLongLong();
        if (pid != QCoreApplication::applicationPid() && processRunning(pid))
            continue;
        if (QFile::remove(dir.filePath(name)))
            ++removed;
    }
    return removed;
}

} // namespace orvel
