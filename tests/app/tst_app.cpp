#include "records/Session.h"
#include "records/Activation.h"
#include "activation/Histo_Acti.h"
#include "activation/Setup.h"
#include "app/GuiApplication.h"
#include "labels/Select_QSO.h"
#include "records/QsoLine.h"
#include "platform/Services.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace orvel;

namespace {

QString activationLine(const QString &reference)
{
    Activation a;
    a.reference = reference;
    a.activator = "Q4XYZ/P";
    a.name = "Chateau de Sassenot";
    a.postalCode = "76540";
    a.type = "Activation";
    a.date = "12/11/05";
    a.commune = "Sassenot sur seine";
    return formatActivationLine(a);
}

template <typename T>
T *topLevel()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<T *>(widget); found && !found->testAttribute(Qt::WA_WState_Hidden))
            return found;
    }
    return nullptr;
}

} // namespace

// The windows working together, as a user meets them.
class TestWindowRouting : public QObject
{
    Q_OBJECT

private slots:
    void reopensAGroupAndExportsIt()
    {
        testing::TestPlatform p;
        testing::writeFile(p.file("Liste_Activite.txt"),
                           {activationLine("DFCF 76001"), activationLine("DMSM 76-01"), "<eol>", "2"});
        QsoRecord q;
        q.date = "01/05/24";
        q.time = "10:00";
        q.call = "Q4ABC";
        q.department = "76";
        q.rstReceived = q.rstSent = "59";
        q.mode = "SSB";
        q.band = "7";
        testing::writeFile(p.file("DFCF 76001.txt"), {formatQsoLine(q)});
        testing::writeFile(p.file("DMSM 76-01.txt"), {formatQsoLine(q)});

        Services services{p.settings, p.clock, p.dialogs, p.folder()};
        Session session(p.folder());
        Setup setup(services, session);
        WindowRouter router(services, setup, session);
        setup.show();

        auto *list = setup.findChild<QListView *>("Liste_Activite");
        const QModelIndex index = list->model()->index(0, 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
        QCOMPARE(setup.openActivations(), QStringList({"DFCF 76001", "DMSM 76-01"}));

        QTest::mouseClick(setup.findChild<QPushButton *>("Saisie_des_QSO"), Qt::LeftButton);
        QVERIFY(router.entryWindow());
        QCOMPARE(router.entryWindow()->objectName(), QString("Saisie_QSO"));
        QVERIFY(p.dialogs.messages.contains("Activation en cours, pret pour continuer la saisie des QSO"));

        p.dialogs.clear();
        router.openWindow("Mnu_ADIF");
        QVERIFY(QFile::exists(p.file("DFCF 76001.adi")));
        QVERIFY(QFile::exists(p.file("DMSM 76-01 Sp.adi")));
        QCOMPARE(p.dialogs.messages.size(), 2);

        router.openWindow("Mnu_C_Trafic");
        QVERIFY(QFile::exists(p.file("DFCF 76001.ctf")));

        p.dialogs.clear();
        router.openWindow("Mnu_Historique");
        router.openWindow("Mnu_Mode_Emploi");
        router.openWindow("Mnu_A_Propos");
        QCOMPARE(p.dialogs.messages.size(), 3);
        QCOMPARE(p.dialogs.messages.at(0).count("\r\n"), 16);
        QVERIFY(p.dialogs.messages.at(0).contains("V1.0.4    le 29/03/2021 Ajout export Adif special DMSM  \r\n"));
        QCOMPARE(p.dialogs.messages.at(1), QString("Non disponible"));
        QVERIFY(p.dialogs.messages.at(2).startsWith("Brivo_Orvel  Revision  1.0.4c\r\n\r\n    "));

        router.openWindow("Histo_Acti");
        QVERIFY(topLevel<Histo_Acti>());
        router.openWindow("Mnu_Etiquettes");
        QVERIFY(topLevel<Select_QSO>());
        QCOMPARE(topLevel<Select_QSO>()->job()->available().entries().size(), 1);
        router.openWindow("Mnu_Etiquettes"); // brought forward, not opened twice
        int selectionWindows = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            selectionWindows += qobject_cast<Select_QSO *>(w) ? 1 : 0;
        QCOMPARE(selectionWindows, 1);

        // A second hand-over opens the entry window anew, never two of them.
        QPointer<Saisie_QSO> first = router.entryWindow();
        QTest::mouseClick(setup.findChild<QPushButton *>("Saisie_des_QSO"), Qt::LeftButton);
        QVERIFY(router.entryWindow() && router.entryWindow() != first);
        QTRY_VERIFY(!first);
        delete router.entryWindow();
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<Histo_Acti *>(w) || qobject_cast<Select_QSO *>(w))
                w->deleteLater();
    }

    void everyWayOutEndsTheWholeProgram_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("closing the setup window") << "setup";
        QTest::newRow("closing the entry window") << "entry";
        QTest::newRow("Quitter") << "Mnu_Quitter";
    }
    void everyWayOutEndsTheWholeProgram()
    {
        QFETCH(QString, way);
        testing::TestPlatform p;
        testing::writeFile(p.file("Liste_Activite.txt"), {activationLine("DFCF 76001"), "<eol>", "1"});
        Services services{p.settings, p.clock, p.dialogs, p.folder()};
        Session session(p.folder());
        Setup setup(services, session);
        WindowRouter router(services, setup, session);
        setup.show();
        auto *list = setup.findChild<QListView *>("Liste_Activite");
        const QModelIndex index = list->model()->index(0, 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
        QTest::mouseClick(setup.findChild<QPushButton *>("Saisie_des_QSO"), Qt::LeftButton);
        QPointer<Saisie_QSO> entry = router.entryWindow();
        QVERIFY(entry);

        // Whichever window is left open, the event loop of the program returns at once.
        QTimer::singleShot(0, [&] {
            if (way == "setup")
                setup.close();
            else if (way == "entry")
                entry->close();
            else
                entry->findChild<QAction *>(way)->trigger();
        });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(2); });
        QCOMPARE(QCoreApplication::exec(), 0);
        delete entry;
    }
};

ORVEL_TEST_CLASS(TestWindowRouting)
#include "tst_app.moc"
