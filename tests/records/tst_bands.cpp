#include "records/Bands.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace orvel;

// The one band table: the radio's frequency and another logger's band name or frequency all
// land on the entry window's band texts.
class TestBands : public QObject
{
    Q_OBJECT

private slots:
    void bandOfFrequency_data()
    {
        QTest::addColumn<qint64>("hertz");
        QTest::addColumn<QString>("band");
        const struct {
            const char *band;
            qint64 low, high;
        } bands[] = {{"1.8", 1'810'000, 2'000'000},    {"3.5", 3'500'000, 3'800'000},
                     {"7", 7'000'000, 7'200'000},      {"10", 10'100'000, 10'150'000},
                     {"14", 14'000'000, 14'350'000},   {"18", 18'068'000, 18'168'000},
                     {"21", 21'000'000, 21'450'000},   {"24", 24'890'000, 24'990'000},
                     {"28", 28'000'000, 29'700'000},   {"50", 50'000'000, 52'000'000},
                     {"144", 144'000'000, 146'000'000}};
        for (const auto &b : bands) {
            QTest::addRow("%s low edge", b.band) << b.low << QString(b.band);
            QTest::addRow("%s high edge", b.band) << b.high << QString(b.band);
            QTest::addRow("%s one Hz below", b.band) << b.low - 1 << QString();
            QTest::addRow("%s one Hz above", b.band) << b.high + 1 << QString();
        }
        QTest::newRow("zero") << qint64(0) << QString();
        QTest::newRow("70 cm") << qint64(432'100'000) << QString();
    }
    void bandOfFrequency()
    {
        QFETCH(qint64, hertz);
        QFETCH(QString, band);
        QCOMPARE(orvel::bandOfFrequency(hertz), band);
    }

    void bandOfAdifName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("band");
        QTest::newRow("lower case") << "40m"
                                    << "7";
        QTest::newRow("capitals") << "2M"
                                  << "144";
        QTest::newRow("blanks around") << " 160m "
                                       << "1.8";
        QTest::newRow("a band the list has not") << "60m"
                                                 << "";
        QTest::newRow("the band text itself") << "7"
                                              << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void bandOfAdifName()
    {
        QFETCH(QString, name);
        QFETCH(QString, band);
        QCOMPARE(orvel::bandOfAdifName(name), band);
    }

    // A file may bring the bands a log line holds besides the entry window's list.
    void bandsAFileMayBring_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("hertz");
        QTest::addColumn<QString>("band");
        QTest::newRow("40m") << "40m" << qint64(7'100'000) << "7";
        QTest::newRow("60m, French segment") << "60m" << qint64(5'351'500) << "5";
        QTest::newRow("60m, top of the segment") << "60M" << qint64(5'366'500) << "5";
        QTest::newRow("4m") << "4m" << qint64(70'200'000) << "70";
        QTest::newRow("70cm") << "70cm" << qint64(432'100'000) << "432";
        QTest::newRow("23cm, no text of 3 characters") << "23cm" << qint64(1'296'000'000) << "";
        QTest::newRow("60m of other regions") << "5m" << qint64(5'400'000) << "";
    }
    void bandsAFileMayBring()
    {
        QFETCH(QString, name);
        QFETCH(qint64, hertz);
        QFETCH(QString, band);
        QCOMPARE(orvel::loggedBandOfAdifName(name), band);
        QCOMPARE(orvel::loggedBandOfFrequency(hertz), band);
    }

    // The entry window's list and the radio keep their bands.
    void theEntryListKeepsItsBands()
    {
        QCOMPARE(orvel::bandTexts(),
                 (QStringList{"1.8", "3.5", "7", "10", "14", "18", "21", "24", "28", "50", "144"}));
        QCOMPARE(orvel::bandOfFrequency(5'354'000), QString());
        QCOMPARE(orvel::bandOfAdifName(u"70cm"), QString());
    }
};

ORVEL_TEST_CLASS(TestBands)
#include "tst_bands.moc"
