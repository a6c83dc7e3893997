#include "FileStamp.h"

#include <QFile>
#include <QFileInfo>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#endif

namespace orvel {

FileStamp FileStamp::of(const QString &path)
{
    FileStamp stamp;
#if defined(Q_OS_UNIX)
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return stamp;
    stamp.exists = true;
    stamp.size = qint64(info.st_size);
#if defined(Q_OS_DARWIN)
    stamp.modified = qint64(info.st_mtimespec.tv_sec) * 1000000000 + info.st_mtimespec.tv_nsec;
#else
    stamp.modified = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
#endif
    stamp.device = quint64(info.st_dev);
    stamp.identity = quint64(info.st_ino);
#else
    const QFileInfo info(path);
    if (!info.exists())
        return stamp;
    stamp.exists = true;
    stamp.size = info.size();
    stamp.modified = info.lastModified().toMSecsSinceEpoch() * 1000000;
    // A replacement by rename keeps no file number here; its birth time tells it apart.
    stamp.identity = quint64(info.birthTime().toMSecsSinceEpoch());
#endif
    return stamp;
}

} // namespace orvel
