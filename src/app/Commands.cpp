#include "Commands.h"

#include "CommandTable.h"
#include "export/ExportCommand.h"
#include "labels/LabelCommand.h"
#include "labels/LabelPrinting.h"
#include "logging/ImportCommand.h"
#include "radio/RadioCommand.h"
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

int runExport(CommandContext &context)
{
    // An export only reads the logs and writes its own files, through scratch files of its
    // own: it may run while the windows work on the same folder.
    return runExportCommandLine(context.positional.mid(1), context.folder);
}

int runImport(CommandContext &context)
{
    return runImportCommandLine(context.positional.mid(1), context.folder);
}

int runListingOrView(CommandContext &context)
{
    if (isViewCommand(context.positional))
        return runViewCommandLine(context.positional, context.parser, context.folder);
    return runListingCommandLine(context.positional, context.folder,
                                 context.parser.value(QStringLiteral("pdf")));
}

int runLabels(CommandContext &context)
{
    return runLabelCommandLine(context.positional.mid(1), labelCommandOptions(context.parser),
                               context.folder);
}

int runRadio(CommandContext &context)
{
    return runRadioCommandLine(context.positional, context.parser);
}

} // namespace

const QList<Command> &commands()
{
    static const QList<Command> table{
        {QStringLiteral("exporter"), coreOnly, runExport},
        {QStringLiteral("importer"), coreOnly, runImport},
        {QStringLiteral("enregistrer"), coreOnly, runListingOrView},
        {QStringLiteral("afficher"), coreOnly, runListingOrView},
        {QStringLiteral("imprimer"), fonts, runListingOrView},
        {QStringLiteral("etiquettes"), fonts, runLabels},
        {QStringLiteral("pays"), coreOnly, runListingOrView},
        {QStringLiteral("radio"), coreOnly, runRadio},
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
