// The import run from the command line: orvel-multi [--dossier DIR] importer REFERENCE FILE.adi.
// The reference's group is opened as "Saisie des QSO" opens it, and the file's QSOs go into
// every log of the group.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace orvel {

class CommandContext;

// arguments: what follows "importer" (the reference, given as one or several words, then the
// file). The summary goes to the context's out, every problem to its err; the folder is locked
// while the logs are written. Returns the exit code: 0 when the file was read and every log
// written (records left out or refused included), 1 otherwise, and then no log was changed
// unless err says which were.
int runImportCommand(const QStringList &arguments, CommandContext &context);

} // namespace orvel
