// Test doubles and helpers shared by the test executables.
#pragma once

#include "FakeClock.h"
#include "MemorySettings.h"
#include "ScriptedDialogs.h"

#include <QStringList>
#include <QTemporaryDir>
#include <functional>

namespace orvel::testing {

// Writes lines to a file of dir as the program does (windows-1252, CRLF).
void writeFile(const QString &path, const QStringList &lines);
// The raw bytes of a file.
QByteArray readBytes(const QString &path);

// The scratch files left in folder (none once every write has ended).
QStringList scratchFiles(const QString &folder);

// Runs work where files cannot grow past limit bytes, as on a disk that fills up, and returns
// the text work returned. On POSIX systems work runs in a child process under the system's
// file size limit ("<échec du processus>" when it died); on Windows it runs here, under the
// program's simulated limit.
QString inChildWithFileSizeLimit(qint64 limit, const std::function<QString()> &work);

// The id of a process that has ended.
qint64 endedProcessId();

// A temporary data folder with the platform doubles.
struct TestPlatform {
    QTemporaryDir dir;
    MemorySettings settings;
    FakeClock clock;
    ScriptedDialogs dialogs;
    QString folder() const { return dir.path(); }
    QString file(const QString &name) const;
};

} // namespace orvel::testing
