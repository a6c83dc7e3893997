// Orvel Multi: the setup window, or an export run from the command line.
#include "GuiApplication.h"
#include "export/ExportCommand.h"
#include "help/EmbeddedBrowser.h"
#include "help/Version.h"
#include "labels/LabelPrinting.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
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
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption folderOption(QStringLiteral("dossier"),
                                          QStringLiteral("Dossier des fichiers de données."),
                                          QStringLiteral("DOSSIER"));
    parser.addOption(folderOption);
    parser.addPositionalArgument(
        QStringLiteral("commande"),
        QStringLiteral("exporter adif|ctrafic REFERENCE, ou etiquettes REFERENCE --pdf FICHIER"),
        QStringLiteral("[exporter adif|ctrafic REFERENCE | etiquettes REFERENCE --pdf FICHIER]"));
    orvel::addLabelCommandOptions(parser);
    // Read the arguments before any application exists: the command line needs no display,
    // so only the windows get a QApplication.
    const bool parsed = parser.parse(arguments);
    const bool windowless = !parsed || parser.isSet(helpOption) || parser.isSet(versionOption) ||
                            arguments.contains(QStringLiteral("--help-all")) ||
                            !parser.positionalArguments().isEmpty();
    // Labels are drawn with fonts, which need a Gui application, but never a display.
    const bool labels = parsed && !parser.positionalArguments().isEmpty() &&
                        parser.positionalArguments().first() == QLatin1String("etiquettes");
    std::unique_ptr<QCoreApplication> app;
    if (labels) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else if (windowless) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        orvel::prepareEmbeddedBrowser();
        app = std::make_unique<QApplication>(argc, argv);
        // The message boxes' title bars and the desktop's task list show the program's name
        // and its menu icon.
        QGuiApplication::setApplicationDisplayName(QStringLiteral("Orvel Multi"));
        QGuiApplication::setDesktopFileName(QStringLiteral("fr.q1brv.OrvelMulti"));
        QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/fr.q1brv.OrvelMulti.svg")));
    }
    parser.process(*app);

    const QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty() && positional.first() == QLatin1String("exporter"))
        return orvel::runExportCommandLine(positional.mid(1), parser.value(folderOption));
    if (labels)
        return orvel::runLabelCommandLine(positional.mid(1), orvel::labelCommandOptions(parser),
                                          parser.value(folderOption));
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
