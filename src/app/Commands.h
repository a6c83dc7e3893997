// The commands of the command line, one row each: its verb, what it needs to run (the core
// alone, or fonts to paint a PDF) and how it runs. The texts of each command (forms, options,
// description) are in CommandTable; main() only builds the context and dispatches.
#pragma once

#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

namespace orvel {

// What a command is given, built once by main().
struct CommandContext {
    const QCommandLineParser &parser;
    // The verb first, then its words.
    QStringList positional;
    // --dossier, empty for the default data folder.
    QString folder;
};

enum class CommandNeeds {
    Core,  // files and text only
    Fonts, // paints a PDF: a Gui application on the offscreen platform
};

struct Command {
    QString verb;
    CommandNeeds (*needs)(const QStringList &positional);
    int (*run)(CommandContext &context);
};

const QList<Command> &commands();
// The command of the verb, or nothing.
const Command *findCommand(const QString &verb);
// Every option of the table, for the parser.
void addCommandLineOptions(QCommandLineParser &parser);

} // namespace orvel
