#include "Commands.h"

#include "CommandTable.h"
#include "digital/ListenCommand.h"
#include "export/ExportCommand.h"
#include "labels/LabelCommand.h"
#include "labels/LabelPrinting.h"
#include "logging/EntryRules.h"
#include "logging/ImportCommand.h"
#include "platform/Clock.h"
#include "radio/RadioCommand.h"
#include "records/CommandContext.h"
#include "views/ListingCommand.h"
#include "views/ViewCommand.h"

namespace orvel {

namespace {

CommandNeeds coreOnly(const QStringList &)
{
    return CommandNeeds::Core;
}

CommandNeeds fonts(const QStringList &)
{
    return CommandNeeds::Fonts;
}

int runExport(const CommandLine &line, CommandContext &context)
{
    return runExportCommand(line.positional.mid(1), context, SystemClock());
}

int runImport(const CommandLine &line, CommandContext &context)
{
    return runImportCommand(line.positional.mid(1), context);
}

int runListingOrView(const CommandLine &line, CommandContext &context)
{
    // "afficher" shows the listings, and the countries and départements too.
    if (isViewCommand(line.positional))
        return runShowCommand(line.positional.mid(1),
                              ViewFilter{line.parser.value(QStringLiteral("bande")),
                                         line.parser.value(QStringLiteral("mode"))},
                              context);
    return runListingCommand(line.positional, line.parser.value(QStringLiteral("pdf")),
                             SystemClock(), context);
}

int runCountryFile(const CommandLine &line, CommandContext &context)
{
    return runCountryFileCommand(line.positional.mid(1), context);
}

int runLabels(const CommandLine &line, CommandContext &context)
{
    return runLabelCommand(line.positional.mid(1), labelCommandOptions(line.parser), context);
}

int runRadio(const CommandLine &line, CommandContext &context)
{
    return runRadioCommand(line.positional.mid(1), radioOptionsGiven(line.parser), context);
}

int runListen(const CommandLine &line, CommandContext &context)
{
    return runListenCommand(line.positional.mid(1),
                            ListenOptions{line.parser.value(QStringLiteral("port")),
                                          line.parser.value(QStringLiteral("adresse")),
                                          defaultOperator},
                            context);
}

} // namespace

const QList<Command> &commands()
{
    static const QList<Command> table{
        {QStringLiteral("exporter"), coreOnly, true, runExport},
        {QStringLiteral("importer"), coreOnly, true, runImport},
        {QStringLiteral("ecouter"), coreOnly, true, runListen},
        {QStringLiteral("enregistrer"), coreOnly, true, runListingOrView},
        {QStringLiteral("afficher"), coreOnly, true, runListingOrView},
        {QStringLiteral("imprimer"), fonts, true, runListingOrView},
        {QStringLiteral("etiquettes"), fonts, true, runLabels},
        {QStringLiteral("pays"), coreOnly, true, runCountryFile},
        {QStringLiteral("radio"), coreOnly, false, runRadio},
    };
    return table;
}

const Command *findCommand(const QString &verb)
{
    for (const Command &command : commands()) {
        if (command.verb == verb)
            return &command;
    }
    return nullptr;
}

void addCommandLineOptions(QCommandLineParser &parser)
{
    for (const auto *options : {&generalOptionTexts(), &commandOptionTexts()}) {
        for (const CommandOptionText &option : *options)
            parser.addOption(
                QCommandLineOption(option.names, option.description, option.valueName));
    }
}

} // namespace orvel
