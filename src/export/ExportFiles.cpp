#include "ExportFiles.h"

#include "common/FileBlocks.h"
#include "common/FileRead.h"
#include "common/FixedColumns.h"
#include "common/TextFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace orvel {

namespace {

QString fileNameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

std::optional<int> commonErrorNumber(int systemError)
{
    switch (systemError) {
    case EACCES:
    case EPERM:
    case EROFS:
        return kPermissionDenied;
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return kDiskFull;
    case EIO:
    case ENXIO:
    case ENODEV:
    case EBUSY:
#ifdef ENOMEDIUM
    case ENOMEDIUM:
#endif
        return kDeviceNotReady;
    default:
        return std::nullopt;
    }
}

} // namespace

QString exportErrorMessage(int number)
{
    QString text = QStringLiteral("Erreur ") + numberText(number);
    if (number == kPermissionDenied)
        text += QStringLiteral(" Disquette protegée");
    else if (number == kDeviceNotReady)
        text += QStringLiteral(" Pas de disquette dans le lecteur");
    return text;
}

ExportFailure exportFailure(int number, const QString &fileName)
{
    QString detail;
    switch (number) {
    case kFileNotFound:
        detail = QStringLiteral("le fichier %1 est introuvable");
        break;
    case kDiskFull:
        // The export goes through a scratch file: a full disk leaves the former file whole.
        detail = QStringLiteral("le disque est plein : le fichier %1 n'a pas été écrit (l'export "
                                "précédent, s'il y en avait un, est resté intact)");
        break;
    case kPermissionDenied:
        detail = QStringLiteral("l'accès au fichier %1 est refusé (dossier ou support protégé)");
        break;
    case kDeviceNotReady:
        detail = QStringLiteral("le support du fichier %1 n'est pas prêt");
        break;
    default:
        detail = QStringLiteral("le fichier %1 n'a pas pu être lu ou écrit");
        break;
    }
    return {number, fileName, exportErrorMessage(number), detail.arg(fileName)};
}

int readErrorNumber(int systemError)
{
    if (systemError == ENOENT || systemError == ENOTDIR)
        return kFileNotFound;
    return commonErrorNumber(systemError).value_or(kFileAccessError);
}

int writeErrorNumber(int systemError, QFileDevice::FileError error)
{
    if (const auto number = commonErrorNumber(systemError))
        return *number;
    switch (error) {
    case QFileDevice::PermissionsError:
        return kPermissionDenied;
    case QFileDevice::ResourceError:
        return kDiskFull;
    default:
        return kFileAccessError;
    }
}

std::optional<ExportFailure> readLogFile(const QString &path, QByteArray *bytes)
{
    FileBytes read = readFileBytes(path);
    if (read.outcome == FileBytes::Outcome::Read)
        *bytes = std::move(read.bytes);
    return logReadFailure(path, read);
}

std::optional<ExportFailure> checkLogFile(const QString &logPath)
{
    return logReadFailure(logPath, FileBlocks(logPath).state());
}

std::optional<ExportFailure> writeExportFromLog(const QString &path, const QString &logPath,
                                                const ExportFromLog &write)
{
    std::optional<ExportFailure> readFailure;
    const auto failure = writeExportFile(path, [&](QIODevice &device) {
        FileBlocks blocks(logPath);
        const LogLines lines = [&blocks](const std::function<bool(LogBytes line)> &each) {
            return blocks.forEachBlock(
                [&each](const QByteArray &block) { return forEachQsoLine(block, each); });
        };
        const bool written = write(device, lines);
        readFailure = logReadFailure(logPath, blocks.state());
        return written && !readFailure;
    });
    return readFailure ? readFailure : failure;
}

std::optional<ExportFailure> logReadFailure(const QString &path, const FileBytes &read)
{
    using Outcome = FileBytes::Outcome;
    const QString name = fileNameOf(path);
    switch (read.outcome) {
    case Outcome::Read:
        return std::nullopt;
    case Outcome::Missing:
        return exportFailure(kFileNotFound, name);
    case Outcome::Unreadable:
        return exportFailure(readErrorNumber(read.systemError), name);
    case Outcome::Folder:
    case Outcome::Special:
    case Outcome::TooLarge:
        break;
    }
    ExportFailure failure = exportFailure(kFileAccessError, name);
    failure.detail =
        QStringLiteral("le fichier %1 ne peut pas être lu : %2").arg(name, read.reason());
    return failure;
}

std::optional<ExportFailure> writeExportFile(const QString &path, const ExportWriter &write)
{
    const QString name = fileNameOf(path);
    // The text goes to a scratch file as it is made, which replaces the former file in one
    // step only once whole: a full disk or a crash leaves the former export as it was, never
    // an empty or cut one.
    const FileResult written = replaceFileWith(path, write);
    if (written)
        return std::nullopt;
    // A missing folder is a path error, not a missing file.
    const int systemError = written.systemError;
    const int number = systemError == ENOENT || systemError == ENOTDIR
                           ? kFileAccessError
                           : writeErrorNumber(systemError, QFileDevice::WriteError);
    return exportFailure(number, name);
}

} // namespace orvel
