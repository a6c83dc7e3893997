// Orvel Multi: the setup window, or an export run from the command line.
#include "GuiApplication.h"
#include "export/ExportCommand.h"
#include "logging/ImportCommand.h"
#include "help/EmbeddedBrowser.h"
#include "common/Version.h"
#include "views/ListingCommand.h"
#include "views/ViewCommand.h"
#include "labels/LabelPrinting.h"
#include "widgets/WidgetDialogs.h"
#include "platform/WorkingDirectory.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QGuiApplication>
#include <QTextStream>

#include <memory>

int main(int argc, char **argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("orvel-multi"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(orvel::kProgramVersion));

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Orvel Multi : carnet de trafic pour les activations de références."));
    // Our own help and version options: the toolkit's describe themselves in English.
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Affiche cette aide."));
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Affiche la version du programme."));
    parser.addOption(helpOption);
    parser.addOption(versionOption);
    const QCommandLineOption folderOption(QStringLiteral("dossier"),
                                          QStringLiteral("Dossier des fichiers de données."),
                                          QStringLiteral("DOSSIER"));
    parser.addOption(folderOption);
    parser.addOptions(orvel::viewCommandOptions());
    parser.addPositionalArgument(QStringLiteral("commande"),
                                 QStringLiteral("exporter adif|ctrafic REFERENCE\n"
                                                "importer REFERENCE FICHIER.adi\n"
                                                "enregistrer log|alpha REFERENCE\n"
                                                "afficher log|alpha|operateurs REFERENCE\n"
                                                "imprimer log REFERENCE --pdf FICHIER\n"
                                                "etiquettes REFERENCE --pdf FICHIER\n"
                                                "pays CTY.DAT\n"
                                                "afficher pays|departements REFERENCE"),
                                 QStringLiteral("[commande ...]"));
    orvel::addLabelCommandOptions(parser);
    // Read the arguments before any application exists: the command line needs no display,
    // so only the windows get a QApplication.
    const bool parsed = parser.parse(arguments);
    const bool windowless = !parsed || parser.isSet(helpOption) || parser.isSet(versionOption) ||
                            !parser.positionalArguments().isEmpty();
    // Labels are drawn with fonts, which need a Gui application, but never a display.
    const bool labels = parsed && !parser.positionalArguments().isEmpty() &&
                        parser.positionalArguments().first() == QLatin1String("etiquettes");
    std::unique_ptr<QCoreApplication> app;
    if (labels || (windowless && parsed &&
                   orvel::listingCommandPaints(parser.positionalArguments()))) {
        // Printing to a file needs fonts, not a display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else if (windowless) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        orvel::prepareEmbeddedBrowser();
        app = std::make_unique<QApplication>(argc, argv);
        // The desktop's task list shows the program's menu entry and icon. The display name
        // stays unset: the window system would add it to every window's caption.
        QGuiApplication::setDesktopFileName(QStringLiteral("fr.q1brv.OrvelMulti"));
        QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/fr.q1brv.OrvelMulti.svg")));
    }
    // Read again once the French texts are loaded, so that the parser's own messages
    // ("Option inconnue") are in French too.
    orvel::installFrenchTranslations();
    if (!parser.parse(QCoreApplication::arguments())) {
        QTextStream(stderr) << parser.errorText() << Qt::endl;
        return 1;
    }
    if (parser.isSet(helpOption))
        parser.showHelp(0);
    if (parser.isSet(versionOption))
        parser.showVersion();

    if (parser.isSet(folderOption)) {
        if (const auto problem = orvel::folderOptionProblem(parser.value(folderOption))) {
            QTextStream(stderr) << *problem << Qt::endl;
            if (!windowless)
                orvel::WidgetDialogs().message(*problem);
            return 1;
        }
    }

    // An export only reads the logs and writes its own files, through scratch files of its
    // own: it may run while the windows work on the same folder, so it takes no lock.
    const QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty() && positional.first() == QLatin1String("exporter"))
        return orvel::runExportCommandLine(positional.mid(1), parser.value(folderOption));
    if (!positional.isEmpty() && positional.first() == QLatin1String("importer"))
        return orvel::runImportCommandLine(positional.mid(1), parser.value(folderOption));
    if (labels)
        return orvel::runLabelCommandLine(positional.mid(1), orvel::labelCommandOptions(parser),
                                          parser.value(folderOption));
    if (orvel::isViewCommand(positional))
        return orvel::runViewCommandLine(positional, parser, parser.value(folderOption));
    if (!positional.isEmpty() && orvel::isListingCommand(positional.first()))
        return orvel::runListingCommandLine(positional, parser.value(folderOption),
                                            parser.value(QStringLiteral("pdf")));
    if (!positional.isEmpty()) {
        QTextStream err(stderr);
        err << QStringLiteral("Commande inconnue : %1").arg(positional.join(QLatin1Char(' ')))
            << Qt::endl;
        return 1;
    }
    auto *gui = qobject_cast<QApplication *>(app.get());
    if (!gui)
        return 1;
    return orvel::runGui(*gui, parser.value(folderOption));
}
