// The commands of the command line, one row each: its verb, what it needs to run (the core
// alone, or fonts to paint a PDF; a data folder or none) and how it runs. The texts of each
// command (forms, options, description) are in CommandTable; main() builds the context once
// and dispatches.
#pragma once

#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

namespace orvel {

class CommandContext;

// What was typed.
struct CommandLine {
    const QCommandLineParser &parser;
    // The verb first, then its words.
    QStringList positional;
};

enum class CommandNeeds {
    Core,  // files and text only
    Fonts, // paints a PDF: a Gui application on the offscreen platform
};

struct Command {
    QString verb;
    CommandNeeds (*needs)(const QStringList &positional);
    // Whether it works in the data folder (chosen, and created, before it runs).
    bool usesFolder;
    int (*run)(const CommandLine &line, CommandContext &context);
};

const QList<Command> &commands();
// The command of the verb, or nothing.
const Command *findCommand(const QString &verb);
// Every option of the table, for the parser.
void addCommandLineOptions(QCommandLineParser &parser);

} // namespace orvel
