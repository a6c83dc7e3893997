#include "logging/DepartmentGrid.h"
#include "logging/EntryDesk.h"
#include "widgets/Palette.h"
#include "records/QsoLine.h"
#include "support/TestRegistry.h"
#include "views/Carte_Acti.h"
#include "app/DepartmentGridTally.h"
#include "views/DepartmentMap.h"
#include "views/DepartmentTally.h"
#include "views/Pays_Cont.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;

namespace {

QString qso(const QString &call, const QString &department, const QString &band = "14",
            const QString &mode = "SSB")
{
    return formatQsoLine(
        {"05/09/13", "08:35", call, department, "", "59", "59", mode, band, "", "Q1ABC"});
}

QStringList greenIndicators(const DepartmentGrid &grid)
{
    QStringList green;
    for (int index = 0; index < DepartmentGrid::kCount; ++index)
        if (backgroundOf(grid.indicator(index)) == kContactedGreen)
            green.append(departmentLabelText(index));
    return green;
}

QStringList greenLabels(const DepartmentMap &map)
{
    QStringList green;
    for (int index = 0; index < kDepartmentLabels; ++index)
        if (backgroundOf(map.label(index)) == kContactedGreen)
            green.append(departmentLabelText(index));
    return green;
}

} // namespace

class TestMapAndCountryWindows : public QObject
{
    Q_OBJECT

private slots:
    void theMapShowsTheChosenBandAndMode()
    {
        EntryDesk b({qso("F5AAA", "29"), qso("F5BBB", "2B"), qso("F5CCC", "00"),
                     qso("F5DDD", "67", "14", "CW"), qso("F5EEE", "75", "7")});
        b.platform.settings.setValue(kAppMulti, kSetupSection, "Mode Activite", "0");
        b.platform.settings.setValue(kAppMulti, kSetupSection, "Bande Activite", "4");
        DepartmentTally tally(b.session);
        Carte_Acti window(b.platform.settings, b.platform.dialogs, tally);
        window.show();
        QCOMPARE(window.windowTitle(), QString("Carte des départements contactés"));
        auto *band = window.findChild<QComboBox *>("Bande_A");
        auto *mode = window.findChild<QComboBox *>("Mode_AX");
        auto *count = window.findChild<QLabel *>("NB_Dep");
        QCOMPARE(band->currentText(), QString("14 Mhz"));
        QCOMPARE(mode->currentText(), QString("SSB"));
        QCOMPARE(band->count(), 11);
        QCOMPARE(mode->count(), 6);
        // It opens showing its band and mode, as Afficher shows them.
        QCOMPARE(count->text(), QString("2"));
        QCOMPARE(greenLabels(*window.map()), (QStringList{"00", "29", "2b"}));

        QTest::mouseClick(window.findChild<QPushButton *>("Afficher"), Qt::LeftButton);
        QCOMPARE(count->text(), QString("2"));
        QCOMPARE(greenLabels(*window.map()), (QStringList{"00", "29", "2b"}));
        QVERIFY(!window.map()->label(0)->isVisible());

        mode->setCurrentIndex(1);
        QTest::mouseClick(window.findChild<QPushButton *>("Afficher"), Qt::LeftButton);
        QCOMPARE(count->text(), QString("1"));
        QCOMPARE(greenLabels(*window.map()), QStringList{"67"});

        // A band typed by hand in the entry window leaves the band filter empty.
        b.platform.settings.setValue(kAppMulti, kSetupSection, "Bande Activite", "-1");
        Carte_Acti again(b.platform.settings, b.platform.dialogs, tally);
        QVERIFY(again.findChild<QComboBox *>("Bande_A")->currentText().isEmpty());
        QTest::mouseClick(again.findChild<QPushButton *>("Afficher"), Qt::LeftButton);
        QCOMPARE(b.platform.dialogs.messages, QStringList{"Selectionnez une bande"});
        // Its areas and its count tell the marks shown, those of the last Afficher.
        QCOMPARE(greenLabels(*again.map()), QStringList{"67"});
        QCOMPARE(again.findChild<QLabel *>("NB_Dep")->text(), QString("1"));
    }

    // Once the entry window has told its band and mode, the map opens on them, a band typed
    // there included, rather than on the positions saved.
    void theMapOpensOnTheEntryWindowsBandAndMode_data()
    {
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("count");
        QTest::newRow("in the lists") << "14"
                                      << "CW"
                                      << "1";
        QTest::newRow("typed") << "5"
                               << "SSB"
                               << "0";
        QTest::newRow("no band") << ""
                                 << "SSB"
                                 << "0";
    }
    void theMapOpensOnTheEntryWindowsBandAndMode()
    {
        QFETCH(QString, band);
        QFETCH(QString, mode);
        QFETCH(QString, count);
        EntryDesk b({qso("F5AAA", "29"), qso("F5DDD", "67", "14", "CW")});
        b.platform.settings.setValue(kAppMulti, kSetupSection, "Mode Activite", "0");
        b.platform.settings.setValue(kAppMulti, kSetupSection, "Bande Activite", "4");
        DepartmentTally tally(b.session);
        tally.refreshForEntry(band, mode, DepartmentTally::MapMarks::Reset);
        Carte_Acti window(b.platform.settings, b.platform.dialogs, tally);
        QCOMPARE(window.findChild<QComboBox *>("Bande_A")->currentText(),
                 band.isEmpty() ? QString() : band + " Mhz");
        QCOMPARE(window.findChild<QComboBox *>("Mode_AX")->currentText(), mode);
        QCOMPARE(window.findChild<QLabel *>("NB_Dep")->text(), count);
        QCOMPARE(b.platform.dialogs.messages, QStringList());
    }

    void everyLabelSitsOnItsDepartment_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("smallest") << QSize(1, 1);
        QTest::newRow("large") << QSize(1400, 1000);
    }
    void everyLabelSitsOnItsDepartment()
    {
        QFETCH(QSize, size);
        const FranceMap &france = FranceMap::builtIn();
        DepartmentMap map(france);
        map.resize(size.expandedTo(map.minimumSizeHint()));
        map.show();
        for (const MapDepartment &department : france.departments()) {
            const QLabel *label = map.label(department.index);
            QVERIFY(label->isVisible());
            const QPointF centre = QRectF(label->geometry()).center();
            const QTransform toMap =
                (department.inInset ? map.insetTransform() : map.mapTransform()).inverted();
            QVERIFY2(ringsContain(department.rings, toMap.map(centre)), qPrintable(department.id));
            QCOMPARE(label->text(), department.id.toLower());
        }
    }

    void theGridFollowsTheEntryWindow()
    {
        EntryDesk b({qso("F5AAA", "89", "3.5"), qso("F5BBB", "2A", "14")});
        DepartmentTally tally(b.session);
        installDepartmentTally(*b.window, tally);
        const DepartmentGrid &grid = *b.window->departmentGrid();
        QCOMPARE(greenIndicators(grid), QStringList{"89"});

        // A new band: the grid follows it, the map is left without marks.
        auto *band = b.get<QComboBox>("Bande_Q");
        band->setFocus();
        band->lineEdit()->clear();
        b.line("14");
        QCOMPARE(greenIndicators(grid), QStringList{"2a"});
        QVERIFY(tally.mapMarks().none());

        // A store marks its département on the grid and the entry window's band on the map.
        b.get("Indi_Q")->setFocus();
        b.line("F6XYZ");
        QCOMPARE(b.focusName(), QString("Dpt_Q"));
        b.type("21");
        b.key(Qt::Key_F10);
        QCOMPARE(b.log(kCurrent).size(), 3);
        QCOMPARE(greenIndicators(grid), (QStringList{"21", "2a"}));
        QCOMPARE(markedLabelTexts(tally.mapMarks()), (QStringList{"21", "2a"}));
    }

    void theCountriesWindowListsTheLog()
    {
        EntryDesk b({qso("F5AAA", "89"), qso("EA8XX", ""), qso("F6BBB", "21")});
        writeFile(b.platform.file("Continents_DXCC.csv"),
                  {"EA8;Canary Islands;EA8;AF", "EA;Spain;EA;EU", "F;France;F;EU"});
        Pays_Cont window(b.session, b.platform.dialogs);
        QCOMPARE(window.windowTitle(), QString("Pays contactés"));
        auto *list = window.findChild<QListView *>("Liste_Pays");
        QCOMPARE(window.countries(), (QStringList{"EA8   Canary Islands", "F     France"}));
        QCOMPARE(list->model()->rowCount(), 2);

        // A QSO stored while the window is open adds its country.
        b.line("EA3ABC");
        b.enter();
        b.key(Qt::Key_F10);
        QCOMPARE(window.countries(),
                 (QStringList{"EA    Spain", "EA8   Canary Islands", "F     France"}));

        QFile::remove(b.platform.file("Continents_DXCC.csv"));
        Pays_Cont without(b.session, b.platform.dialogs);
        QVERIFY(without.countries().isEmpty());
        QCOMPARE(b.platform.dialogs.messages.size(), 1);
        QVERIFY(b.platform.dialogs.messages.first().contains("Continents_DXCC.csv"));
    }
};

ORVEL_TEST_CLASS(TestMapAndCountryWindows)
#include "tst_mapwindows.moc"
