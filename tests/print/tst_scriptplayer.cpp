#include "print/ScriptPlayer.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/mount.h>
#include <unistd.h>
#endif

using namespace orvel;

Q_DECLARE_METATYPE(orvel::MmRect)

namespace {

// The text of a PDF file as pdftotext lays it out, and its page count; empty when the tool
// is missing.
QString pdfText(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The boxes of the words of a PDF file, in millimetres from the top-left corner of the page.
QList<std::pair<QString, MmRect>> pdfWords(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    process.waitForFinished(20000);
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([-0-9.]+)\" yMin=\"([-0-9.]+)\" xMax=\"([-0-9.]+)\" "
                       "yMax=\"([-0-9.]+)\">([^<]*)<"));
    QList<std::pair<QString, MmRect>> words;
    const double mm = 25.4 / 72;
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const double x = m.captured(1).toDouble() * mm;
        const double y = m.captured(2).toDouble() * mm;
        words.append(
            {m.captured(5),
             {x, y, m.captured(3).toDouble() * mm - x, m.captured(4).toDouble() * mm - y}});
    }
    return words;
}

bool within(const MmRect &inner, const MmRect &outer)
{
    constexpr double kTolerance = 0.01;
    return inner.x >= outer.x - kTolerance && inner.y >= outer.y - kTolerance &&
           inner.right() <= outer.right() + kTolerance &&
           inner.bottom() <= outer.bottom() + kTolerance;
}

} // namespace

class TestScriptPlayer : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    void everyLineReachesThePdfWithPagesBreakingByThemselves()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("listing.pdf"));
        PrintScript script;
        script.setFont(QStringLiteral("Courier New"));
        script.setBold(true);
        script.setSize(8);
        for (int i = 1; i <= 150; ++i)
            script.printLine(
                QStringLiteral("QSO %1 Château F5ABC").arg(i, 3, 10, QLatin1Char('0')));
        script.endDocument();
        script.printLine(QStringLiteral("Deuxième document"));
        script.endDocument();

        // What a copy of the program killed while writing a PDF here left behind goes.
        const QString left = dir.filePath(
            QStringLiteral("Temporaire-%1-abc123.tmp").arg(testing::endedProcessId()));
        testing::writeFile(left, {"%PDF-1.4 cut short"});

        const PlayResult result = ScriptPlayer::playToPdf(script, path);

        QVERIFY(!result.failed);
        QVERIFY(!QFile::exists(left));
        QCOMPARE(result.documents, 2);
        // 150 lines at 8 points do not fit one A4 page; the second document has its own page.
        QVERIFY(result.pages >= 3);
        const QString text = pdfText(path);
        QVERIFY(text.contains(QStringLiteral("QSO 001 Château F5ABC")));
        QVERIFY(text.contains(QStringLiteral("QSO 150 Château F5ABC")));
        QCOMPARE(text.count(QStringLiteral("Deuxième document")), 1);
        QCOMPARE(text.count(QLatin1Char('\f')), result.pages);
    }

    void placedLinesAndQuestions_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("secondSheetPrinted");
        QTest::addColumn<bool>("inPieces");
        QTest::newRow("Oui: the next sheet is printed") << true << true << false;
        QTest::newRow("Non: the run stops at once") << false << false << false;
        QTest::newRow("made a sheet at a time, Oui") << true << true << true;
        QTest::newRow("made a sheet at a time, Non: no sheet made after") << false << false << true;
    }
    void placedLinesAndQuestions()
    {
        QFETCH(bool, answer);
        QFETCH(bool, secondSheetPrinted);
        QFETCH(bool, inPieces);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("labels.pdf"));
        PrintScript first;
        first.setFont(QStringLiteral("Letter Gothic"));
        first.setSize(10);
        first.setPosition(5, 5);
        first.printLine(QStringLiteral("Feuille 1"));
        first.ask(QStringLiteral("Page suivante ?"));
        first.endDocument();
        PrintScript second;
        second.setPosition(71, 42);
        second.printLine(QStringLiteral("Feuille 2"));
        second.endDocument();
        PrintScript script = first;
        for (const PrintOperation &op : second.operations())
            script.add(op);
        int made = 0;
        const ScriptPieces pieces{2, [&](const auto &play) {
                                      ++made;
                                      if (!play(first))
                                          return;
                                      ++made;
                                      play(second);
                                  }};
        QStringList asked;
        PlayOptions options;
        options.ask = [&](const QString &q) {
            asked.append(q);
            return answer;
        };

        const PlayResult result = inPieces ? ScriptPlayer::playToPdf(pieces, path, options)
                                           : ScriptPlayer::playToPdf(script, path, options);
        if (inPieces)
            QCOMPARE(made, answer ? 2 : 1);

        QCOMPARE(asked, QStringList{QStringLiteral("Page suivante ?")});
        QCOMPARE(result.stopped, !answer);
        const QString text = pdfText(path);
        QVERIFY(text.contains(QStringLiteral("Feuille 1")));
        QCOMPARE(text.contains(QStringLiteral("Feuille 2")), secondSheetPrinted);
    }

    void aTextIsFittedInsideItsBoxWhole_data()
    {
        QTest::addColumn<MmRect>("box");
        QTest::addColumn<bool>("centred");
        QTest::addColumn<double>("indent");
        QTest::addColumn<double>("naturalWidth"); // at least, in millimetres
        QTest::newRow("fits: centred") << MmRect{20, 20, 120, 8} << true << 0.0 << 100.0;
        QTest::newRow("a little too wide: condensed")
            << MmRect{20, 40, 90, 8} << true << 0.0 << 100.0;
        QTest::newRow("far too wide: smaller") << MmRect{20, 60, 50, 8} << true << 0.0 << 100.0;
        QTest::newRow("too low: smaller") << MmRect{20, 80, 120, 2} << true << 0.0 << 0.0;
        QTest::newRow("an indent that would overrun gives way")
            << MmRect{20, 100, 120, 8} << false << 60.0 << 100.0;
    }
    void aTextIsFittedInsideItsBoxWhole()
    {
        QFETCH(MmRect, box);
        QFETCH(bool, centred);
        QFETCH(double, indent);
        QFETCH(double, naturalWidth);
        // 36 characters at 15 points in a 0.6-em font: 114 mm.
        const QString words[] = {QStringLiteral("Confirme"),     QStringLiteral("le"),
                                 QStringLiteral("QSO"),          QStringLiteral("avec"),
                                 QStringLiteral("EA8/DL1ABC/P"), QStringLiteral("76")};
        const QString text = QStringList(std::begin(words), std::end(words)).join(' ');
        PrintScript script;
        script.useSheetCoordinates();
        script.setFont(QStringLiteral("Courier New"));
        script.setSize(15);
        script.setBold(true);
        if (centred)
            script.drawCentred(box, text);
        else
            script.drawFrom(box, indent, text);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("box.pdf"));
        QVERIFY(!ScriptPlayer::playToPdf(script, path).failed);

        const auto found = pdfWords(path);
        QCOMPARE(found.size(), 6);
        for (qsizetype i = 0; i < found.size(); ++i) {
            QCOMPARE(found.at(i).first, words[i]);
            QVERIFY2(within(found.at(i).second, box),
                     qPrintable(QStringLiteral("%1: %2 %3 %4 %5")
                                    .arg(found.at(i).first)
                                    .arg(found.at(i).second.x)
                                    .arg(found.at(i).second.y)
                                    .arg(found.at(i).second.right())
                                    .arg(found.at(i).second.bottom())));
        }
        const double width = found.last().second.right() - found.first().second.x;
        const double leftGap = found.first().second.x - box.x;
        const double rightGap = box.right() - found.last().second.right();
        if (!centred) {
            // Moved left just enough to end inside the box.
            QVERIFY2(rightGap < 0.5 && leftGap < 60, qPrintable(QString::number(leftGap)));
        } else if (box.width >= naturalWidth + 15) {
            // Not condensed, and in the middle of its box.
            QVERIFY(width > naturalWidth);
            QVERIFY(qAbs(leftGap - rightGap) < 0.5);
        } else if (naturalWidth > 0) {
            // As wide as the box allows.
            QVERIFY2(width > box.width - 1, qPrintable(QString::number(width)));
        }
    }

    void sheetPositionsAreMeasuredFromThePapersCorner_data()
    {
        QTest::addColumn<bool>("printer");
        QTest::newRow("PDF file") << false;
        QTest::newRow("printer's PDF with margins of its own") << true;
    }
    void sheetPositionsAreMeasuredFromThePapersCorner()
    {
        QFETCH(bool, printer);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
        PrintScript script;
        script.setFont(QStringLiteral("Courier New"));
        script.useSheetCoordinates();
        script.setSize(10);
        script.drawFrom({10, 10, 100, 5}, 0, QStringLiteral("Coin"));
        script.drawFrame({10, 10, 100, 5}, true);
        PlayResult result;
        if (printer) {
            QPrinter device(QPrinter::HighResolution);
            device.setOutputFormat(QPrinter::PdfFormat);
            device.setOutputFileName(path);
            device.setPageMargins(QMarginsF(20, 25, 20, 25), QPageLayout::Millimeter);
            result = ScriptPlayer::play(script, device);
        } else {
            result = ScriptPlayer::playToPdf(script, path);
        }
        QVERIFY(!result.failed);
        const auto found = pdfWords(path);
        QCOMPARE(found.size(), 1);
        QVERIFY2(qAbs(found.first().second.x - 10) < 0.3,
                 qPrintable(QString::number(found.first().second.x)));
        QVERIFY(within(found.first().second, {10, 10, 100, 5}));
    }

    // A listing printed through the printer dialog (a printer with margins of its own, 3.5 mm
    // or 25 mm) and into the command line's PDF file: the same border and the same page breaks.
    void pageMarginsGiveOneLayoutOnEveryDevice_data()
    {
        QTest::addColumn<double>("printerMargin");
        QTest::newRow("printer of 3.5 mm") << 3.5;
        QTest::newRow("printer of 25 mm") << 25.0;
    }
    void pageMarginsGiveOneLayoutOnEveryDevice()
    {
        QFETCH(double, printerMargin);
        QTemporaryDir dir;
        PrintScript script;
        script.setPageMargins(10);
        script.setFont(QStringLiteral("Courier New"));
        script.setBold(true);
        script.setSize(8);
        for (int i = 1; i <= 200; ++i)
            script.printLine(QStringLiteral("L%1 F5ABC").arg(i, 3, 10, QLatin1Char('0')));
        script.endDocument();

        const QString file = dir.filePath(QStringLiteral("commande.pdf"));
        const PlayResult filed = ScriptPlayer::playToPdf(script, file, PlayOptions{},
                                                         QPageLayout::Landscape);
        const QString printed = dir.filePath(QStringLiteral("dialogue.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setPageMargins(QMarginsF(printerMargin, printerMargin, printerMargin, printerMargin),
                               QPageLayout::Millimeter);
        const PlayResult dialog = ScriptPlayer::play(script, printer);

        QVERIFY(!filed.failed && !dialog.failed);
        QVERIFY(filed.pages >= 3);
        QCOMPARE(dialog.pages, filed.pages);
        // Each page starts with the same line, 10 mm from the left and top edges.
        const QStringList filedPages = pdfText(file).split(QLatin1Char('\f'));
        const QStringList dialogPages = pdfText(printed).split(QLatin1Char('\f'));
        QCOMPARE(dialogPages.size(), filedPages.size());
        for (qsizetype page = 0; page < filedPages.size(); ++page)
            QCOMPARE(dialogPages.at(page).trimmed().section(QLatin1Char('\n'), 0, 0),
                     filedPages.at(page).trimmed().section(QLatin1Char('\n'), 0, 0));
        for (const QString &path : {file, printed}) {
            const MmRect first = pdfWords(path).first().second;
            QVERIFY2(qAbs(first.x - 10) < 0.5 && qAbs(first.y - 10) < 1.5,
                     qPrintable(QStringLiteral("%1 %2").arg(first.x).arg(first.y)));
        }
    }

    void aCancelledRunLeavesTheFormerPdfAsItWas()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("labels.pdf"));
        PrintScript first;
        first.printLine(QStringLiteral("Ancienne feuille"));
        QVERIFY(!ScriptPlayer::playToPdf(first, path).failed);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray former = file.readAll();
        file.close();

        PrintScript run;
        for (int sheet = 1; sheet <= 3; ++sheet) {
            run.printLine(QStringLiteral("Feuille %1").arg(sheet));
            run.endDocument();
        }
        QList<int> told;
        PlayOptions options;
        options.progress = [&told](int done, int total) {
            told.append(done * 10 + total);
            return done < 2;
        };
        const PlayResult result = ScriptPlayer::playToPdf(run, path, options);

        QVERIFY(result.cancelled);
        QVERIFY(!result.failed);
        QCOMPARE(told, (QList<int>{13, 23}));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), former);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("labels.pdf")});
    }

#ifndef Q_OS_WIN
    void aPdfThatCannotBeWrittenIsAFailureAndTheFormerStays()
    {
        if (::geteuid() != 0)
            QSKIP("Essai du disque plein sauté : il faut être administrateur (root) pour monter "
                  "un petit disque tmpfs.");
        QTemporaryDir mountPoint;
        const QByteArray disk = QFile::encodeName(mountPoint.path());
        if (::mount("tmpfs", disk.constData(), "tmpfs", 0, "size=256k") != 0)
            QSKIP("Essai du disque plein sauté : le disque tmpfs n'a pas pu être monté.");
        const auto unmount = qScopeGuard([&disk] { ::umount2(disk.constData(), MNT_DETACH); });
        const QString path = QDir(mountPoint.path()).filePath(QStringLiteral("labels.pdf"));
        PrintScript small;
        small.printLine(QStringLiteral("Ancienne feuille"));
        QVERIFY(!ScriptPlayer::playToPdf(small, path).failed);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray former = file.readAll();
        file.close();

        // Far more than the disk holds.
        PrintScript big;
        for (int sheet = 0; sheet < 400; ++sheet) {
            for (int line = 0; line < 60; ++line)
                big.printLine(
                    QStringLiteral("Feuille %1 ligne %2 EA8/DL1ABC/P").arg(sheet).arg(line));
            big.endDocument();
        }
        const PlayResult result = ScriptPlayer::playToPdf(big, path);

        QVERIFY(result.failed);
        QVERIFY2(result.error.contains(QStringLiteral("disque plein")), qPrintable(result.error));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), former);
        QCOMPARE(QDir(mountPoint.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("labels.pdf")});
    }
#endif
};

ORVEL_TEST_CLASS(TestScriptPlayer)
#include "tst_scriptplayer.moc"
