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

    void foreignCallGoesStraightToTheFirstName_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("next");
        QTest::newRow("EA") << "ea1xyz" << "Prenom_Q";
        QTest::newRow("ON") << "ON4AA" << "Prenom_Q";
        QTest::newRow("HB") << "HB9ZZ" << "Prenom_Q";
        QTest::newRow("TK") << "TK5XY" << "Dpt_Q";
        QTest::newRow("TM") << "TM8Z" << "Dpt_Q";
        QTest::newRow("HW") << "HW1A" << "Dpt_Q";
        QTest::newRow("12 characters") << "EA1XYZ/P/QRP" << "Prenom_Q";
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

    void refusesACallSign_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("message");
        QTest::newRow("13 characters") << "EA1XYZ/P/QRPX" << "12 caracteres maxi";
        QTest::newRow("empty") << "" << "Entrez un indicatif";
    }
    void refusesACallSign()
    {
        QFETCH(QString, call);
        QFETCH(QString, message);
        EntryDesk b;
        b.line(call);
        QCOMPARE(b.platform.dialogs.messages, QStringList{message});
        QCOMPARE(b.focusName(), QString("Indi_Q"));
        QCOMPARE(b.get("Indi_Q")->text(), call);
    }

    void eachStoreKeyStoresFromEachField_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("steps"); // Enter presses after the call sign
        QTest::addColumn<bool>("deferred");
        const QList<std::pair<const char *, int>> keys = {{"F9", Qt::Key_F9},
                                                          {"F10", Qt::Key_F10},
                                                          {"F11", Qt::Key_F11},
                                                          {"F12", Qt::Key_F12},
                                                          {"keypad +", Qt::Key_Plus}};
        const char *fields[] = {"Dpt_Q", "Prenom_Q", "QRKR_Q", "QRKE_Q", "Observation_Q",
                                "Date_Q", "Heure_Q"};
        for (const auto &[keyName, key] : keys) {
            const int modifiers = key == Qt::Key_Plus ? int(Qt::KeypadModifier) : 0;
            for (int steps = 0; steps < 7; ++steps) {
                QTest::addRow("%s from %s", keyName, fields[steps])
                    << key << modifiers << steps << (steps >= 5);
            }
        }
    }
    void eachStoreKeyStoresFromEachField()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, steps);
        QFETCH(bool, deferred);
        EntryDesk b;
        if (deferred)
            b.action("Mnu_Diff_Oui")->trigger();
        b.get("Observation_Q")->setText("rem");
        const QStringList typed = {"75", "Jean", "57", "55", "", "120614", "1020"};
        b.line("F4ABC");
        for (int i = 0; i < steps; ++i) {
            if (!typed.at(i).isEmpty()) {
                b.get<QLineEdit>(qPrintable(b.focusName()))->clear();
                b.type(typed.at(i));
            }
            b.enter();
        }
        if (!typed.at(steps).isEmpty()) {
            b.get<QLineEdit>(qPrintable(b.focusName()))->clear();
            b.type(typed.at(steps));
        }
        if (steps == 5)
            b.get("Heure_Q")->setText("10:20");
        b.key(Qt::Key(key), Qt::KeyboardModifiers(modifiers));

        QCOMPARE(b.platform.dialogs.messages, QStringList());
        const QStringList lines = b.log(kCurrent);
        QCOMPARE(lines.size(), 1);
        QCOMPARE(b.log(kOther), lines);
        const QsoRecord qso = parseQsoLine(lines.first());
        QCOMPARE(qso.call, QString("F4ABC"));
        QCOMPARE(qso.department, QString("75"));
        QCOMPARE(qso.firstName, steps >= 1 ? QString("Jean") : QString());
        QCOMPARE(qso.rstReceived, steps >= 2 ? QString("57") : QString("59"));
        QCOMPARE(qso.rstSent, steps >= 3 ? QString("55") : QString("59"));
        QCOMPARE(qso.remarks, QString("REM"));
        QCOMPARE(qso.date, deferred ? QString("12/06/14") : QString("01/05/24"));
        QCOMPARE(qso.time, deferred ? QString("10:20") : QString("10:00"));
        QCOMPARE(qso.operatorCall, QString("Q1ABC"));
        QCOMPARE(b.get("Ope_Q")->text(), QString("Q1ABC"));
        QCOMPARE(b.get("Tot_Oper")->text(), QString(" 1"));
        QCOMPARE(b.get("Num_Q")->text(), QString("2"));
        QCOMPARE(b.focusName(), QString("Indi_Q"));
        QVERIFY(b.get("Indi_Q")->text().isEmpty());
        QVERIFY(b.get("Prenom_Q")->text().isEmpty());
        // Quick store keeps the reports just used, and the remarks unless stored from the date.
        QCOMPARE(b.get("QRKR_Q")->text(), qso.rstReceived);
        QCOMPARE(b.get("Observation_Q")->text(), steps == 5 ? QString() : QString("REM"));
        QVERIFY(!b.get<QPushButton>("Valide_Q")->isEnabled());
    }

    void valideResetsTheReportsAndQuickStoreKeepsThem()
    {
        EntryDesk b;
        b.line("ON4AA");
        b.enter(); // first name
        b.clearField("QRKR_Q");
        b.line("57");
        b.clearField("QRKE_Q");
        b.type("55");
        b.key(Qt::Key_F10);
        QCOMPARE(b.get("QRKR_Q")->text(), QString("57"));
        QCOMPARE(b.get("QRKE_Q")->text(), QString("55"));
        b.line("ON5BB");
        b.get<QPushButton>("Valide_Q")->click();
        QCOMPARE(b.log(kCurrent).size(), 2);
        QCOMPARE(parseQsoLine(b.log(kCurrent).at(1)).rstSent, QString("55"));
        QCOMPARE(b.get("QRKR_Q")->text(), QString("59"));
        QCOMPARE(b.get("QRKE_Q")->text(), QString("59"));
    }

    void modeAndBandStepsWriteTheirSettings()
    {
        EntryDesk b;
        auto *mode = b.get<QComboBox>("Mode_Q");
        auto *band = b.get<QComboBox>("Bande_Q");
        mode->setCurrentIndex(1);
        emit mode->activated(1);
        QCOMPARE(b.get("QRKR_Q")->text(), QString("599"));
        QCOMPARE(b.get("QRKE_Q")->text(), QString("599"));
        QCOMPARE(b.setting("Mode Activite"), QString("1"));
        mode->setCurrentIndex(2);
        emit mode->activated(2);
        QCOMPARE(b.get("QRKR_Q")->text(), QString("59"));

        band->setFocus();
        band->lineEdit()->clear();
        b.line("432");
        QCOMPARE(b.setting("Bande Activite"), QString("-1"));
        QCOMPARE(b.focusName(), QString("Mode_Q"));
        mode->lineEdit()->clear();
        b.line("OLIVIA");
        QCOMPARE(b.platform.dialogs.messages, QStringList{"3 caracteres maxi"});
        mode->lineEdit()->clear();
        b.line("RTTY");
        QCOMPARE(b.setting("Mode Activite"), QString("-1"));
        QCOMPARE(b.focusName(), QString("Indi_Q"));
        band->setFocus();
        band->lineEdit()->clear();
        b.line("1296");
        QCOMPARE(b.platform.dialogs.messages.last(), QString("3 caracteres maxi"));

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

    void refusesAFieldWithItsMessage_data()
    {
        QTest::addColumn<int>("steps"); // Enter presses after the call sign
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("kept");
        QTest::newRow("dpt 96") << 0 << "SSB" << "96" << "Départements N° de 00 à 95" << "";
        QTest::newRow("dpt 3a") << 0 << "SSB" << "3a" << "Que des chiffres ou 2a ou 2b)" << "";
        QTest::newRow("dpt 2-") << 0 << "SSB" << "2-" << "Département 2a ou 2b uniquement)" << "";
        QTest::newRow("dpt A1") << 0 << "SSB" << "A1" << "Que des chiffres pour le 1er caractère"
                                << "";
        QTest::newRow("dpt 1") << 0 << "SSB" << "1" << "2 caractères pour le département" << "";
        QTest::newRow("first name 16") << 1 << "SSB" << "Jean-Christophe1"
                                       << "15 caracteres maxi" << "Jean-Christophe1";
        QTest::newRow("rst received 599 in SSB") << 2 << "SSB" << "599"
                                                 << "2 caracteres pour le report reçu" << "";
        QTest::newRow("rst received 59 in CW") << 2 << "CW" << "59"
                                               << "3 caracteres pour le report reçu" << "";
        QTest::newRow("rst received empty") << 2 << "SSB" << ""
                                            << "Le report reçu est obligatoire" << "";
        QTest::newRow("rst sent 10") << 3 << "SSB" << "10" << "RST envoyé 11 mini 59 maxi" << "";
        QTest::newRow("rst sent 110 CW") << 3 << "CW" << "110" << "RST envoyé 111 mini 599 maxi"
                                         << "";
        QTest::newRow("remarks 31") << 4 << "SSB" << QString(31, 'x') << "30 caracteres maxi"
                                    << QString(31, 'x');
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

    void neverStoresATypedQsoWithoutItsDate()
    {
        EntryDesk b;
        b.action("Mnu_Diff_Oui")->trigger();
        b.line("F4ABC");
        b.type("75");
        b.key(Qt::Key_F10);
        QCOMPARE(b.platform.dialogs.messages,
                 QStringList{"Attention le format date doit etre jj/mm/aa. Les '/' sont "
                             "automatiques"});
        QCOMPARE(b.focusName(), QString("Date_Q"));
        QVERIFY(b.log(kCurrent).isEmpty());
        QCOMPARE(b.get("Indi_Q")->text(), QString("F4ABC"));
        b.type("120614");
        b.key(Qt::Key_F10);
        QCOMPARE(b.focusName(), QString("Heure_Q"));
        QVERIFY(b.log(kCurrent).isEmpty());
        b.type("0930");
        b.key(Qt::Key_F10);
        QCOMPARE(b.log(kCurrent).size(), 1);
    }

    void holdsEveryFieldToItsWidthBeforeStoring()
    {
        EntryDesk b;
        b.get("Ope_Q")->setText("Q1ABCDEFGHIJK");
        b.line("F4ABC");
        b.key(Qt::Key_F11);
        QCOMPARE(b.platform.dialogs.messages, QStringList{"2 caractères pour le département"});
        b.line("75");
        b.key(Qt::Key_F11);
        QCOMPARE(b.platform.dialogs.messages.last(), QString("12 caracteres maxi"));
        QCOMPARE(b.focusName(), QString("Ope_Q"));
        QCOMPARE(b.get("Ope_Q")->text(), QString("Q1ABCDEFGHIJK"));
        QVERIFY(b.log(kCurrent).isEmpty());
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
        b.window->setFirstNameLookup([](const QString &) {
            return std::optional<KnownStation>(KnownStation{"75", "Jean"});
        });
        b.line("F4ABC");
        QCOMPARE(b.get("Dpt_Q")->text(), QString("75"));
        b.type("1"); // nothing emptied in a new QSO's département
        QCOMPARE(b.get("Dpt_Q")->text(), QString("751"));
        b.get("Dpt_Q")->setText("75");
        b.enter();
        b.enter(); // first name as remembered
        b.type("57");
        QCOMPARE(b.get("QRKR_Q")->text(), QString("57"));
        b.enter();
        // The store key from the report stores, then empties it for the next QSO.
        b.key(Qt::Key_F10);
        QCOMPARE(parseQsoLine(b.log(kCurrent).first()).rstSent, QString("59"));
        QCOMPARE(b.get("QRKE_Q")->text(), QString());
        QVERIFY(b.window->state().retypeDone);

        b.window.reset();
        b.open();
        QVERIFY(b.action("Mnu_Refrappe_Oui")->isChecked());
    }

    void retypeReplacesEachFieldWhileEditing()
    {
        EntryDesk b;
        b.action("Mnu_Refrappe_Oui")->trigger();
        const QString old = stored("01/05/24", "09:00", "F4ABC", "75", "Jean", "57", "55", "");
        writeFile(b.platform.file(kCurrent + ".txt"), {old});
        writeFile(b.platform.file(kOther + ".txt"), {old});
        b.open();
        b.window->beginEdit("01", parseQsoLine(old), old);
        QVERIFY(!b.get("Date_Q")->isHidden());
        b.type("f5xyz");
        QCOMPARE(b.get("Indi_Q")->text(), QString("F5XYZ"));
        b.enter();
        b.enter(); // département kept without typing
        b.type("Paul");
        QCOMPARE(b.get("Prenom_Q")->text(), QString("Paul"));
        b.enter();
        b.enter();
        b.enter();
        b.enter(); // remarks lead to the date while editing
        QCOMPARE(b.focusName(), QString("Date_Q"));
        b.type("0");
        QCOMPARE(b.get("Date_Q")->text(), QString("0"));
        b.type("20524");
        b.enter();
        b.enter();
        b.enter(); // Valide_Q
        const QString corrected = stored("02/05/24", "09:00", "F5XYZ", "75", "Paul", "57", "55", "");
        QCOMPARE(b.log(kCurrent), QStringList{corrected});
        QCOMPARE(b.log(kOther), QStringList{corrected});
        QVERIFY(!b.window->state().editing);
        QCOMPARE(b.get("Num_Q")->text(), QString("2"));
        QVERIFY(b.get("Date_Q")->isHidden());
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
        QCOMPARE(lines.at(0).size(), kInsertedQsoLineLength);
        QCOMPARE(callOfLine(lines.at(0)), QString("EA1XYZ"));
        QCOMPARE(b.log(kOther).size(), 1);
        QVERIFY(!b.window->state().inserting);
        QCOMPARE(b.get<QLabel>("Mode_Ajout")->text(), QString());
        QVERIFY(b.get("Date_Q")->isHidden());
        QCOMPARE(b.get("Num_Q")->text(), QString("3"));
    }

    void cancelsWhenAlreadyWorked()
    {
        EntryDesk b;
        QStringList asked;
        b.window->setAlreadyWorkedCheck([&](const QString &call, const QString &band,
                                            const QString &mode) {
            asked << call + "|" + band + "|" + mode;
            return true;
        });
        b.line("F4ABC");
        QCOMPARE(asked, QStringList{"F4ABC|3.5|SSB"});
        QCOMPARE(b.get("Indi_Q")->text(), QString());
        QCOMPARE(b.focusName(), QString("Indi_Q"));
        QVERIFY(!b.get<QPushButton>("Valide_Q")->isEnabled());
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
