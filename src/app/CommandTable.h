// What the command line offers, as one table: every command with its forms, what it does, its
// options, and the program's general options and exit statuses. The parser is built from it,
// and so are the help (--help) and the manual page, so that none of the three can say
// something the others do not.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace orvel {

struct CommandOptionText {
    QStringList names; // "pdf", or "h" and "help"
    QString valueName; // empty for a switch
    QString description;
};

struct CommandText {
    QString verb;
    // Each form, after "orvel-multi [--dossier DOSSIER] ": "exporter adif|ctrafic REFERENCE".
    QStringList forms;
    QString description;
    // The options that only this command reads, by name (see commandOptionTexts).
    QStringList options;
};

struct ExitStatusText {
    int status;
    QString meaning;
};

// The commands, in the order the help lists them.
const QList<CommandText> &commandTexts();
// The options every run reads (--dossier, --help, --version).
const QList<CommandOptionText> &generalOptionTexts();
// The options of the commands, each once, in the order the help lists them.
const QList<CommandOptionText> &commandOptionTexts();
const QList<ExitStatusText> &exitStatusTexts();

// The text of --help.
QString commandLineHelp();
// The manual page, in roff, dated month (e.g. "décembre 2026").
QString manualPage(const QString &version, const QString &month);

} // namespace orvel
