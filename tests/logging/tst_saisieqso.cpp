#include "logging/DepartmentGrid.h"
#include "records/QsoLine.h"
#include "logging/Saisie_QSO.h"
#include "widgets/Palette.h"
#include "platform/Services.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"
#include "EntryDesk.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStringListModel>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;

namespace {

QString stored(const QString &date, const QString &time, const QString &call, const QString &dpt,
               const QString &firstName, const QString &rstR, const QString &rstE,
               const QString &remarks, const QString &mode = "SSB", const QString &band = "3.5")
{
    return formatQsoLine(
        QsoRecord{date, time, call, dpt, firstName, rstR, rstE, mode, band, remarks, "Q1ABC"});
}

} // namespace

class TestSaisieQso : public QObject
{
    Q_OBJECT

private slots:
    void loadsInItsInitialState()
    {
        EntryDesk b;
        Saisie_QSO &w = *b.window;
        QCOMPARE(w.objectName(), QString("Saisie_QSO"));
        QCOMPARE(w.windowTitle(), QString("  Brivo Orvel Multi    Revision  1.0.4c"));
        QCOMPARE(b.get<QLabel>("Label1")->text(),
                 QString("Orvel d'activité de Q1ABC/P au log Q1ABC/P"));
        QCOMPARE(b.get<QLabel>("Label3")->text(), QString("DFCF 89010 DMF 1234 "));
        QCOMPARE(b.get<QLabel>("Label21")->text(), QString("Auxerre"));
        QCOMPARE(b.get("Ope_Q")->text(), QString("Q1ABC"));
        QCOMPARE(b.get("Num_Q")->text(), QString("1"));
        QCOMPARE(b.get("Tot_Oper")->text(), QString(" 0"));
        QCOMPARE(b.get("QRKR_Q")->text(), QString("59"));
        QCOMPARE(b.get<QComboBox>("Mode_Q")->currentText(), QString("SSB"));
        QCOMPARE(b.get<QComboBox>("Bande_Q")->currentText(), QString("3.5"));
        QVERIFY(!b.get<QPushButton>("Valide_Q")->isEnabled());
        QVERIFY(!b.get<QPushButton>("Recupere")->isEnabled());
        QVERIFY(!b.get("Dpt_Q")->isEnabled());
        QVERIFY(b.get("Date_Q")->isHidden());
        QCOMPARE(b.focusName(), QString("Indi_Q"));
        QCOMPARE(backgroundOf(b.get("Indi_Q")), kLightGreen);
        QCOMPARE(b.get<QLabel>("Label37")->text(), QString("10:00 Utc"));
        QCOMPARE(b.get<QLabel>("Label34")->text(), QString("12:00 Loc"));
        QVERIFY(!b.get<QLabel>("Label34")->isEnabled());
        QCOMPARE(b.get<QLabel>("Label33")->text(), QString("01/05/24"));
        QVERIFY(b.window->state().chosenEntry.isEmpty());
        QCOMPARE(b.get<QLabel>("Dpt_96")->text(), QString("2a"));
        QCOMPARE(b.get<QLabel>("Dpt_5")->text(), QString("05"));
        QCOMPARE(b.get<QLabel>("Dpt_20")->text(), QString());
        QVERIFY(b.action("Mnu_UTC_Oui")->isChecked());
        QVERIFY(b.action("Mnu_Diff_Non")->isChecked());
        QVERIFY(b.action("Mnu_Refrappe_Non")->isChecked());
    }

    // Back in the window from another one, the keyboard is on the field being typed, the call
    // sign between two QSOs, wherever the focus was left; a correction keeps it where it is.
    void comingBackPutsTheKeyboardOnTheEntry_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("left"); // where the focus is when the operator goes away
        QTest::addColumn<QString>("focus");
        QTest::newRow("after Rechercher") << ""
                                          << "Recherche"
                                          << "Indi_Q";
        QTest::newRow("after a click in the list") << ""
                                                   << "Liste_QSO"
                                                   << "Indi_Q";
        QTest::newRow("a QSO half typed") << "ON4AA"
                                          << "Recherche"
                                          << "Prenom_Q";
        QTest::newRow("a correction") << "edit"
                                      << "Liste_QSO"
                                      << "Liste_QSO";
        QTest::newRow("an insertion") << "insert"
                                      << "Recherche"
                                      << "Recherche";
    }
    void comingBackPutsTheKeyboardOnTheEntry()
    {
        QFETCH(QString, before);
        QFETCH(QString, left);
        QFETCH(QString, focus);
        EntryDesk b({stored("01/05/24", "09:00", "F4ABC", "75", "Jean", "57", "55", "")});
        if (before == "edit") {
            b.chooseRow(0);
            b.click("Edite_QSO");
        } else if (before == "insert") {
            b.click("Ajout_QSO");
        } else if (!before.isEmpty()) {
            b.line(before);
        }
        if (left == "Liste_QSO")
            b.chooseRow(0);
        else
            b.get<QPushButton>("Recherche")->setFocus();
        QCOMPARE(b.focusName(), left);

        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QVERIFY(QTest::qWaitForWindowActive(&other));
        b.window->activateWindow();
        QApplication::setActiveWindow(b.window.get());
        QVERIFY(QTest::qWaitForWindowActive(b.window.get()));
        QCOMPARE(b.focusName(), focus);
    }

    // The correction buttons answer Alt and a letter of their caption, from any field.
    void correctionButtonsAnswerAltAndALetter_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::newRow("Editer") << "Edite_QSO" << int(Qt::Key_E);
        QTest::newRow("Supprimer") << "Efface_QSO" << int(Qt::Key_P);
        QTest::newRow("Inserer") << "Ajout_QSO" << int(Qt::Key_N);
        QTest::newRow("Recuperer") << "Recupere" << int(Qt::Key_R);
    }
    void correctionButtonsAnswerAltAndALetter()
    {
        QFETCH(QString, button);
        QFETCH(int, key);
        EntryDesk b({stored("01/05/24", "09:00", "F4ABC", "75", "Jean", "57", "55", "")});
        b.chooseRow(0);
        if (button == "Recupere")
            b.click("Efface_QSO");
        auto *pressed = b.get<QPushButton>(qPrintable(button));
        QVERIFY(pressed->isEnabled());
        QSignalSpy clicked(pressed, &QPushButton::clicked);
        b.get("Indi_Q")->setFocus();
        b.key(Qt::Key(key), Qt::AltModifier);
        QTRY_COMPARE(clicked.count(), 1);
    }

    void offersEveryMenuItemInOrder()
    {
        EntryDesk b;
        QStringList captions;
        for (QAction *top : b.window->menuBar()->actions()) {
            captions << top->objectName() + "=" + top->text();
            if (top->menu()) {
                for (QAction *item : top->menu()->actions())
                    captions << item->objectName() + "=" + item->text();
            }
        }
        QCOMPARE(captions,
                 QStringList({"Mnu_Fichier=&Fichiers", "Mnu_ADIF=Exporter au format &ADIF",
                              "Mnu_C_Trafic=Exporter au format C_&Trafic",
                              "Mnu_Import_ADIF=&Importer un fichier ADIF…", "Mnu_Quitter=&Quitter",
                              "Mnu_Setup=&Setup", "Mnu_QTR=&QTR", "Mnu_Differee=Saisie &differée",
                              "Mnu_Refrappe=Mode &Refrappe", "Mnu_Radio=Rad&io",
                              "Mnu_Wsjtx=&WSJT-X / JTDX…",
                              "Mnu_Afficher=&Afficher",
                              "Mnu_Aff_Log=le &log de l'activité",
                              "Mnu_Log_Alpha=le log alpha&numérique de l'activité",
                              "Mnu_Pays_Contacte=les &pays contactés",
                              "Histo_Acti=L'&historique des activations",
                              "Mnu_Liste_Op=La liste des &opérateurs",
                              "Mnu_Etiquettes=&Imprimer les étiquettes pour QSL",
                              "Mnu_Carte=&Carte", "Mnu_Dpt_Cont=&Départements contactés",
                              "Mnu_Help=Ai&de", "Mnu_Historique=&Historique",
                              "Mnu_Mode_Emploi=&Mode d'emploi",
                              "Mnu_Maj=Mise a &jour du programme", "Mnu_A_Propos=&A Ppropos"}));
        QSignalSpy requested(b.window.get(), &Saisie_QSO::windowRequested);
        b.action("Histo_Acti")->trigger();
        b.action("Mnu_ADIF")->trigger();
        b.get<QPushButton>("Recherche")->click();
        QCOMPARE(requested.size(), 3);
        QCOMPARE(requested.at(0).at(0).toString(), QString("Histo_Acti"));
        QCOMPARE(requested.at(2).at(0).toString(), QString("Recherche"));
    }

    void storesAFrenchQsoIntoEveryOpenLog()
    {
        EntryDesk b;
        b.line("f4abc");
        QCOMPARE(b.get("Indi_Q")->text(), QString("F4ABC"));
        QCOMPARE(b.focusName(), QString("Dpt_Q"));
        QVERIFY(b.get<QPushButton>("Valide_Q")->isEnabled());
        b.line("75");
        QCOMPARE(b.focusName(), QString("Prenom_Q"));
        b.line("Jean");
        b.enter(); // report received 59
        b.enter(); // report sent 59
        QCOMPARE(b.focusName(), QString("Observation_Q"));
        b.line("portable");
        QCOMPARE(b.focusName(), QString("Valide_Q"));
        b.enter();

        const QByteArray expected = "01/05/24  10:00  F4ABC         75  Jean             59  59  "
                                    "SSB   3.5 Mhz PORTABLE                        Q1ABC       "
                                    "\r\n";
        QCOMPARE(expected.size(), 120);
        QCOMPARE(readBytes(b.platform.file(kCurrent + ".txt")), expected);
        QCOMPARE(readBytes(b.platform.file(kOther + ".txt")), expected);
        QCOMPARE(b.get<QAbstractItemView>("Liste_QSO")->model()->rowCount(), 1);
        QCOMPARE(b.window->state().chosenLogLine, QString(expected.chopped(2)));
        QCOMPARE(b.get("Num_Q")->text(), QString("2"));
        QCOMPARE(b.get("Tot_Oper")->text(), QString(" 1"));
        QCOMPARE(b.focusName(), QString("Indi_Q"));
        for (const char *emptied : {"Indi_Q", "Dpt_Q", "Prenom_Q", "Observation_Q"})
            QVERIFY2(b.get(emptied)->text().isEmpty(), emptied);
        QVERIFY(!b.get<QPushButton>("Valide_Q")->isEnabled());
        QVERIFY(b.platform.dialogs.messages.isEmpty());
    }

    // The routing rule is the entry's; here the keys reach the field it chose.
    void foreignCallGoesStraightToTheFirstName_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("next");
        QTest::newRow("EA in lower case") << "ea1xyz" << "Prenom_Q";
        QTest::newRow("TK") << "TK5XY" << "Dpt_Q";
    }
    void foreignCallGoesStraightToTheFirstName()
    {
        QFETCH(QString, call);
        QFETCH(QString, next);
        EntryDesk b;
        b.line(call);
        QCOMPARE(b.focusName(), next);
        QCOMPARE(b.get("Dpt_Q")->isEnabled(), next == "Dpt_Q");
    }

    // Each key is a store key; what a store keeps from each field is the entry's rule.
    void eachStoreKeyStores_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("F9") << int(Qt::Key_F9) << 0;
        QTest::newRow("F10") << int(Qt::Key_F10) << 0;
        QTest::newRow("F11") << int(Qt::Key_F11) << 0;
        QTest::newRow("F12") << int(Qt::Key_F12) << 0;
        QTest::newRow("keypad +") << int(Qt::Key_Plus) << int(Qt::KeypadModifier);
    }
    void eachStoreKeyStores()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        EntryDesk b;
        b.line("F4ABC");
        b.line("75");
        b.line("Jean");
        b.clearField("QRKR_Q");
        b.line("57");
        b.clearField("QRKE_Q");
        b.type("55");
        b.key(Qt::Key(key), Qt::KeyboardModifiers(modifiers));

        QCOMPARE(b.platform.dialogs.messages, QStringList());
        const QStringList lines = b.log(kCurrent);
        QCOMPARE(lines.size(), 1);
        QCOMPARE(b.log(kOther), lines);
        const QsoRecord qso = parseQsoLine(lines.first());
        QCOMPARE(qso.call, QString("F4ABC"));
        QCOMPARE(qso.rstSent, QString("55"));
        QCOMPARE(qso.operatorCall, QString("Q1ABC"));
        QCOMPARE(b.get("Ope_Q")->text(), QString("Q1ABC"));
        QCOMPARE(b.get("Tot_Oper")->text(), QString(" 1"));
        QCOMPARE(b.get("Num_Q")->text(), QString("2"));
        QCOMPARE(b.focusName(), QString("Indi_Q"));
        QVERIFY(b.get("Indi_Q")->text().isEmpty());
        QCOMPARE(b.get("QRKE_Q")->text(), QString("55"));
        QVERIFY(!b.get<QPushButton>("Valide_Q")->isEnabled());
    }
    void aTypedBandLeavesTheListWithoutChoiceAtTheNextLoad()
    {
        EntryDesk b;
        auto *band = b.get<QComboBox>("Bande_Q");
        band->setFocus();
        band->lineEdit()->clear();
        b.line("432");
        QCOMPARE(b.setting("Bande Activite"), QString("-1"));
        QCOMPARE(b.focusName(), QString("Mode_Q"));
        b.window.reset();
        b.open();
        QCOMPARE(b.get<QComboBox>("Bande_Q")->currentIndex(), -1);
    }

    void repairsAnOlderModeAtLoad()
    {
        EntryDesk b;
        b.platform.settings.setValue(kAppMulti, kSetupSection, "Mode Activite", "CW");
        b.platform.settings.setValue(kAppMulti, kSetupSection, "Bande Activite", "4");
        b.open();
        QCOMPARE(b.get<QComboBox>("Mode_Q")->currentText(), QString("SSB"));
        QCOMPARE(b.get<QComboBox>("Bande_Q")->currentText(), QString("3.5"));
        QCOMPARE(b.setting("Mode Activite"), QString("0"));
        QCOMPARE(b.setting("Bande Activite"), QString("1"));
    }

    // The messages of every field are the entry's; here one field that empties and one that
    // keeps its text, as the operator sees them.
    void refusesAFieldWithItsMessage_data()
    {
        QTest::addColumn<int>("steps"); // Enter presses after the call sign
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("kept");
        QTest::newRow("dpt 96") << 0 << "SSB" << "96" << "Départements N° de 00 à 95" << "";
        QTest::newRow("first name 16") << 1 << "SSB" << "Jean-Christophe1"
                                       << "15 caracteres maxi" << "Jean-Christophe1";
    }
    void refusesAFieldWithItsMessage()
    {
        QFETCH(int, steps);
        QFETCH(QString, mode);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QString, kept);
        EntryDesk b;
        auto *modeList = b.get<QComboBox>("Mode_Q");
        modeList->setCurrentIndex(modeList->findText(mode));
        emit modeList->activated(modeList->currentIndex());
        b.line("F4ABC");
        const QStringList valid = {"75", "Jean", "", "", ""};
        for (int i = 0; i < steps; ++i)
            b.line(valid.at(i));
        QLineEdit *field = b.get<QLineEdit>(qPrintable(b.focusName()));
        field->clear();
        b.line(text);
        QCOMPARE(b.platform.dialogs.messages, QStringList{message});
        QCOMPARE(b.focus(), field);
        QCOMPARE(field->text(), kept);
        QVERIFY(b.log(kCurrent).isEmpty());
    }

    void typesTheDateAndTimeSeparators()
    {
        EntryDesk b;
        b.action("Mnu_Diff_Oui")->trigger();
        QVERIFY(!b.get("Date_Q")->isHidden());
        QVERIFY(!b.get<QLabel>("Label10")->isHidden());
        QLineEdit *date = b.get("Date_Q");
        QLineEdit *time = b.get("Heure_Q");
        date->setFocus();
        b.type("120614");
        QCOMPARE(date->text(), QString("12/06/14"));
        date->setText("12/06");
        date->end(false);
        b.key(Qt::Key_Backspace);
        QCOMPARE(date->text(), QString("12/06"));
        date->setText("12");
        date->end(false);
        b.key(Qt::Key_Backspace);
        QCOMPARE(date->text(), QString("12"));
        time->setFocus();
        b.type("1230");
        QCOMPARE(time->text(), QString("12:30"));
        time->setText("12");
        time->end(false);
        b.key(Qt::Key_Backspace);
        QCOMPARE(time->text(), QString("12"));
        time->setText("12:3");
        b.key(Qt::Key_F9);
        QCOMPARE(b.platform.dialogs.messages,
                 QStringList{"Attention 5 caracteres pour l'heure (format hh:mm. Les ':' sont "
                             "automatique)"});
        QCOMPARE(time->text(), QString("12:3"));
        b.key(Qt::Key_Return);
        QCOMPARE(b.platform.dialogs.messages.last(),
                 QString("Attention le format de l'heure doit etre hhmm les ':' sont automatique"));
        QCOMPARE(time->text(), QString());
    }

    void deferredEntryKeepsTheDateForTheNextQso()
    {
        EntryDesk b;
        b.action("Mnu_Diff_Oui")->trigger();
        b.line("EA1XYZ");
        b.enter();
        b.enter();
        b.enter();
        b.enter(); // remarks
        QCOMPARE(b.focusName(), QString("Date_Q"));
        b.line("120614");
        b.line("1020");
        QCOMPARE(b.focusName(), QString("Valide_Q"));
        b.key(Qt::Key_Space);
        QCOMPARE(b.log(kCurrent).size(), 1);
        QCOMPARE(b.log(kCurrent).first().left(15), QString("12/06/14  10:20"));
        QCOMPARE(b.get("Date_Q")->text(), QString("12/06/14"));
        QCOMPARE(b.get("Heure_Q")->text(), QString());
        QVERIFY(!b.get("Date_Q")->isHidden());

        b.get("Heure_Q")->setText("11:00");
        b.action("Mnu_Diff_Non")->trigger();
        QCOMPARE(b.get("Date_Q")->text(), QString());
        QCOMPARE(b.get("Heure_Q")->text(), QString());
        QVERIFY(b.get("Date_Q")->isHidden());
        QVERIFY(b.get<QLabel>("Label6")->isHidden());
    }

    void keepsTheEntryWhenALogCannotBeWritten()
    {
        EntryDesk b;
        QVERIFY(QDir(b.platform.folder()).mkdir(kOther + ".txt"));
        b.line("F4ABC");
        b.line("75");
        b.key(Qt::Key_F12);
        QCOMPARE(b.platform.dialogs.messages.size(), 1);
        QVERIFY(b.platform.dialogs.messages.first().contains(kOther));
        QCOMPARE(b.get("Indi_Q")->text(), QString("F4ABC"));
        QCOMPARE(b.get("Dpt_Q")->text(), QString("75"));
    }

    void clockCrossesMidnight_data()
    {
        QTest::addColumn<bool>("utc");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("UTC") << true << "31/12/24  23:59" << "01/01/25  00:00";
        QTest::newRow("local") << false << "01/01/25  00:59" << "01/01/25  01:00";
    }
    void clockCrossesMidnight()
    {
        QFETCH(bool, utc);
        QFETCH(QString, before);
        QFETCH(QString, after);
        EntryDesk b;
        b.platform.clock.setUtc(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59), Qt::UTC));
        b.platform.clock.setLocalOffset(3600);
        b.action(utc ? "Mnu_UTC_Oui" : "Mnu_UTC_Non")->trigger();
        QCOMPARE(b.setting("Heure UTC"), utc ? QString("true") : QString("false"));
        QCOMPARE(b.get<QLabel>("Label37")->isEnabled(), utc);
        QCOMPARE(b.get<QLabel>("Label34")->isEnabled(), !utc);
        b.line("EA1XYZ");
        b.key(Qt::Key_F9);
        b.platform.clock.advance(1);
        b.window->clockTick();
        QCOMPARE(b.get<QLabel>("Label37")->text(), QString("00:00 Utc"));
        QCOMPARE(b.get<QLabel>("Label34")->text(), QString("01:00 Loc"));
        QCOMPARE(b.get<QLabel>("Label33")->text(), after.left(8));
        b.line("EA2XYZ");
        b.key(Qt::Key_F9);
        const QStringList lines = b.log(kCurrent);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.at(0).left(15), before);
        QCOMPARE(lines.at(1).left(15), after);

        // The window always starts in UTC, whatever was stored.
        b.open();
        QVERIFY(b.action("Mnu_UTC_Oui")->isChecked());
    }

    void retypeReplacesTheDefaultReports()
    {
        EntryDesk b;
        b.action("Mnu_Refrappe_Oui")->trigger();
        QCOMPARE(b.setting("Mode_Refrappe"), QString("true"));
        b.line("ON4AA");
        b.enter();
        b.type("57");
        QCOMPARE(b.get("QRKR_Q")->text(), QString("57"));
        b.enter();
        // The store key from the report stores, then empties it for the next QSO.
        b.key(Qt::Key_F10);
        QCOMPARE(parseQsoLine(b.log(kCurrent).first()).rstReceived, QString("57"));
        QCOMPARE(b.get("QRKE_Q")->text(), QString());

        b.window.reset();
        b.open();
        QVERIFY(b.action("Mnu_Refrappe_Oui")->isChecked());
    }

    void storeKeysInsertInInsertMode()
    {
        EntryDesk b;
        const QString later = stored("01/05/24", "11:00", "F4AAA", "75", "", "59", "59", "");
        writeFile(b.platform.file(kCurrent + ".txt"), {later});
        b.open();
        b.get<QPushButton>("Ajout_QSO")->click();
        QCOMPARE(b.get<QLabel>("Mode_Ajout")->text(), QString("Mode Ajout d'un QSO"));
        b.line("EA1XYZ");
        b.get("Date_Q")->setText("01/05/24");
        b.get("Heure_Q")->setText("10:30");
        b.key(Qt::Key_F9);
        const QStringList lines = b.log(kCurrent);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.at(0).size(), kQsoLineLength);
        QCOMPARE(callOfLine(lines.at(0)), QString("EA1XYZ"));
        QCOMPARE(parseQsoLine(lines.at(0)).operatorCall, QString("Q1ABC"));
        QCOMPARE(b.log(kOther).size(), 1);
        QVERIFY(!b.window->state().inserting);
        QCOMPARE(b.get<QLabel>("Mode_Ajout")->text(), QString());
        QVERIFY(b.get("Date_Q")->isHidden());
        QCOMPARE(b.get("Num_Q")->text(), QString("3"));
    }

    void loadsTheLogAndSelectsItsLastLine()
    {
        EntryDesk b;
        const QString first = stored("01/05/24", "09:00", "F4ABC", "75", "", "59", "59", "");
        const QString second = stored("01/05/24", "09:05", "F4ABC", "75", "", "59", "59", "");
        const QString third = stored("01/05/24", "09:10", "ON4AA", "", "", "59", "59", "");
        writeFile(b.platform.file(kCurrent + ".txt"), {first, second, third});
        b.open();
        QCOMPARE(b.get("Num_Q")->text(), QString("4"));
        QCOMPARE(b.get("Tot_Oper")->text(), QString(" 2"));
        QCOMPARE(b.window->state().chosenEntry, "   3  " + third);
        QCOMPARE(b.window->state().chosenLogLine, third);
        auto *list = b.get<QAbstractItemView>("Liste_QSO");
        list->setCurrentIndex(list->model()->index(0, 0));
        QCOMPARE(b.window->state().chosenLogLine, first);
        // The keys of a list box: down a line, End and Home to the last and first QSO.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(b.window->state().chosenLogLine, second);
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(b.window->state().chosenLogLine, third);
        QTest::keyClick(list, Qt::Key_Home);
        QCOMPARE(b.window->state().chosenLogLine, first);
        // Tab leaves the list instead of moving inside it.
        QTest::keyClick(list, Qt::Key_Tab);
        QVERIFY(!list->hasFocus());
    }

    void refusesCharactersTheLogCannotHold()
    {
        EntryDesk b;
        b.line("F4ABC");
        b.line("75");
        b.type("Zo");
        for (const QChar accented : QString("é€")) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(accented));
            QApplication::sendEvent(b.focus(), &press);
        }
        QCOMPARE(b.get("Prenom_Q")->text(), QString("Zoé€"));
        QKeyEvent omega(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(0x3A9)));
        QApplication::sendEvent(b.focus(), &omega);
        QTRY_COMPARE(b.platform.dialogs.messages.size(), 1);
        QVERIFY(b.platform.dialogs.messages.first().contains(QChar(0x3A9)));
        QCOMPARE(b.get("Prenom_Q")->text(), QString("Zoé€"));
        QApplication::clipboard()->setText("Jean\r\nPaul");
        QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(0x16)));
        QApplication::sendEvent(b.focus(), &paste);
        QTRY_COMPARE(b.platform.dialogs.messages.size(), 2);
        QCOMPARE(b.get("Prenom_Q")->text(), QString("Zoé€"));
    }
};

ORVEL_TEST_CLASS(TestSaisieQso)
#include "tst_saisieqso.moc"
