#include "common/TextFile.h"
#include "platform/Services.h"
#include "records/Activation.h"
#include "records/ActivationList.h"
#include "records/QsoLine.h"
#include "records/Session.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"
#include "views/Affiche_Log.h"
#include "views/Liste_Operateurs.h"
#include "views/Log_Alpha.h"
#include "views/Recherche_Indicatif.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace orvel;
using orvel::testing::TestPlatform;
using orvel::testing::writeFile;

namespace {

const QString kCastle = QStringLiteral("DFCF 89010");
const QString kMill = QStringLiteral("DMF 89-001");

QString qso(const QString &time, const QString &call)
{
    return formatQsoLine(
        {"05/09/13", time, call, "89", "Jean", "59", "59", "SSB", "7", "", "Q9ABC"});
}

QStringList rows(const QListView *list)
{
    QStringList texts;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        texts.append(list->model()->index(row, 0).data().toString());
    return texts;
}

// The rows as a screen reader reads them: the list's accessible cells and their names.
QStringList spokenRows(QListView *list)
{
    QStringList texts;
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(list);
    if (!table)
        return texts;
    for (int i = 0; i < table->childCount(); ++i) {
        if (QAccessibleInterface *cell = table->child(i);
            cell && cell->role() != QAccessible::ColumnHeader)
            texts.append(cell->text(QAccessible::Name));
    }
    return texts;
}

void clickRow(QListView *list, int row)
{
    const QRect place = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
}

// Two open activations and a log of three QSOs, as the setup window hands them over.
struct ViewDesk {
    TestPlatform platform;
    Session session{platform.folder()};
    Services services{platform.settings, platform.clock, platform.dialogs, platform.folder()};

    ViewDesk()
    {
        const Activation castle{kCastle,   "Q9ABC",    "Château de Brivo", "0912", "89000",
                                "Château", "05/09/13", "Auxerre",          ""};
        Activation mill = castle;
        mill.reference = kMill;
        writeFile(platform.file(kActivationListFile),
                  {formatActivationLine(castle), formatActivationLine(mill), "<eol>", "2"});
        writeFile(platform.file(kCastle + ".txt"),
                  {qso("08:35", "ON4ABC"), qso("08:40", "F4KLA"), qso("08:45", "f4kla")});
        platform.clock.setUtc(QDateTime(QDate(2026, 12, 6), QTime(10, 0), Qt::UTC));
        session.open(castle, {kCastle, kMill});
    }
    // A QSO stored by the entry window.
    void store(const QString &line) { QVERIFY(session.append(line).ok()); }
};

} // namespace

class TestViewWindows : public QObject
{
    Q_OBJECT

private slots:
    void logWindowShowsFollowsSavesAndPrints()
    {
        ViewDesk desk;
        Affiche_Log window(desk.services, desk.session);
        window.show();

        QCOMPARE(window.windowTitle(), QString("Affichage du Log"));
        QCOMPARE(window.Label3->text(), "Log activité  " + kCastle + " " + kMill);
        QCOMPARE(rows(window.Liste_QSO).value(1), "    2  " + qso("08:40", "F4KLA"));
        QCOMPARE(window.Label4->text(), QString(" 3"));

        desk.store(qso("09:00", "EA3XYZ"));
        QCOMPARE(rows(window.Liste_QSO).value(3), "    4  " + qso("09:00", "EA3XYZ"));
        QCOMPARE(window.Label4->text(), QString(" 4"));

        QTest::mouseClick(window.Enregistrer, Qt::LeftButton);
        QCOMPARE(desk.platform.dialogs.messages,
                 QStringList({"Le log a été sauvegardé sous le nom : DFCF 89010_06_12_26.txt",
                              "Le log a été sauvegardé sous le nom : DMF 89-001_06_12_26.txt"}));

        // Cancel in the printer dialog: nothing printed, nothing said.
        desk.platform.dialogs.clear();
        window.setPrinterChoice([](QPrinter &) { return false; });
        QTest::mouseClick(window.Imprimer, Qt::LeftButton);
        QVERIFY(desk.platform.dialogs.messages.isEmpty());

        const QString pdf = desk.platform.file("log.pdf");
        window.setPrinterChoice([&pdf](QPrinter &printer) {
            printer.setOutputFileName(pdf);
            return true;
        });
        QTest::mouseClick(window.Imprimer, Qt::LeftButton);
        QVERIFY(desk.platform.dialogs.messages.isEmpty());
        QVERIFY(QFile(pdf).size() > 0);

        // A printer that cannot be opened is told.
        window.setPrinterChoice([&desk](QPrinter &printer) {
            printer.setOutputFileName(desk.platform.file("absent/log.pdf"));
            return true;
        });
        QTest::mouseClick(window.Imprimer, Qt::LeftButton);
        QCOMPARE(desk.platform.dialogs.messages.size(), 1);
        QVERIFY(desk.platform.dialogs.messages.first().startsWith(
            "L'impression du log n'a pas pu se faire"));
        QVERIFY(desk.platform.dialogs.messages.first().contains("(dossier introuvable)"));
    }

    // After any change of the log, by this program or by another one, an open view shows
    // exactly what the same view shows when opened afresh.
    void openViewsShowWhatAFreshOneShows_data()
    {
        QTest::addColumn<QString>("change");
        for (const char *change : {"edit", "delete", "insert", "outside"})
            QTest::newRow(change) << change;
    }
    void openViewsShowWhatAFreshOneShows()
    {
        QFETCH(QString, change);
        ViewDesk desk;
        Affiche_Log log(desk.services, desk.session);
        Log_Alpha alpha(desk.services, desk.session);
        Liste_Operateurs operators(desk.session);

        if (change == "edit") {
            QVERIFY(desk.session.replace(qso("08:40", "F4KLA"), qso("08:40", "F4KLB")).ok());
        } else if (change == "delete") {
            QCOMPARE(desk.session.remove(0, qso("08:35", "ON4ABC")),
                     LogFiles::RemoveOutcome::Removed);
        } else if (change == "insert") {
            QVERIFY(desk.session.insert(qso("08:38", "F1INS")).ok());
        } else {
            QVERIFY(appendLines(desk.platform.file(kCastle + ".txt"), {qso("09:10", "F4HAND")}));
            QVERIFY(desk.session.refresh());
        }

        const Affiche_Log freshLog(desk.services, desk.session);
        const Log_Alpha freshAlpha(desk.services, desk.session);
        const Liste_Operateurs freshOperators(desk.session);
        QCOMPARE(rows(log.Liste_QSO), rows(freshLog.Liste_QSO));
        QCOMPARE(log.Label4->text(), freshLog.Label4->text());
        QCOMPARE(rows(alpha.Log_Alphanum), rows(freshAlpha.Log_Alphanum));
        QCOMPARE(alpha.Label5->text(), freshAlpha.Label5->text());
        QCOMPARE(rows(operators.Liste_Op), rows(freshOperators.Liste_Op));
        QCOMPARE(operators.Label1->text(), freshOperators.Label1->text());
        QCOMPARE(rows(log.Liste_QSO).size(), change == "delete" ? 2 : change == "edit" ? 3 : 4);
        // A screen reader reads the changed lists as they are shown.
        for (QListView *list : {log.Liste_QSO, alpha.Log_Alphanum, operators.Liste_Op})
            QCOMPARE(spokenRows(list), rows(list));
    }

    void alphaLogAndOperatorListFollowTheLog()
    {
        ViewDesk desk;
        Log_Alpha alpha(desk.services, desk.session);
        Liste_Operateurs operators(desk.session);
        alpha.show();
        operators.show();

        QCOMPARE(alpha.windowTitle(), QString("  Log alphanumerique"));
        QCOMPARE(rows(alpha.Log_Alphanum),
                 QStringList({"    1  " + qso("08:40", "F4KLA"), "    2  " + qso("08:45", "f4kla"),
                              "    3  " + qso("08:35", "ON4ABC")}));
        QCOMPARE(rows(operators.Liste_Op), QStringList({"F4KLA", "f4kla", "ON4ABC"}));
        QCOMPARE(operators.Label1->text(), QString(" 3 opérateurs"));

        desk.store(qso("09:00", "EA3XYZ"));
        QCOMPARE(rows(alpha.Log_Alphanum).first(), "    1  " + qso("09:00", "EA3XYZ"));
        QCOMPARE(operators.Label1->text(), QString(" 4 opérateurs"));

        QTest::mouseClick(alpha.Enregistrer, Qt::LeftButton);
        QCOMPARE(
            desk.platform.dialogs.messages,
            QStringList({"Le log a été sauvegardé sous le nom : DFCF 89010_05_09_13 Alpha.txt",
                         "Le log a été sauvegardé sous le nom : DMF 89-001_05_09_13 Alpha.txt"}));
    }

    void searchRunsFromEveryBoxAndPicksAQso()
    {
        ViewDesk desk;
        Recherche_Indicatif search(desk.platform.dialogs, desk.session);
        QSignalSpy picked(&search, &Recherche_Indicatif::qsoPicked);
        search.show();
        QApplication::setActiveWindow(&search);
        QVERIFY(QTest::qWaitForWindowActive(&search));
        QCOMPARE(QApplication::focusWidget(), search.Indica);

        // Typed in lower case, searched in capitals; the boxes are emptied afterwards.
        QTest::keyClicks(search.Indica, "f4k");
        QCOMPARE(search.Indica->text(), QString("F4K"));
        QTest::keyClick(search.Indica, Qt::Key_Return);
        QCOMPARE(rows(search.QSO_Effectues), QStringList({listEntry(2, qso("08:40", "F4KLA"))}));
        QCOMPARE(search.Indica->text(), QString());

        // The option chosen decides, whichever box gets the Enter.
        QTest::mouseClick(search.Option1_3, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), search.Depa);
        QTest::keyClicks(search.Indica, "ON");
        QTest::keyClick(search.Indica, Qt::Key_Return);
        QCOMPARE(desk.platform.dialogs.messages, QStringList{"Entrez un departement"});
        QCOMPARE(search.Indica->text(), QString("ON"));

        desk.platform.dialogs.clear();
        QTest::mouseClick(search.Data, Qt::LeftButton);
        QVERIFY(search.Option1_2->isChecked());
        QTest::keyClicks(search.Data, "05-09-13");
        QTest::keyClick(search.Data, Qt::Key_Return);
        QCOMPARE(desk.platform.dialogs.messages,
                 QStringList{"Attention le format date doit etre JJ/MM/AA"});
        QCOMPARE(search.Data->text(), QString("05-09-13"));

        desk.platform.dialogs.clear();
        search.Data->setText("05/09/13");
        QTest::keyClick(search.Data, Qt::Key_Return);
        QCOMPARE(rows(search.QSO_Effectues).size(), 3);
        QVERIFY(desk.platform.dialogs.messages.isEmpty());

        clickRow(search.QSO_Effectues, 2);
        QCOMPARE(picked.size(), 1);
        QCOMPARE(picked.first().first().toInt(), 2);
        QVERIFY(!search.isVisible());
    }
};

ORVEL_TEST_CLASS(TestViewWindows)
#include "tst_viewwindows.moc"
