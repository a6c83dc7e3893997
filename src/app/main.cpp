// Orvel Multi: the setup window, or one command of the command line (app/Commands).
#include "CommandTable.h"
#include "Commands.h"
#include "GuiApplication.h"
#include "common/Version.h"
#include "help/EmbeddedBrowser.h"
#include "platform/Console.h"
#include "platform/WorkingDirectory.h"
#include "records/CommandContext.h"
#include "widgets/WidgetDialogs.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QTextStream>

#include <memory>

namespace {

// A file named after the reference whose name starts with "-" ("-x.adi") is a file, not
// options x, ., a, d, i: it is handed over as "./-x.adi", the same file. Option names hold no
// ".", so only an argument with one that names an existing file is read so.
QStringList dashedFilesAsPaths(QStringList arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString &argument = arguments[i];
        if (argument == QLatin1String("--"))
            break;
        if (argument.startsWith(QLatin1Char('-')) && !argument.startsWith(QLatin1String("--")) &&
            argument.contains(QLatin1Char('.')) && QFileInfo(argument).isFile())
            argument.prepend(QLatin1String("./"));
    }
    return arguments;
}

} // namespace

int main(int argc, char **argv)
{
    orvel::useStartingConsole();
    QCoreApplication::setApplicationName(QStringLiteral("orvel-multi"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(orvel::kProgramVersion));

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    arguments = dashedFilesAsPaths(arguments);

    QCommandLineParser parser;
    orvel::addCommandLineOptions(parser);
    parser.addPositionalArgument(QStringLiteral("commande"), QString(),
                                 QStringLiteral("[commande ...]"));
    // Read the arguments before any application exists: the command line needs no display,
    // so only the windows get a QApplication.
    const bool parsed = parser.parse(arguments);
    const QString helpOption = QStringLiteral("help");
    const QString versionOption = QStringLiteral("version");
    const QString folderOption = QStringLiteral("dossier");
    const bool windowless = !parsed || parser.isSet(helpOption) || parser.isSet(versionOption) ||
                            !parser.positionalArguments().isEmpty();
    const orvel::Command *command =
        parsed ? orvel::findCommand(parser.positionalArguments().value(0)) : nullptr;
    std::unique_ptr<QCoreApplication> app;
    if (command && command->needs(parser.positionalArguments()) == orvel::CommandNeeds::Fonts) {
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
    if (!parser.parse(dashedFilesAsPaths(QCoreApplication::arguments()))) {
        QTextStream(stderr) << parser.errorText() << Qt::endl;
        return 1;
    }
    // Printed here rather than by the parser, which on Windows opens a box unless it sees a
    // console: a script reads them from standard output wherever it runs.
    if (parser.isSet(helpOption)) {
        QTextStream(stdout) << orvel::commandLineHelp();
        return 0;
    }
    if (parser.isSet(versionOption)) {
        QTextStream(stdout) << QCoreApplication::applicationName() << ' '
                            << QCoreApplication::applicationVersion() << '\n';
        return 0;
    }

    if (parser.isSet(folderOption)) {
        if (const auto problem = orvel::folderOptionProblem(parser.value(folderOption))) {
            QTextStream(stderr) << *problem << Qt::endl;
            if (!windowless)
                orvel::WidgetDialogs().message(*problem);
            return 1;
        }
    }

    const QStringList positional = parser.positionalArguments();
    if (command) {
        QTextStream out(stdout);
        QTextStream err(stderr);
        QString folder;
        if (command->usesFolder) {
            folder = orvel::commandLineFolder(parser.value(folderOption), err);
            if (folder.isEmpty())
                return 1;
        }
        orvel::CommandContext context(folder, out, err);
        return command->run(orvel::CommandLine{parser, positional}, context);
    }
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
