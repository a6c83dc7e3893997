#include "activation/Setup.h"
#include "app/GuiApplication.h"
#include "labels/Select_Acti.h"
#include "labels/Select_QSO.h"
#include "logging/Saisie_QSO.h"
#include "platform/Services.h"
#include "records/Activation.h"
#include "records/QsoLine.h"
#include "records/Session.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"
#include "views/Recherche_Indicatif.h"
#include "widgets/WindowBasics.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QRegularExpression>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace orvel;

namespace {

QString qso(const QString &time, const QString &call, const QString &department)
{
    return formatQsoLine({"07/12/26", time, call, department, "Pierre", "59", "57", "SSB", "7",
                          "QRP", "Q4XYZ"});
}

// The program as the operator starts it on a field laptop: the setup window, an activation
// reopened, the entry window; every other window opened as its menu item or button opens it.
struct Laptop {
    testing::TestPlatform p;
    Services services{p.settings, p.clock, p.dialogs, p.folder()};
    Session session{p.folder()};
    std::unique_ptr<Setup> setup;
    std::unique_ptr<WindowRouter> router;

    Laptop()
    {
        testing::writeFile(p.file("Liste_Activite.txt"),
                           {formatActivationLine({"DFCF 76001", "Q4XYZ/P", "Château de Sassenot",
                                                  "7625", "76540", "Activation", "07/12/26",
                                                  "Sassenot sur seine", "Q4ABC"}),
                            "<eol>", "1"});
        testing::writeFile(p.file("DFCF 76001.txt"),
                           {qso("08:00", "F5ABC", "29"), qso("08:01", "F6DEF", "76"),
                            qso("08:02", "F1GHI", "44")});
        setup = std::make_unique<Setup>(services, session);
        router = std::make_unique<WindowRouter>(services, *setup, session);
        setup->show();
        auto *list = setup->findChild<QListView *>("Liste_Activite");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(0, 0)).center());
        QTest::mouseClick(setup->findChild<QPushButton *>("Saisie_des_QSO"), Qt::LeftButton);
    }
    ~Laptop()
    {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (widget != setup.get() && widget->isWindow() && !widget->parentWidget())
                widget->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static QWidget *shown(const QString &name)
    {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (widget->objectName() == name && widget->isVisible())
                return widget;
        return nullptr;
    }

    // Opens the window of that objectName as the program does.
    QWidget *open(const QString &name)
    {
        if (name == "Setup")
            return setup.get();
        if (name == "Saisie_QSO")
            return router->entryWindow();
        static const QHash<QString, QString> items{
            {"Affiche_Log", "Mnu_Aff_Log"},   {"Log_Alpha", "Mnu_Log_Alpha"},
            {"Liste_Operateurs", "Mnu_Liste_Op"}, {"Pays_Cont", "Mnu_Pays_Contacte"},
            {"Carte_Acti", "Mnu_Dpt_Cont"},     {"Recherche_Indicatif", "Recherche"},
            {"Histo_Acti", "Histo_Acti"},       {"Select_QSO", "Mnu_Etiquettes"}};
        if (items.contains(name)) {
            router->openWindow(items.value(name));
            return shown(name);
        }
        QTest::mouseClick(open("Select_QSO")->findChild<QPushButton *>("Impression"),
                          Qt::LeftButton);
        if (name == "Select_Acti")
            return shown(name);
        auto *activations = shown("Select_Acti")->findChild<QListWidget *>("Activites");
        activations->item(0)->setSelected(true);
        QTest::mouseClick(shown("Select_Acti")->findChild<QPushButton *>("Command1"),
                          Qt::LeftButton);
        return shown(name);
    }
};

const QStringList kWindows{"Setup",      "Saisie_QSO",          "Affiche_Log", "Log_Alpha",
                           "Liste_Operateurs", "Pays_Cont",     "Carte_Acti",  "Recherche_Indicatif",
                           "Histo_Acti", "Select_QSO",          "Select_Acti", "Etiquettes"};

// Where words begin along a band of pixel rows of the window: an ink column after a gap.
QList<int> wordStarts(const QImage &image, int top, int bottom, int left, int right, int gap)
{
    QList<int> starts;
    int blank = gap;
    for (int x = left; x < right; ++x) {
        bool ink = false;
        for (int y = top; y < bottom && !ink; ++y)
            ink = qGray(image.pixel(x, y)) < 110;
        if (ink && blank >= gap)
            starts.append(x);
        blank = ink ? 0 : blank + 1;
    }
    return starts;
}

} // namespace

// The program on a field laptop: every window whole on the screen, the headings over their
// columns, the keyboard everywhere.
class TestLaptop : public QObject
{
    Q_OBJECT

private slots:
    void everyWindowOpensWholeOnTheScreen_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("screen");
        for (const QString &window : kWindows) {
            QTest::newRow(qPrintable(window + " 1366 × 768")) << window << 0;
            QTest::newRow(qPrintable(window + " 1280 × 720")) << window << 1;
        }
    }
    void everyWindowOpensWholeOnTheScreen()
    {
        QFETCH(QString, window);
        QFETCH(int, screen);
        QCOMPARE(QGuiApplication::screens().size(), 2);
        Laptop laptop;
        QWidget *opened = laptop.open(window);
        QVERIFY(opened);
        QScreen *chosen = QGuiApplication::screens().at(screen);
        if (opened->screen() != chosen) {
            // Moved to the smaller laptop, as a window remembered on a larger screen comes back.
            opened->hide();
            opened->setScreen(chosen);
            opened->show();
        }
        const QRect area = chosen->availableGeometry();
        const QRect framed = opened->frameGeometry();
        QVERIFY2(area.contains(framed), qPrintable(QString("%1,%2 %3×%4 with its frame")
                                                       .arg(framed.x())
                                                       .arg(framed.y())
                                                       .arg(framed.width())
                                                       .arg(framed.height())));
        // Nothing squeezed: every control keeps the room it needs.
        const QSize needed = opened->minimumSizeHint();
        QVERIFY2(opened->width() >= needed.width() && opened->height() >= needed.height(),
                 qPrintable(QString("needs %1×%2").arg(needed.width()).arg(needed.height())));
    }

    void headingsStandOverTheirColumns_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("heading");
        QTest::newRow("entry window") << "Saisie_QSO" << "Liste_QSO" << "Entete";
        QTest::newRow("log") << "Affiche_Log" << "Liste_QSO" << "Label2";
        QTest::newRow("alphanumeric log") << "Log_Alpha" << "Log_Alphanum" << "Label2";
        QTest::newRow("search") << "Recherche_Indicatif" << "QSO_Effectues" << "Label13";
    }
    void headingsStandOverTheirColumns()
    {
        QFETCH(QString, window);
        QFETCH(QString, list);
        QFETCH(QString, heading);
        Laptop laptop;
        QWidget *opened = laptop.open(window);
        QVERIFY(opened);
        if (auto *search = qobject_cast<Recherche_Indicatif *>(opened)) {
            search->Indica->setText("F");
            QTest::keyClick(search->Indica, Qt::Key_Return);
        }
        auto *view = opened->findChild<QAbstractItemView *>(list);
        QWidget *strip = opened->findChild<QLabel *>(heading)->parentWidget();
        QVERIFY(view->model()->rowCount() >= 2);
        // A row not selected: dark text on a light background.
        const int row = view->currentIndex().row() == 0 ? 1 : 0;
        const QImage image = opened->grab().toImage();
        const QRect rowRect = view->visualRect(view->model()->index(row, 0))
                                  .translated(view->viewport()->mapTo(opened, QPoint(0, 0)));
        const QRect stripRect = strip->rect().translated(strip->mapTo(opened, QPoint(0, 0)));
        const int left = view->viewport()->mapTo(opened, QPoint(0, 0)).x();
        const int right = left + view->viewport()->width();
        const int gap = QFontMetrics(view->font()).horizontalAdvance('0') * 6 / 10;
        const QList<int> rowWords =
            wordStarts(image, rowRect.top(), rowRect.bottom(), left, right, gap);
        QList<int> headingWords =
            wordStarts(image, stripRect.top(), stripRect.bottom(), left, right, gap);
        // After "N°" (its ring may stand apart): Date, time, Indicatif, Dpt, Prenom, RST, R, E,
        // Mode, Bande, Observations, Opérateur.
        QVERIFY2(headingWords.size() >= 13, qPrintable(QString::number(headingWords.size())));
        headingWords = headingWords.mid(headingWords.size() - 12);
        for (const int word : {0, 1, 2, 3, 4, 6, 7, 8, 10, 11}) {
            const int x = headingWords.at(word);
            const bool over = std::any_of(rowWords.begin(), rowWords.end(),
                                          [x](int start) { return qAbs(start - x) <= 2; });
            QVERIFY2(over, qPrintable(QString("heading word %1 at %2 px, row words at %3")
                                          .arg(word)
                                          .arg(x)
                                          .arg([&] {
                                              QStringList all;
                                              for (int start : rowWords)
                                                  all << QString::number(start);
                                              return all.join(' ');
                                          }())));
        }
    }

    void theSearchIsPickedFromTheKeyboard()
    {
        Laptop laptop;
        auto *search = static_cast<Recherche_Indicatif *>(laptop.open("Recherche_Indicatif"));
        QApplication::setActiveWindow(search);
        search->Indica->setText("F");
        QTest::keyClick(search->Indica, Qt::Key_Return);
        QCOMPARE(search->Nb_QSO->text(), QString("3 QSO trouvé(s)"));
        QCOMPARE(QApplication::focusWidget(), search->QSO_Effectues);
        QTest::keyClick(search->QSO_Effectues, Qt::Key_Down);
        QTest::keyClick(search->QSO_Effectues, Qt::Key_Return);
        QVERIFY(!search->isVisible());
        QCOMPARE(laptop.router->entryWindow()->state().chosenLogLine, qso("08:01", "F6DEF", "76"));
    }

    void everyMenuIsReachedWithAlt_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("menu");
        QTest::newRow("setup") << "Setup" << int(Qt::Key_S) << "Mnu_Sep";
        QTest::newRow("entry window") << "Saisie_QSO" << int(Qt::Key_F) << "Mnu_Fichier";
    }
    void everyMenuIsReachedWithAlt()
    {
        QFETCH(QString, window);
        QFETCH(int, key);
        QFETCH(QString, menu);
        Laptop laptop;
        auto *opened = static_cast<QMainWindow *>(laptop.open(window));
        // Every item has a letter of its own within its menu.
        QList<QList<QAction *>> menus{opened->menuBar()->actions()};
        for (QMenu *submenu : opened->findChildren<QMenu *>())
            menus.append(submenu->actions());
        for (const QList<QAction *> &items : menus) {
            QSet<QChar> letters;
            for (const QAction *item : items) {
                if (item->isSeparator())
                    continue;
                const QString text = item->text();
                const qsizetype at = text.indexOf('&');
                QVERIFY2(at >= 0 && at + 1 < text.size(), qPrintable(text));
                const QChar letter = text.at(at + 1).toLower();
                QVERIFY2(!letters.contains(letter), qPrintable(text));
                letters.insert(letter);
            }
        }
        opened->show();
        opened->activateWindow();
        QApplication::setActiveWindow(opened);
        QVERIFY(QTest::qWaitForWindowActive(opened));
        QTest::keyClick(opened, Qt::Key(key), Qt::AltModifier);
        auto *shownMenu = opened->findChild<QMenu *>(menu);
        QTRY_VERIFY(shownMenu->isVisible());
        shownMenu->close();
    }

    // The map's count tells the areas it shows after a QSO is stored at the keyboard, F10
    // included.
    void theMapsCountFollowsAStore()
    {
        Laptop laptop;
        laptop.p.settings.setValue(kAppMulti, kSetupSection, "Bande Activite", "2");
        QWidget *map = laptop.open("Carte_Acti");
        Saisie_QSO *entry = laptop.router->entryWindow();
        entry->findChild<QComboBox *>("Bande_Q")->setCurrentIndex(2);
        auto *call = entry->findChild<QLineEdit *>("Indi_Q");
        call->setFocus();
        QTest::keyClicks(call, "f4xyz");
        QTest::keyClick(call, Qt::Key_Return);
        auto *department = entry->findChild<QLineEdit *>("Dpt_Q");
        QVERIFY(department->isEnabled());
        QTest::keyClicks(department, "13");
        QTest::keyClick(department, Qt::Key_F10);
        QCOMPARE(laptop.session.currentLog().size(), 4);
        int green = 0;
        for (QLabel *label : map->findChildren<QLabel *>(QRegularExpression("^Dep_\\d+$")))
            green += label->palette().color(label->backgroundRole()) == QColor(0x80, 0xFF, 0x80);
        QCOMPARE(green, 4);
        QCOMPARE(map->findChild<QLabel *>("NB_Dep")->text(), QString("4"));
    }
};

ORVEL_TEST_CLASS(TestLaptop)
#include "tst_laptop.moc"
