#include "records/LogFiles.h"
#include "records/QsoLine.h"
#include "records/Session.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"
#include "views/DepartmentTally.h"
#include "views/FranceMap.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

using namespace orvel;
using orvel::testing::TestPlatform;
using orvel::testing::writeFile;

namespace {

QString qso(const QString &department, const QString &band = "14", const QString &mode = "SSB")
{
    return formatQsoLine(
        {"05/09/13", "08:35", "F5ABC", department, "", "59", "59", mode, band, "", ""});
}

} // namespace

class TestDepartments : public QObject
{
    Q_OBJECT

private slots:
    void readsTheDepartmentIndex_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index"); // -1: none
        QTest::newRow("2A") << "2A" << 96;
        QTest::newRow("2a") << "2a" << 96;
        QTest::newRow("2B") << "2B" << 97;
        QTest::newRow("2b") << "2b" << 97;
        QTest::newRow("01") << "01" << 1;
        QTest::newRow("00") << "00" << 0;
        QTest::newRow("95") << "95" << 95;
        QTest::newRow("99") << "99" << 99;
        QTest::newRow("one digit then a blank") << "5 " << 5;
        QTest::newRow("digit then letter") << "2C" << 2;
        QTest::newRow("two blanks") << "  " << -1;
        QTest::newRow("blank first") << " 5" << -1;
        QTest::newRow("letters") << "AB" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void readsTheDepartmentIndex()
    {
        QFETCH(QString, text);
        QFETCH(int, index);
        QCOMPARE(departmentIndex(text).value_or(-1), index);
        // The same read on a log's stored line, as the tally reads it.
        QString line = qso("89");
        line.replace(qsocol::kDepartment.first - 1, qsocol::kDepartment.width,
                     text.leftJustified(qsocol::kDepartment.width));
        TestPlatform p;
        writeFile(p.file("A.txt"), {line});
        CurrentLog log(LogFiles(p.folder()));
        log.load("A");
        const DepartmentMarks marks = markDepartments(log, u"14 Mhz", u"SSB");
        QCOMPARE(marks.count(), size_t(index < 0 ? 0 : 1));
        QVERIFY(index < 0 || marks.test(size_t(index)));
    }

    void marksAndCounts_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("marked");
        QTest::addColumn<int>("count");
        QTest::newRow("empty log") << QStringList{} << QStringList{} << 0;
        QTest::newRow("Corsica in both cases")
            << QStringList{qso("2A"), qso("2b")} << QStringList{"2a", "2b"} << 2;
        QTest::newRow("00 marked, not counted")
            << QStringList{qso("00"), qso("29")} << QStringList{"00", "29"} << 1;
        QTest::newRow("20 counted") << QStringList{qso("20")} << QStringList{"20"} << 1;
        QStringList ten;
        for (int i = 0; i < 10; ++i)
            ten.append(qso("89"));
        QTest::newRow("ten QSOs of one département") << ten << QStringList{"89"} << 1;
        QTest::newRow("another band or mode")
            << QStringList{qso("75", "7"), qso("76", "14", "CW"), qso("77", "144")} << QStringList{}
            << 0;
        QTest::newRow("no département") << QStringList{qso("")} << QStringList{} << 0;
        QTest::newRow("index order, 98 and 99 last")
            << QStringList{qso("99"), qso("2b"), qso("01"), qso("98"), qso("2a")}
            << QStringList{"01", "2a", "2b", "98", "99"} << 5;
    }
    void marksAndCounts()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, marked);
        QFETCH(int, count);
        TestPlatform p;
        writeFile(p.file("DFCF 89010.txt"), lines);
        CurrentLog log(LogFiles(p.folder()));
        log.load("DFCF 89010");
        const DepartmentMarks marks = markDepartments(log, u"14 Mhz", u"SSB");
        QCOMPARE(markedLabelTexts(marks), marked);
        QCOMPARE(countDepartments(marks), count);
    }

    // The entry window's refreshes: the grid follows its band and mode; only the refresh after
    // a store marks the map, Afficher marks it for its own filters.
    void sharesTheTallyBetweenGridAndMap()
    {
        TestPlatform p;
        writeFile(p.file("DFCF 89010.txt"),
                  {qso("89"), qso("2A", "7"), qso("21", "7", "CW"), qso("58", "14", "CW")});
        Activation current;
        current.reference = "DFCF 89010";
        Session session(p.folder(), current, {"DFCF 89010"});
        DepartmentTally tally(session);
        QSignalSpy gridChanges(&tally, &DepartmentTally::gridChanged);

        tally.refreshForEntry(" 14 ", "SSB ", DepartmentTally::MapMarks::EntryBandAndMode);
        QCOMPARE(markedLabelTexts(tally.gridMarks()), QStringList{"89"});
        QCOMPARE(markedLabelTexts(tally.mapMarks()), QStringList{"89"});

        tally.refreshForEntry("7", "SSB", DepartmentTally::MapMarks::Reset);
        QCOMPARE(markedLabelTexts(tally.gridMarks()), QStringList{"2a"});
        QVERIFY(tally.mapMarks().none());

        QCOMPARE(tally.showOnMap("14 Mhz", "CW"), 1);
        QCOMPARE(markedLabelTexts(tally.mapMarks()), QStringList{"58"});
        QCOMPARE(markedLabelTexts(tally.gridMarks()), QStringList{"2a"});
        QCOMPARE(gridChanges.size(), 3);
    }

    // After a store the grid counts only the QSO appended; after any other change, or another
    // band, the whole log again: either way, as a count of the whole log gives it.
    void theGridFollowsEveryChangeOfTheLog()
    {
        TestPlatform p;
        const QString reference = "DFCF 89010";
        writeFile(p.file(reference + ".txt"), {qso("89"), qso("21", "7")});
        Activation current;
        current.reference = reference;
        Session session(p.folder(), current, {reference});
        DepartmentTally tally(session);
        QRandomGenerator random(89);
        QString band = "14";
        for (int step = 0; step < 60; ++step) {
            const QString line = qso(QStringLiteral("%1").arg(random.bounded(1, 12), 2, 10,
                                                                QLatin1Char('0')),
                                     random.bounded(2) ? "14" : "7");
            const int kind = int(random.bounded(4));
            if (kind == 0 && session.currentLog().size() > 1) {
                const qsizetype row = random.bounded(int(session.currentLog().size()));
                QCOMPARE(session.remove(row, session.currentLog().line(row)),
                         LogFiles::RemoveOutcome::Removed);
            } else if (kind == 1) {
                band = band == "14" ? "7" : "14";
            } else {
                QVERIFY(session.append(line).ok());
            }
            tally.refreshForEntry(band, "SSB",
                                  kind >= 2 ? DepartmentTally::MapMarks::EntryBandAndMode
                                            : DepartmentTally::MapMarks::Reset);
            QCOMPARE(tally.gridMarks(), markDepartments(session.currentLog(), band + " Mhz", u"SSB"));
        }
    }

    void readsThePathsOfTheMap_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QList<QPointF>>("firstRing");
        QTest::addColumn<int>("rings");
        QTest::newRow("relative moveto and implicit linetos")
            << "m 10,10 5,0 0,5 z" << QList<QPointF>{{10, 10}, {15, 10}, {15, 15}} << 1;
        QTest::newRow("second ring relative to the first's start")
            << "m 10,10 5,0 0,5 z m 20,0 1,0 0,1 z" << QList<QPointF>{{10, 10}, {15, 10}, {15, 15}}
            << 2;
        QTest::newRow("absolute, H and V")
            << "M0 0H4V3L0 3Z" << QList<QPointF>{{0, 0}, {4, 0}, {4, 3}, {0, 3}} << 1;
        QTest::newRow("numbers without separators")
            << "m1-1 2.5.5-1e1,0z" << QList<QPointF>{{1, -1}, {3.5, -0.5}, {-6.5, -0.5}} << 1;
        QTest::newRow("a curve is refused") << "m 0,0 c 1,1 2,2 3,3 z" << QList<QPointF>{} << 0;
    }
    void readsThePathsOfTheMap()
    {
        QFETCH(QString, data);
        QFETCH(QList<QPointF>, firstRing);
        QFETCH(int, rings);
        QString error;
        const MapRings read = parsePathData(data, &error);
        QCOMPARE(read.size(), rings);
        QCOMPARE(read.value(0), firstRing);
        QCOMPARE(error.isEmpty(), rings > 0);
    }

    void theHoleOfARingIsOutside()
    {
        const MapRings square = parsePathData(u"M0 0H10V10H0Z M3 3H7V7H3Z");
        QVERIFY(ringsContain(square, {1, 1}));
        QVERIFY(!ringsContain(square, {5, 5}));
        QVERIFY(!ringsContain(square, {11, 5}));
        const QPointF roomiest = roomiestPoint(square, QRectF(0, 0, 10, 10));
        QVERIFY(ringsContain(square, roomiest));
    }

    void theBuiltInMapHasEveryDepartment()
    {
        const FranceMap &map = FranceMap::builtIn();
        QCOMPARE(map.departments().size(), 96);
        for (int index = 1; index <= 97; ++index)
            QCOMPARE(map.department(index) != nullptr, index != 20);
        // Paris and its neighbours stand in the inset, enlarged, in a corner the land leaves free.
        for (const MapDepartment &department : map.departments()) {
            QCOMPARE(department.inInset, FranceMap::isInsetDepartment(department.index));
            QVERIFY2(!department.inInset || map.insetFrame().contains(department.label),
                     qPrintable(department.id));
            QVERIFY2(department.inInset || !map.insetFrame().intersects(department.bounds),
                     qPrintable(department.id));
        }
        QVERIFY(map.insetScale() > 3);
    }
};

ORVEL_TEST_CLASS(TestDepartments)
#include "tst_departments.moc"
