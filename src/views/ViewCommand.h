// The views run from the command line:
//   orvel-multi [--dossier DIR] afficher pays REFERENCE
//   orvel-multi [--dossier DIR] afficher departements REFERENCE --bande "14 Mhz" --mode SSB
//   orvel-multi [--dossier DIR] pays CTY.DAT
// The reference is opened as a click in the activation list opens it.
#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

class QCommandLineParser;

namespace orvel {

struct ViewFilter {
    QString band; // "14 Mhz"; " Mhz" is added when missing
    QString mode;
};

// True for a view command: "pays CTY.DAT", "afficher pays ...", "afficher departements ...".
bool isViewCommand(const QStringList &positional);

// arguments: what follows "afficher". Prints the list or the count and the marked labels on
// out, every problem on err. Returns the exit code.
int runShowCommand(const QStringList &arguments, const ViewFilter &filter, const QString &folder,
                   QTextStream &out, QTextStream &err);
// arguments: what follows "pays" (the cty.dat file). Writes Continents_DXCC.csv in folder.
int runCountryFileCommand(const QStringList &arguments, const QString &folder, QTextStream &out,
                          QTextStream &err);

// positional: the whole command ("afficher ..." or "pays ..."), with the data folder chosen as
// the windows choose it, stdout and stderr.
int runViewCommandLine(const QStringList &positional, const QCommandLineParser &parser,
                       const QString &folderOption);

} // namespace orvel
