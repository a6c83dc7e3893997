#include "DataFolderLock.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStorageInfo>
#include <QSysInfo>
#include <QThread>

#include <cerrno>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orvel {

namespace {

QString fullDiskRefusal(const QString &folder)
{
    const QStorageInfo disk(folder);
    const QString name = disk.isValid() && !disk.rootPath().isEmpty()
                             ? QDir::toNativeSeparators(disk.rootPath())
                             : QDir::toNativeSeparators(folder);
    return QStringLiteral("Le disque %1, qui porte le dossier de données %2, est plein : il n'y "
                          "reste même pas la place du nom d'un fichier, et Orvel Multi ne peut "
                          "pas y réserver le dossier.\nLibérez de la place sur ce disque, puis "
                          "relancez le programme.")
        .arg(name, QDir::toNativeSeparators(folder));
}

} // namespace

DataFolderLock::DataFolderLock(const QString &folder)
    : m_folder(folder)
{
}

QString DataFolderLock::lockPath() const
{
    return QDir(m_folder).filePath(kDataFolderLockFile);
}

QString DataFolderLock::heldElsewhere() const
{
    qint64 pid = 0;
    QString host;
    QString application;
    QString holder;
    if (QLockFile(lockPath()).getLockInfo(&pid, &host, &application))
        holder = QStringLiteral(" (processus %1 sur l'ordinateur %2)").arg(pid).arg(host);
    return QStringLiteral("Orvel Multi est déjà ouvert sur le dossier de données %1%2.\n"
                          "Deux copies du programme sur les mêmes fichiers détruiraient leurs "
                          "logs : fermez l'autre copie avant d'en ouvrir une nouvelle.\n"
                          "Si aucune autre copie n'est ouverte, supprimez le fichier %3.")
        .arg(QDir::toNativeSeparators(m_folder), holder, QDir::toNativeSeparators(lockPath()));
}

#ifdef Q_OS_WIN

namespace {

// How long a copy that has just ended may keep its lock file open, in ms.
constexpr int kEndingCopyGrace = 2000;

} // namespace

DataFolderLock::~DataFolderLock() = default;

bool DataFolderLock::acquire()
{
    if (!m_lock) {
        m_lock = std::make_unique<QLockFile>(lockPath());
        // A running copy holds its lock however long it runs; only a dead copy's lock is stale.
        m_lock->setStaleLockTime(0);
    }
    // A running copy keeps its lock file open, and Windows does not let an open file be
    // removed: a lock file that can be removed was left by a copy that has ended (a crash, a
    // power cut, a lock file cut short), whatever it holds. A copy that has just ended may
    // still be letting go of its file for a moment.
    QDeadlineTimer released(kEndingCopyGrace);
    for (;;) {
        if (m_lock->tryLock(0) || (m_lock->error() == QLockFile::LockFailedError &&
                                   QFile::remove(lockPath()) && m_lock->tryLock(0))) {
            m_refusal.clear();
            return true;
        }
        if (m_lock->error() != QLockFile::LockFailedError || released.hasExpired())
            break;
        QThread::msleep(100);
    }
    switch (m_lock->error()) {
    case QLockFile::LockFailedError:
        m_refusal = heldElsewhere();
        return false;
    case QLockFile::PermissionError:
        m_refusal.clear();
        return true;
    default:
        m_refusal = QStorageInfo(m_folder).bytesAvailable() == 0
                        ? fullDiskRefusal(m_folder)
                        : QStringLiteral("Le dossier de données %1 n'a pas pu être réservé à "
                                         "cette copie d'Orvel Multi.")
                              .arg(QDir::toNativeSeparators(m_folder));
        return false;
    }
}

#else

namespace {

bool isFullDisk(int error)
{
#ifdef EDQUOT
    if (error == EDQUOT)
        return true;
#endif
    return error == ENOSPC;
}

// What a QLockFile writes, so that a copy of another version of the program, or the toolkit's
// own reader, recognises the holder: its process number, program name, computer and the
// computer's identity and start.
QByteArray lockContents()
{
    const QString program =
        QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).fileName();
    return QByteArray::number(QCoreApplication::applicationPid()) + '\n' + program.toUtf8() + '\n' +
           QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n' +
           QSysInfo::bootUniqueId() + '\n';
}

int openLockFile(const QByteArray &path, bool *writable)
{
    int fd;
    do {
        fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0644);
    } while (fd < 0 && errno == EINTR);
    *writable = fd >= 0;
    if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
        // A lock file we may not write still takes a lock.
        fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    }
    return fd;
}

// The lock file is still the one under its name: a copy that ended between our open and our
// lock removed it, and a lock on a removed file holds nothing.
bool stillNamed(int fd, const QByteArray &path)
{
    struct stat open;
    struct stat named;
    return ::fstat(fd, &open) == 0 && ::stat(path.constData(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

} // namespace

DataFolderLock::~DataFolderLock()
{
    if (m_fd < 0)
        return;
    // Removed while still held, so that no other copy takes a lock on a file about to go.
    const QByteArray path = QFile::encodeName(lockPath());
    if (stillNamed(m_fd, path))
        ::unlink(path.constData());
    ::close(m_fd);
}

bool DataFolderLock::acquire()
{
    m_refusal.clear();
    if (m_fd >= 0)
        return true;
    const QByteArray path = QFile::encodeName(lockPath());
    // The system's lock on the open file ends with the process that holds it, however it ends:
    // a killed copy leaves a file that the next copy simply locks again. Creating the file
    // needs no room for its content, so that a full disk can still be opened.
    for (int attempt = 0; attempt < 20; ++attempt) {
        bool writable = false;
        const int fd = openLockFile(path, &writable);
        if (fd < 0) {
            const int error = errno;
            if (error == ENOENT || error == EACCES || error == EPERM || error == EROFS)
                return true; // a folder where nothing can be written: see the header
            m_refusal = isFullDisk(error)
                            ? fullDiskRefusal(m_folder)
                            : QStringLiteral("Le dossier de données %1 n'a pas pu être réservé "
                                             "à cette copie d'Orvel Multi : le fichier %2 ne "
                                             "peut pas être créé (code %3).")
                                  .arg(QDir::toNativeSeparators(m_folder),
                                       QDir::toNativeSeparators(lockPath()))
                                  .arg(error);
            return false;
        }
        struct stat st;
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            m_refusal =
                QStringLiteral("Le dossier de données %1 n'a pas pu être réservé à cette "
                               "copie d'Orvel Multi : %2 n'est pas un fichier ordinaire. "
                               "Supprimez-le, puis relancez le programme.")
                    .arg(QDir::toNativeSeparators(m_folder), QDir::toNativeSeparators(lockPath()));
            return false;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EINTR)
                continue;
            m_refusal = error == EWOULDBLOCK
                            ? heldElsewhere()
                            : QStringLiteral("Le dossier de données %1 n'a pas pu être réservé "
                                             "à cette copie d'Orvel Multi : le système refuse le "
                                             "verrou du fichier %2 (code %3).")
                                  .arg(QDir::toNativeSeparators(m_folder),
                                       QDir::toNativeSeparators(lockPath()))
                                  .arg(error);
            return false;
        }
        if (!stillNamed(fd, path)) {
            ::close(fd);
            continue;
        }
        if (writable) {
            // Who holds the folder, for the message of the next copy. On a full disk this may
            // not be written: the lock holds all the same.
            const QByteArray contents = lockContents();
            if (::ftruncate(fd, 0) != 0 ||
                ::pwrite(fd, contents.constData(), size_t(contents.size()), 0) < 0)
                errno = 0;
        }
        m_fd = fd;
        return true;
    }
    m_refusal = heldElsewhere();
    return false;
}

#endif

} // namespace orvel
