#include "common/WindowPlace.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace orvel;

Q_DECLARE_METATYPE(orvel::WindowPlace)

namespace {
const QMargins kFrame(8, 38, 8, 8);
const QRect kLaptop(0, 0, 1366, 768);
const QRect kSmallLaptop(0, 0, 1280, 720);
} // namespace

// Where a window opens: whole on the screen, title bar included.
class TestWindowPlace : public QObject
{
    Q_OBJECT

private slots:
    void fitsTheWindowWholeOnTheScreen_data()
    {
        QTest::addColumn<WindowPlace>("wanted");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<WindowPlace>("fitted");
        QTest::newRow("fits as it is") << WindowPlace{{100, 50}, {800, 600}} << QSize(400, 300)
                                       << kLaptop << WindowPlace{{100, 50}, {800, 600}};
        // The entry window as it was: 760 inside, 798 with its title bar.
        QTest::newRow("too tall, cut to what is left")
            << WindowPlace{{60, 4}, {1240, 760}} << QSize(1200, 600) << kLaptop
            << WindowPlace{{60, 0}, {1240, 722}};
        // The map as it was: 1037 × 862 at y = -37.
        QTest::newRow("above the screen and too tall")
            << WindowPlace{{100, -37}, {1037, 862}} << QSize(700, 500) << kSmallLaptop
            << WindowPlace{{100, 0}, {1037, 674}};
        QTest::newRow("left on a larger screen, brought back")
            << WindowPlace{{1500, 900}, {1600, 1000}} << QSize(300, 200) << kSmallLaptop
            << WindowPlace{{0, 0}, {1264, 674}};
        QTest::newRow("past the right edge, slid in")
            << WindowPlace{{1200, 100}, {400, 300}} << QSize(100, 100) << kLaptop
            << WindowPlace{{950, 100}, {400, 300}};
        QTest::newRow("left of a second screen, slid in")
            << WindowPlace{{1300, 10}, {400, 300}} << QSize(100, 100)
            << QRect(1366, 0, 1280, 720) << WindowPlace{{1366, 10}, {400, 300}};
        QTest::newRow("never below its minimum, at the corner")
            << WindowPlace{{200, 200}, {900, 900}} << QSize(1400, 800) << kSmallLaptop
            << WindowPlace{{0, 0}, {1400, 800}};
    }
    void fitsTheWindowWholeOnTheScreen()
    {
        QFETCH(WindowPlace, wanted);
        QFETCH(QSize, minimum);
        QFETCH(QRect, area);
        QFETCH(WindowPlace, fitted);
        const WindowPlace place = fitPlace(wanted, kFrame, minimum, area);
        QCOMPARE(place.framePosition, fitted.framePosition);
        QCOMPARE(place.size, fitted.size);
    }

    // A window given the inside rectangle of its remembered place stands there whole, its
    // frame counted once, and the place read back from it is the place it was given: restart
    // after restart, it does not creep.
    void restoresThePlaceWholeWhereItWas_data()
    {
        QTest::addColumn<WindowPlace>("remembered");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QRect>("inside");
        const QRect panelBelow(0, 0, 1366, 738);
        const QMargins titleBar(4, 20, 4, 4);
        QTest::newRow("setup window, title bar of 20")
            << WindowPlace{{300, 121}, {760, 560}} << titleBar << panelBelow
            << QRect(304, 141, 760, 560);
        QTest::newRow("entry window at the left edge, borders of 5")
            << WindowPlace{{52, 0}, {1240, 680}} << QMargins(5, 23, 5, 5) << panelBelow
            << QRect(57, 23, 1240, 680);
        QTest::newRow("title bar left above the screen, brought down")
            << WindowPlace{{52, -23}, {1240, 680}} << QMargins(5, 23, 5, 5) << panelBelow
            << QRect(57, 23, 1240, 680);
        QTest::newRow("against the panel, kept there")
            << WindowPlace{{100, 154}, {600, 560}} << titleBar << panelBelow
            << QRect(104, 174, 600, 560);
        QTest::newRow("too tall with its frame, cut")
            << WindowPlace{{60, 4}, {1240, 760}} << titleBar << panelBelow
            << QRect(64, 20, 1240, 714);
        QTest::newRow("no window manager, no frame")
            << WindowPlace{{52, 0}, {1240, 680}} << QMargins() << kLaptop
            << QRect(52, 0, 1240, 680);
        QTest::newRow("panel at the top, second screen on the left")
            << WindowPlace{{-1200, 10}, {400, 300}} << titleBar << QRect(-1280, 30, 1280, 690)
            << QRect(-1196, 50, 400, 300);
    }
    void restoresThePlaceWholeWhereItWas()
    {
        QFETCH(WindowPlace, remembered);
        QFETCH(QMargins, frame);
        QFETCH(QRect, area);
        QFETCH(QRect, inside);
        const QSize minimum(300, 200);
        WindowPlace place = remembered;
        for (int restart = 1; restart <= 5; ++restart) {
            const QRect given = insideRect(fitPlace(place, frame, minimum, area), frame);
            QCOMPARE(given, inside);
            QVERIFY(area.contains(given.marginsAdded(frame)));
            place = placeOfInside(given, frame);
        }
        QCOMPARE(place.framePosition, inside.topLeft() - QPoint(frame.left(), frame.top()));
    }

    void centresTheFrameOnTheScreen()
    {
        const WindowPlace place = centredPlace({301, 201}, kFrame, {100, 100}, kLaptop);
        QCOMPARE(place.framePosition, QPoint((1366 - 317) / 2, (768 - 247) / 2));
        QCOMPARE(place.size, QSize(301, 201));
        const WindowPlace large = centredPlace({1240, 760}, kFrame, {100, 100}, kSmallLaptop);
        QCOMPARE(large.framePosition, QPoint(12, 0));
        QCOMPARE(large.size, QSize(1240, 674));
    }

    void readsBackTheRememberedPlace_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readable");
        QTest::newRow("written by the program") << placeText({{-8, 30}, {640, 480}}) << true;
        QTest::newRow("not four numbers") << "10,20,30" << false;
        QTest::newRow("a word") << "10,20,large,40" << false;
        QTest::newRow("no size") << "10,20,0,40" << false;
        QTest::newRow("empty") << "" << false;
    }
    void readsBackTheRememberedPlace()
    {
        QFETCH(QString, text);
        QFETCH(bool, readable);
        const auto place = placeOfText(text);
        QCOMPARE(place.has_value(), readable);
        if (readable)
            QCOMPARE(*place, (WindowPlace{{-8, 30}, {640, 480}}));
    }
};

ORVEL_TEST_CLASS(TestWindowPlace)
#include "tst_windowplace.moc"
