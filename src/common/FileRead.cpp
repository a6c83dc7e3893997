#include "FileRead.h"
#include "FileBlocks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orvel {

namespace {

using Outcome = FileBytes::Outcome;

FileBytes refused(Outcome outcome, int systemError = 0)
{
    FileBytes read;
    read.outcome = outcome;
    read.systemError = systemError;
    return read;
}

// A file built into the program (":/data/...").
FileBytes readResource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(Outcome::Missing);
    FileBytes read;
    read.outcome = Outcome::Read;
    read.bytes = file.readAll();
    return read;
}

#ifndef Q_OS_WIN

// Opened without waiting: a pipe with no writer would otherwise hold the open for ever.
int openForReading(const QString &path)
{
    int fd;
    do {
        fd = ::open(QFile::encodeName(path).constData(),
                    O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// What stands under an open name, by its kind and size.
Outcome kindOf(int fd, qint64 limit, int *systemError)
{
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        *systemError = errno;
        return Outcome::Unreadable;
    }
    if (S_ISDIR(st.st_mode))
        return Outcome::Folder;
    if (!S_ISREG(st.st_mode))
        return Outcome::Special;
    if (st.st_size > limit)
        return Outcome::TooLarge;
    return Outcome::Read;
}

Outcome openFailure(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return Outcome::Missing;
    case ENXIO: // a socket, or a device with nothing behind it
    case ENODEV:
        return Outcome::Special;
    default:
        return Outcome::Unreadable;
    }
}

#endif

} // namespace

QString FileBytes::reason() const
{
    switch (outcome) {
    case Outcome::Read:
        return {};
    case Outcome::Missing:
        return QStringLiteral("il est introuvable");
    case Outcome::Folder:
        return QStringLiteral("c'est un dossier");
    case Outcome::Special:
        return QStringLiteral("ce n'est pas un fichier ordinaire mais un tube ou un périphérique");
    case Outcome::TooLarge:
        return QStringLiteral("il dépasse 1 Go, ce qu'aucun fichier de données n'atteint");
    case Outcome::Unreadable:
        break;
    }
    switch (systemError) {
    case EACCES:
    case EPERM:
        return QStringLiteral("accès refusé");
    case EIO:
        return QStringLiteral("erreur du support");
    case ELOOP:
        return QStringLiteral("lien symbolique sans fin");
    default:
        return QStringLiteral("erreur de lecture (code %1)").arg(systemError);
    }
}

QString unreadableFileMessage(const QString &path, const FileBytes &read)
{
    return QStringLiteral("Le fichier %1 ne peut pas être lu : %2.")
        .arg(QDir::toNativeSeparators(path), read.reason());
}

#ifndef Q_OS_WIN

FileBytes readFileBytes(const QString &path, qint64 limit)
{
    if (path.isEmpty())
        return refused(Outcome::Missing);
    if (path.startsWith(QLatin1Char(':')))
        return readResource(path);
    const int fd = openForReading(path);
    if (fd < 0)
        return refused(openFailure(errno), errno);
    FileBytes read;
    read.outcome = kindOf(fd, limit, &read.systemError);
    if (read.outcome != Outcome::Read) {
        ::close(fd);
        return read;
    }
    struct stat st;
    ::fstat(fd, &st);
    // Room for the size the system gave and one byte more, so that a file that has grown
    // since is read to its end all the same.
    qsizetype size = 0;
    read.bytes.resize(qsizetype(st.st_size) + 1);
    while (true) {
        if (size == read.bytes.size()) {
            if (size > limit) {
                ::close(fd);
                return refused(Outcome::TooLarge);
            }
            read.bytes.resize(size + (qsizetype(1) << 20));
        }
        const ssize_t got = ::read(fd, read.bytes.data() + size, size_t(read.bytes.size() - size));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            return refused(Outcome::Unreadable, error);
        }
        if (got == 0)
            break;
        size += got;
    }
    read.bytes.truncate(size);
    ::close(fd);
    if (read.bytes.size() > limit)
        return refused(Outcome::TooLarge);
    return read;
}

std::optional<QString> unreadableFileProblem(const QString &path, qint64 limit)
{
    if (path.isEmpty() || path.startsWith(QLatin1Char(':')))
        return std::nullopt;
    const int fd = openForReading(path);
    if (fd < 0) {
        const int error = errno;
        const Outcome outcome = openFailure(error);
        if (outcome == Outcome::Missing)
            return std::nullopt;
        return unreadableFileMessage(path, refused(outcome, error));
    }
    int error = 0;
    const Outcome outcome = kindOf(fd, limit, &error);
    ::close(fd);
    if (outcome == Outcome::Read)
        return std::nullopt;
    return unreadableFileMessage(path, refused(outcome, error));
}

FileBlocks::FileBlocks(const QString &path, qint64 limit)
    : m_limit(limit)
{
    if (path.isEmpty() || path.startsWith(QLatin1Char(':'))) {
        m_state = refused(Outcome::Missing);
        return;
    }
    const int fd = openForReading(path);
    if (fd < 0) {
        m_state = refused(openFailure(errno), errno);
        return;
    }
    m_state.outcome = kindOf(fd, limit, &m_state.systemError);
    m_file = std::make_unique<QFile>();
    if (m_state.outcome != Outcome::Read ||
        !m_file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (m_state.outcome == Outcome::Read)
            m_state = refused(Outcome::Unreadable, EIO);
        ::close(fd);
        m_file.reset();
    }
}

#else

// On Windows no pipe or device takes a data file's name in a folder: the kind is told from
// the file's information.
FileBytes readFileBytes(const QString &path, qint64 limit)
{
    if (path.startsWith(QLatin1Char(':')))
        return readResource(path);
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return refused(Outcome::Missing);
    if (info.isDir())
        return refused(Outcome::Folder);
    if (!info.isFile())
        return refused(Outcome::Special);
    if (info.size() > limit)
        return refused(Outcome::TooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(Outcome::Unreadable, EACCES);
    FileBytes read;
    read.outcome = Outcome::Read;
    read.bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        return refused(Outcome::Unreadable, EIO);
    if (read.bytes.size() > limit)
        return refused(Outcome::TooLarge);
    return read;
}

std::optional<QString> unreadableFileProblem(const QString &path, qint64 limit)
{
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    const Outcome outcome = info.isDir()          ? Outcome::Folder
                            : !info.isFile()      ? Outcome::Special
                            : info.size() > limit ? Outcome::TooLarge
                            : !info.isReadable()  ? Outcome::Unreadable
                                                  : Outcome::Read;
    if (outcome == Outcome::Read)
        return std::nullopt;
    return unreadableFileMessage(path, refused(outcome, EACCES));
}

FileBlocks::FileBlocks(const QString &path, qint64 limit)
    : m_limit(limit)
{
    const QFileInfo info(path);
    const Outcome kind = path.isEmpty() || path.startsWith(QLatin1Char(':')) || !info.exists()
                             ? Outcome::Missing
                         : info.isDir()         ? Outcome::Folder
                         : !info.isFile()       ? Outcome::Special
                         : info.size() > limit  ? Outcome::TooLarge
                                                : Outcome::Read;
    if (kind != Outcome::Read) {
        m_state = refused(kind);
        return;
    }
    m_file = std::make_unique<QFile>(path);
    if (!m_file->open(QIODevice::ReadOnly)) {
        m_state = refused(Outcome::Unreadable, EACCES);
        m_file.reset();
        return;
    }
    m_state.outcome = Outcome::Read;
}

#endif

FileBlocks::~FileBlocks() = default;

bool FileBlocks::forEachBlock(const std::function<bool(const QByteArray &block)> &each,
                              qsizetype blockSize)
{
    if (!m_file)
        return false;
    QByteArray block;
    qsizetype held = 0; // bytes of block still to hand over, from its start
    qint64 total = 0;
    while (true) {
        if (block.size() < held + blockSize)
            block.resize(held + blockSize);
        const qint64 got = m_file->read(block.data() + held, blockSize);
        if (got < 0) {
            m_state = refused(Outcome::Unreadable, EIO);
            return false;
        }
        total += got;
        if (total > m_limit) {
            m_state = refused(Outcome::TooLarge);
            return false;
        }
        const qsizetype filled = held + qsizetype(got);
        if (got == 0) {
            block.truncate(filled);
            return block.isEmpty() || each(block);
        }
        // The block ends after its last line end; the rest starts the next one. A CR read
        // last may be the first half of a CR LF: the block waits for the next byte.
        const QByteArrayView filledPart(block.constData(), filled);
        qsizetype end = filledPart.lastIndexOf('\n');
        if (end < 0)
            end = filledPart.first(filled - 1).lastIndexOf('\r');
        if (end < 0) {
            held = filled;
            continue;
        }
        const QByteArray rest(block.constData() + end + 1, filled - end - 1);
        block.truncate(end + 1);
        if (!each(block))
            return false;
        block.resize(rest.size());
        std::copy(rest.cbegin(), rest.cend(), block.begin());
        held = rest.size();
    }
}


} // namespace orvel
