#include "common/TextFile.h"
#include "records/Activation.h"
#include "records/QsoLine.h"
#include "support/ProgramRun.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;

// The built program run as "orvel-multi --dossier D importer REF FILE.adi", as a script runs it.
class TestImportRun : public QObject
{
    Q_OBJECT

private slots:
    void importsFromTheCommandLine_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<int>("lines");
        QTest::newRow("ADIF") << QByteArray("<CALL:5>G4BBB <QSO_DATE:8>20240501 <TIME_ON:4>0930 "
                                            "<BAND:3>20m <MODE:2>CW <EOR>")
                              << 0 << "1 QSO importés, 0 déjà dans le log, 0 refusés\n"
                              << 1;
        QTest::newRow("not ADIF") << QByteArray("G4BBB 01/05/24 09:30") << 1 << QString() << 0;
    }
    void importsFromTheCommandLine()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(int, lines);
        TestPlatform platform;
        Activation activation;
        activation.reference = QStringLiteral("DFCF 89010");
        activation.activator = QStringLiteral("Q1ABC");
        activation.date = QStringLiteral("01/05/24");
        writeFile(platform.file("Liste_Activite.txt"), {formatActivationLine(activation)});
        QFile adi(platform.file("log.adi"));
        QVERIFY(adi.open(QIODevice::WriteOnly));
        adi.write(file);
        adi.close();
        const ProgramRun run = runProgram(
            QStringLiteral(ORVEL_EXECUTABLE),
            {"--dossier", platform.folder(), "importer", "DFCF 89010", platform.file("log.adi")});
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.out, out);
        QCOMPARE(run.err.isEmpty(), exitCode == 0);
        QCOMPARE(readLines(platform.file("DFCF 89010.txt")).size(), lines);
    }
};

ORVEL_TEST_CLASS(TestImportRun)
#include "tst_importrun.moc"
