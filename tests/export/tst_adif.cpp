#include "export/AdifWriter.h"
#include "export/AsciiText.h"
#include "export/ExportActions.h"
#include "logging/AdifImport.h"
#include "records/Bands.h"
#include "records/LogModes.h"
#include "records/QsoLine.h"
#include "records/Session.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTest>
#include <cerrno>

using namespace orvel;
using orvel::testing::readBytes;
using orvel::testing::TestPlatform;
using orvel::testing::writeFile;

namespace {

QString logLine(const QString &date, const QString &time, const QString &call,
                const QString &department, const QString &firstName, const QString &rstReceived,
                const QString &rstSent, const QString &mode, const QString &band,
                const QString &remarks = {}, const QString &operatorCall = {})
{
    return formatQsoLine({date, time, call, department, firstName, rstReceived, rstSent, mode, band,
                          remarks, operatorCall});
}

// The QSO of the ADIF example: no first name, empty remark.
QString exampleQso(const QString &operatorCall = {})
{
    return logLine("05/09/13", "08:35", "Q9ZZZ/P", "34", "", "59", "59", "SSB", "7", "",
                   operatorCall);
}

QString accentedQso()
{
    return logLine("31/12/99", "14:02", "F4AAA", "76", "Hélène", "599", "579", "CW", "14",
                   "Château fort");
}

const QByteArray kHeader = "Exportation du log Brivo_Orvel de Q9ABC au format ADIF\r\n"
                           "\r\n"
                           "<ADIF_VER:5>3.1.4 <PROGRAMID:11>Orvel Multi <PROGRAMVERSION:6>1.0.4c "
                           "<CREATED_TIMESTAMP:15>20240501 100000 \r\n"
                           "\r\n"
                           "\r\n"
                           "<eoh>\r\n";

const QByteArray kExampleFields = "<call:7>Q9ZZZ/P <band:3>40m <mode:3>SSB <qso_date:8>20130905 "
                                  "<time_on:4>0835 <time_off:4>0835 <rst_sent:2>59 "
                                  "<rst_rcvd:2>59 <state:2>34 <comment:0> ";
const QByteArray kAccentedFields = "<call:5>F4AAA <name:6>Helene <band:3>20m <mode:2>CW "
                                   "<qso_date:8>19991231 <time_on:4>1402 <time_off:4>1402 "
                                   "<rst_sent:3>579 <rst_rcvd:3>599 <state:2>76 ";

Activation activation(const QString &reference, const QString &activator = "Q9ABC")
{
    Activation a;
    a.reference = reference;
    a.activator = activator;
    return a;
}

} // namespace

class TestAdifExport : public QObject
{
    Q_OBJECT

private:
    TestPlatform *platform = nullptr;

    QString path(const QString &name) const { return platform->file(name); }
    void writeLog(const QString &reference, const QStringList &lines)
    {
        writeFile(path(reference + ".txt"), lines);
    }
    ExportOutcome exportAll(const QString &current, const QStringList &open,
                            const QString &activator = "Q9ABC")
    {
        const Session session(platform->folder(), activation(current, activator), open);
        return exportAdif(session, platform->clock, platform->dialogs);
    }

private slots:
    void init() { platform = new TestPlatform; }
    void cleanup()
    {
        delete platform;
        platform = nullptr;
    }

    void choosesVariantsByReference_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("standard") << "DFCF 89010" << QStringList{"DFCF 89010.adi"};
        QTest::newRow("FF letters apart") << "DCPF 12" << QStringList{"DCPF 12.adi"};
        QTest::newRow("WFF") << "WFF FFF-0123" << QStringList{"WFF FFF-0123.adi"};
        QTest::newRow("DMSM") << "DMSM 29-001" << QStringList{"DMSM 29-001 Sp.adi"};
        QTest::newRow("both") << "FFDMSM 1" << QStringList{"FFDMSM 1.adi", "FFDMSM 1 Sp.adi"};
        QTest::newRow("lower-case dmsm") << "dmsm 1" << QStringList{"dmsm 1.adi"};
    }
    void choosesVariantsByReference()
    {
        QFETCH(QString, reference);
        QFETCH(QStringList, files);
        writeLog(reference, {exampleQso()});
        const ExportOutcome outcome = exportAll(reference, {reference});
        QVERIFY(outcome.ok());
        QCOMPARE(outcome.writtenFiles, files);
        QStringList messages;
        for (const QString &file : files) {
            QVERIFY2(QFile::exists(path(file)), qPrintable(file));
            messages.append("Le fichier a été crée sous le nom " + file);
        }
        QCOMPARE(platform->dialogs.messages, messages);
    }

    void writesStandardFile()
    {
        writeLog("DFCF 89010", {exampleQso(), accentedQso()});
        QVERIFY(exportAll("DFCF 89010", {"DFCF 89010"}).ok());
        QCOMPARE(readBytes(path("DFCF 89010.adi")), kHeader + kExampleFields + "<eor>\r\n" +
                                                        kAccentedFields +
                                                        "<comment:12>CHATEAU FORT <eor>\r\n");
    }

    void emptyLogGivesHeaderOnly()
    {
        writeLog("DFCF 89010", {});
        writeLog("WFF FFF-0123", {});
        QVERIFY(exportAll("DFCF 89010", {"DFCF 89010", "WFF FFF-0123"}).ok());
        QCOMPARE(readBytes(path("DFCF 89010.adi")), kHeader);
        QCOMPARE(readBytes(path("WFF FFF-0123.adi")), kHeader);
    }

    void writesWffFields_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QByteArray>("sigInfo");
        QTest::newRow("code after blank")
            << "WFF FFF-0123" << QByteArray("<My_SIG_INFO:8>FFF-0123 ");
        QTest::newRow("no blank") << "FFF-0456" << QByteArray("<My_SIG_INFO:8>FFF-0456 ");
    }
    void writesWffFields()
    {
        QFETCH(QString, reference);
        QFETCH(QByteArray, sigInfo);
        writeLog(reference, {exampleQso("Q9ABCDEFGHIJ"), exampleQso()});
        // The activator field as typed, blanks around: the length is that of the value written.
        QVERIFY(exportAll(reference, {reference}, "  Q9ABC ").ok());
        const QByteArray wffFields =
            "<comment:0> <MY_SIG:4>WWFF " + sigInfo + "<SIG:4>WWFF <STATION_CALLSIGN:5>Q9ABC ";
        const QByteArray fieldsBefore = kExampleFields.left(kExampleFields.size() - 12);
        QCOMPARE(readBytes(path(reference + ".adi")),
                 kHeader + fieldsBefore + wffFields +
                     "<OPERATOR:12>Q9ABCDEFGHIJ <SIG_Info:0> <eor>\r\n" + fieldsBefore + wffFields +
                     "<OPERATOR:0> <SIG_Info:0> <eor>\r\n");
    }

    void writesDmsmFileInCapitals()
    {
        writeLog("DMSM 29-001", {accentedQso()});
        QVERIFY(exportAll("DMSM 29-001", {"DMSM 29-001"}, "q9abc").ok());
        QCOMPARE(readBytes(path("DMSM 29-001 Sp.adi")),
                 QByteArray(kHeader).replace("Q9ABC", "q9abc") +
                     "<CALL:5>F4AAA <NAME:6>HELENE <BAND:3>20M <MODE:2>CW "
                     "<QSO_DATE:8>19991231 <TIME_ON:4>1402 <TIME_OFF:4>1402 "
                     "<RST_SENT:3>579 <RST_RCVD:3>599 <STATE:2>76 <COMMENT:11>DMSM 29-001 "
                     "<OPERATOR:5>Q9ABC <QTH:12>CHATEAU FORT <EOR>\r\n");
    }

    void referenceWithBothGetsTwoLayouts()
    {
        const QString reference = "FF-DMSM 7";
        writeLog(reference, {exampleQso()});
        QVERIFY(exportAll(reference, {reference}).ok());
        QVERIFY(readBytes(path(reference + ".adi")).contains("<MY_SIG:4>WWFF "));
        QVERIFY(readBytes(path(reference + " Sp.adi")).contains("<COMMENT:9>FF-DMSM 7 "));
    }

    // The standard file of every open activation comes from the current activation's log;
    // WFF and DMSM files come from their own.
    void readsTheLogOfEachVariant()
    {
        writeLog("DFCF 89010", {exampleQso()});
        writeLog("DCPF 11", {accentedQso()});
        writeLog("WFF FFF-0123", {accentedQso()});
        QVERIFY(exportAll("DFCF 89010", {"DFCF 89010", "DCPF 11", "WFF FFF-0123"}).ok());
        QVERIFY(readBytes(path("DCPF 11.adi")).contains("Q9ZZZ/P"));
        QVERIFY(readBytes(path("WFF FFF-0123.adi")).contains("F4AAA"));
    }

    void convertsValues_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("1999 stays in its century") << "31/12/99"
                                                   << "SSB" << QByteArray("<qso_date:8>19991231 ");
        QTest::newRow("2013") << "05/09/13"
                              << "SSB" << QByteArray("<qso_date:8>20130905 ");
        QTest::newRow("1950") << "01/01/50"
                              << "SSB" << QByteArray("<qso_date:8>19500101 ");
        QTest::newRow("2049") << "01/01/49"
                              << "SSB" << QByteArray("<qso_date:8>20490101 ");
        QTest::newRow("TTY is RTTY") << "05/09/13"
                                     << "TTY" << QByteArray("<mode:4>RTTY ");
        QTest::newRow("FT8 as logged") << "05/09/13"
                                       << "FT8" << QByteArray("<mode:3>FT8 ");
        QTest::newRow("no calendar date") << "32/13/24"
                                          << "SSB" << QByteArray("<qso_date:8>32/13/24 ");
        QTest::newRow("typed mode") << "05/09/13"
                                    << "JT65" << QByteArray("<mode:4>JT65 ");
        QTest::newRow("FT4 is MFSK with its submode")
            << "05/09/13"
            << "FT4" << QByteArray("<mode:4>MFSK <submode:3>FT4 <qso_date");
        QTest::newRow("C4FM is digital voice")
            << "05/09/13"
            << "C4FM" << QByteArray("<mode:12>DIGITALVOICE <submode:4>C4FM ");
        QTest::newRow("PSK31 under PSK") << "05/09/13"
                                         << "P31" << QByteArray("<mode:3>PSK <submode:5>PSK31 ");
        QTest::newRow("Olivia whole") << "05/09/13"
                                      << "OLIV" << QByteArray("<mode:6>OLIVIA ");
    }
    void convertsValues()
    {
        QFETCH(QString, date);
        QFETCH(QString, mode);
        QFETCH(QByteArray, expected);
        const QString line = logLine(date, "23:59", "F4AAA", "76", "", "59", "59", mode, "7");
        const QByteArray record = adifRecord(line, {}).toLatin1();
        QVERIFY2(record.contains(expected), record.constData());
    }

    // Each of the log's mode texts, exported in each layout and imported again, gives the
    // same log line.
    void importOfTheExportGivesTheSameLine_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("variant");
        QSet<QString> texts;
        for (const LogModeEntry &row : logModeTable()) {
            if (texts.contains(row.logged))
                continue;
            texts.insert(row.logged);
            for (const AdifVariant variant :
                 {AdifVariant::Standard, AdifVariant::Wff, AdifVariant::Dmsm, AdifVariant::Pota})
                QTest::addRow("%s in layout %d", row.logged, int(variant))
                    << QString(row.logged) << int(variant);
        }
    }
    void importOfTheExportGivesTheSameLine()
    {
        QFETCH(QString, mode);
        QFETCH(int, variant);
        const QString line =
            logLine("05/09/13", "23:59", "F4AAA", "76", "Jean", "-05", "+02", mode, "7", "PARC");
        const AdifFileData data{AdifVariant(variant), "FFF-0001", "Q9ABC"};
        const QByteArray file =
            adifHeader("Q9ABC", {}).toLatin1() + adifRecord(line, data).toLatin1();
        const AdifReading reading = readAdif(file);
        QCOMPARE(reading.records.size(), 1);
        ImportContext context;
        context.activator = "Q9ABC";
        context.defaultOperator = "Q9ABC";
        const MappedRecord mapped = mapAdifRecord(reading.records.first(), context);
        QVERIFY2(mapped.qso, qPrintable(mapped.refusal));
        QsoRecord expected = parseQsoLine(line);
        // The DMSM layout, in capitals, holds the reference where the others hold the remarks.
        if (AdifVariant(variant) == AdifVariant::Dmsm) {
            expected.firstName = "JEAN";
            expected.remarks = "FFF-0001";
        }
        expected.operatorCall = "Q9ABC";
        QCOMPARE(formatQsoLine(*mapped.qso), formatQsoLine(expected));
    }

    // A line shortened or mistyped by hand still gives a well-formed record.
    void shortLineGivesWellFormedRecord()
    {
        QCOMPARE(adifRecord("5/9/13    8:35   F4AAA", {}),
                 QString("<call:5>F4AAA <band:0> <mode:0> <qso_date:8>20130905 <time_on:4>8:35 "
                         "<time_off:4>8:35 <rst_sent:0> <rst_rcvd:0> <state:0> <comment:0> "
                         "<eor>"));
    }

    void mapsBands_data()
    {
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("adif");
        // Every band a log line holds, as the one band table names it, and texts typed by hand.
        for (const Band &band : bandTable())
            QTest::newRow(band.text) << QString(band.text) << QString(band.adifName);
        const QList<std::pair<const char *, const char *>> typed = {
            {"1.9", "160m"}, {"8", ""}, {"abc", ""}};
        for (const auto &[band, adif] : typed)
            QTest::newRow(band) << QString(band) << QString(adif);
    }
    void mapsBands()
    {
        QFETCH(QString, band);
        QFETCH(QString, adif);
        const QString line = logLine("01/05/24", "10:00", "F4AAA", "", "", "59", "59", "SSB", band);
        QVERIFY(adifRecord(line, {}).contains(adifField("band", adif)));
    }

    void foldsToAsciiWithMatchingLengths_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("field");
        QTest::newRow("accents") << "Hélène"
                                 << "<name:6>Helene ";
        QTest::newRow("cedilla and circumflex") << "François Château"
                                                << "<name:16>Francois Chateau ";
        QTest::newRow("ligature grows") << "Œuvre cœur"
                                        << "<name:12>OEuvre coeur ";
        QTest::newRow("sharp s") << "Strauß"
                                 << "<name:7>Strauss ";
        QTest::newRow("typographic quote") << "L’Isle"
                                           << "<name:6>L'Isle ";
        QTest::newRow("no ASCII letter") << "Ж"
                                         << "<name:1>? ";
        QTest::newRow("blanks trimmed") << "  Jean  "
                                        << "<name:4>Jean ";
    }
    void foldsToAsciiWithMatchingLengths()
    {
        QFETCH(QString, value);
        QFETCH(QString, field);
        const QString written = adifField("name", value);
        QCOMPARE(written, field);
        QVERIFY(isPrintableAscii(written));
    }

    // The log's bytes of 0x80..0x9F stand for letters and signs of the files' set (five for
    // nothing): read from the file, they fold like any other character.
    void foldsTheLogsUpperBytes_data()
    {
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("oe ligature") << QString::fromUtf8("Cœur") << QByteArray("<name:5>Coeur ");
        QTest::newRow("euro sign") << QString::fromUtf8("5 €") << QByteArray("<name:5>5 EUR ");
        QTest::newRow("typographic quote")
            << QString::fromUtf8("L’Isle") << QByteArray("<name:6>L'Isle ");
        QTest::newRow("capital Y diaeresis")
            << QString::fromUtf8("Ÿves") << QByteArray("<name:4>Yves ");
        QTest::newRow("unassigned byte")
            << QString("J") + QChar(0x81) + "an" << QByteArray("<name:4>J?an ");
        QTest::newRow("tab") << QString("Je\tan") << QByteArray("<name:5>Je an ");
    }
    void foldsTheLogsUpperBytes()
    {
        QFETCH(QString, firstName);
        QFETCH(QByteArray, field);
        QString line = exampleQso();
        placeColumn(line, qsocol::kFirstName, firstName);
        writeLog("DFCF 89010", {exampleQso(), line});
        QVERIFY(exportAll("DFCF 89010", {"DFCF 89010"}).ok());
        const QByteArray nameless = kExampleFields.left(kExampleFields.indexOf("<band"));
        QCOMPARE(readBytes(path("DFCF 89010.adi")),
                 kHeader + kExampleFields + "<eor>\r\n" + nameless + field +
                     kExampleFields.mid(nameless.size()) + "<eor>\r\n");
    }

    void showsTitleBeforeExporting()
    {
        writeLog("DFCF 89010", {exampleQso()});
        const Session session(platform->folder(), activation("DFCF 89010", "Q9ABC "),
                              {"DFCF 89010"});
        QString title;
        bool fileExistedAtTitle = true;
        exportAdif(session, platform->clock, platform->dialogs, [&](const QString &shown) {
            title = shown;
            fileExistedAtTitle = QFile::exists(path("DFCF 89010.adi"));
        });
        QCOMPARE(title, QString("Exportation du log Brivo_Orvel de Q9ABC au format ADIF"));
        QVERIFY(!fileExistedAtTitle);
    }

    void passesOverBlankLines()
    {
        writeLog("DFCF 89010", {exampleQso(), QString(), "   ", exampleQso()});
        QVERIFY(exportAll("DFCF 89010", {"DFCF 89010"}).ok());
        QCOMPARE(readBytes(path("DFCF 89010.adi")),
                 kHeader + kExampleFields + "<eor>\r\n" + kExampleFields + "<eor>\r\n");
    }

    void reportsErrorsAndGoesOn_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing WFF log") << "WFF FFF-0123"
                                         << "Erreur  53";
        QTest::newRow("missing DMSM log") << "DMSM 29-001"
                                          << "Erreur  53";
        QTest::newRow("output is a folder") << "FOLDER"
                                            << "Erreur  75";
        QTest::newRow("output is a device") << "FULL"
                                            << "Erreur  75";
    }
    void reportsErrorsAndGoesOn()
    {
        QFETCH(QString, failing);
        QFETCH(QString, message);
        const QStringList open = {"WFF FFF-0123", "DMSM 29-001", "DFCF 89010",
                                  "FOLDER",       "FULL",        "DCPF 11"};
        for (const QString &reference : open) {
            if (reference != failing)
                writeLog(reference, {exampleQso()});
        }
        if (failing == "FOLDER")
            QVERIFY(QDir(platform->folder()).mkdir("FOLDER.adi"));
        // Never replaced, never written into.
        if (failing == "FULL") {
            if (!QFile::exists("/dev/full"))
                QSKIP("no /dev/full here");
            QVERIFY(QFile::link("/dev/full", path("FULL.adi")));
        }
        const ExportOutcome outcome = exportAll("DFCF 89010", open);
        QCOMPARE(outcome.failures.size(), 1);
        QCOMPARE(outcome.writtenFiles.size(), 5);
        QCOMPARE(platform->dialogs.messages.size(), 6);
        QCOMPARE(platform->dialogs.messages.at(open.indexOf(failing)), message);
        QCOMPARE(platform->dialogs.messages.last(),
                 QString("Le fichier a été crée sous le nom DCPF 11.adi"));
    }

    // The standard files all come from the current log: without it none can be written.
    void missingCurrentLogFailsEveryStandardFile()
    {
        writeLog("WFF FFF-0123", {exampleQso()});
        const ExportOutcome outcome =
            exportAll("DFCF 89010", {"DFCF 89010", "WFF FFF-0123", "DCPF 11"});
        QCOMPARE(outcome.writtenFiles, QStringList{"WFF FFF-0123.adi"});
        QCOMPARE(platform->dialogs.messages,
                 (QStringList{"Erreur  53", "Le fichier a été crée sous le nom WFF FFF-0123.adi",
                              "Erreur  53"}));
        QCOMPARE(outcome.failures.first().detail,
                 QString("le fichier DFCF 89010.txt est introuvable"));
        QVERIFY(!QFile::exists(path("DFCF 89010.adi")));
    }

    void errorMessages_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("message");
        QTest::newRow("not found") << 53 << "Erreur  53";
        QTest::newRow("protected") << 70 << "Erreur  70 Disquette protegée";
        QTest::newRow("not ready") << 71 << "Erreur  71 Pas de disquette dans le lecteur";
        QTest::newRow("disk full") << 61 << "Erreur  61";
        QTest::newRow("other") << 75 << "Erreur  75";
    }
    void errorMessages()
    {
        QFETCH(int, number);
        QFETCH(QString, message);
        QCOMPARE(exportErrorMessage(number), message);
    }

    void numbersSystemErrors_data()
    {
        QTest::addColumn<int>("systemError");
        QTest::addColumn<int>("reading");
        QTest::addColumn<int>("writing");
        QTest::newRow("no such file") << ENOENT << 53 << 75;
        QTest::newRow("permission") << EACCES << 70 << 70;
        QTest::newRow("read-only medium") << EROFS << 70 << 70;
        QTest::newRow("disk full") << ENOSPC << 61 << 61;
        QTest::newRow("device") << EIO << 71 << 71;
        QTest::newRow("other") << EINVAL << 75 << 75;
    }
    void numbersSystemErrors()
    {
        QFETCH(int, systemError);
        QFETCH(int, reading);
        QFETCH(int, writing);
        QCOMPARE(readErrorNumber(systemError), reading);
        QCOMPARE(writeErrorNumber(systemError, QFileDevice::OpenError), writing);
    }

    void noOpenActivationIsTold()
    {
        const ExportOutcome outcome = exportAll("DFCF 89010", {});
        QVERIFY(!outcome.ok());
        QCOMPARE(platform->dialogs.messages, QStringList{nothingToExportMessage()});
    }
};

ORVEL_TEST_CLASS(TestAdifExport)
#include "tst_adif.moc"
