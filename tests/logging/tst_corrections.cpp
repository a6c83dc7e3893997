#include "logging/LogCorrections.h"
#include "logging/QsoStore.h"
#include "records/Session.h"
#include "records/UnfinishedWrites.h"
#include "support/Activations.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QFileInfo>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;

namespace {

const QString kCurrent = QStringLiteral("DFCF 89010");
const QString kOther = QStringLiteral("DMF 89-001");

QString qso(const QString &date, const QString &time, const QString &call,
            const QString &mode = "SSB", const QString &band = "7")
{
    return formatQsoLine(
        QsoRecord{date, time, call, "05", "Jean", "59", "59", mode, band, "", "F4OPE"});
}

// The list entry of the line at position number (from 1) of lines.
QString entryOf(const QStringList &lines, int number)
{
    return listEntry(number, lines.at(number - 1));
}

} // namespace

class TestCorrections : public QObject
{
    Q_OBJECT

private slots:
    void putsTheStoredValuesBackIntoTheFields_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QsoRecord>("stored");
        QTest::addColumn<QString>("numberText");
        QTest::addColumn<QString>("department");
        QTest::addColumn<QString>("rstReceived");
        const QsoRecord cw{"01/05/24", "10:15", "F5ABC", "05",  "Jean", "599",
                           "579",      "CW",    "7",     "QRP", "F4OPE"};
        QsoRecord foreign = cw;
        foreign.call = "EA3XYZ";
        foreign.department = "";
        foreign.rstReceived = "59";
        foreign.mode = "SSB";
        QTest::newRow("CW keeps 599, département 05") << 5 << cw << "05"
                                                      << "05"
                                                      << "599";
        QTest::newRow("no département gives an empty field") << 12 << foreign << "12"
                                                             << ""
                                                             << "59";
        QTest::newRow("four-digit number") << 1234 << cw << "1234"
                                           << "05"
                                           << "599";
    }
    void putsTheStoredValuesBackIntoTheFields()
    {
        QFETCH(int, number);
        QFETCH(QsoRecord, stored);
        QFETCH(QString, numberText);
        QFETCH(QString, department);
        QFETCH(QString, rstReceived);
        ScriptedDialogs dialogs;

        const auto fields =
            LogCorrections::chooseForEdit(dialogs, listEntry(number, formatQsoLine(stored)));

        QVERIFY(fields);
        QCOMPARE(fields->number, numberText);
        QCOMPARE(fields->entry.department, department);
        QCOMPARE(fields->entry.rstReceived, rstReceived);
        QCOMPARE(fields->entry.mode, stored.mode);
        QCOMPARE(fields->entry.band, stored.band);
        QCOMPARE(fields->entry.operatorCall, QString()); // Ope_Q keeps its own text
        QCOMPARE(dialogs.shown, QStringList());
    }

    void withoutAChosenLineOnlyTheMessageIsShown()
    {
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        const QStringList lines{qso("01/05/24", "10:15", "F5ABC")};
        writeFile(logs.path(kCurrent), lines);
        Session session(platform.folder(), activationOf(kCurrent), {kCurrent, kOther});
        LogCorrections corrections(session);

        QVERIFY(!LogCorrections::chooseForEdit(platform.dialogs, QString()));
        QCOMPARE(corrections.deleteChosen(platform.dialogs, QString()),
                 CorrectionResult::NothingChosen);

        QCOMPARE(platform.dialogs.messages, (QStringList{"Cliquez sur une ligne pour la modifier",
                                                         "Cliquez sur une ligne pour l'annuler"}));
        QCOMPARE(platform.dialogs.questions, QStringList());
        QCOMPARE(readBytes(logs.path(kCurrent)), fileBytes(lines));
    }

    void deletesOnlyTheChosenOccurrence_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QList<int>>("kept");
        QTest::newRow("first of two identical lines") << 2 << QList<int>{1, 3, 4};
        QTest::newRow("second of two identical lines") << 4 << QList<int>{1, 2, 3};
        QTest::newRow("a line of its own") << 1 << QList<int>{2, 3, 4};
    }
    void deletesOnlyTheChosenOccurrence()
    {
        QFETCH(int, chosen);
        QFETCH(QList<int>, kept);
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        const QStringList lines{
            qso("01/05/24", "10:00", "F6XYZ"), qso("01/05/24", "10:05", "F5ABC"),
            qso("01/05/24", "10:10", "F4KLM"), qso("01/05/24", "10:05", "F5ABC")};
        writeFile(logs.path(kCurrent), lines);
        Session session(platform.folder(), activationOf(kCurrent), {kCurrent, kOther});
        LogCorrections corrections(session);
        platform.dialogs.answers = {true};

        QCOMPARE(corrections.deleteChosen(platform.dialogs, entryOf(lines, chosen)),
                 CorrectionResult::Done);

        QStringList expected;
        for (int number : kept)
            expected.append(lines.at(number - 1));
        QCOMPARE(readBytes(logs.path(kCurrent)), fileBytes(expected));
        QCOMPARE(corrections.deletedLine(), lines.at(chosen - 1));
        QVERIFY(corrections.recoveryAvailable());
        QCOMPARE(testing::scratchFiles(platform.folder()), QStringList());
    }

    void deletionChangesNothingWhenRefusedOrStale_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("entryNumber");
        QTest::addColumn<int>("lineNumber");
        QTest::addColumn<CorrectionResult>("result");
        QTest::newRow("answered No") << false << 2 << 2 << CorrectionResult::Declined;
        QTest::newRow("line no longer at its place") << true << 1 << 2 << CorrectionResult::Failed;
        QTest::newRow("number past the end") << true << 9 << 2 << CorrectionResult::Failed;
    }
    void deletionChangesNothingWhenRefusedOrStale()
    {
        QFETCH(bool, answer);
        QFETCH(int, entryNumber);
        QFETCH(int, lineNumber);
        QFETCH(CorrectionResult, result);
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        const QStringList lines{qso("01/05/24", "10:00", "F6XYZ"),
                                qso("01/05/24", "10:05", "F5ABC")};
        writeFile(logs.path(kCurrent), lines);
        Session session(platform.folder(), activationOf(kCurrent), {kCurrent, kOther});
        LogCorrections corrections(session);
        platform.dialogs.answers = {answer};

        const QString entry = listEntry(entryNumber, lines.at(lineNumber - 1));
        QCOMPARE(corrections.deleteChosen(platform.dialogs, entry), result);

        QCOMPARE(platform.dialogs.questions, QStringList{"Voulez vous effacer le QSO avec F5ABC ?\n"
                                                         "Il sera effacé du log DFCF 89010."});
        QCOMPARE(platform.dialogs.messages.size(), result == CorrectionResult::Failed ? 1 : 0);
        QCOMPARE(readBytes(logs.path(kCurrent)), fileBytes(lines));
        QCOMPARE(corrections.deletedLine(), QString());
        QVERIFY(!corrections.recoveryAvailable());
    }

    // A QSO is stored in every open log: it is deleted from each log that holds it, the same
    // occurrence of a line stored twice, and recovered into each of them.
    void deletesAndRecoversInEveryLogHoldingIt_data()
    {
        QTest::addColumn<QList<int>>("other"); // the other log's lines (numbers of `lines`)
        QTest::addColumn<QList<int>>("third"); // the third log's lines
        QTest::addColumn<int>("chosen");       // in the current log, which holds every line
        QTest::addColumn<QString>("named");    // the question's second line
        QTest::addColumn<QList<int>>("otherAfter");
        QTest::addColumn<QList<int>>("thirdAfter");
        QTest::newRow("three logs hold it")
            << QList<int>{1, 2, 3} << QList<int>{1, 2, 3} << 2
            << "Il sera effacé des logs DFCF 89010, DMF 89-001 et WFF FFF-0123." << QList<int>{1, 3}
            << QList<int>{1, 3};
        QTest::newRow("a log without it is left as it is")
            << QList<int>{1, 3} << QList<int>{1, 2, 3} << 2
            << "Il sera effacé des logs DFCF 89010 et WFF FFF-0123." << QList<int>{1, 3}
            << QList<int>{1, 3};
        QTest::newRow("the same occurrence of a line stored twice")
            << QList<int>{1, 2, 3, 4} << QList<int>{1, 2, 3} << 4
            << "Il sera effacé des logs DFCF 89010, DMF 89-001 et WFF FFF-0123."
            << QList<int>{1, 2, 3} << QList<int>{1, 3};
    }
    void deletesAndRecoversInEveryLogHoldingIt()
    {
        QFETCH(QList<int>, other);
        QFETCH(QList<int>, third);
        QFETCH(int, chosen);
        QFETCH(QString, named);
        QFETCH(QList<int>, otherAfter);
        QFETCH(QList<int>, thirdAfter);
        const QString kThird = QStringLiteral("WFF FFF-0123");
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        const QStringList lines{
            qso("01/05/24", "10:00", "F6XYZ"), qso("01/05/24", "10:05", "F5ABC"),
            qso("01/05/24", "10:10", "F4KLM"), qso("01/05/24", "10:05", "F5ABC")};
        const auto pick = [&lines](const QList<int> &numbers) {
            QStringList picked;
            for (int number : numbers)
                picked.append(lines.at(number - 1));
            return picked;
        };
        writeFile(logs.path(kCurrent), lines);
        writeFile(logs.path(kOther), pick(other));
        writeFile(logs.path(kThird), pick(third));
        const QStringList before{logs.load(kCurrent) + QStringList{"|"} + logs.load(kOther) +
                                 QStringList{"|"} + logs.load(kThird)};
        Session session(platform.folder(), activationOf(kCurrent), {kCurrent, kOther, kThird});
        LogCorrections corrections(session);

        QCOMPARE(corrections.deleteChosen(platform.dialogs, entryOf(lines, chosen)),
                 CorrectionResult::Done);
        QCOMPARE(platform.dialogs.questions,
                 QStringList{"Voulez vous effacer le QSO avec F5ABC ?\n" + named});
        QStringList current = lines;
        current.removeAt(chosen - 1);
        QCOMPARE(logs.load(kCurrent), current);
        QCOMPARE(session.currentLog().size(), current.size());
        QCOMPARE(logs.load(kOther), pick(otherAfter));
        QCOMPARE(logs.load(kThird), pick(thirdAfter));
        QVERIFY(!QFileInfo::exists(WriteJournal(platform.folder()).path()));

        // Put back into each log it left, at its moment: the logs are as they were, but for a
        // line of one moment, which goes before its equals.
        QCOMPARE(corrections.recoverDeleted(platform.dialogs), CorrectionResult::Done);
        const auto sorted = [](QStringList list) {
            std::sort(list.begin(), list.end());
            return list;
        };
        QCOMPARE(sorted(logs.load(kCurrent)), sorted(lines));
        QCOMPARE(sorted(logs.load(kOther)), sorted(pick(other)));
        QCOMPARE(sorted(logs.load(kThird)), sorted(pick(third)));
        QCOMPARE(session.currentLog().size(), lines.size());
        QVERIFY(!QFileInfo::exists(WriteJournal(platform.folder()).path()));
        QCOMPARE(testing::scratchFiles(platform.folder()), QStringList());
    }

    void recoversAtItsOwnTimeAfterLaterQsos_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QStringList>("laterQsos");
        QTest::addColumn<int>("expectedPlace");
        QTest::addColumn<QString>("question");
        QTest::newRow("two QSOs logged after the deletion")
            << QStringList{qso("01/05/24", "10:00", "F6XYZ"), qso("01/05/24", "10:05", "F5ABC"),
                           qso("01/05/24", "10:10", "F4KLM")}
            << 2
            << QStringList{qso("01/05/24", "10:20", "F1AAA"), qso("01/05/24", "10:30", "F2BBB")}
            << 1 << "Voulez vous recuperer le QSO avec F5ABC a 10:05 sur 7 Mhz en SSB";
        QTest::newRow("1999 before 2000")
            << QStringList{qso("31/12/99", "23:50", "F5ABC", "CW", "144"),
                           qso("01/01/00", "00:10", "F6XYZ")}
            << 1 << QStringList{qso("01/01/00", "00:20", "F1AAA")} << 0
            << "Voulez vous recuperer le QSO avec F5ABC a 23:50 sur 144 Mhz en CW";
        QTest::newRow("before a QSO of the same minute")
            << QStringList{qso("01/05/24", "10:05", "F5ABC"), qso("01/05/24", "10:10", "F6XYZ")}
            << 1 << QStringList{qso("01/05/24", "10:05", "F1AAA")} << 0
            << "Voulez vous recuperer le QSO avec F5ABC a 10:05 sur 7 Mhz en SSB";
        QTest::newRow("into a log emptied meanwhile")
            << QStringList{qso("01/05/24", "10:05", "F5ABC")} << 1 << QStringList() << 0
            << "Voulez vous recuperer le QSO avec F5ABC a 10:05 sur 7 Mhz en SSB";
    }
    void recoversAtItsOwnTimeAfterLaterQsos()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, chosen);
        QFETCH(QStringList, laterQsos);
        QFETCH(int, expectedPlace);
        QFETCH(QString, question);
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        writeFile(logs.path(kCurrent), lines);
        Session session(platform.folder(), activationOf(kCurrent), {kCurrent, kOther});
        LogCorrections corrections(session);
        const QString deleted = lines.at(chosen - 1);

        QCOMPARE(corrections.deleteChosen(platform.dialogs, entryOf(lines, chosen)),
                 CorrectionResult::Done);
        for (const QString &line : laterQsos)
            QVERIFY(logs.append({kCurrent}, line).ok());
        QStringList expected = logs.load(kCurrent);
        expected.insert(expectedPlace, deleted);
        platform.dialogs.clear();

        QCOMPARE(corrections.recoverDeleted(platform.dialogs), CorrectionResult::Done);

        QCOMPARE(platform.dialogs.questions, QStringList{question});
        QCOMPARE(readBytes(logs.path(kCurrent)), fileBytes(expected));
        QVERIFY(!corrections.recoveryAvailable());
        QCOMPARE(corrections.deletedLine(), deleted);
        QCOMPARE(testing::scratchFiles(platform.folder()), QStringList());
    }

    void recoversIntoTheLogItWasTakenFrom()
    {
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        const QStringList lines{qso("01/05/24", "10:05", "F5ABC")};
        writeFile(logs.path(kCurrent), lines);
        Session session(platform.folder(), activationOf(kCurrent), {kCurrent, kOther});
        LogCorrections corrections(session);
        QCOMPARE(corrections.deleteChosen(platform.dialogs, entryOf(lines, 1)),
                 CorrectionResult::Done);
        // Another activation became the current one in the meantime.
        session.open(activationOf("OTHER"), {"OTHER"});
        QCOMPARE(corrections.recoverDeleted(platform.dialogs), CorrectionResult::Done);
        QCOMPARE(logs.load(kCurrent), lines);
        QVERIFY(!logs.exists("OTHER"));
    }

    void recoveryIsOfferedWhileTheDeletedQsoIsNotBack()
    {
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        const QStringList lines{qso("01/05/24", "10:00", "F6XYZ"),
                                qso("01/05/24", "10:05", "F5ABC")};
        writeFile(logs.path(kCurrent), lines);
        Session session(platform.folder(), activationOf(kCurrent), {kCurrent, kOther});
        LogCorrections corrections(session);
        QVERIFY(!corrections.recoveryAvailable());

        platform.dialogs.answers = {true, false};
        corrections.deleteChosen(platform.dialogs, entryOf(lines, 2));
        QCOMPARE(corrections.recoverDeleted(platform.dialogs), CorrectionResult::Declined);
        QVERIFY(!corrections.recoveryAvailable());
        QCOMPARE(logs.load(kCurrent), QStringList{lines.at(0)});

        // Asking to delete another QSO offers the held one again, even when answered No.
        platform.dialogs.answers = {false, true};
        QCOMPARE(corrections.deleteChosen(platform.dialogs, entryOf(lines, 1)),
                 CorrectionResult::Declined);
        QVERIFY(corrections.recoveryAvailable());
        QCOMPARE(corrections.recoverDeleted(platform.dialogs), CorrectionResult::Done);
        QCOMPARE(logs.load(kCurrent), lines);

        // Once back, it is not offered again: it would stand twice in the log.
        platform.dialogs.answers = {false};
        corrections.deleteChosen(platform.dialogs, entryOf(lines, 1));
        QVERIFY(!corrections.recoveryAvailable());
        QCOMPARE(corrections.recoverDeleted(platform.dialogs), CorrectionResult::NothingChosen);
        QCOMPARE(logs.load(kCurrent), lines);
    }

    void editChangesEveryOpenLog()
    {
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        const QStringList current{qso("01/05/24", "10:00", "F6XYZ"),
                                  qso("01/05/24", "10:05", "F5ABC")};
        const QStringList other{qso("30/04/24", "18:00", "F1AAA"), current.at(0), current.at(1)};
        writeFile(logs.path(kCurrent), current);
        writeFile(logs.path(kOther), other);
        const QString chosen = entryOf(current, 2);

        const auto fields = LogCorrections::chooseForEdit(platform.dialogs, chosen);
        QVERIFY(fields);
        StoreRequest request;
        request.entry = fields->entry;
        request.entry.firstName = "Jean-Luc";
        request.entry.operatorCall = "F4OPE";
        request.timing = EntryTiming::Editing;
        request.editedLine = lineOfListEntry(chosen);
        Session session(platform.folder(), activationOf(kCurrent), {kCurrent, kOther});
        const StoreOutcome outcome = QsoStore().store(session, request);

        QVERIFY(outcome.ok());
        QCOMPARE(outcome.line,
                 formatQsoLine(QsoRecord{"01/05/24", "10:05", "F5ABC", "05", "Jean-Luc", "59", "59",
                                         "SSB", "7", "", "F4OPE"}));
        QCOMPARE(logs.load(kCurrent), (QStringList{current.at(0), outcome.line}));
        QCOMPARE(logs.load(kOther), (QStringList{other.at(0), other.at(1), outcome.line}));
    }
};

ORVEL_TEST_CLASS(TestCorrections)
#include "tst_corrections.moc"
