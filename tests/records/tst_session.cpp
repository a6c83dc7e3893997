#include "records/FirstNames.h"
#include "records/Session.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;

namespace {

const QString kRef = QStringLiteral("DFCF 89010");
const QString kOther = QStringLiteral("DMF 89-001");

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
    // Each write goes to the file, the current log and the model at once: after it, the three
    // read the same, with the model told row by row (never reset) and the index in step.
    void everyWriteKeepsFileLogAndModelInStep_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("append") << "append" << QStringList{"inserted"};
        QTest::newRow("replace two equal lines") << "replace" << QStringList{"changed"};
        QTest::newRow("insert") << "insert" << QStringList{"inserted", "renumbered"};
        QTest::newRow("remove") << "remove" << QStringList{"removed", "renumbered"};
        QTest::newRow("recover") << "recover" << QStringList{"inserted", "renumbered"};
    }
    void everyWriteKeepsFileLogAndModelInStep()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, expected);
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        const QStringList before{qso("F5AAA", "09:00"), qso("F5BBB", "10:00"),
                                 qso("F5AAA", "09:00"), qso("F5CCC", "11:00")};
        writeFile(logs.path(kRef), before);
        writeFile(logs.path(kOther), before);
        Session session(platform.folder(), current(), {kRef, kOther});
        QStringList told;
        QObject::connect(&session.model(), &QAbstractItemModel::rowsInserted,
                         [&] { told.append("inserted"); });
        QObject::connect(&session.model(), &QAbstractItemModel::rowsRemoved,
                         [&] { told.append("removed"); });
        QObject::connect(&session.model(), &QAbstractItemModel::modelReset,
                         [&] { told.append("reset"); });
        QObject::connect(&session.model(), &QAbstractItemModel::dataChanged,
                         [&](const QModelIndex &, const QModelIndex &, const QList<int> &roles) {
                             told.append(roles.isEmpty() ? "changed" : "renumbered");
                         });

        QStringList other = before;
        if (change == "append") {
            QVERIFY(session.append(qso("F6DDD", "12:00")).ok());
            other.append(qso("F6DDD", "12:00"));
        } else if (change == "replace") {
            QVERIFY(session.replace(qso("F5AAA", "09:00"), qso("F5ZZZ", "09:00")).ok());
            other.replace(0, qso("F5ZZZ", "09:00"));
            other.replace(2, qso("F5ZZZ", "09:00"));
        } else if (change == "insert") {
            QVERIFY(session.insert(qso("F6EEE", "09:30")).ok());
            other.insert(1, qso("F6EEE", "09:30"));
        } else if (change == "remove") {
            QCOMPARE(session.remove(1, qso("F5BBB", "10:00")), LogFiles::RemoveOutcome::Removed);
            other.removeAt(1);
        } else {
            QVERIFY(session.recover(kRef, qso("F6EEE", "09:30")));
        }

        QCOMPARE(told, expected);
        const QStringList file = logs.load(kRef);
        QCOMPARE(session.currentLog().copyOfLines(), file);
        for (int row = 0; row < session.model().rowCount(); ++row) {
            const QModelIndex index = session.model().index(row);
            QCOMPARE(index.data(LogListModel::LineRole).toString(), file.at(row));
            QCOMPARE(index.data().toString(), listEntry(row + 1, file.at(row)));
        }
        // A deletion changes every open log; a recovery the logs it is given.
        QCOMPARE(logs.load(kOther), other);
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
    }

    // Another program (a text editor) writes the log while the session holds it: every write
    // of the session works on the file as it now stands, and the line survives.
    void aLineWrittenElsewhereSurvivesEveryWrite_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("outside");
        for (const char *change : {"append", "replace", "insert", "remove", "recover"}) {
            for (const char *outside : {"appended", "same size"})
                QTest::addRow("%s after a line %s", change, outside) << change << outside;
        }
    }
    void aLineWrittenElsewhereSurvivesEveryWrite()
    {
        QFETCH(QString, change);
        QFETCH(QString, outside);
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        writeFile(logs.path(kRef), {qso("F5AAA", "09:00"), qso("F5BBB", "10:00")});
        Session session(platform.folder(), current(), {kRef});
        QSignalSpy reset(&session.model(), &QAbstractItemModel::modelReset);
        QSignalSpy changedOutside(&session, &Session::changedOutside);
        // An editor saves the file anew: a line added at the end, or a line of the same length
        // changed in place (same size: only its time and identity tell).
        QStringList edited{qso("F5AAA", "09:00"), qso("F5BBB", "10:00")};
        if (outside == "appended")
            edited.append(qso("F4HAND", "10:30"));
        else
            edited.replace(1, qso("F5BBX", "10:00"));
        QTest::qWait(5);
        writeFile(logs.path(kRef), edited);

        QStringList expected = edited;
        if (change == "append") {
            QVERIFY(session.append(qso("F6DDD", "12:00")).ok());
            expected.append(qso("F6DDD", "12:00"));
        } else if (change == "replace") {
            QVERIFY(session.replace(qso("F5AAA", "09:00"), qso("F5ZZZ", "09:00")).ok());
            expected.replace(0, qso("F5ZZZ", "09:00"));
        } else if (change == "insert") {
            QVERIFY(session.insert(qso("F6EEE", "09:30")).ok());
            expected.insert(1, qso("F6EEE", "09:30"));
        } else if (change == "remove") {
            QCOMPARE(session.remove(0, qso("F5AAA", "09:00")), LogFiles::RemoveOutcome::Removed);
            expected.removeFirst();
        } else {
            QVERIFY(session.recover(kRef, qso("F6EEE", "09:30")));
            expected.insert(1, qso("F6EEE", "09:30"));
        }

        QCOMPARE(logs.load(kRef), expected);
        QCOMPARE(session.currentLog().copyOfLines(), expected);
        QCOMPARE(changedOutside.count(), 1);
        QCOMPARE(reset.count(), 1);
    }

    // The current log is rewritten from the bytes the session holds, not from its file read
    // again: whatever line ends the file had, whatever lines this program added since, the
    // file then holds every line, each ended by CRLF.
    void aRewriteFromHeldBytesKeepsEveryLine_data()
    {
        QTest::addColumn<QByteArray>("lineEnds");
        QTest::addColumn<bool>("lastEnded");
        QTest::addColumn<bool>("appendedFirst");
        QTest::addColumn<QString>("change");
        for (const char *change : {"replace", "insert", "insert last", "remove", "remove last"}) {
            QTest::addRow("%s, CR LF", change) << QByteArray("\r\n") << true << false << change;
            QTest::addRow("%s, LF", change) << QByteArray("\n") << true << false << change;
            QTest::addRow("%s, CR", change) << QByteArray("\r") << true << false << change;
            QTest::addRow("%s, last line unended", change)
                << QByteArray("\r\n") << false << false << change;
            QTest::addRow("%s, after a store", change)
                << QByteArray("\n") << false << true << change;
        }
    }
    void aRewriteFromHeldBytesKeepsEveryLine()
    {
        QFETCH(QByteArray, lineEnds);
        QFETCH(bool, lastEnded);
        QFETCH(bool, appendedFirst);
        QFETCH(QString, change);
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        QStringList lines{qso("F5AAA", "09:00"), "", qso("F5BBB", "10:00"), qso("F5CCC", "11:00")};
        QByteArray bytes = lines.join(QString::fromLatin1(lineEnds)).toLatin1();
        if (lastEnded)
            bytes += lineEnds;
        QFile file(logs.path(kRef));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        Session session(platform.folder(), current(), {kRef, kOther});
        if (appendedFirst) {
            QVERIFY(session.append(qso("F6DDD", "12:00")).ok());
            lines.append(qso("F6DDD", "12:00"));
        }

        if (change == "replace") {
            QVERIFY(session.replace(qso("F5BBB", "10:00"), qso("F5ZZZ", "10:00")).ok());
            lines.replace(2, qso("F5ZZZ", "10:00"));
        } else if (change == "insert") {
            QVERIFY(session.insert(qso("F6EEE", "09:30")).ok());
            lines.insert(2, qso("F6EEE", "09:30"));
        } else if (change == "insert last") {
            QVERIFY(session.insert(qso("F6EEE", "23:30")).ok());
            lines.append(qso("F6EEE", "23:30"));
        } else {
            const qsizetype row = change == "remove" ? 0 : lines.size() - 1;
            QCOMPARE(session.remove(row, lines.at(row)), LogFiles::RemoveOutcome::Removed);
            lines.removeAt(row);
        }

        QCOMPARE(readBytes(logs.path(kRef)), fileBytes(lines));
        QCOMPARE(session.currentLog().copyOfLines(), lines);
        QVERIFY(!session.refresh());
    }

    void aRowThatMovedIsNotRemoved()
    {
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        writeFile(logs.path(kRef), {qso("F5AAA", "09:00"), qso("F5BBB", "10:00")});
        Session session(platform.folder(), current(), {kRef});
        // Another program put a line first: row 1 no longer holds the chosen QSO.
        writeFile(logs.path(kRef),
                  {qso("F4HAND", "08:00"), qso("F5AAA", "09:00"), qso("F5BBB", "10:00")});
        QCOMPARE(session.remove(1, qso("F5BBB", "10:00")), LogFiles::RemoveOutcome::Moved);
        QCOMPARE(logs.load(kRef).size(), 3);
        QCOMPARE(session.currentLog().copyOfLines(), logs.load(kRef));
    }

    void refreshReadsOnlyAChangedFile()
    {
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        writeFile(logs.path(kRef), {qso("F5AAA", "09:00")});
        Session session(platform.folder(), current(), {kRef});
        QSignalSpy reset(&session.model(), &QAbstractItemModel::modelReset);
        QVERIFY(!session.refresh());
        QVERIFY(session.append(qso("F5BBB", "10:00")).ok());
        QVERIFY(!session.refresh());
        QCOMPARE(reset.count(), 0);
        QFile::remove(logs.path(kRef));
        QVERIFY(session.refresh());
        QCOMPARE(session.currentLog().size(), 0);
        QCOMPARE(reset.count(), 1);
    }

    void aWatchedLogFollowsAnOutsideChange()
    {
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        writeFile(logs.path(kRef), {qso("F5AAA", "09:00")});
        Session session(platform.folder(), current(), {kRef});
        session.setWatching(true);
        // The session's own rewrite replaces the file: the watch must follow the new one.
        QVERIFY(session.replace(qso("F5AAA", "09:00"), qso("F5ZZZ", "09:00")).ok());
        QSignalSpy changedOutside(&session, &Session::changedOutside);
        QVERIFY(appendLines(logs.path(kRef), {qso("F4HAND", "10:30")}));
        QTRY_COMPARE_WITH_TIMEOUT(session.currentLog().size(), 2, 1000);
        QCOMPARE(session.model().rowCount(), 2);
        QCOMPARE(changedOutside.count(), 1);
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
