#include "records/LogModes.h"
#include "support/TestRegistry.h"

#include <QSet>
#include <QTest>

using namespace orvel;

// The one mode table, both ways: every ADIF mode and submode the log can name reads to a text
// of at most four characters, and that text is written back as a mode and submode that read to
// it again.
class TestLogModes : public QObject
{
    Q_OBJECT

private slots:
    void everyModeOfTheEnumerationReadsAndWritesBack_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("submode");
        QTest::addColumn<QString>("logged");
        for (const LogModeEntry &row : logModeTable())
            QTest::addRow("%s %s", row.mode, row.submode)
                << QString(row.mode) << QString(row.submode) << QString(row.logged);
    }
    void everyModeOfTheEnumerationReadsAndWritesBack()
    {
        QFETCH(QString, mode);
        QFETCH(QString, submode);
        QFETCH(QString, logged);
        QVERIFY(!logged.isEmpty() && logged.size() <= 4);
        QCOMPARE(logModeOf(mode, submode), logged);
        QCOMPARE(logModeOf(mode.toLower(), submode.toLower()), logged);
        const AdifMode written = adifModeOf(logged);
        QCOMPARE(logModeOf(written.mode, written.submode), logged);
    }

    void eachModeAndSubmodeOnceInTheTable()
    {
        QSet<QString> seen;
        for (const LogModeEntry &row : logModeTable()) {
            const QString key = QString(row.mode) + '/' + row.submode;
            QVERIFY2(!seen.contains(key), qPrintable(key));
            seen.insert(key);
        }
    }

    void writesAsAdifNamesIt_data()
    {
        QTest::addColumn<QString>("logged");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("submode");
        QTest::newRow("SSB") << "SSB"
                             << "SSB"
                             << "";
        QTest::newRow("CW") << "CW"
                            << "CW"
                            << "";
        QTest::newRow("FM") << "FM"
                            << "FM"
                            << "";
        QTest::newRow("FT8") << "FT8"
                             << "FT8"
                             << "";
        QTest::newRow("PSK stays PSK") << "PSK"
                                       << "PSK"
                                       << "";
        QTest::newRow("TTY is RTTY") << "TTY"
                                     << "RTTY"
                                     << "";
        QTest::newRow("FT4 under MFSK") << "FT4"
                                        << "MFSK"
                                        << "FT4";
        QTest::newRow("JS8 under MFSK") << "JS8"
                                        << "MFSK"
                                        << "JS8";
        QTest::newRow("Q65 under MFSK") << "Q65"
                                        << "MFSK"
                                        << "Q65";
        QTest::newRow("C4FM under DIGITALVOICE") << "C4FM"
                                                 << "DIGITALVOICE"
                                                 << "C4FM";
        QTest::newRow("DV") << "DV"
                            << "DIGITALVOICE"
                            << "";
        QTest::newRow("PSK31 under PSK") << "P31"
                                         << "PSK"
                                         << "PSK31";
        QTest::newRow("Olivia") << "OLIV"
                                << "OLIVIA"
                                << "";
        QTest::newRow("Contestia") << "CTIA"
                                   << "CONTESTI"
                                   << "";
        QTest::newRow("MSK144") << "MSK"
                                << "MSK144"
                                << "";
        QTest::newRow("in small letters") << "ft4"
                                          << "MFSK"
                                          << "FT4";
        QTest::newRow("cut by an earlier import") << "CONT"
                                                  << "CONTESTI"
                                                  << "";
        QTest::newRow("cut by an earlier import, DV") << "DIGI"
                                                      << "DIGITALVOICE"
                                                      << "";
        QTest::newRow("typed by hand, as it stands") << "Data"
                                                     << "Data"
                                                     << "";
    }
    void writesAsAdifNamesIt()
    {
        QFETCH(QString, logged);
        QFETCH(QString, mode);
        QFETCH(QString, submode);
        const AdifMode written = adifModeOf(logged);
        QCOMPARE(written.mode, mode);
        QCOMPARE(written.submode, submode);
    }

    // What other programs write besides the enumeration's own pairs.
    void readsWhatOtherProgramsWrite_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("submode");
        QTest::addColumn<QString>("logged");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("submode given as the mode") << "PSK31"
                                                   << ""
                                                   << "P31"
                                                   << "";
        QTest::newRow("sideband given as the mode") << "USB"
                                                    << ""
                                                    << "SSB"
                                                    << "";
        QTest::newRow("C4FM given as the mode") << "C4FM"
                                                << ""
                                                << "C4FM"
                                                << "";
        QTest::newRow("submode under another mode") << "DATA"
                                                    << "FT4"
                                                    << "FT4"
                                                    << "";
        QTest::newRow("blanks doubled") << " olivia "
                                        << "Olivia  8/250"
                                        << "OLIV"
                                        << "";
        QTest::newRow("a new Olivia spacing") << "OLIVIA"
                                              << "OLIVIA 64/2000"
                                              << "OLIV"
                                              << "";
        QTest::newRow("JT65 by its letter") << "JT65"
                                            << "JT65B"
                                            << "JT65"
                                            << "";
        QTest::newRow("WSJT-X dual mode") << "JT9+JT65"
                                          << ""
                                          << "JT9"
                                          << "";
        QTest::newRow("nothing") << ""
                                 << ""
                                 << ""
                                 << "";
        QTest::newRow("a PSK with no text of its own")
            << "PSK"
            << "PSK125RC4"
            << ""
            << "mode sans équivalent de 4 caractères dans le log : PSK / PSK125RC4";
        QTest::newRow("a submode unknown to ADIF")
            << "MFSK"
            << "FOO"
            << ""
            << "mode sans équivalent de 4 caractères dans le log : MFSK / FOO";
        QTest::newRow("a mode unknown to ADIF, never cut")
            << "CONTESTIA"
            << ""
            << ""
            << "mode sans équivalent de 4 caractères dans le log : CONTESTIA";
    }
    void readsWhatOtherProgramsWrite()
    {
        QFETCH(QString, mode);
        QFETCH(QString, submode);
        QFETCH(QString, logged);
        QFETCH(QString, refusal);
        QCOMPARE(logModeOf(mode, submode), logged);
        QCOMPARE(logModeRefusal(mode, submode), refusal);
    }
};

ORVEL_TEST_CLASS(TestLogModes)
#include "tst_logmodes.moc"
