#include "records/CurrentLog.h"
#include "records/QsoLine.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"
#include "views/QsoSearch.h"

#include <QTest>

using namespace orvel;

Q_DECLARE_METATYPE(orvel::SearchOption)

namespace {

QString qso(const QString &date, const QString &call, const QString &department)
{
    return formatQsoLine(
        {date, "08:35", call, department, "Jean", "59", "59", "SSB", "7", "", "Q9ABC"});
}

const QStringList kLog{qso("05/09/13", "F4KLA", "89"), qso("05/09/13", "EA3XYZ", ""),
                       qso("06/09/13", "OKL1A", "2A"), qso("06/09/13", "ON4ABC", "5"),
                       qso("05/09/13", "W1KL", "89")};

// The log of lines as the session holds it, read from its file.
struct HeldLog {
    testing::TestPlatform platform;
    CurrentLog log{LogFiles(platform.folder())};
    explicit HeldLog(const QStringList &lines)
    {
        testing::writeFile(platform.file("REF.txt"), lines);
        log.load("REF");
    }
};

} // namespace

class TestQsoSearch : public QObject
{
    Q_OBJECT

private slots:
    void keyBoxesRefuseWithTheirMessages_data()
    {
        QTest::addColumn<SearchOption>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("emptied");
        const auto call = SearchOption::Call;
        const auto date = SearchOption::Date;
        const auto department = SearchOption::Department;
        QTest::newRow("call of 12") << call << "F4ABCDEFGHIJ"
                                    << "" << false;
        QTest::newRow("call of 13") << call << "F4ABCDEFGHIJK"
                                    << "Attention 12 caracteres maxi pour l'indicatif" << false;
        QTest::newRow("empty call") << call << ""
                                    << "Entrez un indicatif" << true;
        QTest::newRow("date 05/09/13") << date << "05/09/13"
                                       << "" << false;
        QTest::newRow("date 05-09-13") << date << "05-09-13"
                                       << "Attention le format date doit etre JJ/MM/AA" << false;
        QTest::newRow("05/0913 has its third character right") << date << "05/0913"
                                                               << "" << false;
        QTest::newRow("05090/13 has its sixth character right") << date << "05090/13"
                                                                << "" << false;
        QTest::newRow("empty date fails the form first")
            << date << ""
            << "Attention le format date doit etre JJ/MM/AA" << false;
        QTest::newRow("date of 9")
            << date << "05/09/2013"
            << "Attention 8 caracteres maxi pour la date (format jj/mm/aa)" << false;
        QTest::newRow("département of 2") << department << "2A"
                                          << "" << false;
        QTest::newRow("département of 3")
            << department << "891"
            << "Attention 2 caracteres maxi pour le departement" << false;
        QTest::newRow("empty département") << department << ""
                                           << "Entrez un departement" << true;
    }
    void keyBoxesRefuseWithTheirMessages()
    {
        QFETCH(SearchOption, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(bool, emptied);
        const KeyCheck check = checkSearchKey(box, text);
        QCOMPARE(check.message, message);
        QCOMPARE(check.emptyBox, emptied);
    }

    void searchFindsTheEntriesOfTheEntryList_data()
    {
        QTest::addColumn<SearchOption>("option");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QList<int>>("rows");
        QTest::newRow("KL anywhere in the call sign")
            << SearchOption::Call << "KL" << QList<int>{0, 2, 4};
        QTest::newRow("call key in capitals") << SearchOption::Call << "kl" << QList<int>{0, 2, 4};
        QTest::newRow("date of the day") << SearchOption::Date << "06/09/13" << QList<int>{2, 3};
        QTest::newRow("05/0913 finds nothing") << SearchOption::Date << "05/0913" << QList<int>{};
        QTest::newRow("département as stored") << SearchOption::Department << "2A" << QList<int>{2};
        QTest::newRow("2a does not find 2A") << SearchOption::Department << "2a" << QList<int>{};
        QTest::newRow("one character finds nothing")
            << SearchOption::Department << "5" << QList<int>{};
    }
    void searchFindsTheEntriesOfTheEntryList()
    {
        QFETCH(SearchOption, option);
        QFETCH(QString, key);
        QFETCH(QList<int>, rows);

        const HeldLog held(kLog);
        const SearchOutcome outcome = searchQsos(held.log, option, key);

        QCOMPARE(outcome.rows, rows);
        QStringList entries;
        for (const int row : rows)
            entries.append(listEntry(row + 1, kLog.at(row)));
        QCOMPARE(outcome.entries, entries);
        QCOMPARE(outcome.message, rows.isEmpty() ? QString("Pas de QSO trouvé") : QString());
        QVERIFY(!outcome.stopped);
    }

    void anEmptyKeyStopsTheSearch()
    {
        const HeldLog held(kLog);
        const SearchOutcome outcome = searchQsos(held.log, SearchOption::Date, "");
        QVERIFY(outcome.stopped);
        QCOMPARE(outcome.message, QString("Entrez une date"));
        QVERIFY(outcome.entries.isEmpty());
        QVERIFY(searchQsos(held.log, SearchOption::Call, "").emptyCallBox);
    }

    void keyTextRules()
    {
        QCOMPARE(callKeyCapitals("f4kla/p é"), QString("F4KLA/P é"));
        QCOMPARE(withoutLeadingLineBreak("\r\n05/09/13"), QString("05/09/13"));
        QCOMPARE(withoutLeadingLineBreak("05/09/13\r\n"), QString("05/09/13\r\n"));
    }

    void aPickedResultFindsItsRowInTheCurrentLog()
    {
        const QString chosen = listEntry(3, kLog.at(2));
        QCOMPARE(rowOfSearchResult(HeldLog(kLog).log, chosen), 2);
        // The log changed since the search: the numbers moved, the entry is no longer there.
        QCOMPARE(rowOfSearchResult(HeldLog(kLog.mid(1)).log, chosen), -1);
    }
};

ORVEL_TEST_CLASS(TestQsoSearch)
#include "tst_qsosearch.moc"
