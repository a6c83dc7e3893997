#include "records/FirstNames.h"
#include "records/QsoLine.h"
#include "logging/QsoStore.h"
#include "records/Session.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QFileInfo>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;


class TestFirstNames : public QObject
{
    Q_OBJECT

private slots:
    void updatesTheMemory_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("keyLine");
        QTest::addColumn<QStringList>("after");
        const QString jean = firstNameKeyLine("F5ABC", "05", "Jean");
        const QString paul = firstNameKeyLine("F6XYZ", "75", "Paul");
        const QString marc = firstNameKeyLine("F4KLM", "13", "Marc");
        QTest::newRow("first call sign appended at the end")
            << QStringList{jean, paul} << marc << QStringList{jean, paul, marc};
        QTest::newRow("corrected first name replaced in place")
            << QStringList{jean, paul, marc} << firstNameKeyLine("F6XYZ", "75", "Pierre")
            << QStringList{jean, firstNameKeyLine("F6XYZ", "75", "Pierre"), marc};
        QTest::newRow("every line of the call sign replaced")
            << QStringList{jean, paul, firstNameKeyLine("F5ABC", "05", "Jacques")}
            << firstNameKeyLine("F5ABC", "04", "Jean-Luc")
            << QStringList{firstNameKeyLine("F5ABC", "04", "Jean-Luc"), paul,
                           firstNameKeyLine("F5ABC", "04", "Jean-Luc")};
        QTest::newRow("empty first name overwrites the remembered one")
            << QStringList{jean} << firstNameKeyLine("F5ABC", "05", "")
            << QStringList{firstNameKeyLine("F5ABC", "05", "")};
        QTest::newRow("capitals matter")
            << QStringList{jean} << firstNameKeyLine("f5abc", "05", "Jean")
            << QStringList{jean, firstNameKeyLine("f5abc", "05", "Jean")};
        QTest::newRow("call sign of twelve characters")
            << QStringList{firstNameKeyLine("TM5ABCDEFGHI", "", "Ann")}
            << firstNameKeyLine("TM5ABCDEFGHI", "", "Anne")
            << QStringList{firstNameKeyLine("TM5ABCDEFGHI", "", "Anne")};
        QTest::newRow("no call sign changes nothing")
            << QStringList{jean} << firstNameKeyLine("", "05", "Jean") << QStringList{jean};
    }
    void updatesTheMemory()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, keyLine);
        QFETCH(QStringList, after);
        TestPlatform platform;
        const FirstNames names(platform.folder());
        writeFile(names.path(), before);

        QVERIFY(names.update(keyLine));

        QCOMPARE(readBytes(names.path()), fileBytes(after));
        QCOMPARE(testing::scratchFiles(platform.folder()), QStringList());
    }

    void looksUpACallSign_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("call");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("department");
        QTest::addColumn<QString>("firstName");
        const QStringList memory{
            firstNameKeyLine("F5ABC", "05", "Jean"), firstNameKeyLine("EA3XYZ", "", "Jordi"),
            firstNameKeyLine("F6XYZ", "75", "Paul"), firstNameKeyLine("F5ABC", "04", "Jean-Luc")};
        QTest::newRow("last line of the call sign wins") << memory << "F5ABC" << true << "04"
                                                         << "Jean-Luc";
        QTest::newRow("département 05 stays 05") << memory << "F6XYZ" << true << "75"
                                                 << "Paul";
        QTest::newRow("foreign call without département") << memory << "EA3XYZ" << true << ""
                                                          << "Jordi";
        QTest::newRow("unknown call") << memory << "F1AAA" << false << ""
                                      << "";
        QTest::newRow("capitals matter") << memory << "f5abc" << false << ""
                                         << "";
        QTest::newRow("no prefix match") << memory << "F5AB" << false << ""
                                         << "";
        QTest::newRow("empty call") << memory << "" << false << ""
                                    << "";
        QTest::newRow("line cut short by hand") << QStringList{"F2ZZZ"} << "F2ZZZ" << true << ""
                                                << "";
    }
    void looksUpACallSign()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, call);
        QFETCH(bool, found);
        QFETCH(QString, department);
        QFETCH(QString, firstName);
        TestPlatform platform;
        const FirstNames names(platform.folder());
        writeFile(names.path(), lines);

        const auto remembered = names.lookup(call);

        QCOMPARE(remembered.has_value(), found);
        if (found)
            QCOMPARE(*remembered, (RememberedName{department, firstName}));
    }

    // The memory read ahead when the entry window opens must not hide a change made to the
    // file afterwards, nor one made while it was read.
    void aMemoryReadAheadFollowsTheFile_data()
    {
        QTest::addColumn<bool>("waitForTheReading");
        QTest::newRow("file changed after the reading") << true;
        QTest::newRow("file changed during the reading") << false;
    }
    void aMemoryReadAheadFollowsTheFile()
    {
        QFETCH(bool, waitForTheReading);
        TestPlatform platform;
        const FirstNames names(platform.folder());
        QStringList lines;
        for (int i = 0; i < 20000; ++i)
            lines.append(firstNameKeyLine(QString("F%1").arg(i), "05", "Jean"));
        writeFile(names.path(), lines);
        names.preload();
        if (waitForTheReading)
            QTest::qWait(300);
        lines.append(firstNameKeyLine("F5ZZZ", "89", "Zoé"));
        writeFile(names.path(), lines);

        QCOMPARE(names.lookup("F5ZZZ"), (RememberedName{"89", "Zoé"}));
        QCOMPARE(names.lookup("F19999"), (RememberedName{"05", "Jean"}));
    }

    // "Temporaire" was once the scratch file of every rewrite: a log of that name, from a
    // hand-edited list, must come through a rewrite of the memory untouched.
    void rewriteLeavesALogNamedLikeTheOldScratchFile()
    {
        TestPlatform platform;
        const FirstNames names(platform.folder());
        writeFile(names.path(), {firstNameKeyLine("F5ABC", "05", "Jean")});
        const QStringList log = {"01/01/24  10:00  F5ABC", "01/01/24  10:05  F5DEF"};
        for (const char *name : {"Temporaire.txt", "Temporaire6.txt"})
            writeFile(platform.file(name), log);

        QVERIFY(names.update(firstNameKeyLine("F5ABC", "05", "Jean-Marc")));

        QCOMPARE(readBytes(names.path()),
                 fileBytes({firstNameKeyLine("F5ABC", "05", "Jean-Marc")}));
        for (const char *name : {"Temporaire.txt", "Temporaire6.txt"})
            QCOMPARE(readBytes(platform.file(name)), fileBytes(log));
    }

    void missingFileIsAnEmptyMemoryCreatedAtFirstUpdate()
    {
        TestPlatform platform;
        const FirstNames names(platform.folder());
        QVERIFY(!names.lookup("F5ABC"));
        QVERIFY(!QFileInfo::exists(names.path()));

        QVERIFY(names.update(firstNameKeyLine("F5ABC", "05", "Jean")));

        QCOMPARE(readBytes(names.path()), QByteArray("F5ABC") + QByteArray(8, ' ') + "05 Jean\r\n");
        QCOMPARE(testing::scratchFiles(platform.folder()), QStringList());
    }

    void storedQsoIsRememberedThroughTheHook()
    {
        TestPlatform platform;
        const FirstNames names(platform.folder());
        QStringList failures;
        const QsoStore store(names.updateHook([&](const QString &m) { failures.append(m); }));
        Activation activation;
        activation.reference = "DFCF 89010";
        Session session(platform.folder(), activation, {"DFCF 89010"});
        StoreRequest request;
        request.entry = QsoRecord{"", "", "F5ABC", "05", "Jean", "59", "59", "SSB", "7", "", ""};
        request.clockDate = "01/05/24";
        request.clockTime = "10:15:00";

        QVERIFY(store.store(session, request).ok());
        request.entry.firstName = "Jean-Luc";
        QVERIFY(store.store(session, request).ok());

        QCOMPARE(failures, QStringList());
        QCOMPARE(readBytes(names.path()),
                 QByteArray("F5ABC") + QByteArray(8, ' ') + "05 Jean-Luc\r\n");
    }
};

ORVEL_TEST_CLASS(TestFirstNames)
#include "tst_firstnames.moc"
