// The reference a command of the command line names, opened as a click in the activation list
// opens it: the activation of its newest line and that line's group. Every command that works
// on a group opens it here, so that all of them refuse the same things with the same words.
#pragma once

#include "Activation.h"

#include <QString>
#include <QStringList>

namespace orvel {

struct CommandGroup {
    Activation activation;
    QStringList references; // the open group, in list order
    // The French message of why the command must not run; empty when it may, and only then
    // are activation and references set.
    QString refusal;
    bool ok() const { return refusal.isEmpty(); }
};

// Refused: a named reference that cannot name a file, an activation list that cannot be read,
// a reference the list does not hold, and a group whose logs lack lines of a write to several
// logs that a stop of the program left half done (the lines are told; copying them is the
// windows' work, so the command changes nothing). The other references of the group are not
// checked here: a listing saves the logs it can and tells of the others, an export or an import
// refuses the whole group.
CommandGroup openCommandGroup(const QString &folder, const QString &reference);

// As openCommandGroup, and refused too when any reference of the group cannot name a file: for
// the commands that write or read the whole group (an export, an import).
CommandGroup openWholeCommandGroup(const QString &folder, const QString &reference);

} // namespace orvel
