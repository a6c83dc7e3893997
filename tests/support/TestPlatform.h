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

// Runs work in a child process whose files cannot grow past limit bytes, as on a disk that
// fills up, and returns the text work returned ("<échec du processus>" when it died).
QString inChildWithFileSizeLimit(qint64 limit, const std::function<QString()> &work);

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
