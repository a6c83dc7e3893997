#include "logging/EntryRules.h"
#include "radio/RadioCommand.h"
#include "radio/RadioConfig.h"
#include "radio/RadioFollower.h"
#include "radio/RadioTables.h"
#include "records/Bands.h"
#include "support/MemorySettings.h"
#include "support/TestRegistry.h"

#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <limits>

using namespace orvel;

// The radio in the entry window's words: bands, modes, following, the link settings and the
// command line's options.
class TestRadioRules : public QObject
{
    Q_OBJECT

private slots:
    void modeOfRadio_data()
    {
        QTest::addColumn<QString>("hamlib");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("mode");
        QTest::newRow("USB") << "USB"
                             << "CW"
                             << "SSB";
        QTest::newRow("LSB") << "LSB"
                             << "FT8"
                             << "SSB";
        QTest::newRow("CW") << "CW"
                            << "SSB"
                            << "CW";
        QTest::newRow("CWR") << "CWR"
                             << "SSB"
                             << "CW";
        QTest::newRow("FM") << "FM"
                            << "SSB"
                            << "FM";
        QTest::newRow("WFM") << "WFM"
                             << "SSB"
                             << "FM";
        QTest::newRow("RTTY") << "RTTY"
                              << "SSB"
                              << "TTY";
        QTest::newRow("RTTYR") << "RTTYR"
                               << "CW"
                               << "TTY";
        QTest::newRow("AM") << "AM"
                            << "SSB"
                            << "AM";
        QTest::newRow("PKTUSB keeps FT8") << "PKTUSB"
                                          << "FT8"
                                          << "FT8";
        QTest::newRow("PKTLSB keeps PSK") << "PKTLSB"
                                          << "PSK"
                                          << "PSK";
        QTest::newRow("PKTFM from SSB") << "PKTFM"
                                        << "SSB"
                                        << "FT8";
        QTest::newRow("PKTUSB from a typed mode") << "PKTUSB"
                                                  << "RTTY"
                                                  << "FT8";
        QTest::newRow("unknown mode keeps the window's") << "SAM"
                                                         << "SSB"
                                                         << "";
        QTest::newRow("no mode") << ""
                                 << "CW"
                                 << "";
    }
    void modeOfRadio()
    {
        QFETCH(QString, hamlib);
        QFETCH(QString, window);
        QFETCH(QString, mode);
        QCOMPARE(orvel::modeOfRadio(hamlib, window), mode);
    }

    void frequencyText_data()
    {
        QTest::addColumn<qint64>("hertz");
        QTest::addColumn<QString>("text");
        QTest::newRow("40 m") << qint64(7'100'000) << "7 100,000 kHz";
        QTest::newRow("below 1 MHz") << qint64(475'005) << "475,005 kHz";
    }
    void frequencyText()
    {
        QFETCH(qint64, hertz);
        QFETCH(QString, text);
        QCOMPARE(orvel::frequencyText(hertz), text);
    }

    // What a radio answers is checked before it is shown or followed.
    void checkedReading_data()
    {
        QTest::addColumn<double>("hertz");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<qint64>("expected"); // -1: refused as nonsense
        QTest::newRow("a frequency") << 7'100'000.0 << "USB" << qint64(7'100'000);
        QTest::newRow("rounded to the hertz") << 7'099'999.6 << "CW" << qint64(7'100'000);
        QTest::newRow("not a number") << std::nan("") << "USB" << qint64(-1);
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << "USB" << qint64(-1);
        QTest::newRow("1e308") << 1e308 << "USB" << qint64(-1);
        QTest::newRow("negative") << -7'100'000.0 << "USB" << qint64(-1);
        QTest::newRow("zero") << 0.0 << "USB" << qint64(-1);
        QTest::newRow("no mode") << 7'100'000.0 << "" << qint64(-1);
    }
    void checkedReading()
    {
        QFETCH(double, hertz);
        QFETCH(QString, mode);
        QFETCH(qint64, expected);
        const auto reading = orvel::checkedReading(hertz, mode);
        QCOMPARE(reading ? reading->frequency : qint64(-1), expected);
    }

    // Each row: readings in turn, with the window's band and mode and whether it is held; the
    // steps expected ("-" for nothing to do).
    void follower_data()
    {
        QTest::addColumn<QList<qint64>>("frequencies");
        QTest::addColumn<QStringList>("modes");
        QTest::addColumn<QStringList>("windows"); // "band/mode", "!" at the end when held
        QTest::addColumn<QStringList>("steps");   // "band/mode" chosen, "-" for none
        QTest::newRow("first reading is followed") << QList<qint64>{7'100'000} << QStringList{"USB"}
                                                   << QStringList{"3.5/CW"} << QStringList{"7/SSB"};
        QTest::newRow("same reading again does nothing")
            << QList<qint64>{7'100'000, 7'150'000} << QStringList{"USB", "USB"}
            << QStringList{"3.5/CW", "7/SSB"} << QStringList{"7/SSB", "-/-"};
        QTest::newRow("the operator's choice stands until the radio changes")
            << QList<qint64>{7'100'000, 7'100'000, 14'200'000} << QStringList{"USB", "USB", "USB"}
            << QStringList{"3.5/SSB", "10/SSB", "10/SSB"} << QStringList{"7/-", "-/-", "14/-"};
        QTest::newRow("held while editing, followed afterwards")
            << QList<qint64>{14'200'000, 21'200'000, 21'200'000} << QStringList{"USB", "CW", "CW"}
            << QStringList{"14/SSB", "14/SSB!", "14/SSB"} << QStringList{"-/-", "-/-", "21/CW"};
        QTest::newRow("an insertion typed on another band: the radio's again when it ends")
            << QList<qint64>{7'025'000, 7'025'000, 7'025'000} << QStringList{"CW", "CW", "CW"}
            << QStringList{"7/CW", "14/SSB!", "14/SSB"} << QStringList{"-/-", "-/-", "7/CW"};
        QTest::newRow("the end of a typed entry applies the last reading at once")
            << QList<qint64>{7'025'000, 7'025'000, 0} << QStringList{"CW", "CW", ""}
            << QStringList{"7/CW", "14/SSB!", "^14/SSB"} << QStringList{"-/-", "-/-", "7/CW"};
        QTest::newRow("a choice in the lists is not undone when the list is left")
            << QList<qint64>{7'025'000, 7'025'000, 7'025'000} << QStringList{"CW", "CW", "CW"}
            << QStringList{"7/CW", "10/SSB?", "10/SSB"} << QStringList{"-/-", "-/-", "-/-"};
        QTest::newRow("out of band leaves the band; back in band is a change")
            << QList<qint64>{7'100'000, 7'250'000, 7'100'000} << QStringList{"LSB", "LSB", "LSB"}
            << QStringList{"7/SSB", "7/SSB", "14/SSB"} << QStringList{"-/-", "-/-", "7/-"};
        QTest::newRow("data mode keeps PSK, then a voice mode")
            << QList<qint64>{14'070'000, 14'200'000} << QStringList{"PKTUSB", "USB"}
            << QStringList{"14/PSK", "14/PSK"} << QStringList{"-/-", "-/SSB"};
    }
    void follower()
    {
        QFETCH(QList<qint64>, frequencies);
        QFETCH(QStringList, modes);
        QFETCH(QStringList, windows);
        QFETCH(QStringList, steps);
        RadioFollower follower;
        for (int i = 0; i < frequencies.size(); ++i) {
            QString window = windows.at(i);
            // "!" a typed entry holds the window, "?" the operator is in a list, "^" a typed
            // entry has just ended (no reading).
            const RadioHold hold = window.endsWith('!')   ? RadioHold::Typed
                                   : window.endsWith('?') ? RadioHold::Choosing
                                                          : RadioHold::None;
            const bool resumed = window.startsWith('^');
            window.remove(QRegularExpression("[!?^]"));
            const QString band = window.section('/', 0, 0);
            const QString mode = window.section('/', 1, 1);
            const RadioStep step =
                resumed ? follower.resume(band, mode)
                        : follower.follow({frequencies.at(i), modes.at(i)}, band, mode, hold);
            const QString got = step.band.value_or("-") + "/" + step.mode.value_or("-");
            QCOMPARE(got, steps.at(i));
            if (!resumed)
                QCOMPARE(step.outOfBand, orvel::bandOfFrequency(frequencies.at(i)).isEmpty());
        }
    }

    void reportAfterRadioMode_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("oldMode");
        QTest::addColumn<QString>("newMode");
        QTest::addColumn<bool>("underWay");
        QTest::addColumn<QString>("expected");
        QTest::newRow("idle: the new default") << "57"
                                               << "SSB"
                                               << "CW" << false << "599";
        QTest::newRow("under way, old default") << "59"
                                                << "SSB"
                                                << "CW" << true << "599";
        QTest::newRow("under way, typed report stays") << "57"
                                                       << "SSB"
                                                       << "CW" << true << "57";
        QTest::newRow("CW to SSB, old default") << "599"
                                                << "CW"
                                                << "SSB" << true << "59";
    }
    void reportAfterRadioMode()
    {
        QFETCH(QString, report);
        QFETCH(QString, oldMode);
        QFETCH(QString, newMode);
        QFETCH(bool, underWay);
        QFETCH(QString, expected);
        QCOMPARE(orvel::reportAfterRadioMode(report, oldMode, newMode, underWay), expected);
    }

    void configIsKeptInTheSettingsStore()
    {
        MemorySettings settings;
        QCOMPARE(loadRadioConfig(settings).kind, RadioLinkKind::None);
        RadioConfig direct;
        direct.kind = RadioLinkKind::Direct;
        direct.model = 3073;
        direct.device = "/dev/ttyUSB0";
        direct.speed = 19200;
        saveRadioConfig(settings, direct);
        QCOMPARE(loadRadioConfig(settings), direct);
        const auto network = rigctldAddress("[::1]:4533");
        QVERIFY(network);
        saveRadioConfig(settings, *network);
        QCOMPARE(loadRadioConfig(settings), *network);
        QCOMPARE(network->description(), QString("rigctld [::1]:4533"));
        // A port edited by hand out of range gives no radio, not a wrong one.
        settings.setValue(kAppMulti, kSetupSection, "Radio Port Reseau", "70000");
        QCOMPARE(loadRadioConfig(settings).kind, RadioLinkKind::None);
    }

    void commandOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("options"); // rigctld, modele, port, vitesse; "~" absent
        QTest::addColumn<QString>("result");      // the description, or the start of the error
        QTest::newRow("rigctld") << QStringList{} << QStringList{"127.0.0.1:4532", "~", "~", "~"}
                                 << "rigctld 127.0.0.1:4532";
        QTest::newRow("direct") << QStringList{} << QStringList{"~", "3073", "/dev/ttyUSB0", "9600"}
                                << "modèle 3073 sur /dev/ttyUSB0 à 9600 bauds";
        QTest::newRow("nothing") << QStringList{} << QStringList{"~", "~", "~", "~"}
                                 << "Quelle radio lire ? Donnez --rigctld ou --modele.";
        QTest::newRow("both") << QStringList{} << QStringList{"h:1", "1", "~", "~"}
                              << "--rigctld ne se combine pas";
        QTest::newRow("no port") << QStringList{} << QStringList{"localhost", "~", "~", "~"}
                                 << "Adresse de rigctld illisible : « localhost »";
        QTest::newRow("IPv6 without brackets")
            << QStringList{} << QStringList{"::1:4532", "~", "~", "~"}
            << "Adresse de rigctld illisible";
        QTest::newRow("model not a number") << QStringList{} << QStringList{"~", "IC7300", "~", "~"}
                                            << "Numéro de modèle illisible : « IC7300 »";
        QTest::newRow("word too many") << QStringList{"lire"} << QStringList{"h:1", "~", "~", "~"}
                                       << "Argument en trop : lire.";
    }
    void commandOptions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, options);
        QFETCH(QString, result);
        const auto given = [&options](int i) {
            return options.at(i) == "~" ? std::nullopt : std::optional<QString>(options.at(i));
        };
        const RadioCommandPlan plan =
            planRadioCommand(arguments, {given(0), given(1), given(2), given(3)});
        if (plan.error.isEmpty()) {
            QCOMPARE(plan.config.description(), result);
        } else {
            QVERIFY2(plan.error.startsWith(result), qPrintable(plan.error));
            QVERIFY(plan.error.contains("Usage : orvel-multi radio"));
        }
    }
};

ORVEL_TEST_CLASS(TestRadioRules)
#include "tst_radiorules.moc"
