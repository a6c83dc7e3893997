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
    void importsFromTheCommandLine()
    {
        TestPlatform platform;
        Activation activation;
        activation.reference = QStringLiteral("DFCF 89010");
        activation.activator = QStringLiteral("Q1ABC");
        activation.date = QStringLiteral("01/05/24");
        writeFile(platform.file("Liste_Activite.txt"), {formatActivationLine(activation)});
        QFile adi(platform.file("log.adi"));
        QVERIFY(adi.open(QIODevice::WriteOnly));
        adi.write(
            "<CALL:5>G4BBB <QSO_DATE:8>20240501 <TIME_ON:4>0930 <BAND:3>20m <MODE:2>CW <EOR>");
        adi.close();
        const ProgramRun run = runProgram(
            QStringLiteral(ORVEL_EXECUTABLE),
            {"--dossier", platform.folder(), "importer", "DFCF 89010", platform.file("log.adi")});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QString("1 QSO importé, 0 déjà dans le log, 0 refusé\n"));
        QCOMPARE(readLines(platform.file("DFCF 89010.txt")).size(), 1);
    }

    // A file whose name starts with "-" after the reference is the file to import.
    void aFileNamedWithADashIsAFile()
    {
        TestPlatform platform;
        Activation activation;
        activation.reference = QStringLiteral("DFCF 89010");
        activation.activator = QStringLiteral("Q1ABC");
        writeFile(platform.file("Liste_Activite.txt"), {formatActivationLine(activation)});
        QFile adi(platform.file("-x.adi"));
        QVERIFY(adi.open(QIODevice::WriteOnly));
        adi.write(
            "<CALL:5>G4BBB <QSO_DATE:8>20240501 <TIME_ON:4>0930 <BAND:3>20m <MODE:2>CW <EOR>");
        adi.close();
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(platform.folder()));
        const ProgramRun run = runProgram(QStringLiteral(ORVEL_EXECUTABLE),
                                          {"--dossier", ".", "importer", "DFCF 89010", "-x.adi"});
        QDir::setCurrent(before);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(readLines(platform.file("DFCF 89010.txt")).size(), 1);
    }
};

ORVEL_TEST_CLASS(TestImportRun)
#include "tst_importrun.moc"
