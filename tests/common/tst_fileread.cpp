#include "common/FileBlocks.h"
#include "common/FileRead.h"
#include "common/TextFile.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace orvel;
using Outcome = FileBytes::Outcome;

namespace {

const QByteArray kLog = "01/01/24  10:00  Q4ABC\r\n01/01/24  10:05  Q4DEF\r\n";

// Puts something under path in the folder.
using Maker = std::function<void(const QString &path)>;

void writeLog(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(kLog);
}

void linkTo(const QString &path, const QString &target)
{
    QVERIFY(QFile::link(target, path));
}

} // namespace

Q_DECLARE_METATYPE(Maker)

// Readers take a regular file or nothing: a pipe, a device, a folder or an outsized file under
// a data file's name is refused at once with a French reason, never waited on.
class TestFileRead : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A reader that waits on a pipe would hold the test for ever: it fails it instead.
        ::alarm(120);
    }
    void cleanupTestCase() { ::alarm(0); }

    void readsOnlyRegularFiles_data()
    {
        QTest::addColumn<Maker>("make");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("reason");
        QTest::newRow("regular file") << Maker(writeLog) << int(Outcome::Read) << "";
        QTest::newRow("link to a regular file") << Maker([](const QString &path) {
            writeLog(path + ".target");
            linkTo(path, path + ".target");
        }) << int(Outcome::Read) << "";
        QTest::newRow("missing") << Maker([](const QString &) {}) << int(Outcome::Missing) << "";
        QTest::newRow("dangling link")
            << Maker([](const QString &path) { linkTo(path, path + ".gone"); })
            << int(Outcome::Missing) << "";
        QTest::newRow("folder") << Maker([](const QString &path) { QVERIFY(QDir().mkdir(path)); })
                                << int(Outcome::Folder) << "c'est un dossier";
        QTest::newRow("pipe")
            << Maker([](const QString &path) {
                   QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
               })
            << int(Outcome::Special)
            << "ce n'est pas un fichier ordinaire mais un tube ou un périphérique";
        QTest::newRow("link to a pipe")
            << Maker([](const QString &path) {
                   QCOMPARE(::mkfifo(QFile::encodeName(path + ".fifo").constData(), 0644), 0);
                   linkTo(path, path + ".fifo");
               })
            << int(Outcome::Special)
            << "ce n'est pas un fichier ordinaire mais un tube ou un périphérique";
        QTest::newRow("link to /dev/zero")
            << Maker([](const QString &path) { linkTo(path, "/dev/zero"); })
            << int(Outcome::Special)
            << "ce n'est pas un fichier ordinaire mais un tube ou un périphérique";
        QTest::newRow("looping link") << Maker([](const QString &path) {
            linkTo(path, path + ".loop");
            linkTo(path + ".loop", path);
        }) << int(Outcome::Unreadable) << "lien symbolique sans fin";
    }
    void readsOnlyRegularFiles()
    {
        QFETCH(Maker, make);
        QFETCH(int, outcome);
        QFETCH(QString, reason);
        testing::TestPlatform platform;
        const QString path = platform.file("DFCF 89010.txt");
        make(path);

        const FileBytes read = readFileBytes(path);

        QCOMPARE(int(read.outcome), outcome);
        QCOMPARE(read.bytes, outcome == int(Outcome::Read) ? kLog : QByteArray());
        QCOMPARE(read.ok(), reason.isEmpty());
        const auto problem = unreadableFileProblem(path);
        QCOMPARE(problem.value_or(QString()),
                 reason.isEmpty() ? QString()
                                  : QString("Le fichier %1 ne peut pas être lu : %2.")
                                        .arg(QDir::toNativeSeparators(path), reason));
        // Every reader of the data files goes the same way.
        bool exists = true;
        QCOMPARE(readLines(path, &exists).size(), outcome == int(Outcome::Read) ? 2 : 0);
        QCOMPARE(exists, outcome == int(Outcome::Read));
        FileBlocks blocks(path);
        QCOMPARE(int(blocks.state().outcome), outcome);
        QByteArray streamed;
        QCOMPARE(blocks.forEachBlock([&](const QByteArray &block) {
            streamed += block;
            return true;
        }),
                 outcome == int(Outcome::Read));
        QCOMPARE(streamed, outcome == int(Outcome::Read) ? kLog : QByteArray());
        QByteArray bytes;
        const FileResult forRewrite = readBytesForRewrite(path, bytes);
        QCOMPARE(forRewrite.ok, reason.isEmpty());
        if (!reason.isEmpty())
            QVERIFY2(forRewrite.error.contains(reason), qPrintable(forRewrite.error));
    }

    // A file read a block at a time comes whole, in blocks of whole lines but the last,
    // whatever its line ends; a line longer than a block makes a longer block.
    void readsAFileInBlocksOfWholeLines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("blockSize");
        QTest::newRow("CR LF") << QByteArray("abc\r\ndefgh\r\nij\r\nklmnop\r\n") << 8;
        QTest::newRow("CR LF cut between CR and LF") << QByteArray("abcdef\r\ngh\r\n") << 7;
        QTest::newRow("LF alone, no end on the last line") << QByteArray("ab\ncd\nefg") << 4;
        QTest::newRow("CR alone") << QByteArray("ab\rcd\ref\r") << 5;
        QTest::newRow("a line longer than a block") << QByteArray("abcdefghijkl\r\nm\r\n") << 3;
        QTest::newRow("empty file") << QByteArray() << 4;
    }
    void readsAFileInBlocksOfWholeLines()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, blockSize);
        testing::TestPlatform platform;
        const QString path = platform.file("log.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        FileBlocks blocks(path);
        QList<QByteArray> read;
        QVERIFY(blocks.forEachBlock(
            [&](const QByteArray &block) {
                read.append(block);
                return true;
            },
            blockSize));
        QCOMPARE(read.join(), content);
        // Every block but the last ends a line, and never between the CR and LF of one end.
        for (qsizetype i = 0; i + 1 < read.size(); ++i) {
            QVERIFY2(read.at(i).endsWith('\n') || read.at(i).endsWith('\r'), read.at(i).constData());
            QVERIFY(!read.at(i + 1).startsWith('\n'));
        }
        // A block refused stops the reading.
        int handed = 0;
        QCOMPARE(FileBlocks(path).forEachBlock([&](const QByteArray &) { return ++handed < 1; }, 2),
                 content.isEmpty());
        QCOMPARE(handed, content.isEmpty() ? 0 : 1);
    }

    // Nothing is appended to a pipe or a device: the append is refused, never blocked.
    void appendsOnlyToRegularFiles_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("pipe") << "fifo";
        QTest::newRow("/dev/zero") << "/dev/zero";
    }
    void appendsOnlyToRegularFiles()
    {
        QFETCH(QString, target);
        testing::TestPlatform platform;
        const QString path = platform.file("DFCF 89010.txt");
        if (target == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        else
            QVERIFY(QFile::link(target, path));

        const FileResult appended = appendLines(path, {"01/01/24  10:10  Q4GHI"});

        QVERIFY(!appended);
        QVERIFY2(appended.error.contains("ce nom n'est pas celui d'un fichier ordinaire"),
                 qPrintable(appended.error));
    }

    void refusesAFileLargerThanTheLimit_data()
    {
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<bool>("read");
        QTest::newRow("one byte more than the limit") << qint64(kLog.size() - 1) << false;
        QTest::newRow("exactly the limit") << qint64(kLog.size()) << true;
    }
    void refusesAFileLargerThanTheLimit()
    {
        QFETCH(qint64, limit);
        QFETCH(bool, read);
        testing::TestPlatform platform;
        const QString path = platform.file("DFCF 89010.txt");
        writeLog(path);

        const FileBytes bytes = readFileBytes(path, limit);

        QCOMPARE(bytes.outcome, read ? Outcome::Read : Outcome::TooLarge);
        QCOMPARE(unreadableFileProblem(path, limit).has_value(), !read);
        if (!read)
            QCOMPARE(bytes.reason(), QString("il dépasse 1 Go, ce qu'aucun fichier de données "
                                             "n'atteint"));
    }
};

ORVEL_TEST_CLASS(TestFileRead)
#include "tst_fileread.moc"
