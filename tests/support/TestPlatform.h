// Test doubles and helpers shared by the test executables.
#pragma once

#include "FakeClock.h"
#include "MemorySettings.h"
#include "ScriptedDialogs.h"

#include <QStringList>
#include <QTemporaryDir>

namespace orvel::testing {

// Writes lines to a file of dir as the program does (windows-1252, CRLF).
void writeFile(const QString &path, const QStringList &lines);
// The raw bytes of a file.
QByteArray readBytes(const QString &path);

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
