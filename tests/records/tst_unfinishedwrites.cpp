// The journal of writes to several logs, read back whatever it holds, and what an opening of
// the group makes of it. The kills themselves are in tests/crash.
#include "common/ReferenceName.h"
#include "common/Windows1252.h"
#include "records/Session.h"
#include "records/UnfinishedWrites.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace orvel;
using namespace orvel::testing;

namespace {

const QString kFirst = QStringLiteral("DFCF 89010");
const QString kSecond = QStringLiteral("DMF 89-001");

QString qso(const QString &call, const QString &date, const QString &time)
{
    return formatQsoLine(QsoRecord{date, time, call, "89", "Jean", "59", "59", "SSB", "7", "", ""});
}

Activation current()
{
    Activation activation;
    activation.reference = kFirst;
    return activation;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestUnfinishedWrites : public QObject
{
    Q_OBJECT

private slots:
    // Only whole notes naming at least two logs that can be files are read; the rest is left
    // out, whatever it is.
    void readsOnlyWholeNotes_data()
    {
        QTest::addColumn<QByteArray>("journal");
        QTest::addColumn<int>("notes");
        const QByteArray note = "Orvel_Multi ecriture en cours\r\nR DFCF 1\r\nR DMF 2\r\n"
                                "L 01/05/24 09:00 F5AAA\r\nFin\r\n";
        QTest::newRow("a whole note") << note << 1;
        QTest::newRow("two notes, LF line ends")
            << QByteArray(note + note).replace("\r\n", "\n") << 2;
        QTest::newRow("cut short") << note.left(note.size() - 5) << 0;
        QTest::newRow("a whole note after one cut short") << note.left(40) + note << 1;
        QTest::newRow("foreign text") << QByteArray("hello\r\nworld\r\n") << 0;
        QTest::newRow("binary") << QByteArray("\x00\xff\x01\r\n\x02", 6) << 0;
        QTest::newRow("a reference outside the folder")
            << QByteArray(note).replace("R DMF 2", "R ../../etc/passwd") << 0;
        QTest::newRow("a reference with a NUL")
            << QByteArray(note).replace("R DMF 2", QByteArray("R DMF\0002", 7)) << 0;
        QTest::newRow("one log only") << QByteArray(note).replace("R DMF 2\r\n", "") << 0;
        QTest::newRow("no line") << QByteArray(note).replace("L 01/05/24 09:00 F5AAA\r\n", "") << 0;
        QTest::newRow("empty") << QByteArray() << 0;
    }
    void readsOnlyWholeNotes()
    {
        QFETCH(QByteArray, journal);
        QFETCH(int, notes);
        TestPlatform platform;
        const WriteJournal file(platform.folder());
        writeBytes(file.path(), journal);
        QCOMPARE(file.entries().size(), notes);
    }

    void theJournalIsNoReference()
    {
        for (const QString &name : {WriteJournal::fileName(), WriteJournal::fileName().toUpper()})
            QVERIFY2(referenceNameMessage(name), qPrintable(name));
    }

    // Every write to several logs takes its note back once written; a single log needs none.
    void writesLeaveNoNote_data()
    {
        QTest::addColumn<QStringList>("group");
        QTest::newRow("group of two") << QStringList{kFirst, kSecond};
        QTest::newRow("alone") << QStringList{kFirst};
    }
    void writesLeaveNoNote()
    {
        QFETCH(QStringList, group);
        TestPlatform platform;
        Session session(platform.folder(), current(), group);
        const WriteJournal journal(platform.folder());
        QVERIFY(session.append(qso("F5AAA", "01/05/24", "10:00")).ok());
        QVERIFY(session.insert(qso("F5BBB", "01/05/24", "09:00")).ok());
        QVERIFY(session.insertMany({qso("F5CCC", "01/05/24", "08:00")}).ok());
        QVERIFY(
            session.replace(qso("F5CCC", "01/05/24", "08:00"), qso("F5CCD", "01/05/24", "08:00"))
                .ok());
        QVERIFY(!QFile::exists(journal.path()));
        // A note left by an earlier stop stays as it was.
        const JournalEntry earlier{{kFirst, kSecond}, {"earlier"}, {}};
        QVERIFY(journal.keepOnly({earlier}));
        QVERIFY(session.append(qso("F5DDD", "01/05/24", "11:00")).ok());
        QCOMPARE(journal.entries(), QList<JournalEntry>{earlier});
    }

    // A correction stopped between two logs: the logs still holding the old line are corrected
    // as the others were, when the group is opened; stopped before or after, nothing is asked.
    void aCorrectionStoppedBetweenTwoLogsIsMended_data()
    {
        QTest::addColumn<bool>("firstCorrected");
        QTest::addColumn<bool>("secondCorrected");
        QTest::newRow("stopped between the two logs") << true << false;
        QTest::newRow("stopped before the first") << false << false;
        QTest::newRow("stopped after the last") << true << true;
    }
    void aCorrectionStoppedBetweenTwoLogsIsMended()
    {
        QFETCH(bool, firstCorrected);
        QFETCH(bool, secondCorrected);
        TestPlatform platform;
        const QString kept = qso("F5AAA", "01/05/24", "09:00");
        const QString old = qso("F5BBB", "01/05/24", "10:00");
        const QString corrected = qso("F5BBC", "01/05/24", "10:00");
        writeFile(platform.file(kFirst + ".txt"), {kept, firstCorrected ? corrected : old});
        writeFile(platform.file(kSecond + ".txt"), {kept, secondCorrected ? corrected : old});
        const WriteJournal journal(platform.folder());
        QVERIFY(journal.keepOnly({JournalEntry{
            {kFirst, kSecond}, {encodeWindows1252(corrected)}, {encodeWindows1252(old)}}}));
        QCOMPARE(journal.entries().size(), 1);
        Session session(platform.folder(), current(), {kFirst, kSecond});
        platform.dialogs.answers = {true};

        offerUnfinishedWrites(session, platform.dialogs);

        const bool between = firstCorrected != secondCorrected;
        QCOMPARE(platform.dialogs.questions.size(), between ? 1 : 0);
        if (between)
            QVERIFY(platform.dialogs.questions.first().contains(
                "Le log DMF 89-001 garde l'ancienne version de 1 ligne(s) corrigée(s)"));
        const QStringList expected{kept, firstCorrected ? corrected : old};
        QCOMPARE(session.logFiles().load(kFirst), expected);
        QCOMPARE(session.logFiles().load(kSecond), expected);
        QVERIFY(!QFile::exists(journal.path()));
    }

    // Anything but a regular file under the journal's name is left alone, told at the opening,
    // and never waited on: the writes go on without a note.
    void aJournalThatIsNoRegularFileIsLeftAlone_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("kind");
        QTest::newRow("a link to a log of the group") << "link"
                                                      << "un lien symbolique";
        QTest::newRow("a folder") << "folder"
                                  << "un dossier";
#ifndef Q_OS_WIN
        QTest::newRow("a pipe") << "fifo"
                                << "un tube";
#endif
    }
    void aJournalThatIsNoRegularFileIsLeftAlone()
    {
        QFETCH(QString, what);
        QFETCH(QString, kind);
        TestPlatform platform;
        const QStringList lines{qso("F5AAA", "01/05/24", "09:00"),
                                qso("F5BBB", "01/05/24", "10:00")};
        writeFile(platform.file(kFirst + ".txt"), lines);
        writeFile(platform.file(kSecond + ".txt"), lines);
        const WriteJournal journal(platform.folder());
        if (what == "link")
            QVERIFY(QFile::link(platform.file(kSecond + ".txt"), journal.path()));
        else if (what == "folder")
            QVERIFY(QDir(platform.folder()).mkdir(WriteJournal::fileName()));
#ifndef Q_OS_WIN
        else
            QCOMPARE(::mkfifo(QFile::encodeName(journal.path()).constData(), 0600), 0);
#endif
        Session session(platform.folder(), current(), {kFirst, kSecond});
        offerUnfinishedWrites(session, platform.dialogs);
        QCOMPARE(platform.dialogs.messages.size(), 1);
        QVERIFY(platform.dialogs.messages.first().contains(kind));

        const QString added = qso("F5CCC", "01/05/24", "11:00");
        const QString inserted = qso("F5DDD", "01/05/24", "09:30");
        QVERIFY(session.append(added).ok());
        QVERIFY(session.insertMany({inserted}).ok());
        const QStringList expected{lines.at(0), inserted, lines.at(1), added};
        QCOMPARE(session.logFiles().load(kFirst), expected);
        QCOMPARE(session.logFiles().load(kSecond), expected);
        QCOMPARE(journal.placeProblem().has_value(), true);
        QCOMPARE(journal.entries(), QList<JournalEntry>());
    }

    // A reference also activated alone holds lines the others lack: only the lines of a note
    // are ever compared, and a note whose logs agree is dropped without a question.
    void linesOfAReferenceActivatedAloneAreNeverOffered()
    {
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        const QString shared = qso("F5AAA", "02/05/24", "10:00");
        writeFile(logs.path(kFirst), {qso("F6ALN", "01/05/24", "08:00"), shared});
        writeFile(logs.path(kSecond), {shared});
        const WriteJournal journal(platform.folder());
        QVERIFY(journal.keepOnly({JournalEntry{{kFirst, kSecond}, {shared.toLatin1()}, {}}}));
        Session session(platform.folder(), current(), {kFirst, kSecond});
        const QByteArray first = readBytes(logs.path(kFirst));
        const QByteArray second = readBytes(logs.path(kSecond));

        offerUnfinishedWrites(session, platform.dialogs);

        QCOMPARE(platform.dialogs.shown, QStringList());
        QCOMPARE(readBytes(logs.path(kFirst)), first);
        QCOMPARE(readBytes(logs.path(kSecond)), second);
        QVERIFY(!QFile::exists(journal.path()));
    }

    // What a stop left in the journal besides whole notes (nothing at all, a note cut short)
    // goes at the next opening of a group; the whole notes of other groups stay.
    void theOpeningClearsWhatAStopLeftInTheJournal_data()
    {
        QTest::addColumn<QByteArray>("journal");
        QTest::addColumn<int>("kept");
        const QByteArray other = "Orvel_Multi ecriture en cours\r\nR WFF 1\r\nR WFF 2\r\n"
                                 "L 01/05/24 09:00 F5AAA\r\nFin\r\n";
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("a note cut short") << other.left(50) << 0;
        QTest::newRow("another group's note, then one cut short") << other + other.left(50) << 1;
        QTest::newRow("another group's note alone") << other << 1;
    }
    void theOpeningClearsWhatAStopLeftInTheJournal()
    {
        QFETCH(QByteArray, journal);
        QFETCH(int, kept);
        TestPlatform platform;
        const WriteJournal file(platform.folder());
        writeBytes(file.path(), journal);
        Session session(platform.folder(), current(), {kFirst, kSecond});
        offerUnfinishedWrites(session, platform.dialogs);
        QCOMPARE(platform.dialogs.shown, QStringList());
        QCOMPARE(QFile::exists(file.path()), kept > 0);
        QCOMPARE(file.entries().size(), kept);
        if (kept > 0)
            QCOMPARE(readBytes(file.path()), journal.left(journal.indexOf("Fin\r\n") + 5));
    }

    // A note of another group is neither offered nor dropped.
    void notesOfAnotherGroupWait()
    {
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        const QString line = qso("F5AAA", "02/05/24", "10:00");
        writeFile(logs.path("WFF 1"), {line});
        writeFile(logs.path("WFF 2"), {});
        const WriteJournal journal(platform.folder());
        const JournalEntry other{{"WFF 1", "WFF 2"}, {line.toLatin1()}, {}};
        QVERIFY(journal.keepOnly({other}));
        Session session(platform.folder(), current(), {kFirst, kSecond});
        offerUnfinishedWrites(session, platform.dialogs);
        QCOMPARE(platform.dialogs.shown, QStringList());
        QCOMPARE(journal.entries(), QList<JournalEntry>{other});
    }
};

ORVEL_TEST_CLASS(TestUnfinishedWrites)
#include "tst_unfinishedwrites.moc"
