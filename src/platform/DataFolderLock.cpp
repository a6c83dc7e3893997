#include "DataFolderLock.h"

#include <QDir>

namespace orvel {

DataFolderLock::DataFolderLock(const QString &folder)
    : m_folder(folder)
    , m_lock(std::make_unique<QLockFile>(QDir(folder).filePath(kDataFolderLockFile)))
{
    // A running copy holds its lock however long it runs; only a dead copy's lock is stale.
    m_lock->setStaleLockTime(0);
}

bool DataFolderLock::acquire()
{
    if (m_lock->tryLock(0)) {
        m_refusal.clear();
        return true;
    }
    const QString folder = QDir::toNativeSeparators(m_folder);
    switch (m_lock->error()) {
    case QLockFile::LockFailedError: {
        qint64 pid = 0;
        QString host;
        QString application;
        QString holder;
        if (m_lock->getLockInfo(&pid, &host, &application))
            holder = QStringLiteral(" (processus %1 sur l'ordinateur %2)").arg(pid).arg(host);
        m_refusal =
            QStringLiteral("Orvel Multi est déjà ouvert sur le dossier de données %1%2.\n"
                           "Deux copies du programme sur les mêmes fichiers détruiraient leurs "
                           "logs : fermez l'autre copie avant d'en ouvrir une nouvelle.\n"
                           "Si aucune autre copie n'est ouverte, supprimez le fichier %3.")
                .arg(folder, holder,
                     QDir::toNativeSeparators(QDir(m_folder).filePath(kDataFolderLockFile)));
        break;
    }
    case QLockFile::PermissionError:
        // A folder where no file can be created cannot hold a scratch file either: no copy
        // can rewrite anything there, so a second one does no harm and old logs stay readable.
        m_refusal.clear();
        return true;
    default:
        m_refusal = QStringLiteral("Le dossier de données %1 n'a pas pu être réservé à cette "
                                   "copie d'Orvel Multi.")
                        .arg(folder);
        break;
    }
    return false;
}

} // namespace orvel
