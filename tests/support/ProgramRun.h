// Runs the built program as a user's script does: without a display, its output read back.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace orvel::testing {

struct ProgramRun {
    int exitCode = -1; // -2 when the program crashed, -1 when it did not end in time
    QString out;
    QString err;
};

// extraEnvironment is added to the environment the program starts with.
ProgramRun runProgram(const QString &program, const QStringList &arguments,
                      const QHash<QString, QString> &extraEnvironment = {}, int timeoutMs = 60000);

} // namespace orvel::testing
