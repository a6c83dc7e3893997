#include "records/QsoLine.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace orvel;

namespace {
QsoRecord sample()
{
    QsoRecord q;
    q.date = "05/09/13";
    q.time = "14:32";
    q.call = "Q4ABC";
    q.department = "76";
    q.firstName = "Jean";
    q.rstReceived = "59";
    q.rstSent = "57";
    q.mode = "SSB";
    q.band = "7";
    q.remarks = "qrp";
    q.operatorCall = "Q4OPE";
    return q;
}
} // namespace

class TestQsoLine : public QObject
{
    Q_OBJECT

private slots:
    void laysOutTheStoredLine()
    {
        const QString line = formatQsoLine(sample());
        QCOMPARE(line.size(), kQsoLineLength);
        QCOMPARE(line,
                 QString("05/09/13  14:32  Q4ABC         76  Jean             59  57  SSB     7 "
                         "Mhz QRP                             Q4OPE       "));
    }

    void placesEveryColumn_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("expected");
        QTest::newRow("band 7") << "band" << "7" << 67 << "  7 Mhz ";
        QTest::newRow("band 14") << "band" << "14" << 67 << " 14 Mhz ";
        QTest::newRow("band 3.5") << "band" << "3.5" << 67 << "3.5 Mhz ";
        QTest::newRow("band 144") << "band" << "144" << 67 << "144 Mhz ";
        QTest::newRow("rst 59") << "rst" << "59" << 53 << "59  ";
        QTest::newRow("rst 599") << "rst" << "599" << 53 << "599 ";
        QTest::newRow("empty operator") << "operator" << "" << 107 << "            ";
        QTest::newRow("12-char operator") << "operator" << "Q4ABCDEFGHIJ" << 107 << "Q4ABCDEFGHIJ";
        QTest::newRow("remarks capitals") << "remarks" << "été qrp" << 75 << "ÉTÉ QRP";
        QTest::newRow("line break in remarks") << "remarks" << "A\r\nB" << 75 << "A  B";
        QTest::newRow("capitals stay in the set") << "remarks" << "ß µ ÿ" << 75 << "ß µ Ÿ";
    }
    void placesEveryColumn()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(int, column);
        QFETCH(QString, expected);
        QsoRecord q = sample();
        if (field == "band")
            q.band = value;
        else if (field == "rst")
            q.rstReceived = value;
        else if (field == "operator")
            q.operatorCall = value;
        else
            q.remarks = value;
        const QString line = formatQsoLine(q);
        QCOMPARE(line.size(), kQsoLineLength);
        QCOMPARE(line.mid(column - 1, expected.size()), expected);
        QVERIFY(!line.contains('\r') && !line.contains('\n'));
    }

    void insertedLineStopsAfterRemarks()
    {
        const QString line = formatQsoLine(sample(), true);
        QCOMPARE(line.size(), kInsertedQsoLineLength);
        QCOMPARE(line, formatQsoLine(sample()).left(kInsertedQsoLineLength));
        QCOMPARE(parseQsoLine(line).operatorCall, QString());
    }

    void readsBackWhatItWrote()
    {
        QsoRecord q = sample();
        const QsoRecord back = parseQsoLine(formatQsoLine(q));
        q.remarks = "QRP";
        QCOMPARE(back, q);
        QCOMPARE(bandWithUnit(formatQsoLine(q)), QString("7 Mhz"));
        QsoRecord garbage;
        garbage.date = "garbage";
        QCOMPARE(parseQsoLine("garbage"), garbage);
    }

    void numbersListEntries()
    {
        const QStringList entries = listEntries({"a", "b", "c"});
        QCOMPARE(entries, QStringList({"   1  a", "   2  b", "   3  c"}));
        QCOMPARE(listEntry(9999, "x"), QString("9999  x"));
        QCOMPARE(listEntry(10000, "x"), QString("10000 x"));
        QCOMPARE(lineOfListEntry(listEntry(12345, "line")), QString("line"));
    }

    // A long log's numbers are read back whole, whatever their digits: the number tells which
    // QSO a deletion removes.
    void readsBackTheNumberAndLineOfAnEntry_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("one digit") << 7;
        QTest::newRow("four digits") << 9999;
        QTest::newRow("five digits") << 54321;
        QTest::newRow("six digits") << 500001;
        QTest::newRow("seven digits") << 1000000;
    }
    void readsBackTheNumberAndLineOfAnEntry()
    {
        QFETCH(int, number);
        const QString line = "01/05/24  10:15  F5ABC";
        const QString entry = listEntry(number, line);
        QCOMPARE(numberOfListEntry(entry), std::optional<int>(number));
        QCOMPARE(lineOfListEntry(entry), line);
    }

    void countsDistinctOperators()
    {
        QsoRecord a = sample();
        QsoRecord b = sample();
        b.call = "Q4DEF";
        QsoRecord lower = sample();
        lower.call = "q4abc";
        QsoRecord empty = sample();
        empty.call.clear();
        const QString la = formatQsoLine(a);
        QStringList calls;
        QCOMPARE(countOperators({la, la, la, formatQsoLine(b)}, &calls), 2);
        QCOMPARE(calls, QStringList({"Q4ABC", "Q4DEF"}));
        QCOMPARE(countOperators({la, formatQsoLine(lower)}), 2);
        QCOMPARE(countOperators({formatQsoLine(empty)}), 0);
        QCOMPARE(countOperators({}), 0);
    }

    void buildsFirstNameKeyLine()
    {
        QCOMPARE(firstNameKeyLine("Q4ABC", "76", "Jean"), QString("Q4ABC        76 Jean"));
        QCOMPARE(firstNameKeyLine("EA3XX", "", "Pepe"), QString("EA3XX           Pepe"));
    }
};

ORVEL_TEST_CLASS(TestQsoLine)
#include "tst_qsoline.moc"
