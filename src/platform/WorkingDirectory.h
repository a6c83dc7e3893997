// The folder that holds every data file of the program.
#pragma once

#include <QString>
#include <optional>

class QTextStream;

namespace orvel {

// In this order: the folder given on the command line (created when missing); the folder of
// the executable when it is writable and not the folder of an installation (a portable
// copy); the per-user data folder, created when missing. Returned with the platform's separators,
// without a trailing one. error is set (and the result empty) when the chosen folder cannot be
// created.
QString chooseWorkingDirectory(const QString &commandLineFolder, const QString &executableFolder,
                               const QString &userDataFolder, QString *error = nullptr);

bool isWritableFolder(const QString &folder);

// The uninstaller the Windows installer puts beside the program: a folder holding it is an
// installation, never a portable copy.
inline const QString kUninstallerFileName = QStringLiteral("desinstaller.exe");

// The per-user data folder of an installed program: ~/.local/share/orvel-multi on Linux,
// %APPDATA%\Orvel Multi on Windows.
QString userDataFolder();

// What is wrong with the folder given after --dossier, in French: an empty name, or the name
// of something that is not a folder. Nothing when it can be used (a missing folder can be).
std::optional<QString> folderOptionProblem(const QString &value);

// The data folder of a command-line command, chosen as the windows choose it, except that a
// --dossier folder that does not exist is told, never made. Empty when there is none; the
// reason, in French, then went to err.
QString commandLineFolder(const QString &folderOption, QTextStream &err);

} // namespace orvel
