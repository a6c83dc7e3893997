// Orvel Multi: the setup window, or an export run from the command line.
#include "GuiApplication.h"
#include "export/ExportCommand.h"
#include "platform/WidgetDialogs.h"
#include "platform/WorkingDirectory.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <memory>

int main(int argc, char **argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("orvel-multi"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.4c"));

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
    parser.addPositionalArgument(QStringLiteral("commande"),
                                 QStringLiteral("exporter adif|ctrafic REFERENCE"),
                                 QStringLiteral("[exporter adif|ctrafic REFERENCE]"));
    // Read the arguments before any application exists: the command line needs no display,
    // so only the windows get a QApplication.
    const bool parsed = parser.parse(arguments);
    const bool windowless = !parsed || parser.isSet(helpOption) || parser.isSet(versionOption) ||
                            !parser.positionalArguments().isEmpty();
    std::unique_ptr<QCoreApplication> app;
    if (windowless)
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
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
