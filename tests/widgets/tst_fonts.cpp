#include "widgets/Fonts.h"
#include "support/TestRegistry.h"

#include <QFontInfo>
#include <QTest>

using namespace orvel;

class TestFonts : public QObject
{
    Q_OBJECT

private slots:
    void fixedPitchFontsStayFixedPitch_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Letter Gothic") << "Letter Gothic";
        QTest::newRow("Courier New") << "Courier New";
        QTest::newRow("Terminal") << "Terminal";
        QTest::newRow("unknown") << "No Such Font";
    }
    void fixedPitchFontsStayFixedPitch()
    {
        QFETCH(QString, name);
        const QFont font = fixedPitchFont({name}, 8.25);
        QVERIFY(QFontInfo(font).fixedPitch());
        QCOMPARE(font.pointSizeF(), 8.25);
    }
};

ORVEL_TEST_CLASS(TestFonts)
#include "tst_fonts.moc"
