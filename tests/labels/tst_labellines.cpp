#include "labels/LabelLines.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace orvel;

Q_DECLARE_METATYPE(orvel::FlexLine)
Q_DECLARE_METATYPE(orvel::LabelLanguage)

namespace {
LabelQso qso(const QString &call, const QString &department)
{
    return {call, department, "59", "SSB", "7 Mhz", "14/01/06", "08:35"};
}
ActivationTexts withoutCanton()
{
    return {"DFCF 34005", "Chateau Saint Thibery", "", "34630", "Saint Thibery"};
}
} // namespace

class TestLabelLines : public QObject
{
    Q_OBJECT

private slots:
    void centringRule_data()
    {
        QTest::addColumn<FlexLine>("line");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text");
        const auto french = LabelLanguage::French;
        QTest::newRow("even spare: one-blank gap") << confirmationLine(qso("Q4XYZ/P", "76"), french)
                                                   << 37 << "Confirme le QSO avec Q4XYZ/P 76";
        QTest::newRow("empty département: one-blank gap")
            << confirmationLine(qso("Q4XYZ/P", ""), french) << 37
            << "Confirme le QSO avec Q4XYZ/P ";
        QTest::newRow("odd spare: two-blank gap") << confirmationLine(qso("Q4XYZ/PP", "76"), french)
                                                  << 37 << "Confirme le QSO avec  Q4XYZ/PP 76";
        QTest::newRow("too long in 32: the call sign stays whole")
            << confirmationLine(qso("EA8/DL1ABC/P", "76"), french) << 32
            << "Confirme le QSO avec EA8/DL1ABC/P 76";
        QTest::newRow("too long: the name stays whole")
            << activationLine({"DFCF 34005XYZ", QString(35, 'N'), "", "", ""}) << 48
            << "DFCF 34005XYZ " + QString(35, 'N');
        QTest::newRow("without a canton: postal code and commune")
            << communeLine(withoutCanton()) << 48 << " 34630 Saint Thibery";
        QTest::newRow("date line of an empty label")
            << dateLine(emptyLabelQso()) << 48 << "........ ..... UTC  QRG .. Mhz  RST .. ...";
        QTest::newRow("English thanks line") << thanksLine("Q6KLM/P", LabelLanguage::English) << 48
                                             << "Tnx for the QSO    73's from Q6KLM/P";
    }
    void centringRule()
    {
        QFETCH(FlexLine, line);
        QFETCH(int, width);
        QFETCH(QString, text);
        QCOMPARE(centredText(line, width), text);
    }

    void placedPadRoundsHalvesToEven_data()
    {
        QTest::addColumn<int>("spare");
        QTest::addColumn<int>("pad");
        QTest::newRow("17: 8.5 gives 8") << 17 << 8;
        QTest::newRow("18: 9") << 18 << 9;
        QTest::newRow("19: 9.5 gives 10") << 19 << 10;
        QTest::newRow("21: 10.5 gives 10") << 21 << 10;
        QTest::newRow("-1: -0.5 gives 0") << -1 << 0;
        QTest::newRow("-3: -1.5 gives -2") << -3 << -2;
    }
    void placedPadRoundsHalvesToEven()
    {
        QFETCH(int, spare);
        QFETCH(int, pad);
        QCOMPARE(halfToEven(spare), pad);
    }

    void placedLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const auto french = LabelLanguage::French;
        const auto english = LabelLanguage::English;
        const auto place = [](const PlacedLine &line, int width) {
            const PlacedText placed = placeLine(line, width);
            return QString(placed.pad, ' ') + placed.text;
        };
        QTest::newRow("French line 1: n = 21 + 7 + 2, pad 2")
            << place(placedConfirmationLine(qso("Q4XYZ/P", "76"), french), 33)
            << "  Confirme le QSO avec Q4XYZ/P 76";
        QTest::newRow("English line 1 counts no département: n = 28, 2.5 gives 2")
            << place(placedConfirmationLine(qso("Q4XYZ/P", "76"), english), 33)
            << "  Confirming QSO with Q4XYZ/P 76";
        QTest::newRow("French 12-character call sign: no pad, nothing cut")
            << place(placedConfirmationLine(qso("Q4ABCDEFGHIJ", "76"), french), 33)
            << "Confirme le QSO avec Q4ABCDEFGHIJ 76";
        QTest::newRow("date line: n = 30 + 5 + 3 + 2, pad 5")
            << place(placedDateLine(qso("F5ABC", "76"), qso("F5ABC", "76")), 50)
            << "     14/01/06 08:35 UTC  QRG 7 Mhz  RST 59 SSB";
        QTest::newRow("date line takes its pad from column 1")
            << place(placedDateLine(emptyLabelQso(), qso("F5ABC", "76")), 50)
            << "     ........ ..... UTC  QRG .. Mhz  RST .. ...";
        QTest::newRow("commune line: n = 6 + 4 + 13 + 5 = 28, pad 11")
            << place(placedCommuneLine({"", "", "3428", "34630", "Saint Thibery"}), 50)
            << QString(11, ' ') + "DDCF 3428 34630 Saint Thibery";
        QTest::newRow("station line: n = 11 + 10 + 12 = 33, 8.5 gives 8")
            << place(placedStationLine({"FT47 100 W", "Dipole 2x10m"}), 50)
            << QString(8, ' ') + "TX: FT47 100 W  Ant: Dipole 2x10m";
        QTest::newRow("thanks line: n = 27 + 7 = 34, pad 8")
            << place(placedThanksLine("Q6KLM/P", french), 50)
            << QString(8, ' ') + "Merci Pour le QSO   73's de Q6KLM/P";
    }
    void placedLines()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }
};

ORVEL_TEST_CLASS(TestLabelLines)
#include "tst_labellines.moc"
