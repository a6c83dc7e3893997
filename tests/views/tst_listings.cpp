#include "records/Activation.h"
#include "records/ActivationList.h"
#include "records/CurrentLog.h"
#include "records/QsoLine.h"
#include "records/Session.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"
#include "views/ListingFiles.h"
#include "views/Listings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <algorithm>
#include <numeric>

using namespace orvel;

Q_DECLARE_METATYPE(QList<orvel::ColumnTitle>)
using orvel::testing::readBytes;
using orvel::testing::TestPlatform;
using orvel::testing::writeFile;

namespace {

const QString kCastle = QStringLiteral("DFCF 89010");
const QString kMill = QStringLiteral("DMF 89-001");

Activation activation(const QString &reference, const QString &type, const QString &name,
                      const QString &canton, const QString &postalCode, const QString &date,
                      const QString &commune)
{
    return {reference, "Q9ABC/P", name, canton, postalCode, type, date, commune, ""};
}

QString qso(const QString &date, const QString &time, const QString &call,
            const QString &department, const QString &mode, const QString &band,
            const QString &remarks = {})
{
    return formatQsoLine(
        {date, time, call, department, "Jean", "59", "59", mode, band, remarks, "Q9ABC"});
}

// The expected text of a golden file, with the credit line of this revision in place of its
// token.
QByteArray golden(const QString &name)
{
    QFile file(QStringLiteral(ORVEL_VIEWS_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    bytes.replace("{{credit}}", creditLine().toLatin1());
    return bytes;
}

// Two activations of one group: a castle whose reference stands on two lines (the log
// listing takes the first, the alphanumeric listing the last), and a mill registered in the
// older 93-character layout (no commune).
struct ListingDesk {
    TestPlatform platform;
    Session session{platform.folder()};

    explicit ListingDesk(const QStringList &log, const QStringList &open = {kCastle, kMill})
    {
        const Activation castle = activation(kCastle, "Château", "Château de Brivo", "0912",
                                             "89000", "05/09/13", "Auxerre");
        Activation secondCastle = castle;
        secondCastle.name = "Brivo, seconde ligne";
        const QString mill = formatActivationLine(activation(kMill, "Moulin", "Moulin de Brivo",
                                                             "0913", "89100", "04/09/13", "Sens"))
                                 .left(kOldActivationLineLength);
        writeFile(
            platform.file(kActivationListFile),
            {formatActivationLine(castle), formatActivationLine(secondCastle), mill, "<eol>", "2"});
        if (!log.isEmpty())
            writeFile(platform.file(kCastle + ".txt"), log);
        session.open(castle, open);
    }

    QList<Listing> logListings() const
    {
        QList<Listing> listings;
        [&] { QVERIFY(buildLogListings(session, QDate(2026, 12, 6), listings)); }();
        return listings;
    }
    QList<Listing> alphaListings() const
    {
        QList<Listing> listings;
        [&] { QVERIFY(buildAlphaListings(session, listings)); }();
        return listings;
    }
    // Saves and returns the bytes of each file written.
    QList<QByteArray> save(const QList<Listing> &listings, QStringList *messages = nullptr)
    {
        saveListings(platform.folder(), listings, [&](const QString &message, bool) {
            if (messages)
                messages->append(message);
        });
        QList<QByteArray> files;
        for (const Listing &listing : listings)
            files.append(readBytes(platform.file(listing.fileName)));
        return files;
    }
};

} // namespace

class TestListings : public QObject
{
    Q_OBJECT

private slots:
    void savedLogListingsMatchTheirGoldenFiles_data()
    {
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QStringList>("open");
        QTest::addColumn<QStringList>("fileNames");
        QTest::addColumn<QStringList>("goldens");
        QTest::newRow("an empty log: headings, count and credit only")
            << QStringList() << QStringList{kCastle} << QStringList{kCastle + "_06_12_26.txt"}
            << QStringList{"log_empty.txt"};
        QStringList twelve;
        for (int i = 0; i < 12; ++i)
            twelve << qso("05/09/13", QString("08:%1").arg(10 + i), i % 2 ? "F4KLA" : "ON4ABC",
                          i % 2 ? "89" : "", "SSB", "7");
        twelve << qso("05/09/13", "09:00", "F4KLA", "89", "CW", "144", "TNX QSO");
        QTest::newRow("two open activations: the same QSOs under two headings")
            << twelve << QStringList{kCastle, kMill}
            << QStringList{kCastle + "_06_12_26.txt", kMill + "_06_12_26.txt"}
            << QStringList{"log_castle.txt", "log_mill.txt"};
    }
    void savedLogListingsMatchTheirGoldenFiles()
    {
        QFETCH(QStringList, log);
        QFETCH(QStringList, open);
        QFETCH(QStringList, fileNames);
        QFETCH(QStringList, goldens);
        ListingDesk desk(log, open);
        QStringList messages;

        const QList<Listing> listings = desk.logListings();
        const QList<QByteArray> files = desk.save(listings, &messages);

        QCOMPARE(listings.size(), goldens.size());
        for (int i = 0; i < goldens.size(); ++i) {
            QCOMPARE(listings.at(i).fileName, fileNames.at(i));
            QCOMPARE(files.at(i), golden(goldens.at(i)));
            QCOMPARE(messages.at(i), "Le log a été sauvegardé sous le nom : " + fileNames.at(i));
        }
    }

    void savedAlphaListingsMatchTheirGoldenFiles()
    {
        const QString twice = qso("05/09/13", "08:35", "F4KLA", "89", "SSB", "7");
        ListingDesk desk({twice, qso("06/09/13", "09:00", "ON4ABC", "", "SSB", "7"), twice,
                          qso("05/09/13", "08:40", "F4KLA", "89", "CW", "14"),
                          qso("05/09/13", "08:45", "ea3xyz", "", "SSB", "7")});

        const QList<Listing> listings = desk.alphaListings();
        const QList<QByteArray> files = desk.save(listings);

        QCOMPARE(listings.size(), 2);
        QCOMPARE(listings.at(0).fileName, kCastle + "_05_09_13 Alpha.txt");
        QCOMPARE(listings.at(1).fileName, kMill + "_05_09_13 Alpha.txt");
        QCOMPARE(files.at(0), golden("alpha_castle.txt"));
        // The mill's older line holds no commune: "   Commune " ends its second heading line.
        QCOMPARE(files.at(1), golden("alpha_mill.txt"));
    }

    void listEntriesNumberRightAlignedInFiveColumns_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("1") << 1 << "    1  ";
        QTest::newRow("12: three blanks, then 12") << 12 << "   12  ";
        QTest::newRow("99999") << 99999 << "99999  ";
    }
    void listEntriesNumberRightAlignedInFiveColumns()
    {
        QFETCH(int, number);
        QFETCH(QString, prefix);
        const QString line = qso("05/09/13", "08:35", "F4KLA", "89", "SSB", "7");
        QCOMPARE(logListEntry(number, line), prefix + line);
    }

    void alphaLogSortsByCallThenRestOfLineAndDropsRepeatedLines()
    {
        const QString cwLater = qso("06/09/13", "10:00", "F4KLA", "89", "CW", "14");
        const QString ssbEarlier = qso("05/09/13", "08:00", "F4KLA", "89", "SSB", "7");
        const QString lowerCase = qso("05/09/13", "08:05", "f4kla", "89", "SSB", "7");
        const QString other = qso("05/09/13", "08:10", "EA3XYZ", "", "SSB", "7");

        const QStringList entries =
            alphaListEntries({ssbEarlier, lowerCase, cwLater, other, ssbEarlier, lowerCase});

        // One call sign: CW before SSB whatever the dates; letter case only breaks ties.
        QCOMPARE(entries, QStringList({logListEntry(1, other), logListEntry(2, cwLater),
                                       logListEntry(3, ssbEarlier), logListEntry(4, lowerCase)}));
    }

    void operatorListKeepsEachCallOnceInListingOrder()
    {
        QString blank = qso("05/09/13", "08:00", "", "", "SSB", "7");
        const QStringList lines{qso("05/09/13", "08:00", "ON4ABC", "", "SSB", "7"),
                                qso("05/09/13", "08:01", "f4kla", "", "SSB", "7"),
                                qso("05/09/13", "08:02", "F4KLA", "", "SSB", "7"),
                                blank,
                                qso("05/09/13", "08:03", "F4KLA", "", "CW", "7"),
                                qso("05/09/13", "08:04", "EA3XYZ", "", "SSB", "7")};

        const QStringList calls = operatorList(lines);

        QCOMPARE(calls, QStringList({"EA3XYZ", "F4KLA", "f4kla", "ON4ABC"}));
        QCOMPARE(calls.size(), countOperators(lines));
        QCOMPARE(operatorCountText(0), QString(" 0 opérateurs"));
    }

    // The open list windows place each new QSO instead of sorting the log again: QSOs added one
    // by one give the lists of the whole log, with repeated lines, letter cases, accents and
    // lines without a call sign.
    void aNewQsoTakesThePlaceTheWholeSortGivesIt()
    {
        const QStringList calls{"F4KLA", "f4kla", "EA3XYZ", "ÉA3XYZ", "", "ON4ABC", "F4KL", "F4KLA/P"};
        const QStringList modes{"SSB", "CW"};
        QRandomGenerator random(1215);
        QStringList lines;
        QList<qsizetype> order;
        QStringList operators;
        // The same places on the log as stored, as the alphanumeric log's window finds them.
        TestPlatform platform;
        CurrentLog log{LogFiles(platform.folder())};
        log.load("A");
        for (int i = 0; i < 300; ++i) {
            const QString line = qso(QStringLiteral("0%1/09/13").arg(random.bounded(1, 4)),
                                     QStringLiteral("08:0%1").arg(random.bounded(3)),
                                     calls.at(random.bounded(calls.size())), "89",
                                     modes.at(random.bounded(modes.size())), "7");
            const qsizetype row = alphaListPlace(lines, order, line);
            QVERIFY(appendLines(platform.file("A.txt"), {line}).ok);
            QVERIFY(log.appended(line));
            QCOMPARE(alphaListPlace(log, order, log.size() - 1), row);
            if (row >= 0)
                order.insert(row, lines.size());
            const qsizetype operatorRow = operatorListPlace(operators, line);
            if (operatorRow >= 0)
                operators.insert(operatorRow, qsoField(line, qsocol::kCall).toString());
            lines.append(line);
            QCOMPARE(order, alphaListOrder(lines));
            QCOMPARE(operators, operatorList(lines));
            // The same list from the call signs alone, each given twice, the empty one too.
            QStringList calls;
            for (const QString &added : std::as_const(lines))
                calls << qsoField(added, qsocol::kCall).toString();
            QCOMPARE(operatorListOfCalls(calls + calls), operators);
        }
    }

    // The alphanumeric order against a plain sort on whole folded texts: call signs and first
    // names with characters at and past 255 (ÿ, Œ, œ, Ÿ) and lines that differ only far into the
    // line (the remarks) or in letter case alone. Enough lines for the sort to share its work
    // between two threads.
    void alphaOrderIsTheOrderOfTheWholeFoldedLines()
    {
        const QStringList calls{"F4KLA", "f4kla", "ŒA1", "œa1", "ÿA1", "ŸA1", "OEA1", "F4KLA/P"};
        const QStringList remarks{"", "Château", "château", "Chateau", "Œuvre", "œuvre", "5 €",
                                  "µ"};
        QRandomGenerator random(4471);
        // Lines too short to reach the call sign, as another program may leave them, and
        // lines far longer than a QSO's, alike but for their last character.
        const QString longLine = qso("05/09/13", "08:00", "F4KLA", "89", "SSB", "7") + QString(400, 'x');
        QStringList lines{"05/09/13  08:00", "Zoé", longLine + "b", longLine + "A", longLine + "b",
                          longLine + "a"};
        for (int i = 0; i < 25000; ++i) {
            lines.append(qso(QStringLiteral("0%1/09/13").arg(random.bounded(1, 3)),
                             QStringLiteral("08:%1").arg(random.bounded(10, 13)),
                             random.bounded(2) ? calls.at(random.bounded(calls.size()))
                                               : QStringLiteral("F%1K").arg(random.bounded(1000)),
                             "89", "SSB", "7", remarks.at(random.bounded(remarks.size()))));
        }
        lines.append(QStringLiteral("06/09/13"));
        std::vector<QString> folded;
        std::vector<QString> asTyped;
        for (const QString &line : std::as_const(lines)) {
            const QString key = line.mid(qsocol::kCall.first - 1) + QLatin1Char(' ') +
                                line.left(qsocol::kCall.first - 1);
            QString text;
            for (const QChar c : key)
                text += c.unicode() < 0x80 ? QChar(c.toLower()) : c.toCaseFolded();
            folded.push_back(text);
            asTyped.push_back(line.mid(qsocol::kCall.first - 1) + line);
        }
        QList<qsizetype> expected(lines.size());
        std::iota(expected.begin(), expected.end(), 0);
        std::stable_sort(expected.begin(), expected.end(), [&](qsizetype a, qsizetype b) {
            if (folded[size_t(a)] != folded[size_t(b)])
                return folded[size_t(a)] < folded[size_t(b)];
            return asTyped[size_t(a)] < asTyped[size_t(b)];
        });
        expected.erase(std::unique(expected.begin(), expected.end(),
                                   [&](qsizetype a, qsizetype b) { return lines.at(a) == lines.at(b); }),
                       expected.end());

        QCOMPARE(alphaListOrder(lines), expected);

        // The same order on the log as stored, read from its file.
        TestPlatform platform;
        writeFile(platform.file("A.txt"), lines);
        CurrentLog log{LogFiles(platform.folder())};
        log.load("A");
        QCOMPARE(log.copyOfLines(), lines);
        QCOMPARE(alphaListOrder(log), expected);
        QCOMPARE(alphaListOrder(log.rows()), expected);

        // The operators of the same lines, the lines too short for a call sign left out.
        QSet<QString> seen;
        QStringList distinct;
        for (const QString &line : std::as_const(lines)) {
            const QString call = qsoField(line, qsocol::kCall).toString();
            if (!call.isEmpty() && !seen.contains(call)) {
                seen.insert(call);
                distinct.append(call);
            }
        }
        const auto foldedText = [](const QString &text) {
            QString result;
            for (const QChar c : text)
                result += c.unicode() < 0x80 ? QChar(c.toLower()) : c.toCaseFolded();
            return result;
        };
        std::sort(distinct.begin(), distinct.end(), [&](const QString &a, const QString &b) {
            const QString fa = foldedText(a);
            const QString fb = foldedText(b);
            return fa != fb ? fa < fb : a < b;
        });
        QCOMPARE(operatorList(lines), distinct);
    }

    void aReferenceWithoutItsLineGetsEmptyHeadingFields()
    {
        ListingDesk desk({}, {"DCPF 00000", kCastle});

        const QList<Listing> listings = desk.logListings();

        QCOMPARE(listings.at(0).lines().at(0),
                 QString("        le 05/09/13 du DCPF 00000 le  par Q9ABC/P"));
        QCOMPARE(listings.at(0).lines().at(2),
                 QString("                N° du Canton    Code Postal     Commune Auxerre"));
        QCOMPARE(listings.at(1).lines().at(0),
                 QString("       Château le 05/09/13 du DFCF 89010 le Château de Brivo par "
                         "Q9ABC/P"));
    }

    void fileNamesTakeTheDayOrTheActivationDate_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("dd/mm/yy") << "05/09/13"
                                  << "DFCF 89010_05_09_13 Alpha.txt";
        QTest::newRow("no folder separator ever") << "5/9/2013"
                                                  << "DFCF 89010_5___2_13 Alpha.txt";
    }
    void fileNamesTakeTheDayOrTheActivationDate()
    {
        QFETCH(QString, date);
        QFETCH(QString, fileName);
        QCOMPARE(alphaListingFileName(kCastle, date), fileName);
        QCOMPARE(logListingFileName(kCastle, QDate(2026, 1, 6)), kCastle + "_06_01_26.txt");
    }

    void aFileThatCannotBeWrittenIsToldAndTheOthersAreStillSaved()
    {
        ListingDesk desk({qso("05/09/13", "08:35", "F4KLA", "89", "SSB", "7")});
        // A folder in the way of the castle's file.
        QVERIFY(QDir(desk.platform.folder()).mkdir(kCastle + "_06_12_26.txt"));
        QStringList messages;

        const ListingSaveOutcome outcome =
            saveListings(desk.platform.folder(), desk.logListings(),
                         [&](const QString &message, bool) { messages.append(message); });

        QCOMPARE(outcome.failedFiles, QStringList{kCastle + "_06_12_26.txt"});
        QCOMPARE(outcome.writtenFiles, QStringList{kMill + "_06_12_26.txt"});
        QCOMPARE(messages.size(), 2);
        QVERIFY(messages.at(0).startsWith(
            "Le log n'a pas pu être sauvegardé sous le nom : " + kCastle + "_06_12_26.txt\n"));
        QCOMPARE(messages.at(1),
                 "Le log a été sauvegardé sous le nom : " + kMill + "_06_12_26.txt");
    }

    // A hand-edited list may group the castle with a reference that is a path, holds a NUL or
    // names a file of the program: no file is named after it, the castle's listing is saved.
    void aReferenceThatCannotNameAFileIsToldAndTheOthersAreSaved_data()
    {
        QTest::addColumn<QString>("hostile");
        QTest::addColumn<QString>("why");
        QTest::newRow("parent folder")
            << "../b"
            << "Attention le caractere '/' est interdit dans la référence";
        QTest::newRow("absolute path")
            << "/tmp/orvel-listing"
            << "Attention le caractere '/' est interdit dans la référence";
        QTest::newRow("NUL before another log's name") << QString("DMF 2.txt") + QChar(0) + "x"
                                                       << "Caractère de contrôle (code 0) refusé";
        QTest::newRow("first-name memory")
            << "Liste_Prenom"
            << "Attention « Liste_Prenom » est le nom d'un fichier du programme : il ne peut pas "
               "servir de référence";
    }
    void aReferenceThatCannotNameAFileIsToldAndTheOthersAreSaved()
    {
        QFETCH(QString, hostile);
        QFETCH(QString, why);
        ListingDesk desk({qso("05/09/13", "08:35", "F4KLA", "89", "SSB", "7")}, {hostile, kCastle});
        writeFile(desk.platform.file("DMF 2.txt"),
                  {qso("05/09/13", "08:00", "F1AAA", "89", "SSB", "7")});
        const QByteArray otherLog = readBytes(desk.platform.file("DMF 2.txt"));
        const QStringList before = QDir(desk.platform.folder()).entryList(QDir::Files);
        QStringList messages;

        for (const QList<Listing> &listings : {desk.logListings(), desk.alphaListings()}) {
            const ListingSaveOutcome outcome =
                saveListings(desk.platform.folder(), listings,
                             [&](const QString &message, bool) { messages.append(message); });
            QCOMPARE(outcome.refusedReferences, QStringList{hostile});
            QCOMPARE(outcome.writtenFiles.size(), 1);
            QVERIFY(outcome.writtenFiles.first().startsWith(kCastle + "_"));
            QVERIFY(!outcome.ok());
        }

        const QString refusal = listingRefusedMessage(hostile, why);
        QCOMPARE(messages,
                 (QStringList{refusal, listingSavedMessage(kCastle + "_06_12_26.txt"), refusal,
                              listingSavedMessage(kCastle + "_05_09_13 Alpha.txt")}));
        QVERIFY(refusal.contains(why));
        QVERIFY(!refusal.contains(QChar(0)));
        QCOMPARE(readBytes(desk.platform.file("DMF 2.txt")), otherLog);
        QStringList after = QDir(desk.platform.folder()).entryList(QDir::Files);
        QStringList expected =
            before + QStringList{kCastle + "_05_09_13 Alpha.txt", kCastle + "_06_12_26.txt"};
        after.sort();
        expected.sort();
        QCOMPARE(after, expected);
        QVERIFY(!QFileInfo::exists(desk.platform.folder() + "/../b_06_12_26.txt"));
        QVERIFY(!QFileInfo::exists("/tmp/orvel-listing_06_12_26.txt"));
    }

    void anUnreadableLogGivesNoListing()
    {
        ListingDesk desk({});
        QVERIFY(QDir(desk.platform.folder()).mkdir(kCastle + ".txt"));
        QList<Listing> listings;

        const FileResult built = buildLogListings(desk.session, QDate(2026, 12, 6), listings);

        QVERIFY(!built);
        QCOMPARE(built.error, QString("Le log DFCF 89010.txt ne peut pas être lu (c'est un "
                                      "dossier) : aucune liste n'est faite."));
        QVERIFY(listings.isEmpty());
    }

    void thePrintJobIsOneDocumentPerReferenceInBoldCourierNew8Within10mm()
    {
        ListingDesk desk({qso("05/09/13", "08:35", "F4KLA", "89", "SSB", "7")});
        const QList<Listing> listings = desk.logListings();

        const PrintScript script = listingPrintScript(listings);

        using Kind = PrintOperation::Kind;
        const QList<PrintOperation> &ops = script.operations();
        QCOMPARE(ops.at(0), (PrintOperation{Kind::Margins, {}, 10}));
        QCOMPARE(ops.at(1), (PrintOperation{Kind::Font, "Courier New"}));
        QCOMPARE(ops.at(2), (PrintOperation{Kind::Bold, {}, 0, true}));
        QCOMPARE(ops.at(3), (PrintOperation{Kind::Size, {}, 8}));
        QCOMPARE(script.lines(), listings.at(0).lines() + listings.at(1).lines());
        const qsizetype firstEnd = 4 + listings.at(0).lines().size();
        QCOMPARE(ops.at(firstEnd).kind, Kind::EndDocument);
        QCOMPARE(ops.constLast().kind, Kind::EndDocument);
        QCOMPARE(ops.size(), firstEnd + 1 + listings.at(1).lines().size() + 1);
    }

    // Each heading is built from the line's column table: every title stands over the first
    // character of its column in the list's entries, the operator's included.
    void eachTitleStandsOverItsColumn_data()
    {
        QTest::addColumn<QList<ColumnTitle>>("titles");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("timeTitle");
        QTest::addColumn<QString>("numberEnd");
        const QString line = formatQsoLine({"05/09/13", "14:32", "Q4ABC", "76", "Jean", "59", "57",
                                            "SSB", "7", "QRP", "Q4OPE"});
        QTest::newRow("entry window") << listEntryTitles("Heure") << listEntry(1234, line)
                                      << "Heure" << "34";
        QTest::newRow("search results") << listEntryTitles("QTR") << listEntry(1234, line) << "QTR"
                                        << "34";
        QTest::newRow("log and alphanumeric log")
            << listColumnTitles() << logListEntry(12345, line) << "QTR" << "45";
    }
    void eachTitleStandsOverItsColumn()
    {
        QFETCH(QList<ColumnTitle>, titles);
        QFETCH(QString, entry);
        QFETCH(QString, timeTitle);
        QFETCH(QString, numberEnd);
        // What stands under each title, from the title's first character.
        const QList<std::pair<QString, QString>> under = {
            {"N°", numberEnd},     {"Date", "05/09/13"},  {timeTitle, "14:32"},
            {"Indicatif", "Q4ABC"}, {"Dpt", "76"},          {"Prenom", "Jean"},
            {"RST R", "    59"},    {"E", "57"},            {"Mode", "SSB"},
            {"Bande", "  7"},       {"Observations", "QRP"}, {"Opérateur", "Q4OPE"}};
        QCOMPARE(titles.size(), under.size());
        const QString heading = headingLine(titles);
        for (qsizetype i = 0; i < titles.size(); ++i) {
            const ColumnTitle &title = titles.at(i);
            QCOMPARE(title.text, under.at(i).first);
            QCOMPARE(heading.mid(title.start - 1, title.text.size()), title.text);
            QCOMPARE(entry.mid(title.start - 1, under.at(i).second.size()), under.at(i).second);
        }
    }
};

ORVEL_TEST_CLASS(TestListings)
#include "tst_listings.moc"
