#include "logging/EntryDesk.h"
#include "logging/EntryRadio.h"
#include "radio/RadioConfig.h"
#include "support/DummyRig.h"
#include "support/TestRegistry.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;

namespace {

QString stored(const QString &time, const QString &call, const QString &mode, const QString &band)
{
    return formatQsoLine(
        QsoRecord{"01/05/24", time, call, "", "", "59", "59", mode, band, "", "Q1ABC"});
}

// The entry window opened on a radio kept in the settings store.
void openOnRadio(EntryDesk &desk, const QString &address)
{
    saveRadioConfig(desk.platform.settings, *rigctldAddress(address));
    desk.open();
}

// The entry window on the dummy rig set to hertz and mode, once the window shows its band.
void openOnRig(EntryDesk &desk, DummyRig &rig, qint64 hertz, const char *mode, const QString &band)
{
    QVERIFY(rig.set(hertz, mode));
    openOnRadio(desk, rig.address());
    QTRY_COMPARE_WITH_TIMEOUT(desk.get<QComboBox>("Bande_Q")->currentText(), band, 1500);
}

QString band(const EntryDesk &desk)
{
    return desk.get<QComboBox>("Bande_Q")->currentText();
}
QString mode(const EntryDesk &desk)
{
    return desk.get<QComboBox>("Mode_Q")->currentText();
}
QLabel *status(const EntryDesk &desk)
{
    return desk.window->findChild<QLabel *>("Radio_Etat");
}

} // namespace

// The entry window following Hamlib's dummy rig behind rigctld.
class TestRadioWindow : public QObject
{
    Q_OBJECT

private slots:
    void followsTheRigAsTheListsWouldBeChosen()
    {
        DummyRig rig;
        QVERIFY(rig.isRunning());
        QVERIFY(rig.set(7'100'000, "USB"));
        EntryDesk d;
        openOnRadio(d, rig.address());
        QTRY_COMPARE_WITH_TIMEOUT(band(d), QString("7"), 1500);
        QCOMPARE(mode(d), QString("SSB"));
        QCOMPARE(d.setting("Bande Activite"), QString("2"));

        QVERIFY(rig.set(14'200'000, "CW"));
        QTRY_COMPARE_WITH_TIMEOUT(band(d), QString("14"), 1000);
        QTRY_COMPARE_WITH_TIMEOUT(mode(d), QString("CW"), 1000);
        QCOMPARE(d.setting("Bande Activite"), QString("4"));
        QCOMPARE(d.setting("Mode Activite"), QString("1"));
        QCOMPARE(d.get("QRKR_Q")->text(), QString("599"));
        QCOMPARE(d.get("QRKE_Q")->text(), QString("599"));
        QCOMPARE(status(d)->text(), QString("Radio : 14 200,000 kHz  CW"));
        // The focus stays where the operator is.
        QCOMPARE(d.focusName(), QString("Indi_Q"));

        // A QSO stored now carries the radio's band and mode.
        d.logForeign("EA1AA");
        QVERIFY(d.log(kCurrent).last().contains(" 14 Mhz "));
        QVERIFY(d.log(kCurrent).last().contains("CW"));
        QVERIFY(d.platform.dialogs.shown.isEmpty());

        // Outside every band the band stays and the frequency is shown in orange.
        QVERIFY(rig.set(14'351'000, "USB"));
        QTRY_COMPARE_WITH_TIMEOUT(status(d)->text(),
                                  QString("Radio : 14 351,000 kHz (hors des bandes)  USB"), 1000);
        QCOMPARE(band(d), QString("14"));
        QCOMPARE(mode(d), QString("SSB"));
        QCOMPARE(status(d)->palette().color(QPalette::WindowText), QColor(0xE0, 0x70, 0x00));
    }

    void holdsTheTypedValues_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("editing") << "Edite_QSO";
        QTest::newRow("inserting") << "Ajout_QSO";
        QTest::newRow("deferred entry") << "Mnu_Diff_Oui";
        QTest::newRow("choosing in the band list") << "Bande_Q";
    }
    void holdsTheTypedValues()
    {
        QFETCH(QString, how);
        DummyRig rig;
        EntryDesk d({stored("09:00", "F4ABC", "CW", "7")});
        openOnRig(d, rig, 3'600'000, "LSB", "3.5");
        if (how == "Mnu_Diff_Oui")
            d.action("Mnu_Diff_Oui")->trigger();
        else if (how == "Bande_Q")
            d.get<QComboBox>("Bande_Q")->setFocus();
        else
            d.click(qPrintable(how));
        const QString heldBand = band(d);
        const QString heldMode = mode(d);
        QVERIFY(rig.set(21'200'000, "USB"));
        QTRY_VERIFY_WITH_TIMEOUT(status(d)->text().startsWith("Radio : 21 200,000 kHz"), 1000);
        QTest::qWait(600);
        QCOMPARE(band(d), heldBand);
        QCOMPARE(mode(d), heldMode);
        QVERIFY(status(d)->text().endsWith("bande et mode saisis à la main"));

        // Back to live entry: the radio's change is followed then.
        if (how == "Mnu_Diff_Oui")
            d.action("Mnu_Diff_Non")->trigger();
        else if (how == "Bande_Q")
            d.key(Qt::Key_Return); // the band step moves on to the mode, then to the call sign
        else
            d.click("Annule_Q");
        if (how == "Bande_Q")
            d.key(Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(band(d), QString("21"), 1000);
        QCOMPARE(mode(d), QString("SSB"));
    }

    // The band and mode typed for an insertion or in deferred entry are not the radio's: when
    // that entry ends, the radio's apply again at once, with their reports, though the radio
    // itself did not change.
    void theRadioComesBackWhenATypedEntryEnds_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("an insertion stored") << "Ajout_QSO";
        QTest::newRow("deferred entry turned off") << "Mnu_Diff_Oui";
    }
    void theRadioComesBackWhenATypedEntryEnds()
    {
        QFETCH(QString, how);
        DummyRig rig;
        EntryDesk d({stored("09:00", "F4ABC", "CW", "7")});
        openOnRig(d, rig, 7'025'000, "CW", "7");
        QTRY_COMPARE_WITH_TIMEOUT(mode(d), QString("CW"), 1500);
        if (how == "Mnu_Diff_Oui")
            d.action("Mnu_Diff_Oui")->trigger();
        else
            d.click("Ajout_QSO");
        auto *bands = d.get<QComboBox>("Bande_Q");
        auto *modes = d.get<QComboBox>("Mode_Q");
        bands->setCurrentIndex(bands->findText("14"));
        emit bands->activated(bands->currentIndex());
        modes->setCurrentIndex(modes->findText("SSB"));
        emit modes->activated(modes->currentIndex());
        QCOMPARE(d.get("QRKR_Q")->text(), QString("59"));
        QTest::qWait(600); // readings of the unchanged radio come meanwhile
        QCOMPARE(band(d), QString("14"));
        if (how == "Mnu_Diff_Oui") {
            d.action("Mnu_Diff_Non")->trigger();
        } else {
            d.get("Indi_Q")->setFocus();
            d.line("EA1AA");
            for (int i = 0; i < 4; ++i)
                d.enter();
            d.line("010524");
            d.line("0830");
            QCOMPARE(d.focusName(), QString("Valide_Q"));
            d.enter();
            QCOMPARE(parseQsoLine(d.log(kCurrent).first()).band.trimmed(), QString("14"));
        }
        QTRY_COMPARE_WITH_TIMEOUT(band(d), QString("7"), 100);
        QCOMPARE(mode(d), QString("CW"));
        QCOMPARE(d.get("QRKR_Q")->text(), QString("599"));
        QCOMPARE(d.get("QRKE_Q")->text(), QString("599"));
        d.get("Indi_Q")->setFocus();
        d.logForeign("DL1ZZ");
        const QsoRecord next = parseQsoLine(d.log(kCurrent).last());
        QCOMPARE(next.call.trimmed(), QString("DL1ZZ"));
        QCOMPARE(next.band.trimmed() + " " + next.mode.trimmed() + " " + next.rstReceived.trimmed(),
                 QString("7 CW 599"));
    }

    void aSilentRadioIsOneLineInTheStatusBar()
    {
        EntryDesk d;
        openOnRadio(d, QStringLiteral("127.0.0.1:%1").arg(closedLoopbackPort()));
        QTRY_VERIFY_WITH_TIMEOUT(status(d)->text().startsWith("La radio ne répond pas"), 3000);
        QVERIFY(status(d)->text().endsWith("Nouvel essai dans 10 s."));
        QVERIFY(d.platform.dialogs.shown.isEmpty());
        // The window goes on as without a radio.
        QCOMPARE(band(d), QString("3.5"));
        d.logForeign("EA1AA");
        QCOMPARE(d.log(kCurrent).size(), 1);
        d.window->close();
        QVERIFY(!d.window->radio().link().isRunning());
    }

    void noRadioChangesNothing()
    {
        EntryDesk d;
        QVERIFY(!status(d));
        QVERIFY(!d.window->radio().link().isRunning());
    }

    void theDialogTestsAndKeepsTheChoice()
    {
        DummyRig rig;
        QVERIFY(rig.set(7'100'000, "USB"));
        EntryDesk d;
        d.action("Mnu_Radio")->trigger();
        auto *dialog = d.window->findChild<QDialog *>("Radio");
        QVERIFY(dialog && dialog->isVisible());
        QVERIFY(dialog->findChild<QRadioButton *>("Radio_Aucune")->isChecked());
        // A direct link without its model is refused with its reason.
        dialog->findChild<QRadioButton *>("Radio_Directe")->click();
        QTest::mouseClick(dialog->findChild<QPushButton *>("Radio_OK"), Qt::LeftButton);
        QCOMPARE(d.platform.dialogs.messages, QStringList{"Choisissez le modèle de la radio."});
        // A radio on a serial port needs its port.
        auto *model = dialog->findChild<QComboBox *>("Radio_Modele");
        model->setCurrentIndex(model->findData(3073)); // Icom IC-7300
        QTest::mouseClick(dialog->findChild<QPushButton *>("Radio_OK"), Qt::LeftButton);
        QCOMPARE(d.platform.dialogs.messages.last(), QString("Donnez le port série de la radio."));
        QVERIFY(dialog->isVisible());
        QCOMPARE(loadRadioConfig(d.platform.settings).kind, RadioLinkKind::None);

        dialog->findChild<QRadioButton *>("Radio_Rigctld")->click();
        dialog->findChild<QSpinBox *>("Radio_Port_Reseau")->setValue(rig.port());
        QTest::mouseClick(dialog->findChild<QPushButton *>("Radio_Tester"), Qt::LeftButton);
        auto *result = dialog->findChild<QLabel *>("Radio_Resultat");
        QTRY_COMPARE_WITH_TIMEOUT(result->text(),
                                  QString("La radio répond : 7 100,000 kHz (bande 7), USB "
                                          "(mode SSB)."),
                                  3000);
        QCOMPARE(band(d), QString("3.5")); // a test changes nothing yet
        QTest::mouseClick(dialog->findChild<QPushButton *>("Radio_OK"), Qt::LeftButton);
        QTRY_VERIFY(!d.window->findChild<QDialog *>("Radio"));
        QCOMPARE(loadRadioConfig(d.platform.settings).description(), "rigctld " + rig.address());
        QTRY_COMPARE_WITH_TIMEOUT(band(d), QString("7"), 1500);
    }

    // Tester pressed at the keyboard keeps the keyboard while the radio is read: Tab goes on
    // to OK, during the test and after it.
    void tabFromTesterGoesToOk()
    {
        DummyRig rig;
        QVERIFY(rig.set(7'100'000, "USB"));
        EntryDesk d;
        d.action("Mnu_Radio")->trigger();
        auto *dialog = d.window->findChild<QDialog *>("Radio");
        QVERIFY(dialog && dialog->isVisible());
        dialog->findChild<QRadioButton *>("Radio_Rigctld")->click();
        dialog->findChild<QSpinBox *>("Radio_Port_Reseau")->setValue(rig.port());
        auto *tester = dialog->findChild<QPushButton *>("Radio_Tester");
        tester->setFocus();
        QTest::keyClick(tester, Qt::Key_Space);
        auto *result = dialog->findChild<QLabel *>("Radio_Resultat");
        QVERIFY(result->text().startsWith("Lecture de la radio"));
        QCOMPARE(dialog->focusWidget(), tester);
        QTest::keyClick(tester, Qt::Key_Tab);
        QCOMPARE(dialog->focusWidget()->objectName(), QString("Radio_OK"));
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Backtab);
        QCOMPARE(dialog->focusWidget(), tester);
        QTRY_VERIFY_WITH_TIMEOUT(result->text().startsWith("La radio répond"), 3000);
        QCOMPARE(dialog->focusWidget(), tester);
        QTest::keyClick(tester, Qt::Key_Tab);
        QCOMPARE(dialog->focusWidget()->objectName(), QString("Radio_OK"));
        dialog->reject();
    }

    void aRadioOnASerialPortIsLetGoDuringItsTest()
    {
        // Hamlib's dummy rig, opened directly, stands for a radio on a serial port.
        EntryDesk d;
        RadioConfig direct;
        direct.kind = RadioLinkKind::Direct;
        direct.model = 1;
        saveRadioConfig(d.platform.settings, direct);
        d.open();
        QTRY_COMPARE_WITH_TIMEOUT(band(d), QString("144"), 1500);
        d.action("Mnu_Radio")->trigger();
        auto *dialog = d.window->findChild<QDialog *>("Radio");
        QVERIFY(dialog->findChild<QRadioButton *>("Radio_Directe")->isChecked());
        QTest::mouseClick(dialog->findChild<QPushButton *>("Radio_Tester"), Qt::LeftButton);
        QVERIFY(!d.window->radio().link().isRunning());
        QTRY_COMPARE_WITH_TIMEOUT(dialog->findChild<QLabel *>("Radio_Resultat")->text(),
                                  QString("La radio répond : 145 000,000 kHz (bande 144), FM "
                                          "(mode FM)."),
                                  3000);
        QVERIFY(d.window->radio().link().isRunning());
        QTRY_VERIFY_WITH_TIMEOUT(status(d)->text().startsWith("Radio : 145 000,000 kHz"), 1500);
    }
};

ORVEL_TEST_CLASS(TestRadioWindow)
#include "tst_radiowindow.moc"
