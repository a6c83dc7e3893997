#include "LabelCommand.h"

#include "LabelJob.h"
#include "LabelSettings.h"
#include "SelectionEntry.h"
#include "common/FileRead.h"
#include "common/FixedColumns.h"
#include "records/ActivationList.h"
#include "records/CommandContext.h"
#include "records/CurrentLog.h"
#include "records/LogFiles.h"

#include <QCommandLineParser>
#include <QDir>

namespace orvel {

namespace {

const QString kPdf = QStringLiteral("pdf");
const QString kFormat = QStringLiteral("format");
const QString kEnglish = QStringLiteral("anglais");
const QString kSecond = QStringLiteral("avec");
const QString kTransceiver = QStringLiteral("tx");
const QString kAntenna = QStringLiteral("antenne");
const QString kOffset = QStringLiteral("decalage");

std::optional<QString> valueIfSet(const QCommandLineParser &parser, const QString &name)
{
    if (!parser.isSet(name))
        return std::nullopt;
    return parser.value(name);
}

LabelCommandPlan refused(const QString &error)
{
    LabelCommandPlan plan;
    plan.error = error;
    return plan;
}

} // namespace

QString labelCommandUsage()
{
    return QStringLiteral("Usage : orvel-multi [--dossier DOSSIER] etiquettes REFERENCE --pdf "
                          "FICHIER [--format 1-5] [--anglais] [--avec REFERENCE2] [--tx TEXTE] "
                          "[--antenne TEXTE] [--decalage DX,DY]");
}

LabelCommandOptions labelCommandOptions(const QCommandLineParser &parser)
{
    LabelCommandOptions options;
    options.pdfPath = parser.value(kPdf);
    options.format = valueIfSet(parser, kFormat);
    options.english = parser.isSet(kEnglish);
    options.second = valueIfSet(parser, kSecond);
    options.transceiver = valueIfSet(parser, kTransceiver);
    options.antenna = valueIfSet(parser, kAntenna);
    options.offset = valueIfSet(parser, kOffset);
    return options;
}

LabelCommandPlan planLabelCommand(const QStringList &arguments, const LabelCommandOptions &options,
                                  CommandContext &context, const Settings &settings)
{
    const QString reference = trimBlanks(arguments.join(QLatin1Char(' ')));
    if (reference.isEmpty())
        return refused(QStringLiteral("Il manque la référence des étiquettes.\n") +
                       labelCommandUsage());
    if (options.pdfPath.isEmpty())
        return refused(QStringLiteral("Il manque le fichier PDF à écrire (--pdf FICHIER).\n") +
                       labelCommandUsage());

    LabelSettings stored = loadLabelSettings(settings);
    SheetSetup setup;
    setup.format = stored.format;
    if (options.format) {
        bool number = false;
        const int format = options.format->toInt(&number);
        if (!number || !isLabelFormat(format))
            return refused(
                QStringLiteral("Format d'étiquette inconnu : %1 (de 1 à 5).").arg(*options.format));
        setup.format = format;
    }
    setup.station.transceiver = options.transceiver.value_or(stored.station.transceiver);
    setup.station.antenna = options.antenna.value_or(stored.station.antenna);
    setup.language = options.english ? LabelLanguage::English : LabelLanguage::French;
    setup.offset = stored.offset;
    if (options.offset) {
        const std::optional<LabelOffset> offset = parseOffsetPair(*options.offset);
        if (!offset)
            return refused(
                QStringLiteral("Décalage refusé : %1. Indiquez --decalage DX,DY en millimètres, "
                               "chacun entre -10 et +10 avec une décimale au plus (par exemple "
                               "--decalage 1.5,-2).")
                    .arg(*options.offset));
        setup.offset = *offset;
    }
    if (const QString refusal = storedStationTextsRefusal(setup.station); !refusal.isEmpty())
        return refused(refusal);

    const QString &folder = context.folder();
    const CommandGroup &group = context.openGroup(reference, GroupScope::Reference);
    if (!group.ok())
        return refused(group.refusal);
    const ActivationList list(folder);
    const QStringList listLines = list.lines();
    QStringList named{reference};
    if (options.second)
        named.append(trimBlanks(*options.second));
    for (const QString &name : named) {
        if (!findActivationTexts(listLines, name))
            return refused(QStringLiteral("Référence inconnue : %1 ne figure pas dans %2.")
                               .arg(name, QDir::toNativeSeparators(list.path())));
    }

    const LogFiles logs(folder);
    if (const auto problem = unreadableFileProblem(logs.path(reference)))
        return refused(*problem);
    if (!logs.exists(reference))
        return refused(QStringLiteral("Le journal %1 n'existe pas.")
                           .arg(QDir::toNativeSeparators(logs.path(reference))));
    // Held as the file's bytes: the entries are made from them as the labels are drawn.
    const auto rows =
        std::make_shared<const LogRows>(LogRows::ofFile(readFileBytes(logs.path(reference)).bytes));
    if (rows->size() == 0)
        return refused(QStringLiteral("Le journal %1 ne contient aucun QSO : aucune étiquette.")
                           .arg(QDir::toNativeSeparators(logs.path(reference))));

    // As "Tout séléctionner" chooses them: every QSO, in the sorted order of the lists.
    LabelJob job;
    const QList<qsizetype> order = selectionLists(*rows, {}).availableRows;
    ActivationChoice &choice = job.activations();
    choice.references = named;
    choice.perLabel = int(named.size());
    for (int row = 0; row < named.size(); ++row)
        choice.setSelected(row, true);

    LabelRunInput input = job.runInput(setup, listLines, group.activation.activator);
    input.restoreFamily = kTextRowFont;
    input.entryCount = order.size();
    input.entryOf = [rows, order](qsizetype i) {
        return selectionEntry(rows->rowBytes(order.at(i)));
    };
    LabelCommandPlan plan;
    plan.input = std::move(input);
    plan.pdfPath = options.pdfPath;
    plan.labels = int(order.size());
    return plan;
}

} // namespace orvel
