#include "records/Activation.h"
#include "records/QsoLine.h"
#include "support/ProgramRun.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"
#include "views/Listings.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;
using orvel::testing::readBytes;
using orvel::testing::TestPlatform;
using orvel::testing::writeFile;

namespace {

const QString kCastle = QStringLiteral("DFCF 89010");
const QString kMill = QStringLiteral("DMF 89-001");

QString activationLine(const QString &reference, const QString &name)
{
    return formatActivationLine(
        {reference, "Q9ABC", name, "0912", "89000", "Château", "05/09/13", "Auxerre", ""});
}

QString qso(const QString &time, const QString &call)
{
    return formatQsoLine(
        {"05/09/13", time, call, "89", "Jérôme", "59", "59", "SSB", "7", "", "Q9ABC"});
}

} // namespace

// Runs the built program as a user's script does, without a display.
class TestListingCommand : public QObject
{
    Q_OBJECT

private:
    TestPlatform *platform = nullptr;

    ProgramRun run(const QStringList &arguments)
    {
        return runProgram(QStringLiteral(ORVEL_EXECUTABLE),
                          QStringList{"--dossier", platform->folder()} + arguments);
    }

private slots:
    void init()
    {
        platform = new TestPlatform;
        writeFile(platform->file("Liste_Activite.txt"),
                  {activationLine(kCastle, "Château de Brivo"),
                   activationLine(kMill, "Moulin de Brivo"), "<eol>", "2"});
        writeFile(platform->file(kCastle + ".txt"),
                  {qso("08:35", "ON4ABC"), qso("08:40", "F4KLA"), qso("08:35", "ON4ABC")});
    }
    void cleanup()
    {
        delete platform;
        platform = nullptr;
    }

    void showsEachListAsTheWindowDoes_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("log") << "log"
                             << QStringList{logListEntry(1, qso("08:35", "ON4ABC")),
                                            logListEntry(2, qso("08:40", "F4KLA")),
                                            logListEntry(3, qso("08:35", "ON4ABC"))};
        QTest::newRow("alpha") << "alpha"
                               << QStringList{logListEntry(1, qso("08:40", "F4KLA")),
                                              logListEntry(2, qso("08:35", "ON4ABC"))};
        QTest::newRow("operateurs") << "operateurs" << QStringList{"F4KLA", "ON4ABC"};
    }
    void showsEachListAsTheWindowDoes()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, entries);

        const ProgramRun result = run({"afficher", kind, kCastle});

        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, entries.join('\n') + '\n');
    }

    void savesTheFilesOfTheTwoButtons()
    {
        const QString today = QDate::currentDate().toString("dd_MM_yy");
        // The reference may be given as separate words.
        const ProgramRun log = run({"enregistrer", "log", "DFCF", "89010"});
        const ProgramRun alpha = run({"enregistrer", "alpha", kCastle});

        QCOMPARE(log.exitCode, 0);
        QCOMPARE(log.out, QString("Le log a été sauvegardé sous le nom : %1_%3.txt\n"
                                  "Le log a été sauvegardé sous le nom : %2_%3.txt\n")
                              .arg(kCastle, kMill, today));
        QCOMPARE(alpha.exitCode, 0);
        for (const QString &reference : {kCastle, kMill}) {
            QVERIFY(QFile::exists(platform->file(reference + "_" + today + ".txt")));
            const QByteArray saved = readBytes(platform->file(reference + "_05_09_13 Alpha.txt"));
            QVERIFY(saved.contains("    2  05/09/13  08:35  ON4ABC"));
            QVERIFY(saved.endsWith(creditLine().toLatin1() + "\r\n"));
        }
    }

    void printsEveryListingIntoOnePdf()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        const QString pdf = platform->file("log.pdf");
        // Longer than a page: the pages break by themselves.
        QStringList log;
        for (int i = 0; i < 120; ++i)
            log << qso(QString("08:%1").arg(i % 60, 2, 10, QChar('0')),
                       i == 1 ? "F4KLA" : "ON4ABC");
        writeFile(platform->file(kCastle + ".txt"), log);

        const ProgramRun result = run({"imprimer", "log", kCastle, "--pdf", pdf});

        QCOMPARE(result.exitCode, 0);
        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(text.waitForFinished(20000));
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        // One document per open activation, each from a new page; every line and every column
        // on the paper.
        const QStringList pages = printed.split('\f', Qt::SkipEmptyParts);
        QVERIFY2(pages.size() >= 4, qPrintable(QString::number(pages.size())));
        QVERIFY(pages.at(pages.size() / 2).contains("du DMF 89-001 le Moulin de Brivo"));
        for (int n = 1; n <= 120; ++n)
            QCOMPARE(printed.count(QRegularExpression(QString("\\b%1 05/09/13 ").arg(n))), 2);
        QCOMPARE(printed.count("Château le 05/09/13 du DFCF 89010 le Château de Brivo par Q9ABC"),
                 1);
        QCOMPARE(printed.count("Château le 05/09/13 du DMF 89-001 le Moulin de Brivo par Q9ABC"),
                 1);
        QCOMPARE(printed.count(QRegularExpression("2 05/09/13 +08:01 +F4KLA +89 +Jérôme .*Q9ABC")),
                 2);
        QCOMPARE(printed.count(" 2 opérateurs différents contactés"), 2);
    }

    void refusesWhatItCannotDo_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown reference") << QStringList{"afficher", "log", "DCPF 00000"}
                                           << "Référence inconnue : DCPF 00000 ne figure pas dans";
        QTest::newRow("unknown list") << QStringList{"enregistrer", "operateurs", kCastle}
                                      << "Liste inconnue pour « enregistrer » : operateurs";
        QTest::newRow("print without --pdf")
            << QStringList{"imprimer", "log", kCastle} << "Indiquez le fichier PDF";
        QTest::newRow("unreadable log") << QStringList{"afficher", "alpha", kMill}
                                        << "Le log DMF 89-001.txt ne peut pas être lu";
        QTest::newRow("PDF in a missing folder")
            << QStringList{"imprimer", "log", kCastle, "--pdf",
                           QDir::temp().filePath("orvel-no-such-folder/log.pdf")}
            << "(dossier introuvable) ; le log n'y a pas été imprimé.";
    }
    void refusesWhatItCannotDo()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        // A folder in the place of the mill's log: it exists and cannot be read.
        QVERIFY(QDir(platform->folder()).mkdir(kMill + ".txt"));

        const ProgramRun result = run(arguments);

        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(error), qPrintable(result.err));
        QCOMPARE(result.out, QString());
    }
};

ORVEL_TEST_CLASS(TestListingCommand)
#include "tst_listingcommand.moc"
