// The entry window's corrections and first-name memory, driven at the keyboard and mouse.
#include "EntryDesk.h"
#include "logging/Saisie_QSO.h"
#include "platform/Services.h"
#include "records/QsoLine.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;

namespace {

QString stored(const QString &time, const QString &call, const QString &dpt = "75",
               const QString &firstName = "", const QString &mode = "SSB",
               const QString &band = "3.5", const QString &date = "01/05/24",
               const QString &reports = "59")
{
    return formatQsoLine(
        QsoRecord{date, time, call, dpt, firstName, reports, reports, mode, band, "", "Q1ABC"});
}

} // namespace

class TestCorrectionsWindow : public QObject
{
    Q_OBJECT

private slots:
    void editsACwQsoInEveryOpenLog()
    {
        const QString ssb = stored("09:00", "F4ABC");
        const QString cw = stored("09:10", "F5XYZ", "05", "Paul", "CW", "7", "01/05/24", "599");
        const QString last = stored("09:20", "F6AAA");
        EntryDesk d({ssb, cw, last}, {ssb, cw});
        d.chooseRow(1);
        d.click("Edite_QSO");
        QVERIFY(d.window->state().editing);
        QCOMPARE(d.get("Num_Q")->text(), QString("02"));
        QCOMPARE(d.get("Indi_Q")->text(), QString("F5XYZ"));
        QCOMPARE(d.get("Dpt_Q")->text(), QString("05"));
        QCOMPARE(d.get("QRKR_Q")->text(), QString("599"));
        QCOMPARE(d.get<QComboBox>("Mode_Q")->currentText(), QString("CW"));
        QCOMPARE(d.get<QComboBox>("Bande_Q")->currentText(), QString("7"));
        QVERIFY(d.get("Date_Q")->isVisible());
        QCOMPARE(d.get("Date_Q")->text(), QString("01/05/24"));
        QCOMPARE(d.get("Heure_Q")->text(), QString("09:10"));
        QCOMPARE(d.focusName(), QString("Indi_Q"));

        d.enter(); // no already-worked question while editing
        QCOMPARE(d.focusName(), QString("Dpt_Q"));
        d.enter();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        d.line("Paulo");
        d.enter(); // 599 stays valid in CW
        d.enter();
        d.line("qrp");
        QCOMPARE(d.focusName(), QString("Date_Q"));
        d.enter();
        d.enter();
        QCOMPARE(d.focusName(), QString("Valide_Q"));
        d.enter();

        QVERIFY(d.platform.dialogs.shown.isEmpty());
        const QString corrected = formatQsoLine(QsoRecord{
            "01/05/24", "09:10", "F5XYZ", "05", "Paulo", "599", "599", "CW", "7", "QRP", "Q1ABC"});
        QCOMPARE(d.log(kCurrent), QStringList({ssb, corrected, last}));
        QCOMPARE(d.log(kOther), QStringList({ssb, corrected}));
        QVERIFY(!d.window->state().editing);
        QCOMPARE(d.get("Num_Q")->text(), QString("4"));
        QVERIFY(d.get("Date_Q")->isHidden());
        QCOMPARE(d.firstNames(), QStringList{"F5XYZ        05 Paulo"});
        // The next QSO is on the band and mode worked before the correction.
        QCOMPARE(d.get<QComboBox>("Mode_Q")->currentText(), QString("SSB"));
        QCOMPARE(d.get<QComboBox>("Bande_Q")->currentText(), QString("3.5"));
        QCOMPARE(d.get("QRKR_Q")->text(), QString("59"));
    }

    void warnsWhenTheEditedQsoLeftTheCurrentLog()
    {
        const QString first = stored("09:00", "F4ABC");
        const QString second = stored("09:10", "F5XYZ");
        EntryDesk d({first, second}, {first, second});
        d.click("Edite_QSO");                                   // the last line is chosen at load
        writeFile(d.platform.file(kCurrent + ".txt"), {first}); // changed behind our back
        d.enter();
        d.enter();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F9);

        QCOMPARE(d.platform.dialogs.messages.size(), 1);
        QVERIFY(d.platform.dialogs.messages.first().contains(kCurrent));
        QCOMPARE(d.log(kCurrent), QStringList{first});
        QCOMPARE(d.log(kOther), QStringList({first, second}));
        QCOMPARE(d.get("Indi_Q")->text(), QString("F5XYZ")); // nothing typed is lost
        QCOMPARE(d.get<QAbstractItemView>("Liste_QSO")->model()->rowCount(), 1);
        d.click("Annule_Q");
        QVERIFY(!d.window->state().editing);
    }

    void withoutAChosenLineOnlyShowsItsMessage_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("edit") << "Edite_QSO"
                              << "Cliquez sur une ligne pour la modifier";
        QTest::newRow("delete") << "Efface_QSO"
                                << "Cliquez sur une ligne pour l'annuler";
    }
    void withoutAChosenLineOnlyShowsItsMessage()
    {
        QFETCH(QString, button);
        QFETCH(QString, message);
        EntryDesk d;
        d.line("ON4AA");
        d.click(button.toLatin1().constData());
        QCOMPARE(d.platform.dialogs.shown, QStringList{message});
        QVERIFY(!d.window->state().editing);
        QCOMPARE(d.get("Indi_Q")->text(), QString("ON4AA"));
        QVERIFY(!d.get<QPushButton>("Recupere")->isEnabled());
    }

    void recoversADeletedQsoAtItsOwnTime()
    {
        const QString q1 = stored("09:00", "F4AAA");
        const QString q2 = stored("09:10", "F4BBB");
        const QString q3 = stored("09:20", "F4CCC");
        EntryDesk d({q1, q2, q3}, {q1, q2, q3});
        d.chooseRow(1);
        d.click("Efface_QSO");
        QCOMPARE(d.platform.dialogs.questions,
                 QStringList{"Voulez vous effacer le QSO avec F4BBB ?\n"
                             "Il sera effacé des logs DFCF 89010 et DMF 1234."});
        QCOMPARE(d.log(kCurrent), QStringList({q1, q3}));
        QCOMPARE(d.log(kOther), QStringList({q1, q3}));
        QVERIFY(d.get<QPushButton>("Recupere")->isEnabled());
        QCOMPARE(d.window->state().deletedLine, q2);
        QCOMPARE(d.get("Num_Q")->text(), QString("3"));
        QCOMPARE(d.get("Tot_Oper")->text(), QString(" 2"));
        QCOMPARE(d.window->state().chosenLogLine, q3);
        QCOMPARE(d.focusName(), QString("Indi_Q"));

        d.logForeign("ON4AA");
        d.logForeign("DL1ZZ");
        QCOMPARE(d.get("Num_Q")->text(), QString("5"));
        d.platform.dialogs.clear();
        d.click("Recupere");
        QCOMPARE(d.platform.dialogs.questions,
                 QStringList{"Voulez vous recuperer le QSO avec F4BBB a 09:10 sur 3.5 Mhz en SSB"});
        const QStringList current = d.log(kCurrent);
        QCOMPARE(current.size(), 5);
        QCOMPARE(current.mid(0, 3), QStringList({q1, q2, q3}));
        QCOMPARE(callOfLine(current.at(4)), QString("DL1ZZ"));
        QCOMPARE(d.log(kOther), current);
        QVERIFY(!d.get<QPushButton>("Recupere")->isEnabled());
        QCOMPARE(d.get("Num_Q")->text(), QString("6"));
        QCOMPARE(d.get("Tot_Oper")->text(), QString(" 5"));
        QCOMPARE(d.get<QAbstractItemView>("Liste_QSO")->model()->rowCount(), 5);
        QCOMPARE(d.focusName(), QString("Indi_Q"));

        // Put back once: asking to delete again does not offer it a second time.
        d.platform.dialogs.answers = {false};
        d.click("Efface_QSO");
        QVERIFY(!d.get<QPushButton>("Recupere")->isEnabled());
    }

    void answeringNoStillResetsTheEntry()
    {
        const QString q1 = stored("09:00", "F4AAA");
        const QString q2 = stored("09:10", "F4BBB");
        EntryDesk d({q1, q2});
        d.click("Edite_QSO");
        QVERIFY(d.get("Date_Q")->isVisible());
        d.chooseRow(0);
        d.platform.dialogs.answers = {false};
        d.click("Efface_QSO");
        QCOMPARE(d.log(kCurrent), QStringList({q1, q2}));
        QVERIFY(!d.window->state().editing);
        QVERIFY(d.get("Date_Q")->isHidden());
        QCOMPARE(d.get("Indi_Q")->text(), QString());
        QCOMPARE(d.get("Dpt_Q")->text(), QString());
        QVERIFY(!d.get("Dpt_Q")->isEnabled());
        QCOMPARE(d.get("Num_Q")->text(), QString("3"));
        QCOMPARE(d.window->state().chosenLogLine, q2);
        QCOMPARE(d.focusName(), QString("Indi_Q"));
        QVERIFY(!d.get<QPushButton>("Recupere")->isEnabled());
        QVERIFY(!d.get<QPushButton>("Valide_Q")->isEnabled());
    }

    void deletesOnlyTheChosenOfTwoIdenticalLines()
    {
        const QString twice = stored("09:00", "F4AAA");
        const QString later = stored("09:30", "F4BBB");
        EntryDesk d({twice, twice, later}, {twice, twice, later});
        d.chooseRow(1);
        d.click("Efface_QSO");
        QCOMPARE(d.log(kCurrent), QStringList({twice, later}));
        d.click("Recupere");
        QCOMPARE(d.log(kCurrent), QStringList({twice, twice, later}));
        QCOMPARE(d.log(kOther), QStringList({twice, twice, later}));
    }

    void insertModeShowsItsIndicatorUntilTheStore()
    {
        const QString newYear = stored("00:10", "F4AAA", "75", "", "SSB", "3.5", "01/01/00");
        EntryDesk d({newYear}, {newYear});
        d.click("Ajout_QSO");
        auto *indicator = d.get<QLabel>("Mode_Ajout");
        QCOMPARE(indicator->text(), QString("Mode Ajout d'un QSO"));
        QVERIFY(indicator->isVisible());
        QVERIFY(indicator->font().bold());
        QCOMPARE(indicator->palette().color(indicator->foregroundRole()), QColor(Qt::red));
        QCOMPARE(d.focusName(), QString("Indi_Q"));
        QVERIFY(d.get("Date_Q")->isVisible());

        d.line("EA1XYZ");
        d.enter();
        d.enter();
        d.enter();
        d.enter();
        QCOMPARE(d.focusName(), QString("Date_Q"));
        d.line("311299");
        d.line("2350");
        QCOMPARE(d.focusName(), QString("Valide_Q"));
        d.enter();
        QVERIFY(d.log(kCurrent).at(0).startsWith("31/12/99  23:50  EA1XYZ"));
        QCOMPARE(indicator->text(), QString());
        QVERIFY(d.get("Date_Q")->isHidden());
    }

    void cancelKeepsTheDateFieldsOnlyInDeferredEntry_data()
    {
        QTest::addColumn<bool>("deferred");
        QTest::newRow("deferred entry") << true;
        QTest::newRow("live entry") << false;
    }
    void cancelKeepsTheDateFieldsOnlyInDeferredEntry()
    {
        QFETCH(bool, deferred);
        EntryDesk d({stored("09:00", "F4AAA")});
        if (deferred)
            d.window->findChild<QAction *>("Mnu_Diff_Oui")->trigger();
        d.click("Ajout_QSO");
        d.line("F4ABC");
        d.line("13");
        d.line("Jean");
        d.enter();
        d.enter();
        d.line("portable");
        d.line("020524");
        d.click("Annule_Q");

        QCOMPARE(d.get("Date_Q")->isVisible(), deferred);
        QCOMPARE(d.get<QLabel>("Label10")->isVisible(), deferred);
        QCOMPARE(d.get<QLabel>("Mode_Ajout")->text(), QString());
        QCOMPARE(d.focusName(), QString("Indi_Q"));
        QCOMPARE(d.log(kCurrent).size(), 1);
    }

    void proposesTheRememberedValues_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("department");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("nextField");
        QTest::addColumn<QStringList>("memoryAfterStore");
        const QStringList memory = {"F4ABC        75 Jean", "ON4XY           Marc",
                                    "F4ABC        13 Jeannot"};
        QTest::newRow("later line wins, both replaced")
            << "F4ABC"
            << "13"
            << "Jeannot"
            << "Dpt_Q"
            << QStringList(
                   {"F4ABC        13 Jeannot", "ON4XY           Marc", "F4ABC        13 Jeannot"});
        QTest::newRow("foreign without département") << "ON4XY"
                                                     << ""
                                                     << "Marc"
                                                     << "Prenom_Q" << memory;
        QTest::newRow("first time: appended")
            << "F6ZZZ"
            << ""
            << ""
            << "Dpt_Q" << memory + QStringList{"F6ZZZ        75 "};
        QTest::newRow("capitals matter") << "F4ABc"
                                         << ""
                                         << ""
                                         << "Dpt_Q" << memory + QStringList{"F4ABc        75 "};
    }
    void proposesTheRememberedValues()
    {
        QFETCH(QString, call);
        QFETCH(QString, department);
        QFETCH(QString, firstName);
        QFETCH(QString, nextField);
        QFETCH(QStringList, memoryAfterStore);
        EntryDesk d;
        writeFile(d.platform.file("Liste_Prenom.txt"),
                  {"F4ABC        75 Jean", "ON4XY           Marc", "F4ABC        13 Jeannot"});
        d.get("Indi_Q")->setText(call); // typed letters would be put in capitals
        d.enter();
        QCOMPARE(d.get("Dpt_Q")->text(), department);
        QCOMPARE(d.get("Prenom_Q")->text(), firstName);
        QCOMPARE(d.focusName(), nextField);
        if (department.isEmpty() && nextField == "Dpt_Q")
            d.type("75");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
        QCOMPARE(d.firstNames(), memoryAfterStore);
        QVERIFY(d.platform.dialogs.shown.isEmpty());
    }

    void aMissingMemoryIsCreatedAtTheFirstStore()
    {
        EntryDesk d;
        d.line("ON4XY");
        d.line("Marc");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F12);
        QCOMPARE(readBytes(d.platform.file("Liste_Prenom.txt")),
                 QByteArray("ON4XY           Marc\r\n"));
        QCOMPARE(testing::scratchFiles(d.platform.folder()), QStringList());
        d.platform.dialogs.answers = {false}; // worked just now: go on all the same
        d.line("ON4XY");
        QCOMPARE(d.platform.dialogs.questions.size(), 1);
        QCOMPARE(d.get("Dpt_Q")->text(), QString());
        QCOMPARE(d.get("Prenom_Q")->text(), QString("Marc"));
    }

    void asksWhenAlreadyWorked_data()
    {
        QTest::addColumn<QString>("earlierBand");
        QTest::addColumn<bool>("inCurrentLog");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QString>("focus");
        const QString question = "F4ABC Jean Deja contacté le 01/05/24 a 09:00 sur 3.5 Mhz. "
                                 "Annuler la saisie ?";
        QTest::newRow("yes cancels") << "3.5" << true << true << QStringList{question} << "";
        QTest::newRow("no goes on") << "3.5" << true << false << QStringList{question} << "Dpt_Q";
        QTest::newRow("other band") << "14" << true << true << QStringList{} << "Dpt_Q";
        QTest::newRow("other activation only")
            << "3.5" << false << true << QStringList{} << "Dpt_Q";
    }
    void asksWhenAlreadyWorked()
    {
        QFETCH(QString, earlierBand);
        QFETCH(bool, inCurrentLog);
        QFETCH(bool, answer);
        QFETCH(QStringList, questions);
        QFETCH(QString, focus);
        const QString earlier = stored("09:00", "F4ABC", "75", "Jean", "SSB", earlierBand);
        const QString again = stored("09:30", "F4ABC", "75", "Jean", "SSB", earlierBand);
        const QString other = stored("09:10", "F5XYZ");
        EntryDesk d(inCurrentLog ? QStringList{other, earlier, again} : QStringList{other},
                    {earlier});
        d.platform.dialogs.answers = {answer};
        d.line("F4ABC");
        QCOMPARE(d.platform.dialogs.questions, questions);
        if (focus.isEmpty()) {
            QCOMPARE(d.focusName(), QString("Indi_Q"));
            QCOMPARE(d.get("Indi_Q")->text(), QString());
            QVERIFY(!d.get<QPushButton>("Valide_Q")->isEnabled());
        } else {
            QCOMPARE(d.focusName(), focus);
            QCOMPARE(d.get("Indi_Q")->text(), QString("F4ABC"));
        }
    }
};

ORVEL_TEST_CLASS(TestCorrectionsWindow)
#include "tst_corrections_window.moc"
