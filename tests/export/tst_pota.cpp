#include "StrictAdifReader.h"
#include "activation/SetupRules.h"
#include "export/AdifWriter.h"
#include "export/ExportActions.h"
#include "records/PotaPark.h"
#include "records/QsoLine.h"
#include "records/Session.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;

namespace {

QString qso(const QString &date, const QString &time, const QString &call,
            const QString &operatorCall = {}, const QString &band = "7")
{
    return formatQsoLine({date, time, call, "34", "", "59", "57", "SSB", band, "", operatorCall});
}

// n QSOs with different stations, one minute apart from hour:00.
QStringList qsos(const QString &date, int hour, int n)
{
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines.append(qso(date,
                         QString("%1:%2").arg(hour, 2, 10, QChar('0')).arg(i, 2, 10, QChar('0')),
                         QString("F4A%1").arg(QChar('A' + i))));
    return lines;
}

Activation activation(const QString &reference, const QString &activator)
{
    Activation a;
    a.reference = reference;
    a.activator = activator;
    return a;
}

const QString kPota = "POTA FR-0123";
const QString kPota2 = "POTA FR-0456";

} // namespace

class TestPotaExport : public QObject
{
    Q_OBJECT

private:
    TestPlatform *platform = nullptr;

    QString path(const QString &name) const { return platform->file(name); }
    void writeLog(const QString &reference, const QStringList &lines)
    {
        writeFile(path(reference + ".txt"), lines);
    }
    ExportOutcome exportGroup(const QString &current, const QStringList &open,
                              const QString &activator = "Q4XYZ/P")
    {
        platform->dialogs.messages.clear();
        const Session session(platform->folder(), activation(current, activator), open);
        return exportAdif(session, platform->clock, platform->dialogs);
    }
    AdifDocument strictlyRead(const QString &name) const
    {
        const AdifDocument document = readStrictAdif(readBytes(path(name)));
        if (!document.error.isEmpty())
            qWarning("%s: %s", qPrintable(name), qPrintable(document.error));
        return document;
    }

private slots:
    void init() { platform = new TestPlatform; }
    void cleanup()
    {
        delete platform;
        platform = nullptr;
    }

    // The setup window and the export refuse the same references.
    void checksParkReferenceForms_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("two letters, 4 digits") << "POTA FR-0123" << true;
        QTest::newRow("5 digits") << "POTA FR-01234" << true;
        QTest::newRow("one letter") << "POTA K-0001" << true;
        QTest::newRow("letter and digit") << "POTA 3Y-0001" << true;
        QTest::newRow("four characters") << "POTA VKA-0001" << true;
        QTest::newRow("3 digits") << "POTA FR-123" << false;
        QTest::newRow("6 digits") << "POTA F-123456" << false;
        QTest::newRow("no hyphen") << "POTA FR0123" << false;
        QTest::newRow("no prefix") << "POTA -0123" << false;
        QTest::newRow("five-letter prefix") << "POTA FRANC-012" << false;
        QTest::newRow("lower case") << "POTA fr-0123" << false;
        QTest::newRow("WWFF form") << "POTA FFF-01X3" << false;
        QTest::newRow("trailing word") << "POTA FR-0 12" << false;
        QTest::newRow("another programme") << "WFF FR-123" << true;
        QTest::newRow("POTA inside a word") << "XPOTA 12" << true;
    }
    void checksParkReferenceForms()
    {
        QFETCH(QString, reference);
        QFETCH(bool, accepted);
        const QString refusal =
            "Attention une référence POTA s'écrit avec le préfixe du pays, un tiret et 4 ou 5 "
            "chiffres\n" +
            QString(43, ' ') + "Exemple POTA FR-0123, POTA FR-01234";
        QCOMPARE(referenceRuleMessage(reference).value_or(QString()),
                 accepted ? QString() : refusal);

        writeLog(reference, {qso("18/05/24", "10:00", "F4AAA")});
        const ExportOutcome outcome = exportGroup(reference, {reference});
        QCOMPARE(outcome.ok(), accepted);
        if (!accepted) {
            QCOMPARE(platform->dialogs.messages, QStringList{refusedParkMessage(reference)});
            QCOMPARE(QDir(platform->folder()).entryList({"*.adi"}), QStringList());
        }
    }

    // A park's number may hold "FF" as its country prefix: its file is the POTA one only.
    void choosesPotaLayoutByProgramme_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QList<AdifVariant>>("variants");
        QTest::newRow("park") << kPota << QList{AdifVariant::Pota};
        QTest::newRow("FF prefix") << "POTA FF-0123" << QList{AdifVariant::Pota};
        QTest::newRow("lower-case programme") << "pota FR-0123" << QList{AdifVariant::Standard};
        QTest::newRow("word holding POTA") << "XPOTA 12" << QList{AdifVariant::Standard};
    }
    void choosesPotaLayoutByProgramme()
    {
        QFETCH(QString, reference);
        QFETCH(QList<AdifVariant>, variants);
        QCOMPARE(adifVariants(reference), variants);
    }

    void writesPotaRecord_data()
    {
        QTest::addColumn<QString>("operatorCall");
        QTest::addColumn<QByteArray>("operatorField");
        QTest::newRow("no operator") << "" << QByteArray();
        QTest::newRow("long operator kept whole")
            << "Q4ABCDEF/QRP" << QByteArray("<OPERATOR:12>Q4ABCDEF/QRP ");
    }
    void writesPotaRecord()
    {
        QFETCH(QString, operatorCall);
        QFETCH(QByteArray, operatorField);
        const AdifFileData data{AdifVariant::Pota, kPota, "Q4XYZ/P"};
        QCOMPARE(adifRecord(qso("18/05/24", "23:59", "F4AAA", operatorCall), data).toLatin1(),
                 "<call:5>F4AAA <band:3>40m <mode:3>SSB <qso_date:8>20240518 <time_on:4>2359 "
                 "<time_off:4>2359 <rst_sent:2>57 <rst_rcvd:2>59 <state:2>34 <comment:0> "
                 "<MY_SIG:4>POTA <MY_SIG_INFO:7>FR-0123 <MY_POTA_REF:7>FR-0123 "
                 "<STATION_CALLSIGN:7>Q4XYZ/P " +
                     operatorField + "<eor>");
    }

    // A day ends at 00:00: the QSO of 00:00 opens the next day's file. A station worked twice
    // on the same band and mode counts once; a QSO without a date goes in no upload file.
    void splitsUploadFilesByDay()
    {
        QStringList log = qsos("18/05/24", 22, 10);
        log.append(qso("18/05/24", "23:59", "F4AA")); // worked again: not counted
        log.append(qso("19/05/24", "00:00", "F4AA")); // the next day
        log.append(qso("32/05/24", "00:01", "F4BB")); // no calendar day
        log.append(qso("19/05/24", "00:02", "F4AA", {}, "14"));
        writeLog(kPota, log);
        const QString day1 = "Q4XYZ_P@FR-0123-20240518.adi";
        const QString day2 = "Q4XYZ_P@FR-0123-20240519.adi";
        writeFile(path(day1), {"older file"});

        const ExportOutcome outcome = exportGroup(kPota, {kPota});
        QVERIFY(outcome.ok());
        QCOMPARE(outcome.writtenFiles, (QStringList{"POTA FR-0123.adi", day1, day2}));
        QCOMPARE(platform->dialogs.messages,
                 QStringList{"Le fichier a été crée sous le nom POTA FR-0123.adi\n"
                             "Fichiers à envoyer au site POTA, un par jour UTC :\n" +
                             day1 + "\n" + day2 +
                             "\n"
                             "FR-0123 le 18/05/24 : 11 QSO dont 1 en double, activation valide\n"
                             "FR-0123 le 19/05/24 : 2 QSO, activation non validée (10 QSO "
                             "nécessaires)\n"
                             "FR-0123 : 1 QSO sans date valide n'est dans aucun fichier à "
                             "envoyer"});
        const AdifDocument first = strictlyRead(day1);
        const AdifDocument second = strictlyRead(day2);
        QCOMPARE(first.error, QString());
        QCOMPARE(second.error, QString());
        QCOMPARE(first.records.size(), 11);
        QCOMPARE(second.records.size(), 2);
        QCOMPARE(second.records.first().value("TIME_ON"), QString("0000"));
        QCOMPARE(first.records.last().value("MY_POTA_REF"), QString("FR-0123"));
        // The whole log, in its order, stays in the park's own file.
        QCOMPARE(readBytes(path("POTA FR-0123.adi")).count("<eor>"), 14);
    }

    // A castle in a WWFF park that lies in two POTA parks: each park its own files, the others
    // exactly as without the parks.
    void exportsAnNferGroup()
    {
        const QStringList log = qsos("18/05/24", 9, 12);
        const QStringList french = {"DFCF 76001", "WFF FFF-0123"};
        for (const QString &reference : french + QStringList{kPota, kPota2})
            writeLog(reference, log);
        QVERIFY(exportGroup("DFCF 76001", french).ok());
        QByteArray before[2];
        for (int i = 0; i < 2; ++i)
            before[i] = readBytes(path(french[i] + ".adi"));

        const ExportOutcome outcome =
            exportGroup("DFCF 76001", french + QStringList{kPota, kPota2});
        QVERIFY(outcome.ok());
        for (int i = 0; i < 2; ++i)
            QCOMPARE(readBytes(path(french[i] + ".adi")), before[i]);
        for (const QString &park : {QString("FR-0123"), QString("FR-0456")}) {
            for (const QString &file :
                 {"POTA " + park + ".adi", "Q4XYZ_P@" + park + "-20240518.adi"}) {
                QVERIFY2(outcome.writtenFiles.contains(file), qPrintable(file));
                const AdifDocument document = strictlyRead(file);
                QCOMPARE(document.error, QString());
                QCOMPARE(document.header.value("ADIF_VER"), QString("3.1.4"));
                QCOMPARE(document.records.size(), 12);
                for (const AdifFields &record : document.records) {
                    QCOMPARE(record.value("MY_SIG_INFO"), park);
                    QCOMPARE(record.value("MY_POTA_REF"), park);
                }
            }
        }
        QCOMPARE(platform->dialogs.messages.size(), 4);
        QVERIFY(platform->dialogs.messages.at(3).endsWith(
            "FR-0456 le 18/05/24 : 12 QSO, activation valide"));
        for (const QString &file : french)
            QCOMPARE(strictlyRead(file + ".adi").error, QString());
    }

    // The park's file is written; its upload files cannot be named after such an activator.
    void activatorThatCannotNameAFile_data()
    {
        QTest::addColumn<QString>("activator");
        QTest::addColumn<QString>("why");
        QTest::newRow("empty") << ""
                               << "l'indicatif de l'activeur est vide";
        QTest::newRow("blank inside")
            << "Q4 XYZ"
            << "l'indicatif de l'activeur « Q4 XYZ » ne peut pas nommer un fichier (lettres, "
               "chiffres et / seulement)";
    }
    void activatorThatCannotNameAFile()
    {
        QFETCH(QString, activator);
        QFETCH(QString, why);
        writeLog(kPota, qsos("18/05/24", 9, 3));
        const ExportOutcome outcome = exportGroup(kPota, {kPota}, activator);
        QCOMPARE(outcome.writtenFiles, QStringList{"POTA FR-0123.adi"});
        QCOMPARE(platform->dialogs.messages.first(),
                 "Pas de fichier à envoyer au site POTA pour FR-0123 : " + why + ".");
        QVERIFY(platform->dialogs.messages.last().contains("FR-0123 le 18/05/24 : 3 QSO"));
    }

    // The reader of the tests finds the faults it is there for.
    void strictReaderRefusesFaultyFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("accepted");
        const QByteArray header = "title\r\n<ADIF_VER:5>3.1.4 <eoh>\r\n";
        QTest::newRow("sound") << header + "<call:5>F4AAA <eor>\r\n" << true;
        QTest::newRow("length too long") << header + "<call:6>F4AAA <eor>\r\n" << false;
        QTest::newRow("field twice") << header + "<call:1>F <CALL:1>G <eor>\r\n" << false;
        QTest::newRow("accented byte") << header + "<call:1>\xe9 <eor>\r\n" << false;
        QTest::newRow("park of another form")
            << header + "<call:1>F <MY_POTA_REF:3>FFF <eor>" << false;
        QTest::newRow("park under ADIF 3.1.0")
            << QByteArray("<ADIF_VER:5>3.1.0 <eoh><call:1>F <MY_POTA_REF:7>FR-0001 <eor>") << false;
        QTest::newRow("unfinished record") << header + "<call:5>F4AAA " << false;
    }
    void strictReaderRefusesFaultyFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, accepted);
        QCOMPARE(readStrictAdif(file).error.isEmpty(), accepted);
    }
};

ORVEL_TEST_CLASS(TestPotaExport)
#include "tst_pota.moc"
