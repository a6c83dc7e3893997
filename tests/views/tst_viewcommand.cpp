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
using orvel::testing::TestPlatform;
using orvel::testing::writeFile;

namespace {

QString qso(const QString &call, const QString &department, const QString &band = "14")
{
    return formatQsoLine(
        {"05/09/13", "08:35", call, department, "", "59", "59", "SSB", band, "", ""});
}

ProgramRun run(const QStringList &arguments)
{
    return runProgram(QStringLiteral(ORVEL_EXECUTABLE), arguments);
}

} // namespace

// The views from the command line, run as a user's script runs them.
class TestViewCommand : public QObject
{
    Q_OBJECT

private:
    TestPlatform *platform = nullptr;

private slots:
    void init()
    {
        platform = new TestPlatform;
        Activation activation;
        activation.reference = "DFCF 89010";
        activation.activator = "Q1ABC";
        writeFile(platform->file("Liste_Activite.txt"), {formatActivationLine(activation)});
        writeFile(platform->file("DFCF 89010.txt"),
                  {qso("F5AAA", "2b"), qso("F5BBB", "00"), qso("EA8AA", ""), qso("F5CCC", "99"),
                   qso("F5DDD", "01"), qso("F5EEE", "2A"), qso("F5FFF", "45", "7")});
    }
    void cleanup() { delete platform; }

    void printsTheDepartmentsOfABandAndMode()
    {
        const ProgramRun r = run({"--dossier", platform->folder(), "afficher", "departements",
                                  "DFCF 89010", "--bande", "14 Mhz", "--mode", "SSB"});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QString("4\n00\n01\n2a\n2b\n99\n"));
        // The built-in table came with the command, as with the program's start.
        QVERIFY(QFile::exists(platform->file("Continents_DXCC.csv")));
    }

    void printsTheCountries()
    {
        writeFile(platform->file("Continents_DXCC.csv"),
                  {"EA8;Canary Islands;EA8;AF", "F;France;F;EU"});
        const ProgramRun r =
            run({"--dossier", platform->folder(), "afficher", "pays", "DFCF 89010"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QString("EA8   Canary Islands\nF     France\n"));
    }

    // The developer's notes (a stray line of the country table, here) stay off the user's
    // terminal unless asked for.
    void keepsDeveloperNotesOffTheTerminal_data()
    {
        QTest::addColumn<QString>("rules");
        QTest::addColumn<bool>("shown");
        QTest::newRow("by default") << "" << false;
        QTest::newRow("asked for") << "orvel.*=true" << true;
    }
    void keepsDeveloperNotesOffTheTerminal()
    {
        QFETCH(QString, rules);
        QFETCH(bool, shown);
        writeFile(platform->file("Continents_DXCC.csv"),
                  {"EA8;Canary Islands;EA8;AF", "F;France;F;EU", "une note"});
        QHash<QString, QString> environment;
        if (!rules.isEmpty())
            environment.insert("QT_LOGGING_RULES", rules);

        const ProgramRun r = runProgram(
            QStringLiteral(ORVEL_EXECUTABLE),
            {"--dossier", platform->folder(), "afficher", "pays", "DFCF 89010"}, environment);

        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QString("EA8   Canary Islands\nF     France\n"));
        QCOMPARE(r.err.contains("orvel.views"), shown);
        if (!shown)
            QCOMPARE(r.err, QString());
    }

    void refusesWhatItCannotShow_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown reference")
            << QStringList{"afficher", "pays", "DFCF 00000"} << "Référence inconnue : DFCF 00000";
        QTest::newRow("no band") << QStringList{"afficher", "departements", "DFCF 89010", "--mode",
                                                "SSB"}
                                 << "Il faut la bande et le mode";
        QTest::newRow("nothing to show") << QStringList{"afficher", "cartes", "DFCF 89010"}
                                         << "Liste inconnue pour « afficher » : cartes (log, "
                                            "alpha, operateurs, pays, departements)";
        QTest::newRow("unreadable country file")
            << QStringList{"pays", "/nonexistent/cty.dat"} << "Impossible de lire";
#ifndef Q_OS_WIN
        QTest::newRow("device as country file")
            << QStringList{"pays", "/dev/zero"}
            << "Impossible de lire /dev/zero : ce n'est pas un fichier ordinaire";
#endif
        QTest::newRow("reference of the first-name memory")
            << QStringList{"afficher", "pays", "Liste_Prenom"}
            << "La référence « Liste_Prenom » ne peut pas être ouverte";
    }
    void refusesWhatItCannotShow()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        const ProgramRun r = run(QStringList{"--dossier", platform->folder()} + arguments);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(error), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }

    // A new cty.dat replaces the table; a broken one leaves it as it was.
    void convertsACountryFileIntoTheTable()
    {
        writeFile(platform->file("Continents_DXCC.csv"), {"F;Ma France;F;EU"});
        const QString broken = platform->file("broken.dat");
        writeFile(broken, {"France: 14: 27: EU: 46.00: -2.00: -1.0: F:", "    F,TM"});
        ProgramRun r = run({"--dossier", platform->folder(), "pays", broken});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains("ne finit pas par « ; »"));
        QCOMPARE(readLines(platform->file("Continents_DXCC.csv")), QStringList{"F;Ma France;F;EU"});

        const QString good = platform->file("cty.dat");
        writeFile(good, {"France: 14: 27: EU: 46.00: -2.00: -1.0: F:", "    F,TM,=F5ZZZ;"});
        r = run({"--dossier", platform->folder(), "pays", good});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.contains("2 préfixes de 1 pays (1 indicatifs exacts laissés de côté)"));
        QCOMPARE(readLines(platform->file("Continents_DXCC.csv")),
                 (QStringList{"TM;France;F;EU;14;27;46.00;-2.00;-1.0",
                              "F;France;F;EU;14;27;46.00;-2.00;-1.0"}));
    }
};

ORVEL_TEST_CLASS(TestViewCommand)
#include "tst_viewcommand.moc"
