#include "records/CurrentLog.h"
#include "logging/QsoStore.h"
#include "records/Session.h"
#include "support/Activations.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QDate>
#include <QDir>
#include <QTime>
#include <QFile>
#include <QTest>

using namespace orvel;
using testing::activationOf;

namespace {

QString qsoLine(const QString &date, const QString &time, const QString &call = "Q4ABC",
                bool inserted = false)
{
    QsoRecord q;
    q.date = date;
    q.time = time;
    q.call = call;
    q.department = "76";
    q.rstReceived = "59";
    q.rstSent = "59";
    q.mode = "SSB";
    q.band = "14";
    return formatQsoLine(q, inserted);
}

} // namespace

class TestLogFiles : public QObject
{
    Q_OBJECT

private slots:
    void storesIntoEveryOpenActivation()
    {
        testing::TestPlatform p;
        QStringList keys;
        QsoStore store([&keys](const QString &key) { keys.append(key); });
        Session session(p.folder(), activationOf("DFCF 89010"), {"DFCF 89010", "WWFF-0123"});
        StoreRequest request;
        request.entry.call = "Q4ABC";
        request.entry.department = "76";
        request.entry.firstName = "Jean";
        request.entry.band = "7";
        request.entry.remarks = "qrp";
        request.clockDate = "01/05/24";
        request.clockTime = "10:02:59";
        const StoreOutcome outcome = store.store(session, request);
        QVERIFY(outcome.ok());
        QCOMPARE(outcome.line.size(), kQsoLineLength);
        QVERIFY(outcome.line.startsWith("01/05/24  10:02  Q4ABC"));
        const QByteArray expected = outcome.line.toLatin1() + "\r\n";
        QCOMPARE(testing::readBytes(p.file("DFCF 89010.txt")), expected);
        QCOMPARE(testing::readBytes(p.file("WWFF-0123.txt")), expected);
        QCOMPARE(keys, QStringList({"Q4ABC        76 Jean"}));
    }

    void deferredAndEditingTakeTheTypedDateAndTime()
    {
        StoreRequest request;
        request.entry.date = "31/12/99";
        request.entry.time = "23:59";
        request.clockDate = "01/05/24";
        request.clockTime = "10:02:59";
        request.timing = EntryTiming::Deferred;
        QVERIFY(QsoStore::buildLine(request).startsWith("31/12/99  23:59"));
        request.timing = EntryTiming::Live;
        QVERIFY(QsoStore::buildLine(request).startsWith("01/05/24  10:02"));
    }

    void failedAppendNamesTheLogAndIsTakenBackFromTheOthers()
    {
        testing::TestPlatform p;
        // A folder standing where the log should be: the append cannot happen.
        QVERIFY(QDir(p.folder()).mkdir("B.txt"));
        const LogWriteResult result = LogFiles(p.folder()).append({"A", "B"}, qsoLine("01/01/24", "10:00"));
        QVERIFY(!result.ok());
        QCOMPARE(result.failedReferences, QStringList({"B"}));
        QVERIFY(result.message().startsWith("Le QSO n'a pas pu être enregistré dans le log B"));
        // Storing again must not give A the QSO twice.
        QVERIFY(result.undone);
        QCOMPARE(LogFiles(p.folder()).load("A"), QStringList());
    }

    void replacesEveryEqualLineInEveryLog()
    {
        testing::TestPlatform p;
        const QString old = qsoLine("01/01/24", "10:00");
        const QString other = qsoLine("01/01/24", "10:05", "Q4DEF");
        const QString fresh = qsoLine("01/01/24", "10:00", "Q4XYZ");
        testing::writeFile(p.file("A.txt"), {old, other});
        testing::writeFile(p.file("B.txt"), {other, old});
        LogFiles logs(p.folder());
        QVERIFY(logs.replace({"A", "B"}, fresh, old).ok());
        QCOMPARE(logs.load("A"), QStringList({fresh, other}));
        QCOMPARE(logs.load("B"), QStringList({other, fresh}));
        QCOMPARE(testing::scratchFiles(p.folder()), QStringList());
        // A log without the old line is left alone and said so.
        const LogWriteResult again = logs.replace({"A", "C"}, fresh, old);
        QVERIFY(again.ok());
        QCOMPARE(again.unchangedReferences, QStringList({"A", "C"}));
    }

    void insertsByMomentWithCentury_data()
    {
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::addColumn<int>("expectedIndex");
        const QStringList y2k = {qsoLine("01/01/00", "00:10"), qsoLine("01/01/00", "00:20")};
        QTest::newRow("1999 before 2000") << y2k << "31/12/99" << "23:59" << 0;
        QTest::newRow("between") << y2k << "01/01/00" << "00:15" << 1;
        QTest::newRow("equal moment goes before") << y2k << "01/01/00" << "00:20" << 1;
        QTest::newRow("after all") << y2k << "02/01/00" << "00:00" << 2;
        QTest::newRow("empty log") << QStringList() << "01/01/24" << "10:00" << 0;
        QTest::newRow("typed date out of the calendar")
            << QStringList({qsoLine("30/04/14", "10:00"), qsoLine("01/05/14", "10:00")})
            << "31/04/14" << "10:00" << 1;
        QTest::newRow("typed time past midnight")
            << QStringList({qsoLine("01/05/14", "23:00"), qsoLine("02/05/14", "00:10")})
            << "01/05/14" << "24:05" << 1;
        QTest::newRow("blank line keeps its place")
            << QStringList({qsoLine("01/01/24", "10:00"), "", qsoLine("01/01/24", "12:00")})
            << "01/01/24" << "11:00" << 2;
    }
    void insertsByMomentWithCentury()
    {
        QFETCH(QStringList, log);
        QFETCH(QString, date);
        QFETCH(QString, time);
        QFETCH(int, expectedIndex);
        testing::TestPlatform p;
        testing::writeFile(p.file("A.txt"), log);
        QsoRecord q;
        q.date = date;
        q.time = time;
        q.call = "Q4NEW";
        q.band = "7";
        Session session(p.folder(), activationOf("A"), {"A", "B"});
        const StoreOutcome outcome = QsoStore().insert(session, q);
        QVERIFY(outcome.ok());
        QCOMPARE(outcome.line.size(), kQsoLineLength);
        const QStringList after = LogFiles(p.folder()).load("A");
        QCOMPARE(after.size(), log.size() + 1);
        QCOMPARE(after.at(expectedIndex), outcome.line);
        QCOMPARE(LogFiles(p.folder()).load("B"), QStringList({outcome.line}));
        QCOMPARE(testing::scratchFiles(p.folder()), QStringList());
    }

    // Lines placed in a log longer than the blocks it is read in (several megabytes) go to
    // their moments wherever the blocks end: before the first, among the lines, after the
    // last; the lines of the log stay as they were, in order.
    void placesManyLinesInALogReadInBlocks()
    {
        testing::TestPlatform p;
        QStringList log;
        for (int i = 0; i < 60000; ++i)
            log.append(qsoLine(QDate(2024, 1, 1).addDays(i / 1440).toString("dd/MM/yy"),
                               QTime(0, 0).addSecs(60 * (i % 1440)).toString("hh:mm")));
        testing::writeFile(p.file("A.txt"), log);
        // Moments of the log's rows 0, 30000, 41234 and after its last; a line without a
        // moment goes last.
        const QList<int> before{0, 30000, 41234, 60000};
        QStringList placed;
        for (const int row : before) {
            const int at = row == 60000 ? 70000 : row;
            placed.append(qsoLine(QDate(2024, 1, 1).addDays(at / 1440).toString("dd/MM/yy"),
                                  QTime(0, 0).addSecs(60 * (at % 1440)).toString("hh:mm"),
                                  QString("Q4N%1").arg(row)));
        }
        const QStringList expected = [&] {
            QStringList all = log;
            for (qsizetype i = before.size() - 1; i >= 0; --i)
                all.insert(before.at(i), placed.at(i));
            return all;
        }();
        QVERIFY(LogFiles(p.folder()).insertMany({"A", "B"}, placed).ok());
        QCOMPARE(LogFiles(p.folder()).load("A"), expected);
        QCOMPARE(LogFiles(p.folder()).load("B"), placed);
        QCOMPARE(testing::scratchFiles(p.folder()), QStringList());
    }

    void failedInsertLeavesTheLogIntact()
    {
        testing::TestPlatform p;
        const QStringList log = {qsoLine("01/01/24", "10:00")};
        testing::writeFile(p.file("A.txt"), log);
        QsoRecord q;
        q.date = "01/01/24";
        q.time = "09:00";
        // The disk fills up while the scratch file is being written.
        const QString message = testing::inChildWithFileSizeLimit(150, [&] {
            Session session(p.folder(), activationOf("A"), {"A"});
            const StoreOutcome outcome = QsoStore().insert(session, q);
            return outcome.ok() ? QString() : outcome.write.message();
        });
        QVERIFY2(message.contains("Le QSO n'a pas pu être enregistré dans le log A"),
                 qPrintable(message));
        QCOMPARE(LogFiles(p.folder()).load("A"), log);
        QCOMPARE(testing::scratchFiles(p.folder()), QStringList());
    }

    void currentLogFollowsStoresAndNoticesOutsideChanges()
    {
        testing::TestPlatform p;
        LogFiles logs(p.folder());
        const QString a = qsoLine("01/01/24", "10:00", "Q4ABC");
        const QString b = qsoLine("01/01/24", "10:01", "Q4DEF");
        testing::writeFile(p.file("A.txt"), {a, a});
        CurrentLog current(logs);
        current.load("A");
        QCOMPARE(current.operatorCount(), 1);
        QCOMPARE(current.nextNumber(), 3);
        QVERIFY(logs.append({"A"}, b).ok());
        QVERIFY(current.appended(b));
        QCOMPARE(current.copyOfLines(), QStringList({a, a, b}));
        QCOMPARE(current.operatorCount(), 2);
        // Changed behind our back: read again whole.
        testing::writeFile(p.file("A.txt"), {b});
        QVERIFY(logs.append({"A"}, a).ok());
        QVERIFY(!current.appended(a));
        QCOMPARE(current.copyOfLines(), QStringList({b, a}));
        QCOMPARE(current.operatorCount(), 2);
    }

    void loadsAMissingLogAsEmpty()
    {
        testing::TestPlatform p;
        LogFiles logs(p.folder());
        QVERIFY(logs.load("NONE").isEmpty());
        QVERIFY(!logs.exists("NONE"));
        QVERIFY(logs.createEmpty("NONE").ok);
        QVERIFY(logs.exists("NONE"));
        QCOMPARE(testing::readBytes(logs.path("NONE")), QByteArray());
        QCOMPARE(logs.path("DFCF 89010"), QDir::toNativeSeparators(p.file("DFCF 89010.txt")));
    }
};

ORVEL_TEST_CLASS(TestLogFiles)
#include "tst_logfiles.moc"
