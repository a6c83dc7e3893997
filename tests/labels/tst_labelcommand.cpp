#include "LabelDesk.h"
#include "support/ProgramRun.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

using namespace orvel;
using namespace orvel::testing;

// Runs the built program as a print shop's script does, with the user's settings in a
// folder of the test's own.
class TestLabelCommand : public QObject
{
    Q_OBJECT

    TestPlatform platform;

    ProgramRun run(const QStringList &arguments)
    {
        return runProgram(QStringLiteral(ORVEL_EXECUTABLE),
                          QStringList{"--dossier", platform.folder(), "etiquettes"} + arguments,
                          {{"XDG_CONFIG_HOME", platform.file("config")}}, 120000);
    }

    // The settings store the program reads: the user's "Orvel" file.
    void storeSetting(const QString &key, const QString &value)
    {
        QSettings settings(platform.file("config/Orvel/Orvel.conf"), QSettings::NativeFormat);
        settings.setValue("Setup /" + key, value);
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        writeFile(platform.file("Liste_Activite.txt"),
                  {formatActivationLine(castle()), formatActivationLine(mill())});
        QStringList log;
        for (int i = 0; i < 50; ++i)
            log.append(labelQsoLine(QString("Q%1ABC").arg(49 - i, 2, 10, QLatin1Char('0'))));
        writeFile(platform.file("DFCF 34005.txt"), log);
        storeSetting("Antenne", "Dipole 2x10m");
        storeSetting("N° Etiquette", "4");
    }

    void printsEveryQsoOfTheLogIntoAPdf()
    {
        const QString path = platform.file("print shop.pdf");
        const ProgramRun result = run({"DFCF", "34005", "--pdf", path, "--format", "5", "--anglais",
                                       "--avec", "DMF 34015", "--tx", "FT47 100 W"});
        QCOMPARE(result.exitCode, 0);
        const QString text = pdfText(path);
        QCOMPARE(pdfPages(text), 3); // 50 labels, 24 a sheet
        for (int i = 0; i < 50; ++i)
            QVERIFY(text.contains(
                QString("Confirming QSO with Q%1ABC 76").arg(i, 2, 10, QLatin1Char('0'))));
        QVERIFY(text.contains("DMF 34015 Moulin de Laprée"));
        QVERIFY(text.contains("Ant: Dipole 2x10m"));
        QVERIFY(text.indexOf("Q00ABC") < text.indexOf("Q01ABC"));
    }

    void takesTheFormatOfTheSettings()
    {
        const QString path = platform.file("format4.pdf");
        const ProgramRun result = run({"DFCF 34005", "--pdf", path});
        QCOMPARE(result.exitCode, 0);
        const QString text = pdfText(path);
        QCOMPARE(pdfPages(text), 4); // 25 rows of two, 8 a sheet
        QVERIFY(text.contains("Confirme le QSO avec Q49ABC 76"));
    }

    void aTooLongTextPrintsNothing()
    {
        const QString path = platform.file("refused.pdf");
        const ProgramRun result =
            run({"DFCF 34005", "--pdf", path, "--antenne", "Long wire 84 metres"});
        QCOMPARE(result.exitCode, 1);
        QVERIFY(result.err.contains("12 caracteres maxi"));
        QVERIFY(!QFile::exists(path));
        QSettings settings(platform.file("config/Orvel/Orvel.conf"), QSettings::NativeFormat);
        QCOMPARE(settings.value("Setup /Antenne").toString(), QString("Dipole 2x10m"));
    }

    void aFileThatCannotBeWrittenIsAFailure_data()
    {
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing folder")
            << QStringList{"--pdf", "absent/etiquettes.pdf"} << "(dossier introuvable)";
        QTest::newRow("offset out of range")
            << QStringList{"--pdf", "etiquettes.pdf", "--decalage", "1.5,-12"}
            << "Décalage refusé : 1.5,-12.";
        QTest::newRow("a log's name for the PDF")
            << QStringList{"--pdf", "DFCF 34005.txt"} << "porte le nom d'un fichier de données";
    }
    void aFileThatCannotBeWrittenIsAFailure()
    {
        QFETCH(QStringList, extra);
        QFETCH(QString, error);
        extra[1] = platform.file(extra.at(1));
        const QByteArray log = readBytes(platform.file("DFCF 34005.txt"));
        const bool logTarget = extra.at(1).endsWith(".txt");
        const ProgramRun result = run(QStringList{"DFCF 34005"} + extra);
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(error), qPrintable(result.err));
        QVERIFY(!result.out.contains("étiquette(s)"));
        QCOMPARE(QFile::exists(extra.at(1)), logTarget);
        QCOMPARE(readBytes(platform.file("DFCF 34005.txt")), log);
    }
};

ORVEL_TEST_CLASS(TestLabelCommand)
#include "tst_labelcommand.moc"
