#include "common/TextFile.h"
#include "records/Activation.h"
#include "records/CurrentLog.h"
#include "records/QsoLine.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"
#include "views/CountryTable.h"
#include "views/CtyConversion.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace orvel;
using orvel::testing::TestPlatform;
using orvel::testing::writeFile;

namespace {

QString qso(const QString &call)
{
    return formatQsoLine({"05/09/13", "08:35", call, "", "", "59", "59", "SSB", "14", "", ""});
}

QString lookupCode(const QStringList &table, const QString &call)
{
    const CountryTable read(table);
    const CountryEntry *found = read.lookup(call);
    return found ? found->code : QStringLiteral("-");
}

// An extract of cty.dat as the country-file author writes it.
const char *const kCtyExtract =
    "Spain:                    14:  37:  EU:   40.32:     3.43:    -1.0:  EA:\n"
    "    AM,EA,EB,=AN400L,=EA5URE/P;\n"
    "Canary Islands:           33:  36:  AF:   28.32:    15.85:     0.0:  EA8:\n"
    "    AM8,EA8,=EA1HUO/8,\n"
    "    =EA5XX/8;\n"
    "European Turkey:          20:  39:  EU:   41.02:   -28.97:    -2.0:  *TA1:\n"
    "    TA1,TB1,=TA2ZF/1;\n"
    "Canada:                   05:  09:  NA:   44.35:    78.75:     5.0:  VE:\n"
    "    VE,VE8(1)[2],VO2(2)[9]<52.0/60.0>{NA}~4.0~,VY9;\n"
    "Long Code Island:         33:  36:  AF:   28.32:    15.85:     0.0:  3D2/cx:\n"
    "    3D2C;\n";

} // namespace

class TestCountries : public QObject
{
    Q_OBJECT

private slots:
    void firstMatchingLineWins_data()
    {
        QTest::addColumn<QStringList>("table");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("code");
        const QStringList ea8First{"EA8;Canary Islands;EA8;AF", "EA;Spain;EA;EU"};
        const QStringList eaFirst{"EA;Spain;EA;EU", "EA8;Canary Islands;EA8;AF"};
        QTest::newRow("EA8 before EA, Canary call") << ea8First << "EA8ABC"
                                                    << "EA8";
        QTest::newRow("EA8 before EA, Spanish call") << ea8First << "EA1XYZ"
                                                     << "EA";
        QTest::newRow("EA before EA8: EA wins") << eaFirst << "EA8ABC"
                                                << "EA";
        QTest::newRow("empty prefix first matches all")
            << QStringList{";Nowhere;NW;", "F;France;F;EU"} << "F5ABC"
            << "NW";
        QTest::newRow("empty prefix last catches the rest")
            << QStringList{"F;France;F;EU", ";Nowhere;NW;"} << "ON4AB"
            << "NW";
        QTest::newRow("case-sensitive") << QStringList{"f;France;F;EU"} << "F5ABC"
                                        << "-";
        QTest::newRow("prefix longer than the call") << QStringList{"F5ABCD;X;X;"} << "F5ABC"
                                                     << "-";
        QTest::newRow("repeated prefix: first line")
            << QStringList{"F;France;F;", "F;Other;O;"} << "F1A"
            << "F";
        QTest::newRow("line without three separators skipped")
            << QStringList{"F;France;F", "F;France;FR;"} << "F1A"
            << "FR";
        QTest::newRow("code cut to 5") << QStringList{"VK9;Island;VK9XYZ;OC"} << "VK9AA"
                                       << "VK9XY";
    }
    void firstMatchingLineWins()
    {
        QFETCH(QStringList, table);
        QFETCH(QString, call);
        QFETCH(QString, code);
        QCOMPARE(lookupCode(table, call), code);
    }

    void fieldFourIsTheRestOfTheLine()
    {
        const auto entry = parseCountryLine(u"EA8;Canary Islands;EA8;AF;33;36;28.32");
        QVERIFY(entry);
        QCOMPARE(entry->rest, QString("AF;33;36;28.32"));
        QVERIFY(!parseCountryLine(u"EA8;Canary Islands;EA8"));
    }

    void listsEachCountryOnce_data()
    {
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("no QSO") << QStringList{} << QStringList{};
        QTest::newRow("two calls of one country")
            << QStringList{"F5ABC", "F6XYZ"} << QStringList{"F     France"};
        QTest::newRow("sorted by code")
            << QStringList{"ON4AB", "EA8ZZ", "F5ABC", "EA1AA"}
            << QStringList{"EA    Spain", "EA8   Canary Islands", "F     France", "ON    Belgium"};
        QTest::newRow("code of exactly 5 characters")
            << QStringList{"3D2CAB"} << QStringList{"3D2/c Conway Reef"};
        QTest::newRow("unknown calls, once") << QStringList{"Q1XYZ", "Q2ABC", "F5ABC"}
                                             << QStringList{"?     Pays inconnu", "F     France"};
        QTest::newRow("a shared code named by the first QSO's line")
            << QStringList{"TK5ZZ", "F5ABC", "TK5ZZ"} << QStringList{"F     Corsica"};
        QTest::newRow("a shared code named by the first QSO's line, other order")
            << QStringList{"F5ABC", "TK5ZZ"} << QStringList{"F     France"};
    }
    void listsEachCountryOnce()
    {
        QFETCH(QStringList, calls);
        QFETCH(QStringList, entries);
        const CountryTable table({"3D2C;Conway Reef;3D2/c;OC", "EA8;Canary Islands;EA8;AF",
                                  "EA;Spain;EA;EU", "TK;Corsica;F;EU", "F;France;F;EU",
                                  "ON;Belgium;ON;EU"});
        QStringList lines;
        for (const QString &call : calls)
            lines.append(qso(call));
        QCOMPARE(countriesContacted(lines, table), entries);
        // The window and the command add a log's call signs as the log gives them.
        TestPlatform platform;
        writeFile(platform.file("DFCF 1.txt"), lines);
        CurrentLog log{LogFiles(platform.folder())};
        log.load("DFCF 1");
        CountriesContacted countries(table);
        for (const QString &call : log.distinctCalls())
            countries.addCall(call);
        QCOMPARE(countries.entries(), entries);
    }

    // A table that is not one is told, never read as a table where every call sign is
    // "Pays inconnu"; a table with a few stray lines is still read.
    void tellsATableThatCannotBeUsed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        const QString notATable = "n'est pas une table des pays (lignes « préfixe;pays;code;... »)";
        QTest::newRow("usual table") << QByteArray("F;France;F;EU\r\nEA;Spain;EA;EU\r\n") << "file"
                                     << "";
        QTest::newRow("a stray line among the table")
            << QByteArray("F;France;F;EU\r\nEA;Spain;EA;EU\r\nnote\r\n") << "file"
            << "";
        QTest::newRow("binary file") << QByteArray("\x7f"
                                                   "ELF\x02\x01\x01\0\0\0;;;\n\x90\x90",
                                                   16)
                                     << "file" << notATable;
        QTest::newRow("text of another kind")
            << QByteArray("Bonjour,\r\nvoici ma liste\r\nF;France;F;EU\r\nde pays\r\n") << "file"
            << notATable;
        QTest::newRow("empty file") << QByteArray() << "file" << notATable;
        QTest::newRow("folder") << QByteArray() << "folder"
                                << "ne peut pas être lue (c'est un dossier)";
#ifndef Q_OS_WIN
        QTest::newRow("pipe") << QByteArray() << "pipe"
                              << "ne peut pas être lue (ce n'est pas un fichier ordinaire";
#endif
        QTest::newRow("missing") << QByteArray() << "missing"
                                 << "est introuvable";
    }
    void tellsATableThatCannotBeUsed()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, kind);
        QFETCH(QString, message);
        TestPlatform p;
        const QString path = p.file("Continents_DXCC.csv");
        if (kind == "file") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        } else if (kind == "folder") {
            QVERIFY(QDir().mkdir(path));
        } else if (kind == "pipe") {
#ifndef Q_OS_WIN
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
#endif
        }

        const CountryTableRead read = readCountryTable(p.folder());

        QCOMPARE(read.found, message.isEmpty());
        QVERIFY2(read.message.contains(message), qPrintable(read.message));
        if (!message.isEmpty()) {
            QVERIFY(read.message.contains(QDir::toNativeSeparators(path)));
            QVERIFY(read.message.contains("la liste des pays contactés reste vide"));
            QVERIFY(read.table.entries().isEmpty());
        } else {
            QCOMPARE(countriesContacted({qso("F5ABC")}, read.table), QStringList{"F     France"});
        }
    }

    void aMissingTableIsToldByName()
    {
        TestPlatform p;
        const CountryTableRead read = readCountryTable(p.folder());
        QVERIFY(!read.found);
        QVERIFY(read.message.contains("Continents_DXCC.csv"));
        QVERIFY(read.table.entries().isEmpty());
    }

    void convertsTheCountryFile()
    {
        const CtyConversion conversion = convertCtyDat(QString::fromLatin1(kCtyExtract));
        QVERIFY2(conversion.ok(), qPrintable(conversion.error));
        QCOMPARE(conversion.countries, 5);
        QCOMPARE(conversion.exactCallsLeftOut, 5);
        const QStringList expected{"3D2C;Long Code Island;3D2/c;AF;33;36;28.32;15.85;0.0",
                                   "AM8;Canary Islands;EA8;AF;33;36;28.32;15.85;0.0",
                                   "EA8;Canary Islands;EA8;AF;33;36;28.32;15.85;0.0",
                                   "TA1;European Turkey;TA1;EU;20;39;41.02;-28.97;-2.0",
                                   "TB1;European Turkey;TA1;EU;20;39;41.02;-28.97;-2.0",
                                   "VE8;Canada;VE;NA;1;2;44.35;78.75;5.0",
                                   "VO2;Canada;VE;NA;2;9;52.0;60.0;4.0",
                                   "VY9;Canada;VE;NA;05;09;44.35;78.75;5.0",
                                   "AM;Spain;EA;EU;14;37;40.32;3.43;-1.0",
                                   "EA;Spain;EA;EU;14;37;40.32;3.43;-1.0",
                                   "EB;Spain;EA;EU;14;37;40.32;3.43;-1.0",
                                   "VE;Canada;VE;NA;05;09;44.35;78.75;5.0"};
        QCOMPARE(conversion.lines, expected);
        // Longest match first: the generated order makes the first match the right one.
        QCOMPARE(lookupCode(conversion.lines, "EA8BH"), QString("EA8"));
        QCOMPARE(lookupCode(conversion.lines, "EA5URE"), QString("EA"));
    }

    void refusesABrokenCountryFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("list without its end")
            << "Spain: 14: 37: EU: 40.32: 3.43: -1.0: EA:\n    EA,EB\n"
            << "cty.dat, ligne 1 : la liste des préfixes de Spain ne finit pas par « ; ».";
        QTest::newRow("short header")
            << "Spain: 14: 37: EU: 40.32:\n    EA;\n"
            << "cty.dat, ligne 1 : l'en-tête du pays n'a pas ses huit champs terminés par « : ».";
        QTest::newRow("unreadable prefix")
            << "Spain: 14: 37: EU: 40.32: 3.43: -1.0: EA:\n    EA,\n    E A;\n"
            << "cty.dat, ligne 3 : préfixe illisible « E A ».";
        QTest::newRow("no prefix at all") << ""
                                          << "cty.dat ne contient aucun préfixe.";
        QTest::newRow("line of a file with CR alone")
            << "Spain: 14: 37: EU: 40.32: 3.43: -1.0: EA:\r    EA,\r    E A;\r"
            << "cty.dat, ligne 3 : préfixe illisible « E A ».";
        QTest::newRow("header cut by a CR alone")
            << "Spain: 14: 37: EU:\r 40.32: 3.43: -1.0: EA:\r    EA;\r"
            << "cty.dat, ligne 1 : l'en-tête du pays n'a pas ses huit champs terminés par « : ».";
    }
    void refusesABrokenCountryFile()
    {
        QFETCH(QString, text);
        QFETCH(QString, error);
        const CtyConversion conversion = convertCtyDat(text);
        QCOMPARE(conversion.error, error);
        QVERIFY(conversion.lines.isEmpty());
    }

    // The file Debian ships, whole: every line it gives is a valid table line.
    void convertsDebiansWholeCountryFile()
    {
        QFile file("/usr/share/hamradio-files/cty.dat");
        QVERIFY2(file.open(QIODevice::ReadOnly), "tools/setup.sh installs hamradio-files");
        const CtyConversion conversion = convertCtyDat(QString::fromLatin1(file.readAll()));
        QVERIFY2(conversion.ok(), qPrintable(conversion.error));
        QVERIFY(conversion.countries > 300);
        QVERIFY(conversion.lines.size() > 5000);
        qsizetype previousLength = 5;
        for (const QString &line : conversion.lines) {
            QCOMPARE(line.count(';'), 8);
            const auto entry = parseCountryLine(line);
            QVERIFY(entry && !entry->prefix.isEmpty() && !entry->name.isEmpty());
            QVERIFY2(!entry->code.isEmpty() && !entry->code.contains('*'), qPrintable(line));
            QVERIFY2(entry->prefix.size() <= previousLength, qPrintable(line));
            previousLength = entry->prefix.size();
        }
    }

    // Whatever its line ends, a large file converts in one pass: CR alone, or no line end at
    // all. The same entities come out as from the file with its usual line ends.
    void convertsInLinearTimeWhateverTheLineEnds_data()
    {
        QTest::addColumn<QString>("lineEnd");
        QTest::newRow("CR alone") << "\r";
        QTest::newRow("one single line") << " ";
    }
    void convertsInLinearTimeWhateverTheLineEnds()
    {
        QFETCH(QString, lineEnd);
        QFile file("/usr/share/hamradio-files/cty.dat");
        QVERIFY2(file.open(QIODevice::ReadOnly), "tools/setup.sh installs hamradio-files");
        QString text = QString::fromLatin1(file.readAll());
        text.remove('\r');
        const CtyConversion usual = convertCtyDat(text);
        QVERIFY2(usual.ok(), qPrintable(usual.error));
        // About 5 MB, which took half a minute to read when each header looked for the next LF.
        QString large;
        for (int copy = 0; copy < 16; ++copy)
            large += text;
        large.replace('\n', lineEnd);
        QElapsedTimer timer;
        timer.start();

        const CtyConversion converted = convertCtyDat(large);

        QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY2(converted.ok(), qPrintable(converted.error));
        QCOMPARE(converted.lines, usual.lines);
        QCOMPARE(converted.countries, 16 * usual.countries);
    }

    void theBuiltInTableFindsTheCountries_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("entry");
        QTest::newRow("France") << "F5ABC"
                                << "F     France";
        QTest::newRow("Corsica") << "TK5XX"
                                 << "TK    Corsica";
        QTest::newRow("Canary Islands, not Spain") << "EA8ABC"
                                                   << "EA8   Canary Islands";
        QTest::newRow("Spain") << "EA3XYZ"
                               << "EA    Spain";
    }
    void theBuiltInTableFindsTheCountries()
    {
        QFETCH(QString, call);
        QFETCH(QString, entry);
        QCOMPARE(countriesContacted({qso(call)}, CountryTable(builtInCountryTable())),
                 QStringList{entry});
    }

    void theBuiltInTableIsWrittenOnlyWhereNoneIs()
    {
        TestPlatform p;
        bool written = false;
        QVERIFY(installCountryTable(p.folder(), &written));
        QVERIFY(written);
        QCOMPARE(readLines(p.file("Continents_DXCC.csv")), builtInCountryTable());

        // The user's own table stays as it is.
        writeFile(p.file("Continents_DXCC.csv"), {"F;Ma France;F;EU"});
        QVERIFY(installCountryTable(p.folder(), &written));
        QVERIFY(!written);
        QCOMPARE(readLines(p.file("Continents_DXCC.csv")), QStringList{"F;Ma France;F;EU"});
    }
};

ORVEL_TEST_CLASS(TestCountries)
#include "tst_countries.moc"
