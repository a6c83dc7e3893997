#include "common/TextFile.h"
#include "records/Activation.h"
#include "records/QsoLine.h"
#include "support/ProgramRun.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;

// The built program run as "orvel-multi --dossier D importer REF FILE.adi", as a script runs it.
class TestImportRun : public QObject
{
    Q_OBJECT

private slots:
    // The file named as a user types it: a path, or a name starting with "-" in the current
    // folder, which is the file to import and not options.
    void importsFromTheCommandLine_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("fromTheFolder"); // named without its folder, from inside it
        QTest::newRow("a path") << "log.adi" << false;
        QTest::newRow("a name starting with a dash") << "-x.adi" << true;
    }
    void importsFromTheCommandLine()
    {
        QFETCH(QString, fileName);
        QFETCH(bool, fromTheFolder);
        TestPlatform platform;
        Activation activation;
        activation.reference = QStringLiteral("DFCF 89010");
        activation.activator = QStringLiteral("Q1ABC");
        activation.date = QStringLiteral("01/05/24");
        writeFile(platform.file("Liste_Activite.txt"), {formatActivationLine(activation)});
        QFile adi(platform.file(fileName));
        QVERIFY(adi.open(QIODevice::WriteOnly));
        adi.write(
            "<CALL:5>G4BBB <QSO_DATE:8>20240501 <TIME_ON:4>0930 <BAND:3>20m <MODE:2>CW <EOR>");
        adi.close();
        const QString before = QDir::currentPath();
        if (fromTheFolder)
            QVERIFY(QDir::setCurrent(platform.folder()));
        const ProgramRun run = runProgram(QStringLiteral(ORVEL_EXECUTABLE),
                                          {"--dossier", platform.folder(), "importer", "DFCF 89010",
                                           fromTheFolder ? fileName : platform.file(fileName)});
        QDir::setCurrent(before);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QString("1 QSO importé, 0 déjà dans le log, 0 refusé\n"));
        QCOMPARE(readLines(platform.file("DFCF 89010.txt")).size(), 1);
    }
};

ORVEL_TEST_CLASS(TestImportRun)
#include "tst_importrun.moc"
