// The listings run from the command line, the reference opened as a click in the activation
// list opens it:
//   orvel-multi [--dossier DIR] enregistrer log|alpha REFERENCE
//   orvel-multi [--dossier DIR] afficher log|alpha|operateurs REFERENCE
//   orvel-multi [--dossier DIR] imprimer log REFERENCE --pdf FICHIER
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace orvel {

class Clock;
class CommandContext;

// positional: the command word, then its arguments (the kind, then the reference; a
// reference given as several words is joined with blanks). pdfPath: the --pdf file of
// "imprimer". The entries or messages go to the context's out, every problem to its err in
// French. Returns the exit code: 0 when everything was done, 1 otherwise.
int runListingCommand(const QStringList &positional, const QString &pdfPath, const Clock &clock,
                      CommandContext &context);

} // namespace orvel
