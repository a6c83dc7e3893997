#include "common/TextFile.h"
#include "export/AdifWriter.h"
#include "logging/AdifImport.h"
#include "logging/EntryRules.h"
#include "records/Session.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace orvel;
using namespace orvel::testing;

namespace {

const QString kCurrent = QStringLiteral("DFCF 89010");
const QString kOther = QStringLiteral("DMF 1234");
const QString kThird = QStringLiteral("WFF FFF-0123");

QString line(const QString &date, const QString &time, const QString &call,
             const QString &band = "7", const QString &mode = "SSB")
{
    return formatQsoLine({date, time, call, "", "", "59", "59", mode, band, "", "Q1ABC"});
}

// A record of the essential fields, with more fields after them.
QByteArray record(const QByteArray &call, const QByteArray &date, const QByteArray &time,
                  const QByteArray &more = "<BAND:3>40m <MODE:3>SSB")
{
    QByteArray text;
    const auto field = [&text](const char *tag, const QByteArray &value) {
        text += '<' + QByteArray(tag) + ':' + QByteArray::number(value.size()) + '>' + value + ' ';
    };
    if (!call.isNull())
        field("CALL", call);
    field("QSO_DATE", date);
    field("TIME_ON", time);
    return text + more + " <EOR>\r\n";
}

QByteArray adif(const QList<QByteArray> &records)
{
    QByteArray text = "Fichier d'un autre logger\r\n<ADIF_VER:5>3.1.4 <EOH>\r\n";
    for (const QByteArray &r : records)
        text += r;
    return text;
}

QList<AdifRecord> recordsOf(const QByteArray &text)
{
    const AdifReading reading = readAdif(text);
    if (!reading.ok())
        qWarning() << reading.error;
    return reading.records;
}

ImportContext context()
{
    ImportContext c;
    c.activator = QStringLiteral("Q1ABC/P");
    c.defaultOperator = QStringLiteral("Q1ABC");
    c.remembered = [](const QString &call) -> std::optional<RememberedName> {
        if (call == QLatin1String("F4MEM"))
            return RememberedName{"35", "Yves"};
        return std::nullopt;
    };
    return c;
}

// A group of three open logs, the current one first, holding the same lines.
struct Group {
    TestPlatform platform;
    Session session{platform.folder()};

    explicit Group(const QStringList &lines = {})
    {
        for (const QString &reference : {kCurrent, kOther, kThird})
            writeFile(platform.file(reference + ".txt"), lines);
        Activation current;
        current.reference = kCurrent;
        current.activator = QStringLiteral("Q1ABC/P");
        session.open(current, {kCurrent, kOther, kThird});
    }
    QStringList log(const QString &reference = kCurrent) const
    {
        return session.logFiles().load(reference);
    }
    ImportOutcome import(const QByteArray &text, const FirstNames *names = nullptr)
    {
        return importRecords(session, recordsOf(text), context(), names);
    }
};

} // namespace

class TestAdifImport : public QObject
{
    Q_OBJECT

private slots:
    // --- A record as a log line ------------------------------------------------------------

    void mapsEachField_data()
    {
        QTest::addColumn<QByteArray>("call");
        QTest::addColumn<QByteArray>("more");
        // call, date, time, dpt, first name, rst r, rst s, mode, band, remarks, operator
        QTest::addColumn<QStringList>("expected");
        const QByteArray ssb40 = "<BAND:3>40m <MODE:3>SSB ";
        QTest::newRow("band by name, capitals ignored")
            << QByteArray("ea3xyz") << QByteArray("<BAND:3>40M <MODE:3>SSB <RST_RCVD:2>57")
            << QStringList{"EA3XYZ", "01/05/24", "10:15", "", "",     "57",
                           "59",     "SSB",      "7",     "", "Q1ABC"};
        QTest::newRow("band by frequency")
            << QByteArray("G4AAA") << QByteArray("<FREQ:6>14.074 <MODE:3>FT8")
            << QStringList{"G4AAA", "01/05/24", "10:15", "", "",     "59",
                           "59",    "FT8",      "14",    "", "Q1ABC"};
        QTest::newRow("frequency with a comma, top edge of 160m")
            << QByteArray("G4AAA") << QByteArray("<FREQ:5>2,000 <MODE:2>CW")
            << QStringList{"G4AAA", "01/05/24", "10:15", "", "",     "599",
                           "599",   "CW",       "1.8",   "", "Q1ABC"};
        QTest::newRow("60m outside the entry window's list")
            << QByteArray("G4AAA") << QByteArray("<BAND:3>60m <MODE:2>CW")
            << QStringList{"G4AAA", "01/05/24", "10:15", "", "",     "599",
                           "599",   "CW",       "5",     "", "Q1ABC"};
        QTest::newRow("60m by frequency")
            << QByteArray("G4AAA") << QByteArray("<FREQ:5>5.354 <MODE:3>FT8")
            << QStringList{"G4AAA", "01/05/24", "10:15", "", "",     "59",
                           "59",    "FT8",      "5",     "", "Q1ABC"};
        QTest::newRow("4m") << QByteArray("G4AAA") << QByteArray("<BAND:2>4m <MODE:3>SSB")
                            << QStringList{"G4AAA", "01/05/24", "10:15", "", "",     "59",
                                           "59",    "SSB",      "70",    "", "Q1ABC"};
        QTest::newRow("70cm by frequency")
            << QByteArray("G4AAA") << QByteArray("<FREQ:7>432.200 <MODE:2>FM")
            << QStringList{"G4AAA", "01/05/24", "10:15", "", "",     "59",
                           "59",    "FM",       "432",   "", "Q1ABC"};
        QTest::newRow("band wins over frequency")
            << QByteArray("G4AAA") << QByteArray("<BAND:3>20m <FREQ:3>7.1 <MODE:3>SSB")
            << QStringList{"G4AAA", "01/05/24", "10:15", "", "",     "59",
                           "59",    "SSB",      "14",    "", "Q1ABC"};
        QTest::newRow("SSB submode LSB")
            << QByteArray("G4AAA") << QByteArray(ssb40 + "<SUBMODE:3>LSB")
            << QStringList{"G4AAA", "01/05/24", "10:15", "", "",     "59",
                           "59",    "SSB",      "7",     "", "Q1ABC"};
        QTest::newRow("PSK63 submode")
            << QByteArray("G4AAA") << QByteArray("<BAND:3>20m <MODE:3>PSK <SUBMODE:5>PSK63")
            << QStringList{"G4AAA", "01/05/24", "10:15", "", "",     "59",
                           "59",    "P63",      "14",    "", "Q1ABC"};
        QTest::newRow("RTTY is TTY")
            << QByteArray("G4AAA") << QByteArray("<BAND:3>20m <MODE:4>RTTY <RST_SENT:3>599")
            << QStringList{"G4AAA", "01/05/24", "10:15", "", "",     "59",
                           "599",   "TTY",      "14",    "", "Q1ABC"};
        QTest::newRow("FT4 submode stays FT4")
            << QByteArray("G4AAA")
            << QByteArray("<BAND:3>20m <MODE:4>MFSK <SUBMODE:3>FT4 <RST_RCVD:3>-12")
            << QStringList{"G4AAA", "01/05/24", "10:15", "", "",     "-12",
                           "59",    "FT4",      "14",    "", "Q1ABC"};
        QTest::newRow("Olivia of any spacing")
            << QByteArray("G4AAA")
            << QByteArray("<BAND:3>20m <MODE:6>OLIVIA <SUBMODE:12>OLIVIA 8/250")
            << QStringList{"G4AAA", "01/05/24", "10:15", "", "",     "59",
                           "59",    "OLIV",     "14",    "", "Q1ABC"};
        QTest::newRow("digital voice, never cut to DIGI")
            << QByteArray("G4AAA") << QByteArray("<BAND:2>2m <MODE:12>DIGITALVOICE")
            << QStringList{"G4AAA", "01/05/24", "10:15", "", "",     "59",
                           "59",    "DV",       "144",   "", "Q1ABC"};
        QTest::newRow("French station: single-digit département")
            << QByteArray("F4ABC") << QByteArray(ssb40 + "<STATE:1>5 <NAME:4>Jean")
            << QStringList{"F4ABC", "01/05/24", "10:15", "05", "Jean", "59",
                           "59",    "SSB",      "7",     "",   "Q1ABC"};
        QTest::newRow("Corsica in capitals")
            << QByteArray("TK5XX") << QByteArray(ssb40 + "<STATE:2>2a")
            << QStringList{"TK5XX", "01/05/24", "10:15", "2A", "",     "59",
                           "59",    "SSB",      "7",     "",   "Q1ABC"};
        QTest::newRow("DXCC 227 is France")
            << QByteArray("2E0ABC") << QByteArray(ssb40 + "<DXCC:3>227 <STATE:2>74")
            << QStringList{"2E0ABC", "01/05/24", "10:15", "74", "",     "59",
                           "59",     "SSB",      "7",     "",   "Q1ABC"};
        QTest::newRow("no département past 95")
            << QByteArray("F4ABC") << QByteArray(ssb40 + "<STATE:2>96")
            << QStringList{"F4ABC", "01/05/24", "10:15", "", "",     "59",
                           "59",    "SSB",      "7",     "", "Q1ABC"};
        QTest::newRow("foreign station's state left out")
            << QByteArray("W1AW") << QByteArray(ssb40 + "<STATE:2>CT")
            << QStringList{"W1AW", "01/05/24", "10:15", "", "",     "59",
                           "59",   "SSB",      "7",     "", "Q1ABC"};
        QTest::newRow("accents kept, others folded, remarks in capitals")
            << QByteArray("SP5ABC")
            << QByteArray(ssb40 + "<NAME:7>\xc5\x81ukasz <COMMENT:13>ch\xc3\xa2teau \xc5\x91rs")
            << QStringList{"SP5ABC", "01/05/24", "10:15",       "",     "Lukasz", "59", "59",
                           "SSB",    "7",        "CHÂTEAU ORS", "Q1ABC"};
        QTest::newRow("long name and remarks cut to their columns")
            << QByteArray("G4AAA")
            << QByteArray(ssb40 + "<NAME:19>Jean-Christophe Abc <COMMENT:35>"
                                  "0123456789012345678901234567890123X")
            << QStringList{"G4AAA", "01/05/24", "10:15", "",  "Jean-Christophe",
                           "59",    "59",       "SSB",   "7", "012345678901234567890123456789",
                           "Q1ABC"};
        QTest::newRow("first name, initial and surname cut between words")
            << QByteArray("G4AAA") << QByteArray(ssb40 + "<NAME:22>Marie-Claire J. Dupont")
            << QStringList{"G4AAA", "01/05/24", "10:15", "",     "Marie-Claire J.", "59", "59",
                           "SSB",   "7",        "",      "Q1ABC"};
        QTest::newRow("no comma left hanging")
            << QByteArray("G4AAA") << QByteArray(ssb40 + "<NAME:21>Dupont, Jean-Baptiste")
            << QStringList{"G4AAA", "01/05/24", "10:15", "", "Dupont", "59",
                           "59",    "SSB",      "7",     "", "Q1ABC"};
        QTest::newRow("one word longer than the column")
            << QByteArray("G4AAA") << QByteArray(ssb40 + "<NAME:18>Wolfeschlegelstein")
            << QStringList{"G4AAA", "01/05/24", "10:15", "",     "Wolfeschlegelst", "59", "59",
                           "SSB",   "7",        "",      "Q1ABC"};
        QTest::newRow("name in any script when NAME is missing")
            << QByteArray("G4AAA")
            << QByteArray(ssb40 + "<NAME_INTL:22>Zo\xc3\xab Beaumont-Lef\xc3\xa8vre")
            << QStringList{"G4AAA", "01/05/24", "10:15", "", "Zoë",  "59",
                           "59",    "SSB",      "7",     "", "Q1ABC"};
        QTest::newRow("operator of the record, in capitals")
            << QByteArray("G4AAA") << QByteArray(ssb40 + "<OPERATOR:5>q2xyz")
            << QStringList{"G4AAA", "01/05/24", "10:15", "", "",     "59",
                           "59",    "SSB",      "7",     "", "Q2XYZ"};
        QTest::newRow("station of a second operator")
            << QByteArray("G4AAA") << QByteArray(ssb40 + "<STATION_CALLSIGN:7>f4xyz/p")
            << QStringList{"G4AAA", "01/05/24", "10:15", "", "",       "59",
                           "59",    "SSB",      "7",     "", "F4XYZ/P"};
        QTest::newRow("station of the activator")
            << QByteArray("G4AAA") << QByteArray(ssb40 + "<STATION_CALLSIGN:7>Q1ABC/P")
            << QStringList{"G4AAA", "01/05/24", "10:15", "", "",     "59",
                           "59",    "SSB",      "7",     "", "Q1ABC"};
        QTest::newRow("station of the activator, not portable")
            << QByteArray("G4AAA") << QByteArray(ssb40 + "<STATION_CALLSIGN:5>Q1ABC")
            << QStringList{"G4AAA", "01/05/24", "10:15", "", "",     "59",
                           "59",    "SSB",      "7",     "", "Q1ABC"};
        QTest::newRow("operator named besides the station")
            << QByteArray("G4AAA")
            << QByteArray(ssb40 + "<STATION_CALLSIGN:5>F4XYZ <OPERATOR:5>Q2XYZ")
            << QStringList{"G4AAA", "01/05/24", "10:15", "", "",     "59",
                           "59",    "SSB",      "7",     "", "Q2XYZ"};
        QTest::newRow("memory fills what the record lacks")
            << QByteArray("F4MEM") << QByteArray(ssb40 + "<NAME:4>Paul")
            << QStringList{"F4MEM", "01/05/24", "10:15", "35", "Paul", "59",
                           "59",    "SSB",      "7",     "",   "Q1ABC"};
    }
    void mapsEachField()
    {
        QFETCH(QByteArray, call);
        QFETCH(QByteArray, more);
        QFETCH(QStringList, expected);
        const QList<AdifRecord> records =
            recordsOf(adif({record(call, "20240501", "101559", more)}));
        QCOMPARE(records.size(), 1);
        const MappedRecord mapped = mapAdifRecord(records.first(), context());
        QVERIFY2(mapped.qso, qPrintable(mapped.refusal));
        const QsoRecord &q = *mapped.qso;
        QCOMPARE((QStringList{q.call, q.date, q.time, q.department, q.firstName, q.rstReceived,
                              q.rstSent, q.mode, q.band, q.remarks, q.operatorCall}),
                 expected);
    }

    void summaryAgreesInNumber_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("summary");
        QTest::newRow("none") << 0 << "0 QSO importé, 0 déjà dans le log, 0 refusé";
        QTest::newRow("one") << 1 << "1 QSO importé, 1 déjà dans le log, 1 refusé";
        QTest::newRow("two") << 2 << "2 QSO importés, 2 déjà dans le log, 2 refusés";
    }
    void summaryAgreesInNumber()
    {
        QFETCH(int, count);
        QFETCH(QString, summary);
        ImportPlan plan;
        plan.imported = plan.alreadyInLog = plan.refused = count;
        QCOMPARE(plan.summary(), summary);
    }

    void refusesWithItsReason_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no call sign")
            << record(QByteArray(), "20240501", "1015")
            << "Enregistrement 2 (sans indicatif) : pas d'indicatif (CALL)";
        QTest::newRow("call sign too long") << record("F4ABC/P/MM/QRP", "20240501", "1015")
                                            << "Enregistrement 2 (F4ABC/P/MM/QRP) : indicatif de "
                                               "plus de 12 caractères : F4ABC/P/MM/QRP";
        QTest::newRow("a flood of a call sign quoted to 40 characters")
            << record(QByteArray(100'000, 'K'), "20240501", "1015")
            << "Enregistrement 2 (" + QString(40, 'K') +
                   "… (100000 caractères)) : indicatif de "
                   "plus de 12 caractères : " +
                   QString(40, 'K') + "… (100000 caractères)";
        QTest::newRow("29 February of a common year")
            << record("F4ABC", "20230229", "1015")
            << "Enregistrement 2 (F4ABC) : date inexistante : 20230229";
        QTest::newRow("year the log cannot hold")
            << record("F4ABC", "19450508", "1015")
            << "Enregistrement 2 (F4ABC) : date hors des années 1950 à 2049 : 19450508";
        QTest::newRow("minute 60") << record("F4ABC", "20240501", "1060")
                                   << "Enregistrement 2 (F4ABC) : heure inexistante : 1060";
        QTest::newRow("no time") << record("F4ABC", "20240501", "")
                                 << "Enregistrement 2 (F4ABC) : pas d'heure (TIME_ON)";
        QTest::newRow("band the log cannot hold")
            << record("F4ABC", "20240501", "1015", "<BAND:4>23cm <MODE:3>SSB")
            << "Enregistrement 2 (F4ABC) : bande 23cm hors des bandes du log";
        QTest::newRow("60m of other regions, outside the French segment")
            << record("F4ABC", "20240501", "1015", "<FREQ:5>5.400 <MODE:3>SSB")
            << "Enregistrement 2 (F4ABC) : fréquence 5.400 MHz hors des bandes du log";
        QTest::newRow("40m of other regions, outside the French segment")
            << record("F4ABC", "20240501", "1015", "<FREQ:5>7.250 <MODE:3>SSB")
            << "Enregistrement 2 (F4ABC) : fréquence 7.250 MHz hors des bandes du log";
        QTest::newRow("neither band nor frequency")
            << record("F4ABC", "20240501", "1015", "<MODE:3>SSB")
            << "Enregistrement 2 (F4ABC) : pas de bande ni de fréquence (BAND, FREQ)";
        QTest::newRow("no mode") << record("F4ABC", "20240501", "1015", "<BAND:3>40m")
                                 << "Enregistrement 2 (F4ABC) : pas de mode (MODE)";
        QTest::newRow("mode with no text of its own")
            << record("F4ABC", "20240501", "1015", "<BAND:3>40m <MODE:3>PSK <SUBMODE:9>PSK125RC4")
            << "Enregistrement 2 (F4ABC) : mode sans équivalent de 4 caractères dans le log : "
               "PSK / PSK125RC4";
        QTest::newRow("cut short at the end")
            << QByteArray("<CALL:5>F4ABC <QSO_DATE:8>20240501 <NAME:40>Jea")
            << "Enregistrement 2 (F4ABC) : enregistrement coupé à la fin du fichier";
    }
    void tellsTheValuesReadUpToTheNextTag()
    {
        Group group;
        const ImportOutcome outcome = group.import(
            "<CALL:5>G4AAA <QSO_DATE:8>20240501 <TIME_ON:4>1200 <BAND:3>40m <MODE:3>SSB "
            "<NAME:12>Bob <COMMENT:20>QRP <EOR>");
        QVERIFY(outcome.ok());
        QCOMPARE(outcome.message(),
                 QString("1 QSO importé, 0 déjà dans le log, 0 refusé\n2 valeurs dont la longueur "
                         "annoncée débordait sur la balise suivante, lues jusqu'à elle"));
        QCOMPARE(parseQsoLine(group.log(kCurrent).value(0)).firstName.trimmed(), QString("Bob"));
    }

    void refusesWithItsReason()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, reason);
        Group group;
        // A good record before the refused one is imported all the same.
        const ImportOutcome outcome =
            group.import(adif({record("G4AAA", "20240501", "1200"), text}));
        QVERIFY(outcome.ok());
        const QStringList summary = outcome.message().split('\n');
        QCOMPARE(summary.first(), QString("1 QSO importé, 0 déjà dans le log, 1 refusé"));
        QCOMPARE(summary.value(1), reason);
        QCOMPARE(summary.size(), 2);
        QCOMPARE(group.log().size(), 1);
    }

    // --- Reading the file ------------------------------------------------------------------

    void readsTheFile_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("firstName"); // NAME of the first record, or the error
        QTest::newRow("no header, tags in small letters, type indicators")
            << QByteArray("<call:5:S>F4ABC<name:4:s>Jean<eor><call:5>F4ABD<eor>") << 2 << "Jean";
        QTest::newRow("UTF-8 length in bytes")
            << QByteArray("<CALL:5>F4ABC <NAME:7>H\xc3\xa9l\xc3\xa8ne <EOR>") << 1 << "Hélène";
        QTest::newRow("UTF-8 length in characters")
            << QByteArray("<CALL:5>F4ABC <NAME:6>H\xc3\xa9l\xc3\xa8ne <EOR>") << 1 << "Hélène";
        QTest::newRow("windows-1252 file")
            << QByteArray("<CALL:5>F4ABC <NAME:6>H\xe9l\xe8ne <EOR>") << 1 << "Hélène";
        QTest::newRow("'<' inside a value and text between fields")
            << QByteArray("x <eoh> <CALL:5>F4ABC note <NAME:3>a<b <EOR>") << 1 << "a<b";
        QTest::newRow("a field given twice: its last value, padded values trimmed")
            << QByteArray("<CALL:5>F4ABC <NAME:4>Jean <NAME:6> Marc <EOR>") << 1 << "Marc";
        QTest::newRow("a length running over the next tag: up to it")
            << QByteArray("<CALL:5>F4ABC <NAME:10>Jean <RST_SENT:2>59 <EOR>") << 1 << "Jean";
        QTest::newRow("a length running over <eor> and the file's end")
            << QByteArray("<CALL:5>F4ABC <NAME:40>Jean <EOR>") << 1 << "Jean";
        QTest::newRow("a tag-like text inside a value stays")
            << QByteArray("<CALL:5>F4ABC <NAME:7>Jo<b>an <EOR>") << 1 << "Jo<b>an";
        QTest::newRow("last record without <eor>")
            << QByteArray("<CALL:5>F4ABC <EOR> <CALL:5>F4ABD <NAME:3>Luc") << 2 << "";
        QTest::newRow("header alone")
            << QByteArray("Export\r\n<ADIF_VER:5>3.1.4 <EOH>\r\n") << 0 << "";
        QTest::newRow("plain text") << QByteArray("Ceci est une liste de courses <pain>") << -1
                                    << "Ce fichier n'est pas un fichier ADIF : il ne contient "
                                       "aucun champ ADIF (de la forme <CALL:5>F4ABC).";
        QTest::newRow("ADX without records")
            << QByteArray("<?xml version=\"1.0\"?><ADX></ADX>") << 0 << "";
        QTest::newRow("ADX, its records and an application's field")
            << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ADX><HEADER><ADIF_VER>3.1.4"
                          "</ADIF_VER></HEADER><RECORDS><RECORD><CALL>F4ABC</CALL><NAME>H\xc3\xa9l"
                          "\xc3\xa8ne</NAME><APP PROGRAMID=\"X\" FIELDNAME=\"Y\" TYPE=\"S\">z</APP>"
                          "</RECORD><RECORD><CALL>F4ABD</CALL></RECORD></RECORDS></ADX>")
            << 2 << "Hélène";
        QTest::newRow("ADX cut short: the records before the fault, the cut one refused")
            << QByteArray("<?xml version=\"1.0\"?><ADX><RECORDS><RECORD><CALL>F4ABC</CALL>"
                          "<NAME>Jean</NAME></RECORD><RECORD><CALL>F4")
            << 2 << "Jean";
        QTest::newRow("XML of another kind")
            << QByteArray("<?xml version=\"1.0\"?><gpx></gpx>") << -1
            << "Ce fichier n'est pas un fichier ADIF : c'est un fichier XML qui n'est pas un "
               "fichier ADX.";
        QTest::newRow("empty") << QByteArray(" \r\n") << -1
                               << "Ce fichier n'est pas un fichier ADIF : il est vide.";
    }
    void readsTheFile()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, records);
        QFETCH(QString, firstName);
        const AdifReading reading = readAdif(text);
        if (records < 0) {
            QCOMPARE(reading.error, firstName);
            return;
        }
        QVERIFY2(reading.ok(), qPrintable(reading.error));
        QCOMPARE(reading.records.size(), records);
        if (records > 0)
            QCOMPARE(reading.records.first().value("NAME"), firstName);
    }

    // What is not a regular file is refused at once, never waited on or read without end.
    void readsRegularFilesOnly_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing") << "missing"
                                 << "est introuvable";
        QTest::newRow("a folder") << "folder"
                                  << "c'est un dossier";
#ifndef Q_OS_WIN
        QTest::newRow("a pipe") << "fifo"
                                << "tube ou un périphérique";
        QTest::newRow("an endless device") << "/dev/zero"
                                           << "tube ou un périphérique";
#endif
    }
    void readsRegularFilesOnly()
    {
        QFETCH(QString, what);
        QFETCH(QString, error);
        TestPlatform platform;
        QString path = platform.file("journal.adi");
        if (what == "folder")
            QVERIFY(QDir(platform.folder()).mkdir("journal.adi"));
#ifndef Q_OS_WIN
        else if (what == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#endif
        else if (what.startsWith('/'))
            path = what;
        const AdifReading reading = readAdifFile(path);
        QVERIFY2(reading.error.contains(error), qPrintable(reading.error));
        QVERIFY(reading.records.isEmpty());
    }

    // --- Placing and duplicates -------------------------------------------------------------

    void placesEachQsoAtItsMomentInEveryLog()
    {
        const QString early = line("01/05/24", "09:00", "G1AAA");
        const QString tenA = line("01/05/24", "10:00", "G1BBB");
        const QString tenB = line("01/05/24", "10:00", "G1CCC");
        const QString eleven = line("01/05/24", "11:00", "G1DDD");
        Group group({early, tenA, "ligne ajoutée à la main", tenB, eleven});
        QSignalSpy inserted(&group.session.model(), &QAbstractItemModel::rowsInserted);
        const ImportOutcome outcome = group.import(adif({
            record("G2AAA", "20240501", "1200"), // after the last line
            record("G2BBB", "20240501", "1000"), // before the first line of its moment
            record("G2CCC", "20240501", "0930"),
            record("G2DDD", "20240501", "1000"), // after the record of the same moment
            record("G2EEE", "19991231", "2359"), // 1999 before 2024
        }));
        QVERIFY2(outcome.ok(), qPrintable(outcome.message()));
        const auto imported = [](const QString &call, const char *date, const char *time) {
            return line(date, time, call);
        };
        const QStringList expected{imported("G2EEE", "31/12/99", "23:59"),
                                   early,
                                   imported("G2CCC", "01/05/24", "09:30"),
                                   imported("G2BBB", "01/05/24", "10:00"),
                                   imported("G2DDD", "01/05/24", "10:00"),
                                   tenA,
                                   "ligne ajoutée à la main",
                                   tenB,
                                   eleven,
                                   imported("G2AAA", "01/05/24", "12:00")};
        for (const QString &reference : {kCurrent, kOther, kThird})
            QCOMPARE(group.log(reference), expected);
        // The list followed row by row, without reading the file again.
        QCOMPARE(inserted.size(), 5);
        QCOMPARE(group.session.currentLog().copyOfLines(), expected);
    }

    void leavesOutWhatTheLogHolds_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("imported");
        const QByteArray ssb40 = "<BAND:3>40m <MODE:3>SSB";
        QTest::newRow("2 minutes after") << record("F4AAA", "20240501", "1002") << false;
        QTest::newRow("3 minutes after") << record("F4AAA", "20240501", "1003") << true;
        QTest::newRow("across midnight") << record("F4AAA", "20240502", "0001") << false;
        QTest::newRow("another band")
            << record("F4AAA", "20240501", "1000", "<BAND:3>20m <MODE:3>SSB") << true;
        QTest::newRow("another mode")
            << record("F4AAA", "20240501", "1000", "<BAND:3>40m <MODE:2>CW") << true;
        QTest::newRow("another call sign") << record("F4AAB", "20240501", "1000", ssb40) << true;
    }
    void leavesOutWhatTheLogHolds()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, imported);
        Group group({line("01/05/24", "10:00", "F4AAA"), line("01/05/24", "23:59", "F4AAA")});
        const ImportOutcome outcome = group.import(adif({text}));
        QCOMPARE(outcome.plan.imported, imported ? 1 : 0);
        QCOMPARE(outcome.plan.alreadyInLog, imported ? 0 : 1);
        QCOMPARE(group.log(kOther).size(), imported ? 3 : 2);
    }

    // One QSO named by the log's mode text and by a file's mode and submode of the same ADIF
    // mode: typed as PSK and read as PSK31, or imported by an earlier version as "DIGI".
    void knowsTheSameQsoUnderAnotherTextOfItsMode_data()
    {
        QTest::addColumn<QString>("logged");
        QTest::addColumn<QByteArray>("modes");
        QTest::addColumn<bool>("imported");
        QTest::newRow("typed PSK, PSK31 in the file")
            << "PSK" << QByteArray("<MODE:3>PSK <SUBMODE:5>PSK31") << false;
        QTest::newRow("cut to DIGI by an earlier import")
            << "DIGI" << QByteArray("<MODE:12>DIGITALVOICE") << false;
        QTest::newRow("FT8 and FT4 apart")
            << "FT8" << QByteArray("<MODE:4>MFSK <SUBMODE:3>FT4") << true;
    }
    void knowsTheSameQsoUnderAnotherTextOfItsMode()
    {
        QFETCH(QString, logged);
        QFETCH(QByteArray, modes);
        QFETCH(bool, imported);
        Group group({line("01/05/24", "10:00", "F4AAA", "7", logged)});
        const ImportOutcome outcome =
            group.import(adif({record("F4AAA", "20240501", "1001", "<BAND:3>40m " + modes)}));
        QCOMPARE(outcome.plan.imported, imported ? 1 : 0);
    }

    void importingTheSameFileTwiceAddsNothing()
    {
        Group group({line("01/05/24", "10:00", "F4AAA")});
        const QByteArray text = adif({record("G4AAA", "20240501", "1100"),
                                      record("G4AAA", "20240501", "1101"), // its twin in the file
                                      record("G4BBB", "20240501", "1102")});
        QCOMPARE(group.import(text).message(),
                 QString("2 QSO importés, 1 déjà dans le log, 0 refusé"));
        QCOMPARE(group.import(text).message(),
                 QString("0 QSO importé, 3 déjà dans le log, 0 refusé"));
        QCOMPARE(group.log(kThird).size(), 3);
    }

    void aLargeFileIsOneRewritePerLog()
    {
        QStringList logged;
        for (int i = 0; i < 1000; ++i)
            logged.append(line("01/05/24", QTime(0, 0).addSecs(i * 60).toString("hh:mm"),
                               QStringLiteral("F%1").arg(i)));
        Group group(logged);
        QList<QByteArray> records;
        for (int i = 0; i < 20000; ++i) {
            const QByteArray minute =
                QTime(0, 0).addSecs(i % 1440 * 60).toString("hhmm").toLatin1();
            records.append(record("G" + QByteArray::number(i), "20240502", minute));
        }
        QSignalSpy reset(&group.session.model(), &QAbstractItemModel::modelReset);
        QSignalSpy inserted(&group.session.model(), &QAbstractItemModel::rowsInserted);
        QElapsedTimer timer;
        timer.start();
        const ImportOutcome outcome = group.import(adif(records));
        // One QSO at a time would rewrite each log 20,000 times: minutes, not seconds.
        QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(outcome.ok());
        QCOMPARE(outcome.plan.imported, 20000);
        QCOMPARE(reset.size(), 1);
        QCOMPARE(inserted.size(), 0);
        for (const QString &reference : {kCurrent, kOther, kThird}) {
            const QStringList lines = group.log(reference);
            QCOMPARE(lines.size(), 21000);
            QCOMPARE(lines.first(), logged.first());
            QCOMPARE(lines.last(), line("02/05/24", "23:59", "G18719"));
        }
        QCOMPARE(group.session.currentLog().size(), 21000);
        QCOMPARE(scratchFiles(group.platform.folder()), QStringList());
    }

    void aRoundTripThroughTheExportGivesTheSameLines()
    {
        const QStringList lines{
            formatQsoLine({"01/05/24", "09:05", "F4ABC", "89", "Jean", "57", "59", "SSB", "7",
                           "CHATEAU DE RATILLY", "Q1ABC"}),
            formatQsoLine({"01/05/24", "09:07", "TK5XX", "2B", "Ange", "599", "579", "CW", "1.8",
                           "", "Q1ABC"}),
            formatQsoLine(
                {"01/05/24", "09:30", "EA3XYZ", "", "", "59", "59", "TTY", "14", "", "Q1ABC"}),
            formatQsoLine({"02/05/24", "13:00", "G4AAA", "", "Bob", "59", "59", "PSK", "144", "QRP",
                           "Q1ABC"}),
            formatQsoLine(
                {"02/05/24", "13:01", "DL1ABC", "", "", "-10", "+02", "FT8", "50", "", "Q1ABC"}),
        };
        TestPlatform source;
        writeFile(source.file("log.txt"), lines);
        QBuffer file;
        file.open(QIODevice::WriteOnly);
        QVERIFY(writeAdif(file, readBytes(source.file("log.txt")),
                          AdifFileData{AdifVariant::Standard, kCurrent, "Q1ABC/P"},
                          QDateTime::currentDateTimeUtc()));
        Group group;
        const ImportOutcome outcome = group.import(file.data());
        QCOMPARE(outcome.message(), QString("5 QSO importés, 0 déjà dans le log, 0 refusé"));
        QCOMPARE(group.log(), lines);
    }

    // --- What else the import writes ------------------------------------------------------

    void theMemoryLearnsTheNamesInOneWrite()
    {
        Group group;
        writeFile(group.platform.file("Liste_Prenom.txt"),
                  {firstNameKeyLine("F4AAA", "35", "Yves"), firstNameKeyLine("F4BBB", "", "Anne")});
        const FirstNames names(group.platform.folder());
        const QByteArray ssb = "<BAND:3>40m <MODE:3>SSB ";
        const ImportOutcome outcome = group.import(
            adif({record("F4AAA", "20240501", "1000", ssb + "<NAME:4>Paul <STATE:2>22"),
                  record("F4CCC", "20240501", "1001", ssb + "<NAME:4>Marc"),
                  record("F4CCC", "20240501", "1010", ssb + "<NAME:13>Luc A. Martin")}),
            &names);
        QCOMPARE(outcome.message(), QString("3 QSO importés, 0 déjà dans le log, 0 refusé"));
        QCOMPARE(readLines(group.platform.file("Liste_Prenom.txt")),
                 (QStringList{firstNameKeyLine("F4AAA", "22", "Paul"),
                              firstNameKeyLine("F4BBB", "", "Anne"),
                              firstNameKeyLine("F4CCC", "", "Luc")}));
    }

    void aDiskThatFillsUpLeavesEveryLogAsItWas()
    {
        const QStringList logged{line("01/05/24", "10:00", "F4AAA")};
        Group group(logged);
        QStringList longLog;
        for (int i = 0; i < 40; ++i)
            longLog.append(line("30/04/24", "10:00", QStringLiteral("G%1").arg(i)));
        writeFile(group.platform.file(kOther + ".txt"), longLog);
        // Room for the short logs rewritten, not for the long one.
        const QString message = inChildWithFileSizeLimit(2000, [&] {
            Session session(group.platform.folder(), group.session.activation(),
                            group.session.openReferences());
            const FirstNames names(group.platform.folder());
            const QByteArray named = "<BAND:3>40m <MODE:3>SSB <NAME:3>Léa";
            const ImportOutcome outcome = importRecords(
                session, recordsOf(adif({record("F4BBB", "20240501", "1100", named)})), context(),
                &names);
            return outcome.message();
        });
        QVERIFY2(message.startsWith("Aucun QSO n'a été importé : aucun log n'a été modifié.\n"),
                 qPrintable(message));
        QCOMPARE(group.log(kCurrent), logged);
        QCOMPARE(group.log(kOther), longLog);
        QCOMPARE(group.log(kThird), logged);
        // The memory learns nothing of QSOs that were not stored.
        QVERIFY(!QFile::exists(group.platform.file("Liste_Prenom.txt")));
        QCOMPARE(scratchFiles(group.platform.folder()), QStringList());
    }
};

ORVEL_TEST_CLASS(TestAdifImport)
#include "tst_adifimport.moc"
