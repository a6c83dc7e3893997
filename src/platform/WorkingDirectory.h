// The folder that holds every data file of the program.
#pragma once

#include <QString>

namespace orvel {

// In this order: the folder given on the command line (created when missing); the folder of
// the executable when it is writable and not the bin folder of an installation (a portable
// copy); the per-user data folder, created when missing. Returned with the platform's separators, without a trailing one.
// error is set (and the result empty) when the chosen folder cannot be created.
QString chooseWorkingDirectory(const QString &commandLineFolder, const QString &executableFolder,
                               const QString &userDataFolder, QString *error = nullptr);

bool isWritableFolder(const QString &folder);

} // namespace orvel
