#include "activation/GroupInCreation.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace orvel;

class TestGroupInCreation : public QObject
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
        GroupInCreation group;
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
        GroupInCreation group;
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
};

ORVEL_TEST_CLASS(TestGroupInCreation)
#include "tst_groupincreation.moc"
