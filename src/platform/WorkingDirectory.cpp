#include "WorkingDirectory.h"
#include <QCoreApplication>
#include <QStandardPaths>
#include <QTextStream>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace orvel {

namespace {

QString cleanFolder(const QString &folder)
{
    return QDir::toNativeSeparators(QDir::cleanPath(QDir(folder).absolutePath()));
}

bool ensureFolder(const QString &folder, QString *error)
{
    if (QDir().mkpath(folder))
        return true;
    if (error)
        *error = QStringLiteral("Impossible de créer le dossier de données %1")
                     .arg(QDir::toNativeSeparators(folder));
    return false;
}

// An installed program lives in the bin folder of a prefix that also holds share/ (/usr,
// /usr/local, ~/.local), or, on Windows, in a folder beside its uninstaller (where Wine, or an
// administrator, may well write). That folder is never the program's own.
bool isInstallationFolder(const QString &folder)
{
    const QDir dir(folder);
    if (dir.exists(kUninstallerFileName))
        return true;
    QDir prefix(folder);
    return dir.dirName() == QLatin1String("bin") && prefix.cdUp() &&
           prefix.exists(QStringLiteral("share"));
}

} // namespace

std::optional<QString> folderOptionProblem(const QString &value)
{
    if (value.trimmed().isEmpty())
        return QStringLiteral("L'option --dossier demande le nom du dossier des données.");
    const QFileInfo info(value);
    if (info.exists() && !info.isDir())
        return QStringLiteral("%1 n'est pas un dossier : l'option --dossier demande le dossier "
                              "des données.")
            .arg(QDir::toNativeSeparators(value));
    return std::nullopt;
}

bool isWritableFolder(const QString &folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".orvel-XXXXXX")));
    return probe.open();
}

QString chooseWorkingDirectory(const QString &commandLineFolder, const QString &executableFolder,
                               const QString &userDataFolder, QString *error)
{
    if (!commandLineFolder.isEmpty()) {
        const QString folder = cleanFolder(commandLineFolder);
        return ensureFolder(folder, error) ? folder : QString();
    }
    if (isWritableFolder(executableFolder) && !isInstallationFolder(executableFolder))
        return cleanFolder(executableFolder);
    const QString folder = cleanFolder(userDataFolder);
    return ensureFolder(folder, error) ? folder : QString();
}

QString userDataFolder()
{
    const QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
#ifdef Q_OS_WIN
    // The roaming application data holds one folder per program, named as the user knows it;
    // the program sets no organisation name, so the roaming folder is the parent of its own.
    return QDir(QFileInfo(appData).path()).filePath(QStringLiteral("Orvel Multi"));
#else
    return appData;
#endif
}

QString commandLineFolder(const QString &folderOption, QTextStream &err)
{
    if (!folderOption.isEmpty() && !QDir(folderOption).exists()) {
        err << QStringLiteral("Le dossier %1 n'existe pas.")
                   .arg(QDir::toNativeSeparators(folderOption))
            << Qt::endl;
        return {};
    }
    QString error;
    const QString folder = chooseWorkingDirectory(
        folderOption, QCoreApplication::applicationDirPath(), userDataFolder(), &error);
    if (folder.isEmpty())
        err << error << Qt::endl;
    return folder;
}

} // namespace orvel
