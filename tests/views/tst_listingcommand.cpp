#include "common/TextFile.h"
#include "records/Activation.h"
#include "records/QsoLine.h"
#include "support/ProgramRun.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"
#include "views/Listings.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

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

    // A closed group of the castle and a reference of a hand-edited list that cannot name a
    // file: the castle's listing is saved, the other is told, nothing is written elsewhere.
    void savesTheGroupWithoutTheReferencesThatCannotNameAFile_data()
    {
        QTest::addColumn<QString>("hostile");
        QTest::addColumn<QString>("shown");
        QTest::newRow("parent folder") << "../b"
                                       << "../b";
        QTest::newRow("absolute path") << "/tmp/orvelcl"
                                       << "/tmp/orvelcl";
        QTest::newRow("NUL") << QString("DMF 2.txt") + QChar(0) + "x"
                             << "DMF 2.txt\\x00x";
        QTest::newRow("first-name memory") << "Liste_Prenom"
                                           << "Liste_Prenom";
        QTest::newRow("first-name memory in capitals") << "LISTE_PRENOM"
                                                       << "LISTE_PRENOM";
    }
    void savesTheGroupWithoutTheReferencesThatCannotNameAFile()
    {
        QFETCH(QString, hostile);
        QFETCH(QString, shown);
        // Written as an editor leaves it: the line keeps its control characters.
        QString hostileLine = activationLine("X", "Ailleurs");
        hostileLine.replace(0, hostile.size(), hostile);
        writeFile(platform->file("Liste_Activite.txt"),
                  {hostileLine, activationLine(kCastle, "Château de Brivo"), "<eol>", "2"});
        writeFile(platform->file("DMF 2.txt"), {qso("08:00", "F1AAA")});
        writeFile(platform->file("Liste_Prenom.txt"), {"F1AAA       89  Jean"});
        const QString today = QDate::currentDate().toString("dd_MM_yy");
        QStringList before = QDir(platform->folder()).entryList(QDir::Files);
        const QByteArray list = readBytes(platform->file("Liste_Activite.txt"));

        for (const QString kind : {"log", "alpha"}) {
            const ProgramRun result = run({"enregistrer", kind, kCastle});

            QCOMPARE(result.exitCode, 1);
            QVERIFY2(result.out.startsWith("Le log a été sauvegardé sous le nom : " + kCastle),
                     qPrintable(result.out));
            QVERIFY2(
                result.err.startsWith(
                    QString("Le log de la référence « %1 » n'a pas été sauvegardé").arg(shown)),
                qPrintable(result.err));
            QVERIFY(!result.err.contains(QChar(0)));
            QVERIFY2(!result.err.contains("orvel.") && !result.err.contains("Broken"),
                     qPrintable(result.err));
        }
        QCOMPARE(readBytes(platform->file("DMF 2.txt")), fileBytes({qso("08:00", "F1AAA")}));
        QCOMPARE(readLines(platform->file("Liste_Prenom.txt")),
                 QStringList{"F1AAA       89  Jean"});
        QCOMPARE(readBytes(platform->file("Liste_Activite.txt")), list);
        QStringList after = QDir(platform->folder()).entryList(QDir::Files);
        before << kCastle + "_" + today + ".txt" << kCastle + "_05_09_13 Alpha.txt";
        before.sort();
        after.sort();
        QCOMPARE(after, before);
        QVERIFY(!QFileInfo::exists(platform->folder() + "/../b_" + today + ".txt"));
        QVERIFY(!QFileInfo::exists("/tmp/orvelcl_" + today + ".txt"));
    }

#ifndef Q_OS_WIN
    // A pipe or a device under the name of the activation list or of a log: every command
    // refuses it at once, in French, and neither waits nor fails on it.
    void refusesWhatIsNoFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("arguments");
        const QList<QStringList> commands{{"exporter", "adif", kCastle},
                                          {"exporter", "ctrafic", kCastle},
                                          {"afficher", "log", kCastle},
                                          {"enregistrer", "alpha", kCastle},
                                          {"afficher", "pays", kCastle}};
        for (const QString &name : {kCastle + ".txt", QString("Liste_Activite.txt")}) {
            for (const QString kind : {"pipe", "/dev/zero"}) {
                for (const QStringList &command : commands)
                    QTest::addRow("%s as %s: %s %s", qPrintable(name), qPrintable(kind),
                                  qPrintable(command.at(0)), qPrintable(command.at(1)))
                        << name << kind << command;
            }
        }
    }
    void refusesWhatIsNoFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QStringList, arguments);
        const QString path = platform->file(name);
        QFile::remove(path);
        if (kind == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        else
            QVERIFY(QFile::link(kind, path));

        const ProgramRun result =
            runProgram(QStringLiteral(ORVEL_EXECUTABLE),
                       QStringList{"--dossier", platform->folder()} + arguments, {}, 20000);

        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(
                     "ce n'est pas un fichier ordinaire mais un tube ou un périphérique"),
                 qPrintable(result.err));
        QVERIFY2(!result.err.contains("orvel."), qPrintable(result.err));
    }
#endif

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
        QTest::newRow("reference holding a path")
            << QStringList{"enregistrer", "log", "../DFCF 89010"}
            << "La référence « ../DFCF 89010 » ne peut pas être ouverte";
        QTest::newRow("reference with a control character")
            << QStringList{"afficher", "log", "DFCF\t89010"}
            << "La référence « DFCF\\x0989010 » ne peut pas être ouverte";
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
