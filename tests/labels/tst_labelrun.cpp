#include "LabelFixtures.h"
#include "labels/LabelCommand.h"
#include "labels/LabelJob.h"
#include "labels/LabelRun.h"
#include "labels/LabelSettings.h"
#include "records/ActivationList.h"
#include "records/CommandContext.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

using namespace orvel;
using namespace orvel::testing;

Q_DECLARE_METATYPE(orvel::LabelLanguage)

namespace {

// The label of a full sheet whose box less the inset holds box; -1 when none does.
int labelHolding(const LabelFormat &sheet, const MmRect &box)
{
    constexpr double kTolerance = 1e-9;
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < sheet.labelsAcross; ++column) {
            const MmRect inner = labelRect(sheet, row, column).inset(kLabelInset);
            if (box.x >= inner.x - kTolerance && box.y >= inner.y - kTolerance &&
                box.right() <= inner.right() + kTolerance &&
                box.bottom() <= inner.bottom() + kTolerance)
                return row * sheet.labelsAcross + column;
        }
    }
    return -1;
}

ActivationTexts textsOf(const Activation &a)
{
    return {a.reference, a.name, a.canton, a.postalCode, a.commune};
}

LabelRunInput run(int format, int qsos, bool pause = false)
{
    LabelRunInput input;
    LabelJob job;
    job.addLogLines(numberedQsoLines(qsos));
    input.entries = job.available().entries();
    input.first = textsOf(castle());
    input.activator = "Q6KLM/P";
    input.station = {"FT47 100 W", "Dipole 2x10m"};
    input.format = format;
    input.pauseEachSheet = pause;
    input.restoreFamily = "Sans";
    return input;
}

int count(const QStringList &dump, const QString &text)
{
    return int(dump.count(text));
}

// Line 1 of the labels: the lines of the confirmation phrase.
QStringList confirmationLines(const QStringList &dump)
{
    QStringList lines;
    for (const QString &op : dump) {
        if (op.contains("Confirme le QSO avec"))
            lines.append(op);
    }
    return lines;
}

QString goldenPath(const QString &name)
{
    // __FILE__ is relative to the build folder, where the test executable stands.
    const QString source = QDir(QCoreApplication::applicationDirPath()).filePath(__FILE__);
    return QFileInfo(source).dir().filePath("data/" + name);
}

// The script against its golden file, one operation a line. ORVEL_UPDATE_GOLDEN=1 writes the
// files instead (to be read and checked by eye before they are committed).
void compareWithGolden(const PrintScript &script, const QString &name)
{
    const QString actual = dumpScript(script).join('\n') + '\n';
    QFile file(goldenPath(name));
    if (qEnvironmentVariableIsSet("ORVEL_UPDATE_GOLDEN")) {
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(actual.toUtf8());
        return;
    }
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QStringList expected = QString::fromUtf8(file.readAll()).split('\n');
    const QStringList lines = actual.split('\n');
    for (qsizetype i = 0; i < qMin(expected.size(), lines.size()); ++i)
        QCOMPARE(lines.at(i), expected.at(i));
    QCOMPARE(lines.size(), expected.size());
}

} // namespace

class TestLabelRun : public QObject
{
    Q_OBJECT

private slots:
    void goldenScripts_data()
    {
        QTest::addColumn<QString>("golden");
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("qsos");
        QTest::addColumn<bool>("noCanton");
        QTest::addColumn<bool>("twoActivations");
        QTest::addColumn<LabelLanguage>("language");
        const auto fr = LabelLanguage::French;
        const auto en = LabelLanguage::English;
        QTest::newRow("format 1, one QSO")
            << "format1_one_qso.txt" << 1 << 1 << false << false << fr;
        QTest::newRow("format 2, no canton")
            << "format2_no_canton.txt" << 2 << 3 << true << false << fr;
        QTest::newRow("format 4, two activations in English")
            << "format4_two_activations_english.txt" << 4 << 2 << false << true << en;
        QTest::newRow("format 5, one QSO")
            << "format5_one_qso.txt" << 5 << 1 << false << false << fr;
        QTest::newRow("format 5, two activations in English")
            << "format5_two_activations_english.txt" << 5 << 2 << false << true << en;
    }
    void goldenScripts()
    {
        QFETCH(QString, golden);
        QFETCH(int, format);
        QFETCH(int, qsos);
        QFETCH(bool, noCanton);
        QFETCH(bool, twoActivations);
        QFETCH(LabelLanguage, language);
        LabelRunInput input = run(format, qsos);
        if (noCanton)
            input.first.canton.clear();
        if (twoActivations)
            input.second = textsOf(mill());
        input.language = language;
        compareWithGolden(labelRunScript(input), golden);
    }

    void sheetsAndEmptyLabels_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("qsos");
        QTest::addColumn<int>("documents");
        QTest::addColumn<int>("discards");
        QTest::addColumn<int>("labels");
        QTest::addColumn<int>("emptyLabels");
        QTest::newRow("format 1, no QSO") << 1 << 0 << 0 << 1 << 0 << 0;
        QTest::newRow("format 1, 1 QSO") << 1 << 1 << 1 << 0 << 2 << 1;
        QTest::newRow("format 1, 16 QSOs") << 1 << 16 << 1 << 1 << 16 << 0;
        QTest::newRow("format 1, 17 QSOs") << 1 << 17 << 2 << 0 << 18 << 1;
        QTest::newRow("format 1, 19 QSOs") << 1 << 19 << 2 << 0 << 20 << 1;
        QTest::newRow("format 2, 33 QSOs") << 2 << 33 << 3 << 0 << 34 << 1;
        QTest::newRow("format 5, 1 QSO") << 5 << 1 << 1 << 0 << 3 << 2;
        QTest::newRow("format 5, 24 QSOs") << 5 << 24 << 1 << 1 << 24 << 0;
        QTest::newRow("format 5, 25 QSOs") << 5 << 25 << 2 << 0 << 27 << 2;
    }
    void sheetsAndEmptyLabels()
    {
        QFETCH(int, format);
        QFETCH(int, qsos);
        QFETCH(int, documents);
        QFETCH(int, discards);
        QFETCH(int, labels);
        QFETCH(int, emptyLabels);
        const QStringList dump = dumpScript(labelRunScript(run(format, qsos)));
        QCOMPARE(count(dump, "end"), documents);
        QCOMPARE(count(dump, "discard"), discards);
        const QString all = confirmationLines(dump).join('\n');
        QCOMPARE(int(all.count("Confirme le QSO avec")), labels);
        QCOMPARE(int(all.count(".......")), emptyLabels);
        for (int i = 0; i < qsos; ++i)
            QCOMPARE(int(all.count(QString("Q1AA%1 76").arg(i, 2, 10, QLatin1Char('0')))), 1);
        // The printer's font goes back at the end.
        QCOMPARE(dump.mid(dump.size() - 2), (QStringList{"font Sans", "size 10"}));
    }

    void questionAfterEveryFullSheet_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("question");
        QTest::newRow("format 1") << 1 << "Page suivante ?";
        QTest::newRow("format 2") << 2 << "               Page suivante ?";
        QTest::newRow("format 3") << 3 << "Page suivante ?";
        QTest::newRow("format 4") << 4 << "Page suivante ?";
        QTest::newRow("format 5") << 5 << "               Page suivante ?";
    }
    void questionAfterEveryFullSheet()
    {
        QFETCH(int, format);
        QFETCH(QString, question);
        const int perRow = format == 5 ? 3 : 2;
        const QStringList paused = dumpScript(labelRunScript(run(format, 17 * perRow, true)));
        const QString ask = "ask |" + question + "|";
        QCOMPARE(count(paused, ask), 2);
        // Yes ends the sheet: the question comes right after the 8th row, the end right after
        // it; No stops the player there, which sends the sheet in progress.
        for (qsizetype at = paused.indexOf(ask); at >= 0; at = paused.indexOf(ask, at + 1)) {
            QCOMPARE(paused.at(at + 1), QString("end"));
            QCOMPARE(confirmationLines(paused.mid(0, at)).size() % 8, 0);
        }
        // Otherwise the run is the run without pauses: a new sheet starts as the first did.
        QStringList withoutQuestions = paused;
        withoutQuestions.removeAll(ask);
        QCOMPARE(withoutQuestions, dumpScript(labelRunScript(run(format, 17 * perRow))));
        QCOMPARE(count(dumpScript(labelRunScript(run(format, 7 * perRow, true))), ask), 0);
    }

    void everyLabelHasTheRectangleOfItsSheet_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QList<double>>("lefts");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::newRow("1 AVERY L7162") << 1 << QList<double>{4.65, 106.25} << 12.9 << 99.1 << 33.9;
        QTest::newRow("2 AVERY DP167") << 2 << QList<double>{0, 105} << 0.5 << 105.0 << 37.0;
        QTest::newRow("3 DECADRY OLW4732")
            << 3 << QList<double>{4.65, 106.25} << 12.5 << 99.1 << 34.0;
        QTest::newRow("4 DECADRY OLW4799") << 4 << QList<double>{0, 105} << 8.5 << 105.0 << 35.0;
        QTest::newRow("5 three across") << 5 << QList<double>{0, 70, 140} << 0.5 << 70.0 << 37.0;
    }
    void everyLabelHasTheRectangleOfItsSheet()
    {
        QFETCH(int, format);
        QFETCH(QList<double>, lefts);
        QFETCH(double, top);
        QFETCH(double, width);
        QFETCH(double, height);
        const LabelFormat &sheet = labelFormat(format);
        QCOMPARE(sheet.labelsAcross, lefts.size());
        for (int row = 0; row < 8; ++row) {
            for (int column = 0; column < lefts.size(); ++column)
                QCOMPARE(labelRect(sheet, row, column),
                         (MmRect{lefts.at(column), top + row * height, width, height}));
        }
        // The labels lie on the A4 sheet, side by side without overlapping.
        QVERIFY(lefts.last() + width <= kSheetWidth + 1e-9);
        QVERIFY(top + 8 * height <= kSheetHeight + 1e-9);
        for (int column = 1; column < lefts.size(); ++column)
            QVERIFY(lefts.at(column) >= lefts.at(column - 1) + width - 1e-9);

        // A run of two sheets: every line of every label in its label less the inset, seven
        // lines a label, and the second sheet laid out as the first.
        const int perSheet = 8 * int(lefts.size());
        const PrintScript script = labelRunScript(run(format, 2 * perSheet));
        QList<int> linesPerLabel(perSheet, 0);
        QList<PrintOperation> firstSheet;
        QList<PrintOperation> secondSheet;
        int sheetIndex = 0;
        for (const PrintOperation &op : script.operations()) {
            if (op.kind == PrintOperation::Kind::EndDocument)
                ++sheetIndex;
            if (op.kind != PrintOperation::Kind::TextBox)
                continue;
            (sheetIndex == 0 ? firstSheet : secondSheet).append(op);
            const MmRect box{op.x, op.y, op.width, op.height};
            const int label = labelHolding(sheet, box);
            QVERIFY2(label >= 0, qPrintable(op.text));
            ++linesPerLabel[label];
        }
        QCOMPARE(linesPerLabel, QList<int>(perSheet, 2 * 7));
        QCOMPARE(firstSheet.size(), secondSheet.size());
        for (qsizetype i = 0; i < firstSheet.size(); ++i)
            QCOMPARE(MmRect(firstSheet.at(i).x, firstSheet.at(i).y, 0, 0),
                     MmRect(secondSheet.at(i).x, secondSheet.at(i).y, 0, 0));
    }

    void linesFillTheirLabelFromTopToBottom_data()
    {
        QTest::addColumn<double>("boxHeight");
        QTest::addColumn<bool>("smaller");
        QTest::newRow("room to spare: shared among the gaps") << 30.0 << false;
        QTest::newRow("too low: every line smaller") << 8.0 << true;
    }
    void linesFillTheirLabelFromTopToBottom()
    {
        QFETCH(double, boxHeight);
        QFETCH(bool, smaller);
        const QList<LabelLine> lines{
            {"a", 13, true}, {"b", 10}, {"c", 10, false, true, 0, 8}, {"d", 5}};
        const MmRect box{10, 20, 80, boxHeight};
        const QList<MmRect> boxes = stackLines(lines, box);
        QCOMPARE(boxes.size(), lines.size());
        QCOMPARE(boxes.first().y, box.y);
        double gaps = 0;
        for (qsizetype i = 0; i < boxes.size(); ++i) {
            QCOMPARE(boxes.at(i).x, box.x);
            QCOMPARE(boxes.at(i).width, box.width);
            const double natural = lineHeightMm(lines.at(i).size);
            QVERIFY(smaller ? boxes.at(i).height < natural
                            : qAbs(boxes.at(i).height - natural) < 1e-9);
            if (i > 0) {
                const double gap = boxes.at(i).y - boxes.at(i - 1).bottom();
                QVERIFY(gap >= -1e-9);
                gaps += gap;
            }
        }
        QVERIFY(boxes.last().bottom() <= box.bottom() + 1e-9);
        // The last line ends at the bottom of the box, with room to spare or made smaller.
        QVERIFY(qAbs(boxes.last().bottom() - box.bottom()) < 1e-9);
        if (!smaller) {
            // The gap with room of its own (before "c") is the widest.
            const double roomy = boxes.at(2).y - boxes.at(1).bottom();
            QVERIFY(roomy > boxes.at(1).y - boxes.at(0).bottom());
            QVERIFY(gaps > 0);
        }
    }

    void aTwelveCharacterCallSignIsPrintedWhole_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<LabelLanguage>("language");
        for (int format = 1; format <= 5; ++format) {
            QTest::addRow("format %d, French", format) << format << LabelLanguage::French;
            QTest::addRow("format %d, English", format) << format << LabelLanguage::English;
        }
    }
    void aTwelveCharacterCallSignIsPrintedWhole()
    {
        QFETCH(int, format);
        QFETCH(LabelLanguage, language);
        LabelRunInput input = run(format, 0);
        const QStringList calls{"EA8/DL1ABC/P", "F/ON4ABCD/MM", "WWWWWWWWWWWW"};
        for (const QString &call : calls)
            input.entries.append(selectionEntry(labelQsoLine(call, "2A")));
        input.language = language;
        input.first.name = QString(35, 'N');
        input.activator = "F/ON4ABCD/MM";
        const QString phrase = labelPhrases(language).line1;
        const QStringList lines = labelRunScript(input).lines();
        for (const QString &call : calls) {
            const QString expected = call + QString(" 2A");
            QVERIFY2(std::any_of(lines.cbegin(), lines.cend(),
                                 [&](const QString &line) {
                                     return line.startsWith(phrase) && line.endsWith(expected);
                                 }),
                     qPrintable(call));
        }
        QVERIFY(lines.join('\n').contains(QString(35, 'N')));
    }

    void theOffsetMovesEveryLabelByExactlyItsValue_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<double>("dx");
        QTest::addColumn<double>("dy");
        QTest::newRow("format 1, 1.5 right and 2 up") << 1 << 1.5 << -2.0;
        QTest::newRow("format 2, 1.5 right and 2 up") << 2 << 1.5 << -2.0;
        QTest::newRow("format 5, 10 left and 10 down") << 5 << -10.0 << 10.0;
    }
    void theOffsetMovesEveryLabelByExactlyItsValue()
    {
        QFETCH(int, format);
        QFETCH(double, dx);
        QFETCH(double, dy);
        LabelRunInput input = run(format, 20);
        input.outlines = true;
        const PrintScript still = labelRunScript(input);
        input.offsetX = dx;
        input.offsetY = dy;
        const PrintScript moved = labelRunScript(input);
        QCOMPARE(moved.operations().size(), still.operations().size());
        for (qsizetype i = 0; i < still.operations().size(); ++i) {
            PrintOperation expected = still.operations().at(i);
            if (expected.kind == PrintOperation::Kind::TextBox ||
                expected.kind == PrintOperation::Kind::Frame) {
                expected.x += dx;
                expected.y += dy;
            }
            const PrintOperation &actual = moved.operations().at(i);
            QVERIFY(qAbs(actual.x - expected.x) < 1e-9 && qAbs(actual.y - expected.y) < 1e-9);
            expected.x = actual.x;
            expected.y = actual.y;
            QCOMPARE(actual, expected);
        }
        // The grid moves as the labels do.
        const PrintScript grid = calibrationGridScript(format, dx, dy);
        const PrintOperation frame = grid.operations().at(1);
        QCOMPARE(frame.kind, PrintOperation::Kind::Frame);
        QVERIFY(!frame.flag);
        QCOMPARE(MmRect(frame.x, frame.y, frame.width, frame.height),
                 labelRect(labelFormat(format), 0, 0, dx, dy));
    }

    void theCalibrationGridOutlinesEveryLabelWithACrossAtEachCorner()
    {
        const QStringList dump = dumpScript(calibrationGridScript(4, 0, 0));
        QCOMPARE(dump.first(), QString("sheet"));
        QCOMPARE(dump.filter(QRegularExpression("^frame .*[0-9]$")).size(), 16);
        QCOMPARE(dump.filter("cross ").size(), 64);
        QVERIFY(dump.contains("frame 105.00 8.50 105.00 35.00"));
        QVERIFY(dump.contains("cross 210.00 43.50 4.00"));
        QCOMPARE(dump.last(), QString("end"));
    }

    void theOutlinesOfAPreviewAreGuides()
    {
        LabelRunInput input = run(5, 30);
        input.outlines = true;
        const QStringList dump = dumpScript(labelRunScript(input));
        // Every label of each of the two sheets, whether it holds a QSO or not.
        QCOMPARE(dump.filter(" guide").size(), 2 * 24);
        QCOMPARE(dumpScript(labelRunScript(run(5, 30))).filter("frame").size(), 0);
    }

    void activationTextsComeFromTheFirstLineOfTheReference()
    {
        Activation older = castle();
        older.name = "Ancien nom";
        older.canton.clear();
        const QStringList lines{formatActivationLine(mill()), formatActivationLine(older),
                                kGroupMarker, "2", formatActivationLine(castle())};
        QCOMPARE(findActivationTexts(lines, "DFCF 34005"),
                 (ActivationTexts{"DFCF 34005", "Ancien nom", "", "34630", "Saint Thibery"}));
        QCOMPARE(findActivationTexts(lines, "dfcf 34005"), std::nullopt);
        QCOMPARE(findActivationTexts(lines, ""), std::nullopt);
    }

    void activationTextsOfTheLastRunStandInForOneNotFound()
    {
        const QStringList lines{formatActivationLine(castle()), formatActivationLine(mill())};
        RememberedActivations remembered;
        remembered.lookUp(lines, "ABSENT", QString("ABSENT"));
        QCOMPARE(remembered.first(), ActivationTexts{});
        remembered.lookUp(lines, "DFCF 34005", QString("DMF 34015"));
        QCOMPARE(remembered.first(), textsOf(castle()));
        // Only the reference and the name of the second activation are taken.
        QCOMPARE(remembered.second(),
                 (ActivationTexts{"DMF 34015", "Moulin de Laprée", "", "", ""}));
        remembered.lookUp(lines, "ABSENT", QString("ABSENT"));
        QCOMPARE(remembered.first(), textsOf(castle()));
        QCOMPARE(remembered.second().reference, QString("DMF 34015"));
    }

    void offsetsAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<double>("millimetres");
        QTest::newRow("blank is 0") << "" << true << 0.0;
        QTest::newRow("comma") << "1,5" << true << 1.5;
        QTest::newRow("point") << "-2.5" << true << -2.5;
        QTest::newRow("plus sign and blanks") << " +10 " << true << 10.0;
        QTest::newRow("typographic minus") << "−0,5" << true << -0.5;
        QTest::newRow("no leading digit") << ",5" << true << 0.5;
        QTest::newRow("beyond 10") << "10,1" << false << 0.0;
        QTest::newRow("two decimals") << "1,25" << false << 0.0;
        QTest::newRow("a word") << "deux" << false << 0.0;
        QTest::newRow("a unit") << "2mm" << false << 0.0;
    }
    void offsetsAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(double, millimetres);
        const std::optional<double> offset = parseOffset(typed);
        QCOMPARE(offset.has_value(), accepted);
        if (accepted)
            QCOMPARE(*offset, millimetres);
    }

    void commandLineOffsets_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<double>("dx");
        QTest::addColumn<double>("dy");
        QTest::newRow("points") << "1.5,-2" << true << 1.5 << -2.0;
        QTest::newRow("commas and a semicolon") << "1,5;-2" << true << 1.5 << -2.0;
        QTest::newRow("one value") << "1.5" << false << 0.0 << 0.0;
        QTest::newRow("an empty value") << "1.5," << false << 0.0 << 0.0;
        QTest::newRow("three values") << "1,2,3" << false << 0.0 << 0.0;
        QTest::newRow("out of range") << "0,11" << false << 0.0 << 0.0;
    }
    void commandLineOffsets()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(double, dx);
        QFETCH(double, dy);
        const std::optional<LabelOffset> offset = parseOffsetPair(typed);
        QCOMPARE(offset.has_value(), accepted);
        if (accepted)
            QCOMPARE(*offset, (LabelOffset{dx, dy}));
    }

    void theOffsetIsKeptBesideTheFormat()
    {
        MemorySettings settings;
        saveLabelSettings(settings, {{"FT47", "Dipole"}, 4, {1.5, -2}});
        QCOMPARE(settings.value("Orvel", "Setup ", "Décalage horizontal"), QString("1.5"));
        QCOMPARE(settings.value("Orvel", "Setup ", "Décalage vertical"), QString("-2.0"));
        QCOMPARE(loadLabelSettings(settings).offset, (LabelOffset{1.5, -2}));
        QCOMPARE(offsetText(-2), QString("-2"));
        QCOMPARE(offsetText(1.5), QString("1,5"));
        settings.setValue("Orvel", "Setup ", "Décalage vertical", "99");
        QCOMPARE(loadLabelSettings(settings).offset, (LabelOffset{1.5, 0}));
    }

    void settingsDefaultsAndStoredFormat_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("format");
        QTest::newRow("absent") << QString() << 1;
        QTest::newRow("4") << "4" << 4;
        QTest::newRow("9") << "9" << 1;
        QTest::newRow("not a number") << "x" << 1;
    }
    void settingsDefaultsAndStoredFormat()
    {
        QFETCH(QString, stored);
        QFETCH(int, format);
        MemorySettings settings;
        if (!stored.isNull())
            settings.setValue("Orvel", "Setup ", "N° Etiquette", stored);
        const LabelSettings values = loadLabelSettings(settings);
        QCOMPARE(values.format, format);
        QCOMPARE(values.station.transceiver, QString());
        QCOMPARE(values.station.antenna, QString());
    }

    void stationTextLengthChecks_data()
    {
        QTest::addColumn<QString>("transceiver");
        QTest::addColumn<QString>("antenna");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("15 and 13 pass") << QString(15, 'T') << QString(13, 'A') << QString();
        QTest::newRow("16 characters") << QString(16, 'T') << ""
                                       << "15 caracteres maxi";
        QTest::newRow("14 characters") << "" << QString(14, 'A') << "12 caracteres maxi";
        QTest::newRow("both too long")
            << QString(16, 'T') << QString(14, 'A') << "15 caracteres maxi";
        QTest::newRow("blanks count") << "FT47 100 W     " + QString(" ") << ""
                                      << "15 caracteres maxi";
    }
    void stationTextLengthChecks()
    {
        QFETCH(QString, transceiver);
        QFETCH(QString, antenna);
        QFETCH(QString, refusal);
        QCOMPARE(stationTextsRefusal({transceiver, antenna}), refusal);
        // Read from the settings store by the command line, the text names the setting.
        const QString stored = storedStationTextsRefusal({transceiver, antenna});
        QCOMPARE(stored.isEmpty(), refusal.isEmpty());
        if (!refusal.isEmpty()) {
            QVERIFY(stored.contains(refusal));
            QVERIFY(stored.contains(refusal.startsWith("15") ? "« Transceiver »" : "« Antenne »"));
        }
    }

    void commandLinePlans_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("transceiver");
        QTest::addColumn<QString>("error");
        QTest::newRow("every QSO") << QStringList{"DFCF", "34005"} << ""
                                   << ""
                                   << "";
        QTest::newRow("unknown reference") << QStringList{"DFCF", "99999"} << ""
                                           << ""
                                           << "Référence inconnue : DFCF 99999";
        QTest::newRow("format out of range") << QStringList{"DFCF 34005"} << "6"
                                             << ""
                                             << "Format d'étiquette inconnu : 6 (de 1 à 5).";
        QTest::newRow("transceiver too long")
            << QStringList{"DFCF 34005"} << "" << QString(16, 'T')
            << "Le texte de l'émetteur-récepteur (« Transceiver ») enregistré pour les étiquettes "
               "a 16 caractères (15 caracteres maxi)";
        QTest::newRow("no log") << QStringList{"DMF 34015"} << ""
                                << ""
                                << "Le journal ";
        QTest::newRow("offset refused") << QStringList{"DFCF 34005"} << ""
                                        << ""
                                        << "Décalage refusé : 12,0.";
    }
    void commandLinePlans()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, format);
        QFETCH(QString, transceiver);
        QFETCH(QString, error);
        TestPlatform platform;
        writeFile(platform.file("Liste_Activite.txt"),
                  {formatActivationLine(castle()), formatActivationLine(mill())});
        writeFile(platform.file("DFCF 34005.txt"),
                  {labelQsoLine("Q4XYZ/P"), labelQsoLine("F5ABC"), labelQsoLine("DL1ABC")});
        platform.settings.setValue("Orvel", "Setup ", "Antenne", "Dipole 2x10m");
        LabelCommandOptions options;
        options.pdfPath = platform.file("etiquettes.pdf");
        if (!format.isEmpty())
            options.format = format;
        if (!transceiver.isEmpty())
            options.transceiver = transceiver;
        if (QString(QTest::currentDataTag()) == "offset refused")
            options.offset = "12,0";

        QString ignored;
        QTextStream out(&ignored);
        CommandContext context(platform.folder(), out, out);
        const LabelCommandPlan plan =
            planLabelCommand(arguments, options, context, platform.settings);

        QVERIFY2(error.isEmpty() ? plan.ok() : plan.error.startsWith(error),
                 qPrintable(plan.error));
        QVERIFY(!platform.settings.contains("Orvel", "Setup ", "Transceiver"));
        if (!plan.ok()) {
            QVERIFY(plan.script().isEmpty());
            return;
        }
        QCOMPARE(plan.labels, 3);
        const QStringList lines = plan.script().lines();
        const QString all = lines.join('\n');
        QVERIFY(all.indexOf("DL1ABC") < all.indexOf("F5ABC"));
        QVERIFY(all.indexOf("F5ABC") < all.indexOf("Q4XYZ/P"));
        QVERIFY(all.contains("Ant : Dipole 2x10m"));
        QVERIFY(all.contains("73's de Q6KLM/P"));
    }
};

ORVEL_TEST_CLASS(TestLabelRun)
#include "tst_labelrun.moc"
