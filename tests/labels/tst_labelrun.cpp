#include "LabelFixtures.h"
#include "labels/LabelCommand.h"
#include "labels/LabelJob.h"
#include "labels/LabelRun.h"
#include "labels/LabelSettings.h"
#include "records/ActivationList.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;

Q_DECLARE_METATYPE(orvel::LabelLanguage)

namespace {

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

    void placedSecondSheetStartsAtTheTopLeft()
    {
        const QStringList dump = dumpScript(labelRunScript(run(5, 25)));
        const qsizetype end = dump.indexOf("end");
        QVERIFY(end > 0);
        QCOMPARE(dump.mid(end + 1, 3), (QStringList{"size 11", "bold 1", "pos 3 2"}));
        QVERIFY(dump.mid(0, end).contains("pos 132 261")); // row 8, column 3: 7 × 37
    }

    void aRowMeasuresTheSheetsLabelPitch_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<double>("pitchMm");
        QTest::newRow("format 1") << 1 << 33.9;
        QTest::newRow("format 2") << 2 << 37.0;
        QTest::newRow("format 3") << 3 << 34.0;
        QTest::newRow("format 4") << 4 << 35.0;
    }
    void aRowMeasuresTheSheetsLabelPitch()
    {
        QFETCH(int, format);
        QFETCH(double, pitchMm);
        const TextRowLayout &rows = labelFormat(format).rows;
        const double factor = lineAdvanceFactor(rows);
        const double pointsToMm = 25.4 / 72;
        QVERIFY(qAbs(rowPoints(rows) * factor * pointsToMm - pitchMm) < 1e-9);
        // The top spacers and eight rows (the last without its spacer) fit an A4 page.
        const double sheet = rows.topSpacers * rows.topSpacerSize * factor * pointsToMm +
                             8 * pitchMm - rows.betweenRows * factor * pointsToMm;
        QVERIFY2(sheet <= 297, qPrintable(QString::number(sheet)));
        // Every printed line advances by its size times the factor.
        const QStringList dump = dumpScript(labelRunScript(run(format, 1)));
        QCOMPARE(dump.at(1), QString("advance %1").arg(factor, 0, 'f', 4));
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
            << QStringList{"DFCF 34005"} << "" << QString(16, 'T') << "15 caracteres maxi";
        QTest::newRow("no log") << QStringList{"DMF 34015"} << ""
                                << ""
                                << "Le journal ";
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

        const LabelCommandPlan plan =
            planLabelCommand(arguments, options, platform.folder(), platform.settings);

        QVERIFY2(error.isEmpty() ? plan.ok() : plan.error.startsWith(error),
                 qPrintable(plan.error));
        QVERIFY(!platform.settings.contains("Orvel", "Setup ", "Transceiver"));
        if (!plan.ok()) {
            QVERIFY(plan.script.isEmpty());
            return;
        }
        QCOMPARE(plan.labels, 3);
        const QStringList lines = plan.script.lines();
        const QString all = lines.join('\n');
        QVERIFY(all.indexOf("DL1ABC") < all.indexOf("F5ABC"));
        QVERIFY(all.indexOf("F5ABC") < all.indexOf("Q4XYZ/P"));
        QVERIFY(all.contains("Ant : Dipole 2x10m"));
        QVERIFY(all.contains("73's de Q6KLM/P"));
    }
};

ORVEL_TEST_CLASS(TestLabelRun)
#include "tst_labelrun.moc"
