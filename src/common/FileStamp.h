// What a file is at a moment, as one stat of it tells: whether it is there, its size, the time
// it was last written and which file it is. Two equal stamps mean nobody wrote the file in
// between; a file replaced by a rename is another file even with the same size and time.
#pragma once

#include <QString>
#include <QtGlobal>

namespace orvel {

struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modified = 0; // nanoseconds since the epoch, as precise as the file system keeps it
    quint64 device = 0;
    quint64 identity = 0; // the file's number on its device (0 where the system gives none)

    bool operator==(const FileStamp &) const = default;

    // The stamp of the file at path now (after links); a missing file gives exists false.
    static FileStamp of(const QString &path);
};

} // namespace orvel
