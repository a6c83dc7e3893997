#include "records/Session.h"
#include "export/CTraficWriter.h"
#include "export/ExportActions.h"
#include "records/QsoLine.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QTest>

using namespace orvel;
using orvel::testing::readBytes;
using orvel::testing::TestPlatform;
using orvel::testing::writeFile;

namespace {

QString cwQso(const QString &band = "7", const QString &call = "Q9ZZZ/P")
{
    return formatQsoLine({"05/09/13", "08:35", call, "34", "Hélène", "599", "579", "CW", band,
                          "Château d'eau", "Q9OP"});
}

} // namespace

class TestCTraficExport : public QObject
{
    Q_OBJECT

private:
    TestPlatform *platform = nullptr;

    ExportOutcome exportCurrent(const QString &reference)
    {
        Activation current;
        current.reference = reference;
        current.activator = "Q9ABC";
        const Session session(platform->folder(), current, {reference, "OTHER"});
        return exportCTrafic(session, platform->dialogs);
    }

private slots:
    void init() { platform = new TestPlatform; }
    void cleanup()
    {
        delete platform;
        platform = nullptr;
    }

    void placesEveryColumn_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<QString>("expected");
        QTest::newRow("date") << 1 << "05/09/13  ";
        QTest::newRow("call keeps its blanks") << 11 << "Q9ZZZ/P     08:35  08:35  34";
        QTest::newRow("blanks before band") << 39 << QString(11, ' ') + "7.0 Mhz   CW       ";
        QTest::newRow("report received cut to 2") << 69 << "59" + QString(8, ' ') + "57";
        QTest::newRow("blanks after reports") << 81 << QString(30, ' ');
        QTest::newRow("first name") << 111 << "Hélène         " + QString(9, ' ') + "1 ";
        QTest::newRow("fixed zero") << 137 << QString(28, ' ') + "0   ";
        QTest::newRow("remarks and end") << 169 << "CHÂTEAU D'EAU" + QString(17, ' ') + "*";
    }
    void placesEveryColumn()
    {
        QFETCH(int, first);
        QFETCH(QString, expected);
        const QString line = ctraficLine(cwQso());
        QCOMPARE(line.size(), kCTraficLineLength);
        QCOMPARE(line.mid(first - 1, expected.size()), expected);
    }

    void mapsBands_data()
    {
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("text");
        const QList<std::pair<const char *, const char *>> bands = {
            {"1.8", "1.8 Mhz "}, {"3.5", "3.5 Mhz "}, {"7", "7.0 Mhz "},   {"10", "10 Mhz  "},
            {"14", "14 Mhz  "},  {"18", "18 Mhz  "},  {"21", "21 Mhz  "},  {"24", "24 Mhz  "},
            {"28", "28 Mhz  "},  {"50", "50 Mhz  "},  {"144", "144 Mhz "}, {"5", "5 Mhz   "},
            {"432", "432 Mhz "}, {"", " Mhz    "}};
        for (const auto &[band, text] : bands)
            QTest::newRow(*band ? band : "empty") << QString(band) << QString(text);
    }
    void mapsBands()
    {
        QFETCH(QString, band);
        QFETCH(QString, text);
        const QString line = ctraficLine(cwQso(band));
        QCOMPARE(line.mid(49, 8), text);
        QCOMPARE(line.size(), kCTraficLineLength);
        QVERIFY(line.endsWith('*'));
    }

    void shortLineKeepsTheLayout()
    {
        const QString inserted = formatQsoLine(parseQsoLine(cwQso()), true);
        QCOMPARE(ctraficLine(inserted), ctraficLine(cwQso()));
        QCOMPARE(ctraficLine("05/09/13  08:35").size(), kCTraficLineLength);
    }

    // A log edited by hand may hold tabs or other control characters: the .ctf line keeps
    // its 199 columns and one line end.
    void controlCharactersBecomeBlanks_data()
    {
        QTest::addColumn<QChar>("control");
        QTest::newRow("tab") << QChar('\t');
        QTest::newRow("lone CR") << QChar('\r');
        QTest::newRow("escape") << QChar(0x1b);
        QTest::newRow("delete") << QChar(0x7f);
        QTest::newRow("C1 control") << QChar(0x81);
    }
    void controlCharactersBecomeBlanks()
    {
        QFETCH(QChar, control);
        QString line = cwQso();
        line[20] = control; // in the call sign
        line[40] = control; // in the first name
        line[80] = control; // in the remarks
        QString expected = cwQso();
        expected[20] = expected[40] = expected[80] = QChar(' ');
        QCOMPARE(ctraficLine(line), ctraficLine(expected));
    }

    // A line with a byte of 0x80..0x9F or a control character is written byte by byte, the
    // others column by column: in the file, the letters and signs of that range stay as they
    // are, the five bytes the set leaves unassigned and the controls become blanks, in every
    // column the line takes, the band's included.
    void keepsTheFilesCharactersAndBlanksControls_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("ctfIndex");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("euro sign in the remarks")
            << "remarks" << QString::fromUtf8("5 €") << 168 << QByteArray("5 \x80 ");
        QTest::newRow("oe ligature in the first name")
            << "firstName" << QString::fromUtf8("Cœur") << 110 << QByteArray("C\x9cur ");
        QTest::newRow("capital Y diaeresis in the call")
            << "call" << QString::fromUtf8("ŸF4") << 10 << QByteArray("\x9f") + "F4 ";
        QTest::newRow("unassigned byte in the remarks")
            << "remarks" << QString("A") + QChar(0x8D) + "B" << 168 << QByteArray("A B ");
        QTest::newRow("tab in the band")
            << "band" << "\t7" << 49 << QByteArray(" 7 Mhz  ");
        QTest::newRow("escape in the mode")
            << "mode" << QString("C") + QChar(0x1b) << 59 << QByteArray("C   ");
    }
    void keepsTheFilesCharactersAndBlanksControls()
    {
        QFETCH(QString, column);
        QFETCH(QString, value);
        QFETCH(int, ctfIndex);
        QFETCH(QByteArray, expected);
        QString special = cwQso();
        for (const LineColumn &c : qsocol::kColumns) {
            if (column == QLatin1String(c.name) && c.alignment == Alignment::Left)
                placeColumn(special, c, value.leftJustified(c.width));
            else if (column == QLatin1String(c.name))
                placeColumn(special, c, value);
        }
        writeFile(platform->file("DFCF 89010.txt"), {cwQso(), special, cwQso()});
        QVERIFY(exportCurrent("DFCF 89010").ok());
        const QList<QByteArray> lines = readBytes(platform->file("DFCF 89010.ctf")).split('\n');
        QCOMPARE(lines.size(), 4);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(lines.at(i).size(), kCTraficLineLength + 1);
        QCOMPARE(lines.at(1).mid(ctfIndex, expected.size()), expected);
        QCOMPARE(lines.at(0), lines.at(2));
        QVERIFY(lines.at(0).contains("H\xe9l\xe8ne"));
    }

    // The disk fills up during the export: the former .ctf stays whole.
    void failedExportKeepsTheFormerFile()
    {
        QStringList log;
        for (int i = 0; i < 40; ++i)
            log.append(cwQso());
        writeFile(platform->file("DFCF 89010.txt"), log);
        const QByteArray former = "former export\r\n";
        QFile file(platform->file("DFCF 89010.ctf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(former);
        file.close();
        const QString message = testing::inChildWithFileSizeLimit(4096, [&] {
            const auto failure = exportCTraficFile(platform->folder(), "DFCF 89010");
            return failure ? failure->message : QString();
        });
        QCOMPARE(message, QString("Erreur  61"));
        QCOMPARE(readBytes(platform->file("DFCF 89010.ctf")), former);
        QCOMPARE(testing::scratchFiles(platform->folder()), QStringList());
    }

    void writesFileOfCurrentActivation()
    {
        writeFile(platform->file("DFCF 89010.txt"), {cwQso("7"), cwQso("144", "F4ABCDEFGHIJ")});
        const ExportOutcome outcome = exportCurrent("DFCF 89010");
        QVERIFY(outcome.ok());
        QCOMPARE(platform->dialogs.messages,
                 QStringList{"Le fichier a été crée sous le nom DFCF 89010.ctf"});
        QVERIFY(!QFile::exists(platform->file("OTHER.ctf")));
        const QByteArray bytes = readBytes(platform->file("DFCF 89010.ctf"));
        const QList<QByteArray> lines = bytes.split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines.last().isEmpty());
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(lines.at(i).size(), kCTraficLineLength + 1);
            QVERIFY(lines.at(i).endsWith("*\r"));
        }
        // The log's own characters, in the files' 8-bit set.
        QVERIFY(bytes.contains("H\xe9l\xe8ne"));
        QCOMPARE(lines.at(1).mid(10, 17), QByteArray("F4ABCDEFGHIJ08:35"));
        QCOMPARE(lines.at(1).mid(49, 8), QByteArray("144 Mhz "));
    }

    void emptyLogGivesEmptyFile()
    {
        writeFile(platform->file("DFCF 89010.txt"), {});
        QVERIFY(exportCurrent("DFCF 89010").ok());
        QVERIFY(QFile::exists(platform->file("DFCF 89010.ctf")));
        QCOMPARE(readBytes(platform->file("DFCF 89010.ctf")), QByteArray());
    }

    void missingLogIsToldAndWritesNothing()
    {
        const ExportOutcome outcome = exportCurrent("DFCF 89010");
        QVERIFY(!outcome.ok());
        QCOMPARE(platform->dialogs.messages, QStringList{"Erreur  53"});
        QVERIFY(!QFile::exists(platform->file("DFCF 89010.ctf")));
    }
};

ORVEL_TEST_CLASS(TestCTraficExport)
#include "tst_ctrafic.moc"
