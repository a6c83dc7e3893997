#include "widgets/LongList.h"
#include "widgets/Palette.h"
#include "widgets/WindowBasics.h"
#include "support/MemorySettings.h"
#include "support/TestRegistry.h"
#include "platform/Settings.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStringListModel>
#include <QTest>

using namespace orvel;

namespace {

// A plain scroll bar of bar's window, size, range and place, drawn afresh.
QImage plainBarLike(const QScrollBar *bar)
{
    QScrollBar plain(bar->orientation(), bar->window());
    plain.hide();
    plain.resize(bar->size());
    plain.setRange(bar->minimum(), bar->maximum());
    plain.setPageStep(bar->pageStep());
    plain.setSingleStep(bar->singleStep());
    plain.setValue(bar->value());
    return plain.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

// What every window does the same way.
class TestWindowHelpers : public QObject
{
    Q_OBJECT

private slots:
    void opensWholeOnTheScreen_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("remembered");
        QTest::newRow("small, first time") << QSize(300, 200) << QString();
        QTest::newRow("larger than the screen") << QSize(3000, 2000) << QString();
        QTest::newRow("kept off a larger screen") << QSize(300, 200) << "1500,900,1600,1000";
        QTest::newRow("kept above the screen") << QSize(300, 200) << "100,-37,1037,862";
        QTest::newRow("unreadable place") << QSize(300, 200) << "ici";
    }
    void opensWholeOnTheScreen()
    {
        QFETCH(QSize, size);
        QFETCH(QString, remembered);
        MemorySettings settings;
        if (!remembered.isEmpty())
            settings.setValue(kAppMulti, "Fenetres", "Fenetre_Essai", remembered);
        QWidget window;
        window.setObjectName("Fenetre_Essai");
        window.resize(size);
        keepOnScreen(window, settings);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // Whole, with the title bar and borders the platform gives it.
        const QRect area = window.screen()->availableGeometry();
        const QRect outer = window.frameGeometry();
        QVERIFY2(area.contains(outer), qPrintable(QString("%1,%2 %3x%4")
                                                      .arg(outer.x())
                                                      .arg(outer.y())
                                                      .arg(outer.width())
                                                      .arg(outer.height())));
        if (remembered.isEmpty() && size.width() < area.width()) {
            // Centred the first time.
            QCOMPARE(outer.topLeft(), QPoint(area.x() + (area.width() - outer.width()) / 2,
                                             area.y() + (area.height() - outer.height()) / 2));
        }
    }

    void remembersWhereTheWindowWasLeft()
    {
        MemorySettings settings;
        {
            QWidget window;
            window.setObjectName("Fenetre_Essai");
            window.resize(300, 200);
            keepOnScreen(window, settings);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            window.move(40, 60);
            window.resize(420, 260);
            window.close();
        }
        QCOMPARE(settings.value(kAppMulti, "Fenetres", "Fenetre_Essai"), QString("40,60,420,260"));

        QWidget again;
        again.setObjectName("Fenetre_Essai");
        again.resize(300, 200);
        keepOnScreen(again, settings);
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QCOMPARE(again.pos(), QPoint(40, 60));
        QCOMPARE(again.size(), QSize(420, 260));
    }

    void enterIsReturnOrTheKeypadEnter_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("enter");
        QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier) << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << int(Qt::NoModifier) << false;
        QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << false;
    }
    void enterIsReturnOrTheKeypadEnter()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, enter);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(isEnterKey(&event), enter);
    }

    // The long list keeps its scroll bars from repainting while rows come and go: they must
    // still follow the rows and repaint afterwards.
    void longListScrollBarsFollowTheRows()
    {
        QStringListModel rows(QStringList(60, QString(200, QLatin1Char('x'))));
        LongList list;
        list.setModel(&rows);
        list.resize(300, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const int before = list.verticalScrollBar()->maximum();
        for (int round = 0; round < 3; ++round) {
            rows.insertRows(rows.rowCount(), 10);
            QCoreApplication::processEvents();
        }
        rows.removeRows(0, 5);
        QTRY_COMPARE(list.verticalScrollBar()->maximum(), before + 25);
        for (const QScrollBar *bar : {list.horizontalScrollBar(), list.verticalScrollBar()}) {
            QVERIFY(bar->isVisible());
            QVERIFY(bar->parentWidget()->updatesEnabled());
            QVERIFY(bar->updatesEnabled());
        }
    }

    // The list takes and leaves the focus without repainting its scroll bars; it must repaint
    // normally afterwards.
    void longListRepaintsAfterTheFocusMoves()
    {
        QWidget window;
        auto *list = new LongList(&window);
        auto *field = new QLineEdit(&window);
        field->move(0, 210);
        QStringListModel rows(QStringList(60, QStringLiteral("line")));
        list->setModel(&rows);
        list->resize(300, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        list->setFocus();
        QTRY_VERIFY(list->hasFocus());
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        QVERIFY(list->updatesEnabled());
        QVERIFY(list->viewport()->updatesEnabled());
    }

    // Rows the list keeps drawn come back in their new places, under their new numbers and
    // selection, exactly as the list draws them afresh.
    void longListRowsKeptDrawnLookAsDrawnAfresh()
    {
        const auto numbered = [](const QStringList &lines) {
            QStringList rows;
            for (qsizetype i = 0; i < lines.size(); ++i)
                rows.append(QStringLiteral("%1 ").arg(i + 1, 5) + lines.at(i));
            return rows;
        };
        QStringList lines;
        for (int i = 0; i < 40; ++i)
            lines.append(QStringLiteral("F%1ABC    14 SSB  59  59  écrit à %2h").arg(i).arg(i % 24));
        QStringListModel rows(numbered(lines));
        LongList list;
        list.setLeadColumns(6);
        list.setModel(&rows);
        list.resize(360, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.setCurrentIndex(rows.index(4, 0));
        const QImage before = list.grab().toImage();
        // A QSO deleted: the rows below move up by one and are numbered again.
        rows.removeRows(2, 1);
        lines.removeAt(2);
        const QStringList renumbered = numbered(lines);
        for (int row = 2; row < rows.rowCount(); ++row)
            rows.setData(rows.index(row, 0), renumbered.at(row));
        list.setCurrentIndex(rows.index(5, 0));
        const QImage kept = list.grab().toImage();
        QVERIFY(kept != before);
        // The same rows drawn with nothing kept: a change of font empties what the list keeps.
        const QFont font = list.font();
        QFont other = font;
        other.setPointSize(font.pointSize() + 3);
        list.setFont(other);
        list.grab();
        list.setFont(font);
        QCOMPARE(kept, list.grab().toImage());
    }

    // A field already painted its colour is left alone; one whose palette was changed since
    // is painted again.
    void aBackgroundChangedElsewhereIsPaintedAgain()
    {
        QLineEdit field;
        paintBackground(&field, kContactedGreen);
        paintBackground(&field, kContactedGreen);
        QCOMPARE(field.palette().color(QPalette::Base), kContactedGreen);
        field.setPalette(QApplication::palette(&field));
        paintBackground(&field, kContactedGreen);
        QCOMPARE(field.palette().color(QPalette::Base), kContactedGreen);
        QCOMPARE(backgroundOf(&field), kContactedGreen);
    }

    // The list's scroll bar keeps the pictures of its last looks: each looks as a plain bar of
    // the same place and range, at either end, between, and back where it stood.
    void longListScrollBarKeptLooksAsDrawnAfresh()
    {
        QStringListModel rows(QStringList(5000, QStringLiteral("line")));
        LongList list;
        list.setModel(&rows);
        list.resize(300, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QScrollBar *bar = list.verticalScrollBar();
        const auto looksPlain = [&] {
            return bar->grab().toImage().convertToFormat(QImage::Format_RGB32) ==
                   plainBarLike(bar);
        };
        const int end = bar->maximum();
        for (const int value : {0, end / 2, end, end / 2, 0, end - 1, end}) {
            bar->setValue(value);
            QVERIFY2(looksPlain(), qPrintable(QString::number(value)));
        }
        // A row fewer: the handle stays where it was drawn, the range does not.
        rows.removeRows(0, 1);
        QCoreApplication::processEvents();
        QVERIFY(looksPlain());
    }

    // Rows added one by one, the list following the last as the entry window's does: the bar
    // that comes when the rows pass the list's height shows where the list stands.
    void longListScrollBarShowsTheRowsAddedOneByOne()
    {
        QStringListModel rows;
        LongList list;
        list.setModel(&rows);
        list.resize(300, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        for (int i = 0; i < 40; ++i) {
            rows.insertRows(rows.rowCount(), 1);
            rows.setData(rows.index(rows.rowCount() - 1), QStringLiteral("QSO %1").arg(i));
            list.setCurrentIndex(rows.index(rows.rowCount() - 1));
            QCoreApplication::processEvents();
        }
        QTest::qWait(50);
        QScrollBar *bar = list.verticalScrollBar();
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->value(), bar->maximum());
        // What the screen shows of the bar, against the bar drawn afresh.
        const QImage screen = list.screen()->grabWindow(list.winId()).toImage();
        const QImage shown =
            screen.copy(QRect(bar->mapTo(&list, QPoint(0, 0)), bar->size()))
                .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown, plainBarLike(bar));
    }

    // A scroll bar over thousands of rows repaints when its handle moves, not for each row
    // added or removed while the handle stays where it is.
    void longListScrollBarRepaintsWhenItsHandleMoves()
    {
        struct PaintCount : QObject {
            int paints = 0;
            bool eventFilter(QObject *, QEvent *event) override
            {
                paints += event->type() == QEvent::Paint;
                return false;
            }
        } counted;
        QStringListModel rows(QStringList(5000, QStringLiteral("line")));
        LongList list;
        list.setModel(&rows);
        list.resize(300, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QScrollBar *bar = list.verticalScrollBar();
        QCoreApplication::processEvents();
        bar->installEventFilter(&counted);
        rows.insertRows(rows.rowCount(), 1);
        rows.removeRows(10, 2);
        QTest::qWait(50); // the repaints, posted after the queued layout
        QCOMPARE(counted.paints, 0);
        QCOMPARE(bar->maximum(), rows.rowCount() - (bar->pageStep()));
        list.scrollToBottom();
        QTRY_VERIFY(counted.paints > 0);
        QCOMPARE(bar->value(), bar->maximum());
    }
};

ORVEL_TEST_CLASS(TestWindowHelpers)
#include "tst_windowhelpers.moc"
