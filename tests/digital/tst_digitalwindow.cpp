#include "digital/EntryDigital.h"
#include "digital/WsjtxDialog.h"
#include "logging/EntryDesk.h"
#include "support/TestRegistry.h"
#include "support/WsjtxSender.h"

#include <QCheckBox>
#include <QUdpSocket>

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <array>

using namespace orvel;
using namespace orvel::testing;

namespace {

SentQso sentQso(const QString &call)
{
    SentQso qso;
    qso.timeOn.utc = QDateTime(QDate(2026, 12, 9), QTime(14, 2), Qt::UTC);
    qso.call = call;
    return qso;
}

DigitalSettings listening(bool follow)
{
    DigitalSettings values;
    values.enabled = true;
    values.port = freeUdpPort();
    values.followStatus = follow;
    return values;
}

} // namespace

// What only the entry window shows of WSJT-X: the typed QSO left alone, the status line, the
// band and mode of its status, the dialog.
class TestDigitalWindow : public QObject
{
    Q_OBJECT

private slots:
    void aReceivedQsoLeavesTheTypedOneAlone()
    {
        EntryDesk d;
        EntryDigital &digital = d.window->digital();
        const DigitalSettings values = listening(false);
        QCOMPARE(digital.apply(values), QString());
        d.line("EA1AA");
        const QString typingIn = d.focusName();
        QCOMPARE(typingIn, QString("Prenom_Q"));
        d.type("Mar");
        std::array<QString, int(EntryField::Store) + 1> before;
        for (int i = 0; i <= int(EntryField::Store); ++i)
            before[i] = d.window->entry().text(EntryField(i));

        WsjtxSender sender(quint16(values.port));
        const SentQso qso = sentQso("DL1ABC");
        QVERIFY(sender.send(qsoLogged(qso)));
        QVERIFY(sender.send(loggedAdif(qso)));
        QTRY_COMPARE(d.log(kOther).size(), 1);
        QTRY_COMPARE(digital.statusText(), QString("FT8 14:02 DL1ABC 14 Mhz ajouté aux 2 logs"));
        QCOMPARE(d.log(kCurrent).size(), 1);
        for (int i = 0; i <= int(EntryField::Store); ++i)
            QCOMPARE(d.window->entry().text(EntryField(i)), before[i]);
        QCOMPARE(d.focusName(), typingIn);
        QCOMPARE(d.get("Num_Q")->text(), QString("2"));
        QVERIFY(d.platform.dialogs.shown.isEmpty());

        // The typed QSO is stored as it was going to be, after the received one.
        for (int i = 0; i < 4; ++i)
            d.enter();
        QCOMPARE(d.focusName(), QString("Valide_Q"));
        d.enter();
        QCOMPARE(d.log(kCurrent).size(), 2);
        QVERIFY(d.log(kCurrent).last().contains("EA1AA"));
        QVERIFY(d.log(kCurrent).last().contains("Mar"));
    }

    void followsTheStatusOfWsjtxWithoutRadio()
    {
        EntryDesk d;
        EntryDigital &digital = d.window->digital();
        const DigitalSettings values = listening(true);
        QCOMPARE(digital.apply(values), QString());
        WsjtxSender sender(quint16(values.port));
        QVERIFY(sender.send(status("WSJT-X", 7074000, "FT4")));
        QTRY_COMPARE(d.get<QComboBox>("Bande_Q")->currentText(), QString("7"));
        QCOMPARE(d.get<QComboBox>("Mode_Q")->currentText(), QString("FT4"));
        QCOMPARE(d.focusName(), QString("Indi_Q"));
    }

    void theDialogKeepsTheChoiceAndSaysWhenThePortIsTaken()
    {
        EntryDesk d;
        QAction *item = d.action("Mnu_Wsjtx");
        QVERIFY(item);
        QCOMPARE(item->text(), QString("&WSJT-X / JTDX…"));
        QVERIFY(d.window->findChild<QMenu *>("Mnu_Setup")->actions().contains(item));
        item->trigger();
        auto *dialog = d.window->findChild<WsjtxDialog *>("Wsjtx_Setup");
        QVERIFY(dialog);
        QVERIFY(!dialog->findChild<QCheckBox *>("Wsjtx_Recevoir")->isChecked());
        QVERIFY(!dialog->findChild<QSpinBox *>("Wsjtx_Port")->isEnabled());
        QCOMPARE(dialog->findChild<QLabel *>("Wsjtx_Entendu")->text(),
                 QString("Aucun programme entendu depuis l'ouverture de la fenêtre."));

        QUdpSocket taken;
        QVERIFY(taken.bind(QHostAddress::LocalHost, 0, QAbstractSocket::DontShareAddress));
        dialog->findChild<QCheckBox *>("Wsjtx_Recevoir")->setChecked(true);
        dialog->findChild<QSpinBox *>("Wsjtx_Port")->setValue(taken.localPort());
        QTest::mouseClick(dialog->findChild<QPushButton *>("Wsjtx_OK"), Qt::LeftButton);
        QCOMPARE(d.platform.dialogs.messages.size(), 1);
        QVERIFY(d.platform.dialogs.messages.first().startsWith(
            QString("Le port UDP %1 est déjà pris").arg(taken.localPort())));
        QCOMPARE(d.setting("Wsjtx_Recevoir"), QString("1"));
        QCOMPARE(d.setting("Wsjtx_Port"), QString::number(taken.localPort()));
        QVERIFY(!d.window->digital().reception().isListening());
    }
};

ORVEL_TEST_CLASS(TestDigitalWindow)
#include "tst_digitalwindow.moc"
