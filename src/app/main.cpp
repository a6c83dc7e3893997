// Orvel Multi: the setup window, or an export run from the command line.
#include "GuiApplication.h"
#include "export/ExportCommand.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstring>
#include <memory>

namespace {

bool isCommandLineRun(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "exporter") == 0 || std::strcmp(argv[i], "--help") == 0
            || std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--version") == 0
            || std::strcmp(argv[i], "-v") == 0)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("orvel-multi"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.4c"));

    // The command line needs no display.
    std::unique_ptr<QCoreApplication> app;
    if (isCommandLineRun(argc, argv))
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Orvel Multi : carnet de trafic pour les activations de références."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption folderOption(
        QStringLiteral("dossier"), QStringLiteral("Dossier des fichiers de données."),
        QStringLiteral("DOSSIER"));
    parser.addOption(folderOption);
    parser.addPositionalArgument(QStringLiteral("commande"),
                                 QStringLiteral("exporter adif|ctrafic REFERENCE"),
                                 QStringLiteral("[exporter adif|ctrafic REFERENCE]"));
    parser.process(*app);

    const QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty() && positional.first() == QLatin1String("exporter"))
        return orvel::runExportCommandLine(positional.mid(1), parser.value(folderOption));
    if (!positional.isEmpty()) {
        QTextStream err(stderr);
        err << QStringLiteral("Commande inconnue : %1").arg(positional.join(QLatin1Char(' ')))
            << Qt::endl;
        return 1;
    }
    return orvel::runGui(*static_cast<QApplication *>(app.get()), parser.value(folderOption));
}
