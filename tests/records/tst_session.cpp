#include "records/FirstNames.h"
#include "records/Session.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QSignalSpy>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;

namespace {

const QString kRef = QStringLiteral("DFCF 89010");

QString qso(const QString &call, const QString &time, const QString &band = QStringLiteral("7"))
{
    return formatQsoLine(
        QsoRecord{"01/05/24", time, call, "89", "Jean", "59", "59", "SSB", band, "", ""});
}

Activation current()
{
    Activation activation;
    activation.reference = kRef;
    return activation;
}

} // namespace

class TestSession : public QObject
{
    Q_OBJECT

private slots:
    // Each change is written to the file, then taken in by the session: the current log must
    // then read exactly as the file, with its call-sign index and count in step.
    void followsEveryChangeRowByRow_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("append") << "append" << QStringList{"qsoAppended"};
        QTest::newRow("replace two equal lines")
            << "replace" << QStringList{"qsoChanged", "qsoChanged"};
        QTest::newRow("insert") << "insert" << QStringList{"qsoInserted"};
        QTest::newRow("remove") << "remove" << QStringList{"qsoRemoved"};
    }
    void followsEveryChangeRowByRow()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, expected);
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        writeFile(logs.path(kRef), {qso("F5AAA", "09:00"), qso("F5BBB", "10:00"),
                                    qso("F5AAA", "09:00"), qso("F5CCC", "11:00")});
        Session session(platform.folder(), current(), {kRef});
        QSignalSpy appended(&session, &Session::qsoAppended);
        QSignalSpy changed(&session, &Session::qsoChanged);
        QSignalSpy inserted(&session, &Session::qsoInserted);
        QSignalSpy removed(&session, &Session::qsoRemoved);
        QSignalSpy rewritten(&session, &Session::logRewritten);

        if (change == "append") {
            QVERIFY(logs.append({kRef}, qso("F6DDD", "12:00")).ok());
            session.logAppended(qso("F6DDD", "12:00"));
        } else if (change == "replace") {
            QVERIFY(logs.replace({kRef}, qso("F5ZZZ", "09:00"), qso("F5AAA", "09:00")).ok());
            session.logReplaced(qso("F5AAA", "09:00"), qso("F5ZZZ", "09:00"));
        } else if (change == "insert") {
            QVERIFY(logs.insertOne(kRef, qso("F6EEE", "09:30")).ok);
            session.logInserted(qso("F6EEE", "09:30"));
        } else {
            QCOMPARE(logs.removeAt(kRef, 1, qso("F5BBB", "10:00")),
                     LogFiles::RemoveOutcome::Removed);
            session.logRemoved(1);
        }

        for (const auto &[spy, name] :
             {std::pair{&appended, "qsoAppended"}, std::pair{&changed, "qsoChanged"},
              std::pair{&inserted, "qsoInserted"}, std::pair{&removed, "qsoRemoved"}})
            QCOMPARE(spy->count(), int(expected.count(QString::fromLatin1(name))));
        QCOMPARE(rewritten.count(), 0);
        const QStringList file = logs.load(kRef);
        QCOMPARE(session.currentLog().copyOfLines(), file);
        // The index answers as a scan of the file would.
        QStringList calls;
        QCOMPARE(session.currentLog().operatorCount(), countOperators(file, &calls));
        for (const QString &call : calls) {
            const auto row = session.currentLog().firstRowWith(call, "7", "SSB");
            QVERIFY(row.has_value());
            QCOMPARE(callOfLine(file.at(*row)), call);
            for (qsizetype earlier = 0; earlier < *row; ++earlier)
                QVERIFY(callOfLine(file.at(earlier)) != call);
        }
        QVERIFY(!session.currentLog().firstRowWith("F5CCC", "14", "SSB"));
    }

    void aLogChangedElsewhereIsReadAgain()
    {
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        writeFile(logs.path(kRef), {qso("F5AAA", "09:00")});
        Session session(platform.folder(), current(), {kRef});
        QSignalSpy rewritten(&session, &Session::logRewritten);
        // Another program added a line before this program's own append.
        writeFile(logs.path(kRef), {qso("F5AAA", "09:00"), qso("F4HAND", "09:10")});
        QVERIFY(logs.append({kRef}, qso("F6DDD", "12:00")).ok());
        session.logAppended(qso("F6DDD", "12:00"));
        QCOMPARE(rewritten.count(), 1);
        QCOMPARE(session.currentLog().copyOfLines(), logs.load(kRef));
        QVERIFY(session.currentLog().firstRowWith("F4HAND", "7", "SSB"));
    }

    void theFirstNameMemorySeesAnotherProgramsEdit()
    {
        TestPlatform platform;
        FirstNames names(platform.folder());
        QVERIFY(names.update(firstNameKeyLine("F5AAA", "89", "Jean")).ok);
        QCOMPARE(names.lookup("F5AAA")->firstName, QString("Jean"));
        // Edited by hand: another first name and one more line.
        writeFile(names.path(), {firstNameKeyLine("F5AAA", "21", "Jean-Pierre"),
                                 firstNameKeyLine("F6BBB", "", "Anne")});
        QCOMPARE(names.lookup("F5AAA"), std::optional(RememberedName{"21", "Jean-Pierre"}));
        QCOMPARE(names.lookup("F6BBB"), std::optional(RememberedName{"", "Anne"}));
    }
};

ORVEL_TEST_CLASS(TestSession)
#include "tst_session.moc"
