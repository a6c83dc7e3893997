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

// The command words handled here.
bool isListingCommand(const QString &word);
// Printing needs fonts, hence a GUI application (without a display: offscreen).
bool listingCommandPaints(const QStringList &positional);

// positional: the command word, then its arguments (the kind, then the reference; a
// reference given as several words is joined with blanks). pdfPath: the --pdf file of
// "imprimer". The entries or messages go to out, every problem to err in French. Returns the
// exit code: 0 when everything was done, 1 otherwise.
int runListingCommand(const QStringList &positional, const QString &folder, const QString &pdfPath,
                      const Clock &clock, QTextStream &out, QTextStream &err);

// The same, with the data folder chosen as the windows choose it, the system clock, stdout
// and stderr.
int runListingCommandLine(const QStringList &positional, const QString &folderOption,
                          const QString &pdfPath);

} // namespace orvel
