#include "common/DateTimeText.h"
#include "common/FixedColumns.h"
#include "common/TextFile.h"
#include "common/Windows1252.h"
#include "records/LineLayout.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace orvel;

Q_DECLARE_METATYPE(QList<orvel::ColumnTitle>)

class TestCommon : public QObject
{
    Q_OBJECT

private slots:
    void headingTitlesStandAtTheirStart_data()
    {
        QTest::addColumn<QList<ColumnTitle>>("titles");
        QTest::addColumn<QString>("heading");
        QTest::newRow("apart") << QList<ColumnTitle>{{"N°", 3}, {"Date", 7}} << "  N°  Date";
        QTest::newRow("from the first character")
            << QList<ColumnTitle>{{"Date", 1}, {"QTR", 11}} << "Date      QTR";
        // A title that would reach into the one before keeps one blank after it.
        QTest::newRow("too close") << QList<ColumnTitle>{{"Observations", 1}, {"Op", 5}}
                                   << "Observations Op";
        QTest::newRow("none") << QList<ColumnTitle>{} << "";
    }
    void headingTitlesStandAtTheirStart()
    {
        QFETCH(QList<ColumnTitle>, titles);
        QFETCH(QString, heading);
        QCOMPARE(headingLine(titles), heading);
    }

    void cutsColumnsOfShortLinesWithoutFailing_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("expected");
        QTest::newRow("inside") << "  ABC  DEF" << 1 << 5 << "ABC";
        QTest::newRow("past end") << "ABC" << 2 << 10 << "BC";
        QTest::newRow("beyond line") << "ABC" << 5 << 10 << "";
        QTest::newRow("empty line") << "" << 1 << 13 << "";
        QTest::newRow("keeps inner blanks") << "DFCF 89010   Q4XYZ" << 1 << 13 << "DFCF 89010";
    }
    void cutsColumnsOfShortLinesWithoutFailing()
    {
        QFETCH(QString, line);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QString, expected);
        const LineColumn column{"column", first, last - first + 1};
        QCOMPARE(trimmedColumn(line, column).toString(), expected);
        QCOMPARE(paddedColumn(line, column).size(), column.width);
    }

    void padsAndAligns()
    {
        QCOMPARE(padRight("59", 4), QString("59  "));
        QCOMPARE(padRight("ABCDEF", 3), QString("ABC"));
        for (const auto &[value, placed] : {std::pair{"7", "[  7]"}, std::pair{"1445", "[144]"}}) {
            QString line = QStringLiteral("[   ]");
            placeColumn(line, LineColumn{"band", 2, 3, Alignment::Right}, QString(value));
            QCOMPARE(line, QString(placed));
        }
        QCOMPARE(numberText(12), QString(" 12"));
        QCOMPARE(numberText(-3), QString("-3"));
        QCOMPARE(withoutControlCharacters("A\tB\r\nC"), QString("A B  C"));
    }

    void readsDatesWithCenturyRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("1999") << "31/12/99" << QDate(1999, 12, 31);
        QTest::newRow("2000") << "01/01/00" << QDate(2000, 1, 1);
        QTest::newRow("2049") << "15/06/49" << QDate(2049, 6, 15);
        QTest::newRow("1950") << "15/06/50" << QDate(1950, 6, 15);
        QTest::newRow("leap day") << "29/02/24" << QDate(2024, 2, 29);
        QTest::newRow("no leap day") << "29/02/23" << QDate();
        QTest::newRow("month 13") << "01/13/24" << QDate();
        QTest::newRow("short") << "1/1/24" << QDate();
        QTest::newRow("letters") << "aa/bb/cc" << QDate();
        QTest::newRow("wrong separator") << "01-01-24" << QDate();
    }
    void readsDatesWithCenturyRule()
    {
        QFETCH(QString, text);
        QFETCH(QDate, expected);
        const auto date = parseDateText(text);
        QCOMPARE(date.value_or(QDate()), expected);
    }

    void readsTimes()
    {
        QCOMPARE(parseTimeText("23:59").value_or(QTime()), QTime(23, 59));
        QVERIFY(!parseTimeText("24:00"));
        QVERIFY(!parseTimeText("12:60"));
        QVERIFY(!parseTimeText("1200"));
        QCOMPARE(dateText(QDate(2013, 9, 5)), QString("05/09/13"));
        QCOMPARE(timeText(QTime(7, 5, 9)), QString("07:05"));
        QCOMPARE(clockText(QTime(7, 5, 9)), QString("07:05:09"));
    }

    // The one form check behind the entry fields, the log order and the exports.
    void checksTheDateAndTimeForms_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("date");
        QTest::addColumn<bool>("time");
        QTest::newRow("date") << "12/06/14" << true << false;
        QTest::newRow("impossible date keeps the form") << "31/02/99" << true << false;
        QTest::newRow("time") << "12:30" << false << true;
        QTest::newRow("impossible time keeps the form") << "27:75" << false << true;
        QTest::newRow("separator one place early") << "1/206/14" << false << false;
        QTest::newRow("trailing blank") << "12/06/14 " << false << false;
        QTest::newRow("time with a dot") << "12.30" << false << false;
        QTest::newRow("Arabic-Indic digits") << QString::fromUtf8("١٢/٠٦/١٤") << false << false;
        QTest::newRow("fullwidth digits") << QString::fromUtf8("１２:３０") << false << false;
        QTest::newRow("empty") << "" << false << false;
    }
    void checksTheDateAndTimeForms()
    {
        QFETCH(QString, text);
        QFETCH(bool, date);
        QFETCH(bool, time);
        QCOMPARE(hasDateForm(text), date);
        QCOMPARE(hasTimeForm(text), time);
    }

    void separatorsAreDueAtTheirPlace_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::newRow("nothing typed") << ""
                                       << ""
                                       << "";
        QTest::newRow("one digit") << "1"
                                   << ""
                                   << "";
        QTest::newRow("day or hour") << "12"
                                     << "/"
                                     << ":";
        QTest::newRow("inside the month") << "12/0"
                                          << ""
                                          << "";
        QTest::newRow("month") << "12/06"
                               << "/"
                               << "";
        QTest::newRow("complete date") << "12/06/14"
                                       << ""
                                       << "";
    }
    void separatorsAreDueAtTheirPlace()
    {
        QFETCH(QString, typed);
        QFETCH(QString, date);
        QFETCH(QString, time);
        QCOMPARE(dateSeparatorDue(typed), date);
        QCOMPARE(timeSeparatorDue(typed), time);
    }

    void roundTripsWindows1252()
    {
        const QString text = QString::fromUtf8("Château Hélène € œ Ÿ “ok”");
        const QByteArray bytes = encodeWindows1252(text);
        QCOMPARE(bytes.size(), text.size());
        QCOMPARE(static_cast<unsigned char>(bytes.at(text.indexOf(QChar(0x20AC)))), 0x80);
        QCOMPARE(decodeWindows1252(bytes), text);
        const QByteArray unassigned("\x81\x8d\x8f\x90\x9d", 5);
        QCOMPARE(encodeWindows1252(decodeWindows1252(unassigned)), unassigned);
        QVERIFY(!firstUnencodable(text));
        QCOMPARE(firstUnencodable(QString::fromUtf8("Łódź")).value_or(QChar()), QChar(0x141));
        QCOMPARE(firstRefusedCharacter(QStringLiteral("AB\tC")).value_or(QChar()), QChar('\t'));
    }

    void readsEveryKindOfLineEnd_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QByteArray("one\r\ntwo\r\n") << QStringList{"one", "two"};
        QTest::newRow("LF only") << QByteArray("one\ntwo\n") << QStringList{"one", "two"};
        QTest::newRow("CR only") << QByteArray("a\rb\rc\rd\re\r") << QStringList{"a", "b", "c", "d", "e"};
        QTest::newRow("mixed, last unterminated")
            << QByteArray("one\r\ntwo\nthree\rlast") << QStringList{"one", "two", "three", "last"};
        QTest::newRow("empty lines kept")
            << QByteArray("one\r\n\r\n\n\rtwo") << QStringList{"one", "", "", "", "two"};
        QTest::newRow("CR before CR LF") << QByteArray("one\r\r\n") << QStringList{"one", ""};
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("lines inside lines")
            << QByteArray("xab\r\nabx\r\nab\r\nab") << QStringList{"xab", "abx", "ab", "ab"};
        // Long enough to be split sixteen bytes at a time, with line ends across each step.
        QByteArray bytes;
        QStringList lines;
        const char *ends[] = {"\r\n", "\n", "\r"};
        for (int i = 0; i < 60; ++i) {
            lines.append(QString(i % 23, QLatin1Char('a' + i % 26)));
            bytes += lines.last().toLatin1() + ends[i % 3];
        }
        QTest::newRow("long, every line end") << bytes << lines;
        bytes.clear();
        for (int i = 0; i < 60; ++i)
            bytes += lines.at(i).toLatin1() + "\r\n";
        QTest::newRow("long, CR LF") << bytes << lines;
    }
    void readsEveryKindOfLineEnd()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        testing::TestPlatform platform;
        const QString path = platform.file("a.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        QCOMPARE(readLines(path), lines);
        // The exports split the bytes without decoding them first, and meet the same lines.
        QStringList split;
        forEachByteLine(bytes, [&](const ByteLine &line) {
            split.append(QString::fromLatin1(bytes.mid(line.start, line.end - line.start)));
            return true;
        });
        QCOMPARE(split, lines);
    }

    // A rewrite splits raw bytes as reading does and ends every line it keeps with CR LF,
    // whether lines are kept one by one or by runs of bytes; here the first line is dropped and
    // the second replaced. Each line is found where the walk meets it first.
    void rewriteEndsEveryLineWithCrlf_data() { readsEveryKindOfLineEnd_data(); }
    void rewriteEndsEveryLineWithCrlf()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QList<ByteLine> split;
        forEachByteLine(bytes, [&](const ByteLine &line) { split.append(line); });
        QCOMPARE(split.size(), lines.size());
        const auto joined = [](const BytePieces &pieces) {
            QByteArray all;
            for (const QByteArrayView piece : pieces)
                all.append(piece);
            return all;
        };
        const QByteArray whole =
            lines.isEmpty() ? QByteArray() : (lines.join("\r\n") + "\r\n").toLatin1();
        LinePieces kept(bytes);
        for (const ByteLine &line : split)
            kept.keep(line);
        QCOMPARE(joined(kept.pieces()), whole);
        LinePieces keptWhole(bytes);
        keptWhole.keepBytes(0, bytes.size());
        QCOMPARE(joined(keptWhole.pieces()), whole);

        for (qsizetype i = 0; i < split.size(); ++i) {
            const QByteArray line = lines.at(i).toLatin1();
            const auto found = findLine(bytes, line);
            QVERIFY(found);
            QCOMPARE(found->start, split.at(lines.indexOf(lines.at(i))).start);
            QCOMPARE(found->next, split.at(lines.indexOf(lines.at(i))).next);
        }
        QVERIFY(!findLine(bytes, "absent"));
        if (lines.size() < 2)
            return;
        LinePieces edited(bytes);
        edited.put("NEW");
        if (lines.size() > 2)
            edited.keepBytes(split.at(2).start, bytes.size());
        QCOMPARE(joined(edited.pieces()),
                 (QStringList{"NEW"} + lines.mid(2)).join("\r\n").toLatin1() + "\r\n");
    }

    void missingFileReadsAsNoLines()
    {
        testing::TestPlatform platform;
        bool exists = true;
        QCOMPARE(readLines(platform.file("missing.txt"), &exists), QStringList());
        QVERIFY(!exists);
    }

    void writesCrlfWindows1252()
    {
        testing::TestPlatform platform;
        const QString path = platform.file("b.txt");
        QVERIFY(appendLines(path, {QString::fromUtf8("é")}).ok);
        QVERIFY(appendLines(path, {"x"}).ok);
        QCOMPARE(testing::readBytes(path), QByteArray("\xe9\r\nx\r\n"));
    }

};

ORVEL_TEST_CLASS(TestCommon)
#include "tst_common.moc"
