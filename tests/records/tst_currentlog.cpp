#include "common/Windows1252.h"
#include "records/CurrentLog.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace orvel;

namespace {

const QString kRef = QStringLiteral("A");

QString qso(const QString &date, const QString &time, const QString &call,
            const QString &band = QStringLiteral("14"), const QString &mode = QStringLiteral("SSB"),
            const QString &firstName = QString())
{
    return formatQsoLine(
        QsoRecord{date, time, call, "76", firstName, "59", "59", mode, band, "", ""});
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The first row of a call sign, band and mode found by reading every line of the file.
std::optional<qsizetype> scannedRow(const QStringList &lines, const QString &call,
                                    const QString &band, const QString &mode)
{
    for (qsizetype row = 0; row < lines.size(); ++row) {
        if (callOfLine(lines.at(row)) == call && bandOfLine(lines.at(row)) == band &&
            modeOfLine(lines.at(row)) == mode)
            return row;
    }
    return std::nullopt;
}

// The current log answers every question as the file read whole would.
void compareWithTheFile(const CurrentLog &log, const LogFiles &logs, const QStringList &calls)
{
    const QStringList file = logs.load(kRef);
    QCOMPARE(log.copyOfLines(), file);
    QCOMPARE(log.operatorCount(), countOperators(file));
    // Each call sign once, the empty one too when a line has none, in the order of its first
    // QSO (the countries view names a country after it).
    QStringList fileCalls;
    for (const QString &line : file) {
        const QString call = qsoField(line, qsocol::kCall).toString();
        if (!fileCalls.contains(call))
            fileCalls.append(call);
    }
    QCOMPARE(log.distinctCalls(), fileCalls);
    for (const QString &call : calls) {
        for (const QString &band : {QStringLiteral("7"), QStringLiteral("14")}) {
            for (const QString &mode : {QStringLiteral("SSB"), QStringLiteral("CW")}) {
                // An empty call sign is never looked up.
                const auto expected =
                    call.isEmpty() ? std::nullopt : scannedRow(file, call, band, mode);
                QCOMPARE(log.firstRowWith(call, band, mode).value_or(-1), expected.value_or(-1));
            }
        }
    }
}

} // namespace

class TestCurrentLog : public QObject
{
    Q_OBJECT

private slots:
    // The log is kept as the file's bytes and decoded row by row: each row must read as the
    // whole file decoded and split at once.
    void readsEveryLineAsTheFileHoldsIt_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QByteArray("a\r\nbc\r\n") << QStringList{"a", "bc"};
        QTest::newRow("LF alone") << QByteArray("a\nbc\n") << QStringList{"a", "bc"};
        QTest::newRow("CR alone") << QByteArray("a\rbc\r") << QStringList{"a", "bc"};
        QTest::newRow("every end in one file")
            << QByteArray("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("last line without its end")
            << QByteArray("a\r\nlast") << QStringList{"a", "last"};
        QTest::newRow("blank lines")
            << QByteArray("\r\n\r\na\r\n\r\n") << QStringList{"", "", "a", ""};
        QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << QStringList{"a", "", "b"};
        QTest::newRow("LF CR") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("bytes 0x80 to 0x9F")
            << QByteArray("\x80 \x8c\x9c \x8a\x9a \x9f \x81\x8d\x8f\x90\x9d\r\n\xe9\xe8")
            << QStringList{QStringLiteral("€ Œœ Šš Ÿ \u0081\u008d\u008f\u0090\u009d"),
                           QStringLiteral("éè")};
        QTest::newRow("lines of other lengths")
            << (QByteArray(300, 'x') + "\r\nF5ABC\r\n" + QByteArray(118, 'y'))
            << QStringList{QString(300, 'x'), "F5ABC", QString(118, 'y')};
    }
    void readsEveryLineAsTheFileHoldsIt()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        testing::TestPlatform p;
        const LogFiles logs(p.folder());
        writeBytes(logs.path(kRef), bytes);
        CurrentLog log(logs);
        log.load(kRef);
        QCOMPARE(log.size(), lines.size());
        QCOMPARE(log.copyOfLines(), lines);
        QCOMPARE(logs.load(kRef), lines);
        // Read backwards into one string: each row must leave no trace of a longer one.
        QString text;
        for (qsizetype row = log.size() - 1; row >= 0; --row) {
            log.readLine(row, text);
            QCOMPARE(text, lines.at(row));
        }
    }

    // Changes made by this program are taken in row by row, on files with any line ends.
    // The index must answer after each as the file read again would, calls coming and going.
    void followsALongRunOfChanges_data()
    {
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("LF alone") << QByteArray("\n");
    }
    void followsALongRunOfChanges()
    {
        QFETCH(QByteArray, lineEnd);
        testing::TestPlatform p;
        const LogFiles logs(p.folder());
        // More call signs than the index's first room; one differs from another by case alone,
        // one QSO has none, some first names need the bytes 0x80 to 0x9F.
        QStringList calls{"", "f5abc", "F5ABC"};
        for (int i = 0; i < 40; ++i)
            calls.append(QStringLiteral("F%1XY%2").arg(i % 10).arg(i));
        QRandomGenerator random(2024);
        const auto anyLine = [&] {
            const int minute = int(random.bounded(600));
            return qso("01/05/24",
                       QStringLiteral("%1:%2")
                           .arg(10 + minute / 60)
                           .arg(minute % 60, 2, 10, QLatin1Char('0')),
                       calls.at(int(random.bounded(int(calls.size())))),
                       random.bounded(2) ? "7" : "14", random.bounded(2) ? "SSB" : "CW",
                       random.bounded(3) == 0 ? QStringLiteral("Œuvre €") : QStringLiteral("Zoé"));
        };
        QByteArray first;
        for (int i = 0; i < 30; ++i)
            first += encodeWindows1252(anyLine()) + lineEnd;
        writeBytes(logs.path(kRef), first);
        CurrentLog log(logs);
        log.load(kRef);
        compareWithTheFile(log, logs, calls);

        // Each step flushes a whole file to disk: under Wine that is slow enough to need fewer.
#ifdef Q_OS_WIN
        const int steps = 60;
#else
        const int steps = 300;
#endif
        for (int step = 0; step < steps; ++step) {
            const QStringList now = logs.load(kRef);
            // A change in place writes every line with CR LF: a file with other ends is then
            // rightly read again, once.
            const QByteArray bytes = testing::readBytes(logs.path(kRef));
            const bool crLfOnly =
                bytes.count("\r\n") == bytes.count('\n') && bytes.count('\r') == bytes.count('\n');
            const int kind = now.isEmpty() ? 0 : int(random.bounded(4));
            if (kind == 0) {
                const QString line = anyLine();
                QVERIFY(logs.append({kRef}, line).ok());
                QVERIFY(log.appended(line));
            } else if (kind == 1) {
                const QString line = anyLine();
                QVERIFY(logs.insertOne(kRef, line).ok);
                QCOMPARE(log.inserted(line).has_value(), crLfOnly);
            } else if (kind == 2) {
                const QString oldLine = now.at(int(random.bounded(int(now.size()))));
                const QString newLine = anyLine();
                QVERIFY(logs.replace({kRef}, newLine, oldLine).ok());
                const auto rows = log.replaced(oldLine, newLine);
                QCOMPARE(rows.has_value(), crLfOnly);
                if (rows)
                    QCOMPARE(rows->size(), now.count(oldLine));
            } else {
                const int row = int(random.bounded(int(now.size())));
                QCOMPARE(logs.removeFromAll({kRef}, row, now.at(row)).outcome,
                         LogFiles::RemoveOutcome::Removed);
                QCOMPARE(log.removed(row), crLfOnly);
            }
            compareWithTheFile(log, logs, calls);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("after step %1 (kind %2)").arg(step).arg(kind)));
        }
    }

    // A file that another program changed is read again whole, whatever the change this
    // program reports; the index then knows the other program's QSO.
    void readsAgainAFileChangedElsewhere_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("append") << "append";
        QTest::newRow("replace") << "replace";
        QTest::newRow("insert") << "insert";
        QTest::newRow("remove") << "remove";
        QTest::newRow("remove past the end") << "remove past the end";
    }
    void readsAgainAFileChangedElsewhere()
    {
        QFETCH(QString, change);
        testing::TestPlatform p;
        const LogFiles logs(p.folder());
        const QString a = qso("01/05/24", "10:00", "F5AAA");
        const QString b = qso("01/05/24", "11:00", "F5BBB");
        const QString other = qso("01/05/24", "10:30", "F4HAND", "7", "CW", "Œdipe");
        testing::writeFile(logs.path(kRef), {a, b});
        CurrentLog log(logs);
        log.load(kRef);
        testing::writeFile(logs.path(kRef), {a, other, b});

        bool inStep = true;
        const QString c = qso("01/05/24", "12:00", "F6CCC");
        if (change == "append") {
            QVERIFY(logs.append({kRef}, c).ok());
            inStep = log.appended(c);
        } else if (change == "replace") {
            QVERIFY(logs.replace({kRef}, c, a).ok());
            inStep = log.replaced(a, c).has_value();
        } else if (change == "insert") {
            QVERIFY(logs.insertOne(kRef, c).ok);
            inStep = log.inserted(c).has_value();
        } else if (change == "remove") {
            QCOMPARE(logs.removeFromAll({kRef}, 0, a).outcome, LogFiles::RemoveOutcome::Removed);
            inStep = log.removed(0);
        } else {
            inStep = log.removed(2);
        }
        QVERIFY(!inStep);
        compareWithTheFile(log, logs, {"F5AAA", "F5BBB", "F4HAND", "F6CCC"});
        QVERIFY(log.firstRowWith("F4HAND", "7", "CW").has_value());
    }

    // Values the file cannot hold match no row, even where their bytes would read as '?'.
    void findsNoRowForAValueTheFileCannotHold()
    {
        testing::TestPlatform p;
        const LogFiles logs(p.folder());
        testing::writeFile(logs.path(kRef), {qso("01/05/24", "10:00", "F5?")});
        CurrentLog log(logs);
        log.load(kRef);
        QCOMPARE(log.firstRowWith(" F5? ", "14", "SSB"), std::optional<qsizetype>(0));
        QVERIFY(!log.firstRowWith(QStringLiteral("F5\u4e00"), "14", "SSB"));
        QVERIFY(!log.firstRowWith("", "14", "SSB"));
    }
};

ORVEL_TEST_CLASS(TestCurrentLog)
#include "tst_currentlog.moc"
