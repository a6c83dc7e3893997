#include "LabelFixtures.h"
#include "labels/LabelJob.h"
#include "labels/SelectionEntry.h"
#include "common/Windows1252.h"
#include "records/CurrentLog.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

using namespace orvel;
using namespace orvel::testing;

namespace {
QStringList callsOf(const QStringList &entries)
{
    QStringList calls;
    for (const QString &entry : entries)
        calls.append(labelQsoOfEntry(entry).call);
    return calls;
}
QStringList entriesOf(const QStringList &log, const QList<qsizetype> &rows)
{
    QStringList entries;
    for (const qsizetype row : rows)
        entries.append(selectionEntry(log.at(row)));
    return entries;
}
} // namespace

class TestSelection : public QObject
{
    Q_OBJECT

private slots:
    void entryOfALogLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("entry");
        const QString expected =
            "     Q4XYZ/P       76  Jean             59  57  SSB     7 Mhz Q 14/01/06  08:35";
        QTest::newRow("stored, 118 characters") << labelQsoLine("Q4XYZ/P") << expected;
        QTest::newRow("inserted, 104 characters")
            << labelQsoLine("Q4XYZ/P", "76", "08:35", "7", true) << expected;
        QTest::newRow("short line typed by hand")
            << QString("14/01/06  08:35  Q4XYZ/P")
            << "     Q4XYZ/P" + QString(51, ' ') + " 14/01/06  08:35";
    }
    void entryOfALogLine()
    {
        QFETCH(QString, line);
        QFETCH(QString, entry);
        QCOMPARE(selectionEntry(line), entry);
        QCOMPARE(selectionEntry(line).size(), 79);
        // The same from the bytes the log keeps.
        QCOMPARE(selectionEntry(QByteArrayView(encodeWindows1252(line))), entry);
    }

    void entryOfStoredBytesDecodesWindows1252()
    {
        QString line = labelQsoLine("F5ABC");
        line.replace(35, 5, QStringLiteral("Œdipe"));
        line.replace(74, 1, QStringLiteral("€"));
        const QString entry = selectionEntry(QByteArrayView(encodeWindows1252(line)));
        QCOMPARE(entry, selectionEntry(line));
        QVERIFY(entry.contains(QStringLiteral("Œdipe")));
        QCOMPARE(entry.at(62), QChar(u'€'));
    }

    // The order of whole lists rests on it: it must be that of a comparison without regard to
    // case, letter by letter, accented letters and windows-1252's own ones included.
    void entryOrderIsThatOfACaseBlindComparison_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::newRow("letters") << "F4ABC" << "f4abd";
        QTest::newRow("case alone") << "F4ABC" << "f4abc";
        QTest::newRow("prefix") << "F4AB" << "f4abc";
        QTest::newRow("digit and letter") << "F4A9" << "F4AA";
        QTest::newRow("accented capital") << "ÉLODIE" << "élodie";
        QTest::newRow("accent against plain") << "Elodie" << "Élodie";
        QTest::newRow("windows-1252 OE") << "Œdipe" << "œdipf";
        QTest::newRow("y with diaeresis") << "Ÿves" << "ÿvez";
        QTest::newRow("blank against letter") << "F5AB   " << "F5ABC  ";
        QTest::newRow("slash") << "F/ON4ABC" << "F4ABC";
        QTest::newRow("equal") << "F4ABC" << "F4ABC";
    }
    void entryOrderIsThatOfACaseBlindComparison()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        const auto expected = [](const QString &x, const QString &y) {
            const int folded = QString::compare(x, y, Qt::CaseInsensitive);
            return folded != 0 ? folded < 0 : x < y;
        };
        QCOMPARE(entryLess(a, b), expected(a, b));
        QCOMPARE(entryLess(b, a), expected(b, a));
    }

    void labelFieldsOfAnEntry()
    {
        const QString line = labelQsoLine("F/ON4ABC/P", "", "23:59", "144");
        const LabelQso qso = labelQsoOfEntry(selectionEntry(line));
        QCOMPARE(qso, (LabelQso{"F/ON4ABC/P", "", "59", "SSB", "144 Mhz", "14/01/06", "23:59"}));
    }

    // A whole log is sorted on the entries' first characters first: the order must be the one
    // entryLess gives, whatever the entries hold beyond them.
    void sortingAListGivesTheOrderOfEntryLess()
    {
        QStringList entries{"     F5ABC       76  Jean", "     f5abc       76  Jean",
                            "     F5ABC       14  Zoé",  "     F5ABC       14  zoé",
                            "     F5AB",                 "     f5ab",
                            "     Œ5ABC",                "     œ5ABD",
                            "     É5ABC       14",       "     e5ABC",
                            "",                          "     F5ABC       76  Jean",
                            "     F5ABC",                QString("     F5AB") + QChar(1),
                            "     F5ABÇ       89",       "     F5ABc"};
        QStringList expected = entries;
        std::stable_sort(expected.begin(), expected.end(), entryLess);
        sortEntries(entries);
        QCOMPARE(entries, expected);
    }

    // The lists made from the stored lines come in the order entryLess gives their entries,
    // whatever the lines hold: letter case alone, accented letters, lines cut short or
    // running past the entry, lines alike up to their last columns.
    void listsOfStoredLinesComeInTheOrderOfTheirEntries()
    {
        QStringList log{labelQsoLine("f5abc", "76", "09:00"), labelQsoLine("F5ABC", "76", "09:00"),
                        labelQsoLine("F5ABC", "76", "08:00"), labelQsoLine("É5ABC", "14"),
                        labelQsoLine("e5ABC", "14"),          labelQsoLine("Œ5ABC"),
                        labelQsoLine("œ5ABD"),                labelQsoLine("F5ABÇ", "89"),
                        labelQsoLine("F5ABC", "76", "09:00"), QString("14/01/06  08:35  F5AB"),
                        QString("14/01/06  08:35  f5ab"),     QString("14/01/06  08:36"),
                        labelQsoLine("F5ABC", "76", "09:00") + QString(40, 'x'),
                        labelQsoLine("F5ABC", "76", "09:00", "14"),
                        labelQsoLine("F5ABC", "76", "09:01")};
        TestPlatform platform;
        writeFile(platform.file("REF.txt"), log);
        CurrentLog current{LogFiles(platform.folder())};
        current.load("REF");
        QStringList expected = entriesOf(log, QList<qsizetype>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9,
                                                                10, 11, 12, 13, 14});
        std::stable_sort(expected.begin(), expected.end(), entryLess);
        const SelectionLists lists = selectionLists(current.rows(), {});
        QCOMPARE(entriesOf(log, lists.availableRows), expected);
        // Shown from the rows, chosen all at once after one click: the same entries in order.
        LabelJob job;
        job.setLists(std::make_shared<const LogRows>(current.rows()), lists);
        QCOMPARE(job.available().entries(), expected);
        job.choose(3);
        job.chooseAll();
        QCOMPARE(job.chosen().entries(), expected);
        QCOMPARE(entriesOf(log, job.chosen().logRows()), expected);
    }

    void listsAreSortedWithoutRegardToCase()
    {
        LabelJob job;
        job.addLogLines({labelQsoLine("q4low"), labelQsoLine("Q1ZZZ"), labelQsoLine("F5ABC"),
                         labelQsoLine("DL1ABC"), labelQsoLine("Q4LOW", "14")});
        QCOMPARE(callsOf(job.available().entries()),
                 (QStringList{"DL1ABC", "F5ABC", "Q1ZZZ", "Q4LOW", "q4low"}));
    }

    void entriesDifferingInCaseAloneComeInCodeOrder_data()
    {
        QTest::addColumn<QStringList>("fileOrder");
        QTest::newRow("lower case first in the file") << QStringList{"f4abc", "F4ABC", "F4aBC"};
        QTest::newRow("upper case first in the file") << QStringList{"F4ABC", "F4aBC", "f4abc"};
    }
    void entriesDifferingInCaseAloneComeInCodeOrder()
    {
        QFETCH(QStringList, fileOrder);
        const QStringList expected{"F4ABC", "F4aBC", "f4abc"};
        LabelJob job;
        for (const QString &call : fileOrder)
            job.addLogLines({labelQsoLine(call)});
        QCOMPARE(callsOf(job.available().entries()), expected);
        // Chosen one by one from the end, and given back: the same order in both lists.
        for (int row = 2; row >= 0; --row)
            job.choose(row);
        QCOMPARE(callsOf(job.chosen().entries()), expected);
        job.giveBack(2);
        job.giveBack(0);
        QCOMPARE(callsOf(job.available().entries()), (QStringList{"F4ABC", "f4abc"}));
    }

    void sameCallSignStandsTogetherInTheOrderOfTheRest()
    {
        LabelJob job;
        job.addLogLines({labelQsoLine("F5ABC", "76", "09:00"), labelQsoLine("F5AB", "76"),
                         labelQsoLine("F5ABC", "14", "10:00"), labelQsoLine("F5ABC", "76", "08:00"),
                         labelQsoLine("F5ABD")});
        QStringList order;
        for (const QString &entry : job.available().entries()) {
            const LabelQso q = labelQsoOfEntry(entry);
            order.append(q.call + ' ' + q.department + ' ' + q.time);
        }
        QCOMPARE(order, (QStringList{"F5AB 76 08:35", "F5ABC 14 10:00", "F5ABC 76 08:00",
                                     "F5ABC 76 09:00", "F5ABD 76 08:35"}));
    }

    void aLogReadInSlicesIsOrderedAsReadWhole()
    {
        QStringList lines;
        for (int i = 0; i < 30; ++i)
            lines.append(labelQsoLine(QString("Q%1ABC").arg((i * 7) % 10), "76",
                                      QString("08:%1").arg(i, 2, 10, QLatin1Char('0'))));
        LabelJob whole;
        whole.addLogLines(lines);
        LabelJob sliced;
        for (int from = 0; from < lines.size(); from += 7)
            sliced.addLogLines(lines.mid(from, 7));
        QCOMPARE(sliced.available().entries(), whole.available().entries());
    }

    void aQsoGivenBackReturnsToItsSortedPlace()
    {
        LabelJob job;
        job.addLogLines(numberedQsoLines(5));
        const QStringList before = job.available().entries();
        job.choose(2);
        job.choose(0);
        QCOMPARE(callsOf(job.chosen().entries()), (QStringList{"Q1AA00", "Q1AA02"}));
        QCOMPARE(callsOf(job.available().entries()), (QStringList{"Q1AA01", "Q1AA03", "Q1AA04"}));
        job.giveBack(1);
        job.giveBack(0);
        QCOMPARE(job.available().entries(), before);
        QVERIFY(job.chosen().entries().isEmpty());
    }

    void everythingChosenAfterSomeClicksStandsOnceInOrder()
    {
        LabelJob job;
        job.addLogLines(numberedQsoLines(6));
        job.choose(4);
        job.choose(1);
        job.chooseAll();
        QVERIFY(job.available().entries().isEmpty());
        QCOMPARE(callsOf(job.chosen().entries()),
                 (QStringList{"Q1AA00", "Q1AA01", "Q1AA02", "Q1AA03", "Q1AA04", "Q1AA05"}));
    }

    // The lists made from a log: the rows chosen go to the second list, every other row to the
    // first; each row stands in one list once, whatever rows the choice names.
    void listsOfALogSplitOnTheChosenRows_data()
    {
        QTest::addColumn<QList<qsizetype>>("chosenRows");
        QTest::addColumn<QStringList>("available");
        QTest::addColumn<QStringList>("chosen");
        QTest::newRow("none") << QList<qsizetype>{} << QStringList{"F5AB", "F5AB", "Q1ZZ", "q1zz"}
                              << QStringList{};
        QTest::newRow("one of two equal QSOs")
            << QList<qsizetype>{3} << QStringList{"F5AB", "Q1ZZ", "q1zz"} << QStringList{"F5AB"};
        QTest::newRow("rows outside the log and twice")
            << QList<qsizetype>{0, 0, 7, -1} << QStringList{"F5AB", "F5AB", "Q1ZZ"}
            << QStringList{"q1zz"};
    }
    void listsOfALogSplitOnTheChosenRows()
    {
        QFETCH(QList<qsizetype>, chosenRows);
        QFETCH(QStringList, available);
        QFETCH(QStringList, chosen);
        TestPlatform platform;
        const QStringList log{labelQsoLine("q1zz"), labelQsoLine("F5AB"), labelQsoLine("Q1ZZ"),
                              labelQsoLine("F5AB")};
        writeFile(platform.file("REF.txt"), log);
        CurrentLog current{LogFiles(platform.folder())};
        current.load("REF");
        const SelectionLists lists = selectionLists(current.rows(), chosenRows);
        QCOMPARE(callsOf(entriesOf(log, lists.availableRows)), available);
        QCOMPARE(callsOf(entriesOf(log, lists.chosenRows)), chosen);
    }

    // A log long enough for the lists to be made on two threads: each list holds its rows in
    // the order of their entries, equal entries in the order of their rows. A few calls that
    // fold alike come back often; the many others two or three times each, as in a long log,
    // so that there are enough QSOs of one call to share between the two threads too.
    void aLongLogSplitsAsAShortOneDoes()
    {
        const QStringList calls{"F5AB", "f5ab", "Q1ZZ", "É5AB", "EA3X"};
        const auto oneOfMany = [](int k) {
            return QStringLiteral("F%1").arg(k % 10) + QChar(u'A' + k / 10 % 26) +
                   QChar(u'A' + k / 260 % 26) + QChar(u'A' + k / 6760 % 26);
        };
        QRandomGenerator random(2903);
        QStringList log;
        QList<qsizetype> chosenRows;
        for (int row = 0; row < 80000; ++row) {
            const QString call =
                row % 10 == 0 ? calls.at(random.bounded(calls.size())) : oneOfMany(row % 30000);
            log.append(labelQsoLine(call, "76", QStringLiteral("0%1:00").arg(random.bounded(3))));
            if (row % 7 == 0)
                chosenRows.append(row);
        }
        TestPlatform platform;
        writeFile(platform.file("REF.txt"), log);
        CurrentLog current{LogFiles(platform.folder())};
        current.load("REF");
        QStringList entries;
        for (const QString &line : std::as_const(log))
            entries.append(selectionEntry(QStringView(line)));
        QList<qsizetype> available;
        for (qsizetype row = 0; row < log.size(); ++row) {
            if (row % 7 != 0)
                available.append(row);
        }
        const auto inEntryOrder = [&](QList<qsizetype> rows) {
            std::stable_sort(rows.begin(), rows.end(), [&](qsizetype a, qsizetype b) {
                return entryLess(entries.at(a), entries.at(b));
            });
            return rows;
        };

        const SelectionLists lists = selectionLists(current.rows(), chosenRows);

        QCOMPARE(lists.availableRows, inEntryOrder(available));
        QCOMPARE(lists.chosenRows, inEntryOrder(chosenRows));
    }

    // After the log was read again whole, the QSOs chosen are found by their entries: one row
    // for each time an entry was chosen, none for an entry the log no longer holds.
    void aLogReadAgainKeepsTheChosenEntriesItStillHolds()
    {
        TestPlatform platform;
        writeFile(platform.file("REF.txt"),
                  {labelQsoLine("F5AB"), labelQsoLine("Q1ZZ"), labelQsoLine("F5AB"),
                   labelQsoLine("EA3X")});
        CurrentLog current{LogFiles(platform.folder())};
        current.load("REF");
        const SelectionLists lists = selectionListsMatching(
            current.rows(), {selectionEntry(labelQsoLine("F5AB")), selectionEntry(labelQsoLine("GONE"))});
        QCOMPARE(lists.chosenRows, QList<qsizetype>{0});
        QCOMPARE(lists.availableRows, (QList<qsizetype>{3, 2, 1}));
    }

    // The lists follow the log's rows: rows inserted before an entry's row move it, a removed
    // row takes its entry out of whichever list holds it.
    void listsFollowRowsInsertedAndRemoved()
    {
        LabelJob job;
        job.setAvailable({"a0", "a2", "a5"}, {0, 2, 5});
        job.setChosen({"c1", "c3"}, {1, 3});
        job.followInserted(2, 2);
        QCOMPARE(job.available().logRows(), (QList<qsizetype>{0, 4, 7}));
        QCOMPARE(job.chosen().logRows(), (QList<qsizetype>{1, 5}));
        job.followRemoved(4, 5);
        QCOMPARE(job.available().entries(), (QStringList{"a0", "a5"}));
        QCOMPARE(job.available().logRows(), (QList<qsizetype>{0, 5}));
        QCOMPARE(job.chosen().entries(), QStringList{"c1"});
        // A QSO chosen takes its row along.
        job.choose(1);
        QCOMPARE(job.chosen().entries(), (QStringList{"a5", "c1"}));
        QCOMPARE(job.chosen().logRows(), (QList<qsizetype>{5, 1}));
    }

    void everythingChosenFromAnEmptyLogChangesNothing()
    {
        LabelJob job;
        job.addLogLines({});
        job.chooseAll();
        QVERIFY(job.available().entries().isEmpty());
        QVERIFY(job.chosen().entries().isEmpty());
    }

    void activationChoiceRefusals_data()
    {
        QTest::addColumn<int>("perLabel");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("refusal");
        const QString one = "Une seule activité à selectionner";
        const QString two = "Deux activités à selectionner";
        QTest::newRow("one, none selected") << 1 << QList<int>{} << one;
        QTest::newRow("one, one selected") << 1 << QList<int>{1} << QString();
        QTest::newRow("one, two selected") << 1 << QList<int>{0, 2} << one;
        QTest::newRow("two, one selected") << 2 << QList<int>{1} << two;
        QTest::newRow("two, two selected") << 2 << QList<int>{0, 2} << QString();
        QTest::newRow("two, three selected") << 2 << QList<int>{0, 1, 2} << two;
    }
    void activationChoiceRefusals()
    {
        QFETCH(int, perLabel);
        QFETCH(QList<int>, selected);
        QFETCH(QString, refusal);
        ActivationChoice choice{{"DFCF 34005", "DMF 34015", "DMSM 34001"}, {}, perLabel};
        for (int row : selected)
            choice.setSelected(row, true);
        QCOMPARE(choice.refusal(), refusal);
    }

    void theFirstActivationIsTheUpperOfTheTwoWhateverTheClickOrder()
    {
        ActivationChoice choice{{"DFCF 34005", "DMF 34015", "DMSM 34001"}, {}, 2};
        choice.setSelected(2, true);
        choice.setSelected(0, true);
        choice.setSelected(1, true);
        choice.setSelected(1, false);
        QCOMPARE(choice.first(), QString("DFCF 34005"));
        QCOMPARE(choice.second(), QString("DMSM 34001"));
        choice.perLabel = 1;
        QCOMPARE(choice.second(), std::nullopt);
    }

    void twoPerLabelWithOneSelectedNamesItTwice()
    {
        ActivationChoice choice{{"DFCF 34005", "DMF 34015"}, {}, 2};
        choice.setSelected(1, true);
        QCOMPARE(choice.first(), QString("DMF 34015"));
        QCOMPARE(choice.second(), QString("DMF 34015"));
    }
};

ORVEL_TEST_CLASS(TestSelection)
#include "tst_selection.moc"
