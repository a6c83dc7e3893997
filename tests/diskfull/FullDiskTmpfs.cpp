// The full disk of a Linux system: a small tmpfs, so that the system itself says "no space
// left". Mounting needs the administrator.
#include "FullDisk.h"

#include <QDir>
#include <QFile>
#include <QThreadPool>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace orvel::testing {

namespace {

const QString kFiller = QStringLiteral("remplissage.bin");

} // namespace

struct FullDisk::Filling {
};

FullDisk::FullDisk() = default;

FullDisk::~FullDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(path()).constData(), MNT_DETACH);
}

QString FullDisk::prepare()
{
    if (::geteuid() != 0)
        return QStringLiteral("Essai du disque plein sauté : il faut être administrateur (root) "
                              "pour monter un petit disque tmpfs.");
    if (::mount("tmpfs", QFile::encodeName(path()).constData(), "tmpfs", 0, "size=64k") != 0)
        return QStringLiteral("Essai du disque plein sauté : le disque tmpfs n'a pas pu être "
                              "monté (%1).")
            .arg(QString::fromLocal8Bit(std::strerror(errno)));
    m_mounted = true;
    return {};
}

// A file replaced earlier gives its room back only when the program has closed it, away from
// the caller: that is waited for first, or the room would come back while the disk is meant
// to be full.
void FullDisk::fill()
{
    QThreadPool::globalInstance()->waitForDone();
    const int fd = ::open(QFile::encodeName(QDir(path()).filePath(kFiller)).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QByteArray block(4096, 'x');
    for (int size = 4096; size > 0; size /= 2) {
        while (::write(fd, block.constData(), size) == size) {
        }
    }
    ::close(fd);
}

void FullDisk::makeRoom()
{
    QFile::remove(QDir(path()).filePath(kFiller));
}

bool FullDisk::isFiller(const QString &fileName)
{
    return fileName == kFiller;
}

} // namespace orvel::testing
