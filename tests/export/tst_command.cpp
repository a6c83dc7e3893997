#include "StrictAdifReader.h"
#include "common/TextFile.h"
#include "records/PotaPark.h"
#include "records/Activation.h"
#include "records/QsoLine.h"
#include "support/ProgramRun.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;
using orvel::testing::readBytes;
using orvel::testing::TestPlatform;
using orvel::testing::writeFile;

namespace {

QString activationLine(const QString &reference, const QString &activator)
{
    Activation a;
    a.reference = reference;
    a.activator = activator;
    a.name = "Chateau";
    a.date = "05/09/13";
    return formatActivationLine(a);
}

QString qso(const QString &call)
{
    return formatQsoLine({"05/09/13", "08:35", call, "34", "", "59", "59", "SSB", "7", "", ""});
}

} // namespace

// Runs the built program as a user's script does.
class TestExportCommand : public QObject
{
    Q_OBJECT

private:
    TestPlatform *platform = nullptr;

    ProgramRun run(const QStringList &arguments)
    {
        return runProgram(QStringLiteral(ORVEL_EXECUTABLE), arguments);
    }
    ProgramRun exportIn(const QString &format, const QString &reference)
    {
        return run({"--dossier", platform->folder(), "exporter", format, reference});
    }

private slots:
    void init()
    {
        platform = new TestPlatform;
        // A group of two, then an activation outside any group.
        writeFile(platform->file("Liste_Activite.txt"),
                  {activationLine("DFCF 89010", "Q9OLD"), activationLine("WFF FFF-0123", "Q9ABC"),
                   activationLine("DFCF 89010", "Q9ABC"), "<eol>", "2",
                   activationLine("DMSM 29-001", "Q9ABC")});
        writeFile(platform->file("DFCF 89010.txt"), {qso("F4AAA")});
        writeFile(platform->file("WFF FFF-0123.txt"), {qso("F4BBB")});
    }
    void cleanup()
    {
        delete platform;
        platform = nullptr;
    }

    void exportsTheWholeGroupAsAClickOpensIt()
    {
        const ProgramRun result = exportIn("adif", "WFF FFF-0123");
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QString("Le fichier a été crée sous le nom WFF FFF-0123.adi\n"
                                     "Le fichier a été crée sous le nom DFCF 89010.adi\n"));
        // Fields from the later line of the reference; standard file from the current log.
        const QByteArray wff = readBytes(platform->file("WFF FFF-0123.adi"));
        QVERIFY(wff.startsWith("Exportation du log Brivo_Orvel de Q9ABC au format ADIF\r\n"));
        QVERIFY(wff.contains("<call:5>F4BBB "));
        QVERIFY(wff.contains("<STATION_CALLSIGN:5>Q9ABC "));
        QVERIFY(readBytes(platform->file("DFCF 89010.adi")).contains("<call:5>F4BBB "));
    }

    // A castle in a WWFF park that lies in two POTA parks, registered as one group.
    void exportsThePotaParksOfTheGroup()
    {
        const QStringList group = {"DFCF 76001", "WFF FFF-0123", "POTA FR-0123", "POTA FR-0456"};
        QStringList list;
        for (const QString &reference : group) {
            list.append(activationLine(reference, "Q4XYZ/P"));
            writeFile(platform->file(reference + ".txt"), {qso("F4AAA")});
        }
        writeFile(platform->file("Liste_Activite.txt"),
                  list + QStringList{"<eol>", "4", activationLine("POTA FR-12", "Q4XYZ/P")});
        writeFile(platform->file("POTA FR-12.txt"), {qso("F4AAA")});

        const ProgramRun result = exportIn("adif", "POTA FR-0456");
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.out.contains("Q4XYZ_P@FR-0123-20130905.adi\n"
                                     "FR-0123 le 05/09/13 : 1 QSO, activation non validée"),
                 qPrintable(result.out));
        for (const char *file :
             {"DFCF 76001.adi", "WFF FFF-0123.adi", "POTA FR-0123.adi", "POTA FR-0456.adi",
              "Q4XYZ_P@FR-0123-20130905.adi", "Q4XYZ_P@FR-0456-20130905.adi"})
            QCOMPARE(readStrictAdif(readBytes(platform->file(file))).error, QString());
        QVERIFY(readBytes(platform->file("Q4XYZ_P@FR-0456-20130905.adi"))
                    .contains("<MY_POTA_REF:7>FR-0456 "));

        const ProgramRun refused = exportIn("adif", "POTA FR-12");
        QCOMPARE(refused.exitCode, 1);
        QCOMPARE(refused.err, refusedParkMessage("POTA FR-12") + "\n");
        QVERIFY(!QFile::exists(platform->file("POTA FR-12.adi")));
    }

    void exportsCTraficOfTheReference()
    {
        const ProgramRun result =
            run({"--dossier", platform->folder(), "exporter", "ctrafic", "DFCF", "89010"});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QString("Le fichier a été crée sous le nom DFCF 89010.ctf\n"));
        QCOMPARE(readBytes(platform->file("DFCF 89010.ctf")).size(), 201);
        QVERIFY(!QFile::exists(platform->file("WFF FFF-0123.ctf")));
    }

    void refusesWithAFrenchMessage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown reference")
            << QStringList{"adif", "DFCF 00000"} << "Référence inconnue : DFCF 00000";
        QTest::newRow("missing log") << QStringList{"adif", "DMSM 29-001"}
                                     << "Erreur  53 : le fichier DMSM 29-001.txt est introuvable";
        QTest::newRow("unknown format")
            << QStringList{"pdf", "DFCF 89010"} << "Format d'export inconnu : pdf";
        QTest::newRow("no reference") << QStringList{"adif"} << "Il manque le format";
    }
    void refusesWithAFrenchMessage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        const ProgramRun result =
            run(QStringList{"--dossier", platform->folder(), "exporter"} + arguments);
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(error), qPrintable(result.err));
        QVERIFY(!QFile::exists(platform->file("DMSM 29-001 Sp.adi")));
    }

    // Nothing is written outside the data folder, whatever the list says.
    void refusesReferencesThatLeaveTheFolder_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::newRow("listed reference") << "../x";
        QTest::newRow("group of a listed reference") << "DFCF 2";
        QTest::newRow("absolute path, not listed") << "/tmp/x";
    }
    void refusesReferencesThatLeaveTheFolder()
    {
        QFETCH(QString, reference);
        QVERIFY(QDir(platform->folder()).mkdir("data"));
        const QString folder = platform->file("data");
        writeFile(
            folder + "/Liste_Activite.txt",
            {activationLine("../x", "Q9ABC"), activationLine("DFCF 2", "Q9ABC"), "<eol>", "2"});
        writeFile(platform->file("x.txt"), {qso("F4AAA")});
        writeFile(folder + "/DFCF 2.txt", {qso("F4AAA")});
        const ProgramRun result = run({"--dossier", folder, "exporter", "adif", reference});
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains("ne peut pas être ouverte"), qPrintable(result.err));
        QCOMPARE(QDir(platform->folder()).entryList({"x*"}, QDir::Files), QStringList{"x.txt"});
        QCOMPARE(readBytes(platform->file("x.txt")), fileBytes({qso("F4AAA")}));
        QCOMPARE(QDir(folder).entryList(QDir::Files),
                 (QStringList{"DFCF 2.txt", "Liste_Activite.txt"}));
    }

    void writeFailureExitsWithOne()
    {
        QVERIFY(QDir(platform->folder()).mkdir("DFCF 89010.ctf"));
        const ProgramRun result = exportIn("ctrafic", "DFCF 89010");
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.startsWith("Erreur  75 : "), qPrintable(result.err));
        QCOMPARE(result.out, QString());
    }

    void commandLineMistakesAreToldInFrench_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown option") << QStringList{"--bogus"} << "Option inconnue";
        QTest::newRow("empty folder name")
            << QStringList{"--dossier", "", "exporter", "adif", "DFCF 89010"}
            << "L'option --dossier demande le nom du dossier des données.";
        QTest::newRow("file as folder")
            << QStringList{"--dossier", "FILE", "exporter", "adif", "DFCF 89010"}
            << "n'est pas un dossier : l'option --dossier demande le dossier des données.";
    }
    void commandLineMistakesAreToldInFrench()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        arguments.replaceInStrings(QRegularExpression("^FILE$"), platform->file("DFCF 89010.txt"));
        const ProgramRun result = run(arguments);
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(error), qPrintable(result.err));
        QCOMPARE(result.out, QString());
    }

    void missingFolderIsNotCreated()
    {
        const QString folder = platform->file("absent");
        const ProgramRun result = run({"--dossier", folder, "exporter", "adif", "DFCF 89010"});
        QCOMPARE(result.exitCode, 1);
        QVERIFY(result.err.contains("n'existe pas"));
        QVERIFY(!QFile::exists(folder));
    }
};

ORVEL_TEST_CLASS(TestExportCommand)
#include "tst_command.moc"
