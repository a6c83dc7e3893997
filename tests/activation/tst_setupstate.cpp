#include "activation/SetupState.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace orvel;

class TestSetupState : public QObject
{
    Q_OBJECT

private slots:
    void countsTheLinesWrittenForTheClosingMarker_data()
    {
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("firstReference");
        QTest::newRow("nothing written") << QStringList() << 0 << "";
        QTest::newRow("one reference") << QStringList{"Q4FF-0001"} << 1 << "Q4FF-0001";
        QTest::newRow("three references, the first stays the group's")
            << QStringList{"Q4FF-0001", "DOHF 89EC001", "Q4FF-0002"} << 3 << "Q4FF-0001";
    }
    void countsTheLinesWrittenForTheClosingMarker()
    {
        QFETCH(QStringList, written);
        QFETCH(int, count);
        QFETCH(QString, firstReference);
        SetupState group;
        group.start();
        for (const QString &reference : written) {
            group.addWritten(reference);
            group.noteRegistered(reference);
        }
        QCOMPARE(group.writtenCount(), count);
        QCOMPARE(group.firstReference(), firstReference);
        for (const QString &reference : written)
            QVERIFY(group.contains(reference));
        QVERIFY(!group.contains(QStringLiteral("Q4FF-9999")));
    }

    void everyCreationStartsAnEmptyGroup_data()
    {
        QTest::addColumn<bool>("startAgain");
        QTest::newRow("group closed") << false;
        QTest::newRow("new creation") << true;
    }
    void everyCreationStartsAnEmptyGroup()
    {
        QFETCH(bool, startAgain);
        SetupState group;
        QVERIFY(!group.isCreating());
        group.start();
        group.addWritten(QStringLiteral("Q4FF-0001"));
        group.noteRegistered(QStringLiteral("Q4FF-0001"));
        if (startAgain)
            group.start();
        else
            group.close();
        QCOMPARE(group.writtenCount(), 0);
        QCOMPARE(group.firstReference(), QString());
        QVERIFY(!group.contains(QStringLiteral("Q4FF-0001")));
        // A closed group ends the creation; a new one goes on creating.
        QCOMPARE(group.isCreating(), startAgain);
    }

    // What QSO entry is opened with comes from the state alone: the nine texts trimmed, and the
    // open group or, with none, the current reference, so that every QSO has a log.
    void handsOverTheCurrentActivationAndItsGroup_data()
    {
        QTest::addColumn<QStringList>("workingList");
        QTest::addColumn<QStringList>("open");
        QTest::addColumn<std::optional<int>>("count");
        QTest::addColumn<QStringList>("handedOver");
        QTest::addColumn<int>("counter");
        QTest::newRow("no group") << QStringList() << QStringList() << std::optional<int>()
                                  << QStringList{"DFCF 89010"} << 7;
        QTest::newRow("group of two")
            << QStringList{"DFCF 89010", "DMF 89-001", "*** 2"}
            << QStringList{"DFCF 89010", "DMF 89-001"} << std::optional<int>(2)
            << QStringList{"DFCF 89010", "DMF 89-001"} << 2;
        QTest::newRow("group of three opened from its second reference")
            << QStringList{"WFF FFF-0123", "POTA FR-0123", "*** 2"}
            << QStringList{"DFCF 89010", "WFF FFF-0123", "POTA FR-0123"} << std::optional<int>(2)
            << QStringList{"DFCF 89010", "WFF FFF-0123", "POTA FR-0123"} << 3;
    }
    void handsOverTheCurrentActivationAndItsGroup()
    {
        QFETCH(QStringList, workingList);
        QFETCH(QStringList, open);
        QFETCH(std::optional<int>, count);
        QFETCH(QStringList, handedOver);
        QFETCH(int, counter);
        SetupState state;
        state.setCounter(7);
        Activation stored;
        stored.activator = "F4ABC/P";
        stored.reference = "DFCF 89010";
        stored.name = "Château de Test";
        state.setActivation(stored);
        state.setText(SetupField::Logger, " F5XYZ  ");
        state.showGroup(GroupLookup{open, count, true, true, workingList});

        const SetupHandOver given = state.handOver();

        QCOMPARE(given.current.activator, QString("F4ABC/P"));
        QCOMPARE(given.current.logger, QString("F5XYZ"));
        QCOMPARE(given.current.name, QString("Château de Test"));
        QCOMPARE(given.references, handedOver);
        QCOMPARE(state.workingList(), workingList);
        QCOMPARE(state.counter(), counter);
        state.clearGroup();
        QCOMPARE(state.handOver().references, QStringList{"DFCF 89010"});
    }
};

ORVEL_TEST_CLASS(TestSetupState)
#include "tst_setupstate.moc"
