#include "common/TextFile.h"
#include "logging/QsoStore.h"
#include "records/Session.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;

namespace {

const QString kCurrent = QStringLiteral("DFCF 89010");
const QString kOther = QStringLiteral("DMF 1234");

QsoRecord qso(const QString &call, const QString &date = QStringLiteral("01/05/24"),
              const QString &time = QStringLiteral("10:00"))
{
    return QsoRecord{date, time, call, "89", "Jean", "59", "59", "SSB", "7", "", "Q1ABC"};
}

EntryStoreRequest requestFor(const QsoRecord &entry)
{
    EntryStoreRequest request;
    request.entry = entry;
    return request;
}

// Two open activations whose logs hold the same QSOs, and a session opened on the first.
struct Desk {
    TestPlatform platform;
    Session session{platform.folder()};
    QsoStore store;
    const QStringList logged{formatQsoLine(qso("F5AAA", "01/05/24", "09:00")),
                             formatQsoLine(qso("F5BBB", "01/05/24", "11:00"))};
    Desk()
    {
        for (const QString &reference : {kCurrent, kOther})
            writeFile(platform.file(reference + ".txt"), logged);
        Activation current;
        current.reference = kCurrent;
        session.open(current, {kCurrent, kOther});
    }
    QStringList log(const QString &reference) const { return session.logFiles().load(reference); }
    EntryStoreResult run(EntryStoreRequest request)
    {
        request.clockDate = QStringLiteral("02/05/24");
        request.clockCaption = QStringLiteral("12:34:56 Utc");
        return storeEntry(session, store, request, platform.dialogs);
    }
};

} // namespace

class TestStoreEntry : public QObject
{
    Q_OBJECT

private slots:
    void aNewQsoIsAppendedToEveryOpenLog()
    {
        Desk desk;
        QSignalSpy appended(&desk.session.model(), &QAbstractItemModel::rowsInserted);
        const EntryStoreResult result = desk.run(requestFor(qso("F6CCC")));
        QVERIFY(result.stored);
        QCOMPARE(result.action, StoreAction::Append);
        const QString line = formatQsoLine(qso("F6CCC", "02/05/24", "12:34"));
        for (const QString &reference : {kCurrent, kOther})
            QCOMPARE(desk.log(reference), desk.logged + QStringList{line});
        QCOMPARE(appended.count(), 1);
        QCOMPARE(desk.session.currentLog().copyOfLines().last(), line);
    }

    void anEditOfAQsoNoLongerLoggedWritesNothing()
    {
        Desk desk;
        // Another program removed the QSO after it was chosen.
        writeFile(desk.platform.file(kCurrent + ".txt"), {desk.logged.last()});
        EntryStoreRequest request = requestFor(qso("F5ZZZ"));
        request.editing = true;
        request.editedLine = desk.logged.first();
        QVERIFY(!desk.run(request).stored);
        QCOMPARE(desk.log(kOther), desk.logged);
        QCOMPARE(desk.session.currentLog().copyOfLines(), QStringList{desk.logged.last()});
        QCOMPARE(desk.platform.dialogs.messages.size(), 1);
        QVERIFY(desk.platform.dialogs.messages.first().startsWith(
            "Le QSO à corriger n'est plus dans le log DFCF 89010"));
    }

    void anInsertedQsoGoesToItsMoment()
    {
        Desk desk;
        EntryStoreRequest request = requestFor(qso("F6CCC", "01/05/24", "10:00"));
        request.inserting = true;
        QVERIFY(desk.run(request).stored);
        // The whole line, its operator kept.
        const QString inserted = formatQsoLine(qso("F6CCC", "01/05/24", "10:00"));
        QCOMPARE(parseQsoLine(inserted).operatorCall, QString("Q1ABC"));
        for (const QString &reference : {kCurrent, kOther})
            QCOMPARE(desk.log(reference),
                     QStringList({desk.logged.first(), inserted, desk.logged.last()}));
    }

    void aLogThatCannotBeWrittenIsNamed()
    {
        Desk desk;
        // A folder where the second log should be: nothing can be appended to it.
        QFile::remove(desk.platform.file(kOther + ".txt"));
        QDir(desk.platform.folder()).mkdir(kOther + ".txt");
        QVERIFY(!desk.run(requestFor(qso("F6CCC"))).stored);
        // The QSO is taken back from the log that got it: storing again cannot double it.
        QCOMPARE(desk.log(kCurrent), desk.logged);
        QCOMPARE(desk.session.currentLog().copyOfLines(), desk.logged);
        QCOMPARE(desk.platform.dialogs.messages.size(), 1);
        const QString message = desk.platform.dialogs.messages.first();
        QVERIFY(message.startsWith("Le QSO n'a pas pu être enregistré dans le log DMF 1234"));
        QVERIFY(message.contains("Le QSO n'a été enregistré dans aucun log"));
    }

    // The first name is remembered after the logs are written, and only for a QSO that one of
    // them holds.
    void remembersTheFirstNameOfAQsoALogHolds_data()
    {
        QTest::addColumn<QString>("write");
        QTest::addColumn<bool>("blocked"); // the second log cannot be written
        QTest::addColumn<bool>("remembered");
        QTest::newRow("stored") << "store" << false << true;
        QTest::newRow("inserted") << "insert" << false << true;
        QTest::newRow("corrected") << "edit" << false << true;
        QTest::newRow("stored in no log") << "store" << true << false;
        QTest::newRow("correction of a QSO no longer logged") << "lost edit" << false << false;
    }
    void remembersTheFirstNameOfAQsoALogHolds()
    {
        QFETCH(QString, write);
        QFETCH(bool, blocked);
        QFETCH(bool, remembered);
        Desk desk;
        if (blocked) {
            QFile::remove(desk.platform.file(kOther + ".txt"));
            QDir(desk.platform.folder()).mkdir(kOther + ".txt");
        }
        if (write == "lost edit")
            writeFile(desk.platform.file(kCurrent + ".txt"), {desk.logged.last()});
        QStringList keyLines;
        bool loggedFirst = true;
        desk.store = QsoStore([&](const QString &keyLine) {
            keyLines.append(keyLine);
            loggedFirst =
                loggedFirst &&
                readLines(desk.platform.file(kCurrent + ".txt")).filter("F6CCC").size() == 1;
        });
        EntryStoreRequest request = requestFor(qso("F6CCC", "01/05/24", "10:30"));
        request.inserting = write == "insert";
        request.editing = write.endsWith("edit");
        request.editedLine = desk.logged.first();
        desk.run(request);
        QCOMPARE(keyLines,
                 remembered ? QStringList{firstNameKeyLine("F6CCC", "89", "Jean")} : QStringList());
        QVERIFY(loggedFirst);
    }

    void theSessionRereadsALogChangedByAnotherProgram()
    {
        Desk desk;
        QSignalSpy rewritten(&desk.session.model(), &QAbstractItemModel::modelReset);
        // A line added by hand before the store: the append alone would not describe the file.
        appendLines(desk.platform.file(kCurrent + ".txt"), {formatQsoLine(qso("F4HAND"))});
        QVERIFY(desk.run(requestFor(qso("F6CCC"))).stored);
        QCOMPARE(rewritten.count(), 1);
        QCOMPARE(desk.session.currentLog().copyOfLines(), desk.log(kCurrent));
        QCOMPARE(desk.session.currentLog().operatorCount(), 4);
    }
};

ORVEL_TEST_CLASS(TestStoreEntry)
#include "tst_storeentry.moc"
