#include "activation/Setup.h"
#include "app/GuiApplication.h"
#include "logging/DepartmentGrid.h"
#include "widgets/Palette.h"
#include "platform/Services.h"
#include "records/Activation.h"
#include "records/QsoLine.h"
#include "records/Session.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"
#include "views/Carte_Acti.h"
#include "views/Pays_Cont.h"

#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace orvel;

namespace {

template <typename T> QList<T *> openWindows()
{
    QList<T *> found;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *window = qobject_cast<T *>(widget); window && window->isVisible())
            found.append(window);
    return found;
}

} // namespace

// The entry window's menus open the countries and the map, and its grid shows the tally.
class TestViewsRouting : public QObject
{
    Q_OBJECT

private slots:
    void theEntryWindowOpensTheViewsAndShowsTheTally()
    {
        testing::TestPlatform p;
        Activation activation;
        activation.reference = "DFCF 76001";
        activation.activator = "Q4XYZ/P";
        activation.name = "Chateau de Sassenot";
        activation.postalCode = "76540";
        activation.type = "Activation";
        activation.date = "12/11/05";
        activation.commune = "Sassenot sur seine";
        testing::writeFile(p.file("Liste_Activite.txt"),
                           {formatActivationLine(activation), "<eol>", "1"});
        testing::writeFile(p.file("DFCF 76001.txt"),
                           {formatQsoLine({"01/05/24", "10:00", "F4ABC", "76", "", "59", "59",
                                           "SSB", "3.5", "", ""})});
        testing::writeFile(p.file("Continents_DXCC.csv"), {"F;France;F;EU"});
        p.settings.setValue(kAppMulti, kSetupSection, "Bande Activite", "1");
        Services services{p.settings, p.clock, p.dialogs, p.folder()};
        Session session(p.folder());
        Setup setup(services, session);
        WindowRouter router(services, setup, session);
        setup.show();
        auto *list = setup.findChild<QListView *>("Liste_Activite");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(0, 0)).center());
        QTest::mouseClick(setup.findChild<QPushButton *>("Saisie_des_QSO"), Qt::LeftButton);
        QVERIFY2(router.entryWindow(), qPrintable(p.dialogs.shown.join(" | ")));
        QCOMPARE(backgroundOf(router.entryWindow()->departmentGrid()->indicator(76)),
                 kContactedGreen);

        router.openWindow("Mnu_Dpt_Cont");
        router.openWindow("Mnu_Dpt_Cont");
        QCOMPARE(openWindows<Carte_Acti>().size(), 1);
        // The map opens on the entry window's band and mode, its count shown.
        QCOMPARE(openWindows<Carte_Acti>().first()->findChild<QLabel *>("NB_Dep")->text(),
                 QString("1"));
        router.openWindow("Mnu_Pays_Contacte");
        QCOMPARE(openWindows<Pays_Cont>().size(), 1);
        QCOMPARE(openWindows<Pays_Cont>().first()->countries(), QStringList{"F     France"});

        // The ADIF export's title stands over the list only while it runs.
        auto *heading = router.entryWindow()->findChild<QLabel *>("Entete");
        const QString columns = heading->text();
        router.openWindow("Mnu_ADIF");
        QVERIFY(p.dialogs.messages.contains("Le fichier a été crée sous le nom DFCF 76001.adi"));
        QCOMPARE(heading->text(), columns);

        // Deleting a window deletes the pop-ups of its lists, which are top-level widgets too.
        QList<QPointer<QWidget>> views;
        for (QWidget *window : openWindows<Carte_Acti>())
            views.append(window);
        for (QWidget *window : openWindows<Pays_Cont>())
            views.append(window);
        qDeleteAll(views);
        delete router.entryWindow();
    }
};

ORVEL_TEST_CLASS(TestViewsRouting)
#include "tst_maprouting.moc"
