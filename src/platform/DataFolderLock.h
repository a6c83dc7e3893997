// One copy of the program at a time on a data folder: two copies rewriting the same logs
// would each replace the other's files with their own older view of them.
#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace orvel {

inline const QString kDataFolderLockFile = QStringLiteral("Orvel_Multi.lock");

// Held for as long as the program works on the folder; released when destroyed.
class DataFolderLock
{
public:
    explicit DataFolderLock(const QString &folder);
    ~DataFolderLock();
    DataFolderLock(const DataFolderLock &) = delete;
    DataFolderLock &operator=(const DataFolderLock &) = delete;

    // Takes the folder. A lock left by a copy that has ended (killed, crashed) on this computer
    // is taken over; a lock of a running copy is not. False with refusal() set otherwise.
    // A folder protected against writing is accepted without a lock: nothing there can be
    // rewritten by any copy. The lock needs no room on the disk beyond the lock file's name, so
    // that the logs of a full disk can still be opened, read and exported elsewhere.
    bool acquire();

    // Why the folder could not be taken, in French, for a message box and standard error.
    QString refusal() const { return m_refusal; }

private:
    QString lockPath() const;
    QString heldElsewhere() const;

    QString m_folder;
    QString m_refusal;
#ifdef Q_OS_WIN
    std::unique_ptr<QLockFile> m_lock;
#else
    int m_fd = -1;
#endif
};

} // namespace orvel
