#include "common/ReferenceName.h"
#include "common/SafeWrite.h"
#include "common/TextFile.h"
#include "platform/DataFolderLock.h"
#include "records/ActivationList.h"
#include "records/FirstNames.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"
#include "views/CountryTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace orvel;
using testing::readBytes;

namespace {

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

const QByteArray kLog = "01/01/24  10:00  Q4ABC\r\n01/01/24  10:05  Q4DEF\r\n";

} // namespace

// Appends and replacements that never leave a data file damaged.
class TestSafeWrite : public QObject
{
    Q_OBJECT

private slots:
    void appendStartsANewLineAfterAnyLineEnd_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("CR LF") << QByteArray("a\r\n") << QByteArray("a\r\nnext\r\n");
        QTest::newRow("CR only") << QByteArray("a\r") << QByteArray("a\rnext\r\n");
        QTest::newRow("unterminated") << QByteArray("a") << QByteArray("a\r\nnext\r\n");
        QTest::newRow("empty") << QByteArray() << QByteArray("next\r\n");
    }
    void appendStartsANewLineAfterAnyLineEnd()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        testing::TestPlatform platform;
        const QString path = platform.file("A.txt");
        writeBytes(path, before);
        QVERIFY(appendLines(path, {"next"}).ok);
        QCOMPARE(readBytes(path), after);
    }

    // A disk with room for part of a line: the store fails, and the log keeps no fragment
    // that a later append would turn into a QSO of its own.
    void failedAppendLeavesTheFileAsItWas_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("existing log") << true;
        QTest::newRow("new log") << false;
    }
    void failedAppendLeavesTheFileAsItWas()
    {
        QFETCH(bool, exists);
        testing::TestPlatform platform;
        const QString path = platform.file("A.txt");
        if (exists)
            writeBytes(path, kLog);
        const QString line(118, QLatin1Char('x'));
        const QString error = testing::inChildWithFileSizeLimit(kLog.size() + 50, [&] {
            return exists ? appendLines(path, {line}).error
                          : appendLines(path, {kLog + line}).error;
        });
        QVERIFY2(error.startsWith("Impossible d'écrire le fichier"), qPrintable(error));
        QCOMPARE(QFileInfo::exists(path), exists);
        if (exists)
            QCOMPARE(readBytes(path), kLog);
        // Once there is room again, the next QSO is one line, not two.
        QVERIFY(appendLines(path, {"next"}).ok);
        QCOMPARE(readBytes(path), (exists ? kLog : QByteArray()) + "next\r\n");
    }

    void replacementLeavesNoScratchFile()
    {
        testing::TestPlatform platform;
        const QString path = platform.file("A.txt");
        writeBytes(path, kLog);
        QVERIFY(replaceFile(path, {"new", "lines"}).ok);
        QCOMPARE(readBytes(path), QByteArray("new\r\nlines\r\n"));
        QCOMPARE(QDir(platform.folder()).entryList(QDir::Files), QStringList{"A.txt"});
    }

    void failedReplacementLeavesTheFileAsItWas()
    {
        testing::TestPlatform platform;
        const QString path = platform.file("A.txt");
        writeBytes(path, kLog);
        const QString error = testing::inChildWithFileSizeLimit(
            kLog.size(), [&] { return replaceFile(path, {kLog + kLog}).error; });
        QVERIFY2(error.contains("A.txt"), qPrintable(error));
        QCOMPARE(readBytes(path), kLog);
        QCOMPARE(QDir(platform.folder()).entryList(QDir::Files), QStringList{"A.txt"});
    }

    // Each file of a batch is replaced whole or left as it was, whatever befalls the others;
    // long pieces and short ones land in order, across the megabytes sent on to the disk one by
    // one.
    void aBatchReplacesEachFileOnItsOwn()
    {
        testing::TestPlatform platform;
        const QString a = platform.file("A.txt");
        const QString c = platform.file("C.txt");
        writeBytes(a, kLog);
        writeBytes(c, kLog);
        QVERIFY(QDir(platform.folder()).mkdir("B.txt"));
        QByteArray longRun;
        for (int i = 0; longRun.size() < 5 * 1024 * 1024 / 2; ++i)
            longRun += QByteArray::number(i) + ' ';
        QByteArray shortLines;
        for (int i = 0; shortLines.size() < 3 * 1024 * 1024 / 2; ++i)
            shortLines += "QSO " + QByteArray::number(i) + "\r\n";
        BytePieces pieces{"one\r\n", longRun, "\r\n"};
        for (qsizetype start = 0; start < shortLines.size();) {
            const qsizetype end = shortLines.indexOf('\n', start) + 1;
            pieces.append(QByteArrayView(shortLines).sliced(start, end - start));
            start = end;
        }
        pieces.append("two\r\n");
        FileReplacements batch;
        batch.add(a, pieces);
        batch.add(platform.file("B.txt"), {"never\r\n"});
        batch.add(c, {});
        const QList<FileResult> results = batch.finish();

        QCOMPARE(results.size(), 3);
        QVERIFY(results.at(0).ok && results.at(2).ok);
        QVERIFY(!results.at(1).ok);
        QVERIFY2(results.at(1).error.contains("B.txt"), qPrintable(results.at(1).error));
        QVERIFY(readBytes(a) == "one\r\n" + longRun + "\r\n" + shortLines + "two\r\n");
        QCOMPARE(readBytes(c), QByteArray());
        QCOMPARE(testing::scratchFiles(platform.folder()), QStringList());
    }

    void anUnfinishedBatchLeavesEveryFileAsItWas()
    {
        testing::TestPlatform platform;
        const QString a = platform.file("A.txt");
        writeBytes(a, kLog);
        {
            FileReplacements batch;
            batch.add(a, {"new\r\n"});
        }
        QCOMPARE(readBytes(a), kLog);
        QCOMPARE(testing::scratchFiles(platform.folder()), QStringList());
    }

    void aReadOnlyFileIsNotReplaced()
    {
        testing::TestPlatform platform;
        const QString path = platform.file("A.txt");
        writeBytes(path, kLog);
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup |
                                                QFile::ReadOther));
        if (QFile(path).open(QIODevice::Append))
            QSKIP("L'administrateur peut écrire dans un fichier en lecture seule : essai "
                  "sans objet sous root.");
        const FileResult result = replaceFile(path, {"new"});
        QVERIFY(!result.ok);
        QVERIFY(result.error.contains("accès refusé"));
        QCOMPARE(readBytes(path), kLog);
    }

    void scratchNamesAreNeverDataFileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("scratch");
        QTest::newRow("new name") << newScratchFileName() << true;
        QTest::newRow("another new name") << newScratchFileName() << true;
        QTest::newRow("old scratch name, may be a log") << "Temporaire.txt" << false;
        QTest::newRow("old insertion scratch") << "Temporaire6.txt" << false;
        QTest::newRow("log of such a reference") << "Temporaire-1-abcdef.txt" << false;
        QTest::newRow("export") << "Temporaire-1-abcdef.adi" << false;
    }
    void scratchNamesAreNeverDataFileNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, scratch);
        QCOMPARE(isScratchFileName(name), scratch);
    }

    void removesScratchFilesOfEndedCopies()
    {
        testing::TestPlatform platform;
        const QString stale =
            QStringLiteral("Temporaire-%1-abc123.tmp").arg(testing::endedProcessId());
        for (const QString &name :
             {stale, QStringLiteral("Temporaire.txt"), QStringLiteral("Temporaire6.txt")})
            writeBytes(platform.file(name), kLog);

        QCOMPARE(removeStaleScratchFiles(platform.folder()), 1);

        QVERIFY(!QFileInfo::exists(platform.file(stale)));
        QVERIFY(QFileInfo::exists(platform.file("Temporaire.txt")));
        QVERIFY(QFileInfo::exists(platform.file("Temporaire6.txt")));
    }

    void refusesReferencesThatLeaveTheDataFolder_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("message");
        const QString slash = "Attention le caractere '/' est interdit dans la référence";
        QTest::newRow("parent folder") << "../x" << slash;
        QTest::newRow("parent folder, then a name") << "../x/DMSM" << slash;
        QTest::newRow("absolute path") << "/tmp/x" << slash;
        QTest::newRow("backslash") << "..\\x"
                                   << "Attention le caractere '\\' est interdit dans la référence";
        QTest::newRow("drive") << "C:x"
                               << "Attention le caractere ':' est interdit dans la référence";
        QTest::newRow("dots") << "DFCF ..1"
                              << "Attention la suite '..' est interdite dans la référence";
        QTest::newRow("tab") << "DFCF\t1"
                             << "Caractère de contrôle (code 9) refusé";
        QTest::newRow("empty") << ""
                               << "Numero de l'activité obligatoire";
        QTest::newRow("blanks") << "   "
                                << "Numero de l'activité obligatoire";
        QTest::newRow("usual") << "DFCF 89010"
                               << "";
        QTest::newRow("without blank") << "WWFF-0123"
                                       << "";
        QTest::newRow("inner dot") << "DFCF 89.010"
                                   << "";
        const QString nul = "Caractère de contrôle (code 0) refusé";
        QTest::newRow("NUL") << QString("DMF 2.txt") + QChar(0) + "x" << nul;
        QTest::newRow("NUL at the end") << QString("DMF 2") + QChar(0) << nul;
        QTest::newRow("line feed") << "DFCF\n1"
                                   << "Caractère de contrôle (code 10) refusé";
        QTest::newRow("escape") << "DFCF \x1b[2J"
                                << "Caractère de contrôle (code 27) refusé";
        const auto programFile = [](const QString &name) {
            return QString("Attention « %1 » est le nom d'un fichier du programme : il ne peut "
                           "pas servir de référence")
                .arg(name);
        };
        for (const QString name :
             {"Liste_Prenom", "liste_prenom", "Liste_Prenom.txt", "LISTE_ACTIVITE",
              "Liste_Activite", "Continents_DXCC", "continents_dxcc.csv", "Orvel_Multi",
              "orvel_multi.LOCK", "Temporaire", "temporaire6", "Temporaire-4242-abc123.tmp",
              "TEMPORAIRE-1-x"})
            QTest::newRow(qPrintable("program's file " + name)) << name << programFile(name);
        QTest::newRow("program's file among blanks")
            << " Liste_Prenom " << programFile("Liste_Prenom");
        QTest::newRow("a name that only begins like one") << "Liste_Prenoms"
                                                          << "";
        QTest::newRow("old scratch name as a part") << "DFCF Temporaire"
                                                    << "";
    }
    // Whatever their letter case, the names of the files the program keeps for itself.
    void refusesTheNamesOfTheProgramsFiles()
    {
        for (const QString &file : {kFirstNamesFile, kActivationListFile, kCountryTableFile,
                                    kDataFolderLockFile, newScratchFileName()}) {
            for (const QString &name : {file, QFileInfo(file).completeBaseName(), file.toUpper()})
                QVERIFY2(referenceNameMessage(name), qPrintable(name));
        }
    }

    void showsControlCharactersOfAReference()
    {
        const QString reference = QString("DMF 2.txt") + QChar(0) + "x\r\n";
        QCOMPARE(shownReference(reference), QString("DMF 2.txt\\x00x\\x0d\\x0a"));
        QVERIFY(refusedReferenceMessage(reference, "pourquoi").contains("DMF 2.txt\\x00x"));
        QVERIFY(!refusedReferenceMessage(reference, "pourquoi").contains(QChar(0)));
    }

    void refusesReferencesThatLeaveTheDataFolder()
    {
        QFETCH(QString, reference);
        QFETCH(QString, message);
        QCOMPARE(referenceNameMessage(reference).value_or(QString()), message);
        // "/data" here, "C:/data" on Windows.
        const QString folder = QDir::cleanPath(QDir::rootPath() + "data");
        const QString path = referenceFilePath(folder, reference, ".adi");
        QCOMPARE(path.isEmpty(), !message.isEmpty());
        if (!path.isEmpty())
            QCOMPARE(QFileInfo(path).absolutePath(), folder);
    }
};

ORVEL_TEST_CLASS(TestSafeWrite)
#include "tst_safewrite.moc"
