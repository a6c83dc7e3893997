// The views run from the command line:
//   orvel-multi [--dossier DIR] afficher pays REFERENCE
//   orvel-multi [--dossier DIR] afficher departements REFERENCE --bande "14 Mhz" --mode SSB
//   orvel-multi [--dossier DIR] pays CTY.DAT
// The reference is opened as a click in the activation list opens it.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace orvel {

class CommandContext;

struct ViewFilter {
    QString band; // "14 Mhz"; " Mhz" is added when missing
    QString mode;
};

// True for a view command: "pays CTY.DAT", "afficher pays ...", "afficher departements ...".
bool isViewCommand(const QStringList &positional);

// arguments: what follows "afficher". Prints the list or the count and the marked labels on
// out, every problem on err. Returns the exit code.
int runShowCommand(const QStringList &arguments, const ViewFilter &filter, CommandContext &context);
// arguments: what follows "pays" (the cty.dat file). Writes Continents_DXCC.csv in the data
// folder, which it locks.
int runCountryFileCommand(const QStringList &arguments, CommandContext &context);


} // namespace orvel
