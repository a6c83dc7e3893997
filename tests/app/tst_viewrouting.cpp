#include "activation/Setup.h"
#include "app/GuiApplication.h"
#include "platform/Services.h"
#include "records/Activation.h"
#include "records/QsoLine.h"
#include "records/Session.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"
#include "views/Affiche_Log.h"
#include "views/Liste_Operateurs.h"
#include "views/Log_Alpha.h"
#include "views/Recherche_Indicatif.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

using namespace orvel;

namespace {

template <typename T> T *shown()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<T *>(widget); found && found->isVisible())
            return found;
    }
    return nullptr;
}

QString qso(const QString &time, const QString &call)
{
    return formatQsoLine(
        {"05/09/13", time, call, "89", "Jean", "59", "59", "SSB", "7", "", "Q9ABC"});
}

} // namespace

// The log views opened from the entry window, and the search's pick back in it.
class TestViewRouting : public QObject
{
    Q_OBJECT

private slots:
    void theEntryWindowOpensTheViewsAndTheSearchPicksItsQso()
    {
        testing::TestPlatform p;
        testing::writeFile(p.file("Liste_Activite.txt"),
                           {formatActivationLine({"DFCF 89010", "Q9ABC", "Château", "0912", "89000",
                                                  "Château", "05/09/13", "Auxerre", ""})});
        const QStringList log{qso("08:35", "F4KLA"), qso("08:40", "ON4ABC"),
                              qso("08:45", "EA3XYZ")};
        testing::writeFile(p.file("DFCF 89010.txt"), log);
        Services services{p.settings, p.clock, p.dialogs, p.folder()};
        Session session(p.folder());
        Setup setup(services, session);
        WindowRouter router(services, setup, session);
        setup.show();
        auto *list = setup.findChild<QListView *>("Liste_Activite");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(0, 0)).center());
        QTest::mouseClick(setup.findChild<QPushButton *>("Saisie_des_QSO"), Qt::LeftButton);
        Saisie_QSO *entry = router.entryWindow();
        QVERIFY(entry);

        router.openWindow("Mnu_Aff_Log");
        router.openWindow("Mnu_Log_Alpha");
        router.openWindow("Mnu_Liste_Op");
        QVERIFY(shown<Affiche_Log>());
        QVERIFY(shown<Log_Alpha>());
        QVERIFY(shown<Liste_Operateurs>());
        // Chosen again, an open view comes to the front: never a second window.
        const auto count = [] {
            int windows = 0;
            for (QWidget *widget : QApplication::topLevelWidgets())
                windows += widget->isVisible() ? 1 : 0;
            return windows;
        };
        const int before = count();
        for (const char *item : {"Mnu_Aff_Log", "Mnu_Log_Alpha", "Mnu_Liste_Op"})
            router.openWindow(item);
        QCOMPARE(count(), before);

        router.openWindow("Recherche");
        QPointer<Recherche_Indicatif> search = shown<Recherche_Indicatif>();
        QVERIFY(search);
        QTest::keyClicks(search->Indica, "on4");
        QTest::keyClick(search->Indica, Qt::Key_Return);
        QListView *results = search->QSO_Effectues;
        QCOMPARE(results->model()->rowCount(), 1);
        QTest::mouseClick(results->viewport(), Qt::LeftButton, {},
                          results->visualRect(results->model()->index(0, 0)).center());

        // As a click on the second line of the entry window's list.
        QCOMPARE(entry->state().chosenEntry, listEntry(2, log.at(1)));
        QCOMPARE(entry->state().chosenLogLine, log.at(1));
        QTRY_VERIFY(!search);

        delete entry;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget != &setup)
                widget->deleteLater();
        }
    }
};

ORVEL_TEST_CLASS(TestViewRouting)
#include "tst_viewrouting.moc"
