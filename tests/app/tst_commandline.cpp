#include "common/Version.h"
#include "records/Activation.h"
#include "records/QsoLine.h"
#include "support/ProgramRun.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;

namespace {

// Made absolute once, while the working folder is the test's own: under Wine a path without
// a drive letter names a place on the current drive, which a test may change.
const QString &program()
{
    static const QString path = QFileInfo(QStringLiteral(ORVEL_EXECUTABLE)).absoluteFilePath();
    return path;
}

ProgramRun run(const QStringList &arguments)
{
    return runProgram(program(), arguments);
}

} // namespace

// The command line as a script reads it, the same on every system: UTF-8 text with LF line
// ends on standard output, never a box, and folders named the system's way.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void printsHelpAndVersionForAScript_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        const QString version =
            QStringLiteral("orvel-multi %1\n").arg(QString::fromLatin1(kProgramVersion));
        QTest::newRow("--version") << QStringList{"--version"} << version;
        QTest::newRow("-v") << QStringList{"-v"} << version;
        QTest::newRow("--help") << QStringList{"--help"} << "Affiche la version du programme.";
        QTest::newRow("-h, with a command") << QStringList{"-h", "exporter"} << "--dossier DOSSIER";
        QTest::newRow("--help, the label command and its options")
            << QStringList{"--help"} << "etiquettes REFERENCE --pdf FICHIER [--format 1-5]";
    }
    void printsHelpAndVersionForAScript()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const ProgramRun result = run(arguments);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.err, QString());
        if (expected.endsWith('\n'))
            QCOMPARE(result.out, expected);
        else
            QVERIFY2(result.out.contains(expected), qPrintable(result.out));
        QVERIFY(result.out.endsWith('\n'));
        QVERIFY(!result.out.contains('\r'));
    }

    // "C:\Radio\Logs" on Windows, "/home/x/Radio/Logs" elsewhere; relative names too.
    void takesAFolderNamedTheSystemsWay_data()
    {
        QTest::addColumn<bool>("absolute");
        QTest::newRow("absolute") << true;
        QTest::newRow("relative to the working folder") << false;
    }
    void takesAFolderNamedTheSystemsWay()
    {
        QFETCH(bool, absolute);
        TestPlatform platform;
        QVERIFY(QDir(platform.folder()).mkpath("Radio/Logs"));
        const QString folder = platform.file("Radio/Logs");
        Activation activation;
        activation.reference = "DFCF 89010";
        activation.activator = "Q9ABC";
        activation.date = "05/09/13";
        writeFile(folder + "/Liste_Activite.txt", {formatActivationLine(activation)});
        writeFile(folder + "/DFCF 89010.txt",
                  {formatQsoLine({"05/09/13", "08:35", "F4AAA", "34", "Hélène", "59", "59", "SSB",
                                  "7", "", ""})});
        program();
        const QString former = QDir::currentPath();
        QVERIFY(QDir::setCurrent(platform.folder()));
        const QString given = QDir::toNativeSeparators(absolute ? folder : "Radio/Logs");
        const ProgramRun result = run({"--dossier", given, "exporter", "ctrafic", "DFCF 89010"});
        QDir::setCurrent(former);
        QCOMPARE(result.err, QString());
        QCOMPARE(result.out, QString("Le fichier a été crée sous le nom DFCF 89010.ctf\n"));
        QCOMPARE(result.exitCode, 0);
        QVERIFY(readBytes(folder + "/DFCF 89010.ctf").contains("H\xe9l\xe8ne"));
    }
};

ORVEL_TEST_CLASS(TestCommandLine)
#include "tst_commandline.moc"
