#include "LabelDesk.h"
#include "labels/LabelPrinting.h"
#include "widgets/Fonts.h"
#include "support/TestRegistry.h"

#include <QCheckBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

using namespace orvel;
using namespace orvel::testing;

namespace {
// The top of every word "text" of a PDF file, in points from the top of its page, page by page.
QList<QList<double>> wordTops(const QString &path, const QString &text)
{
    QProcess process;
    process.start("pdftotext", {"-bbox", path, "-"});
    process.waitForFinished(30000);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    QList<QList<double>> pages;
    static const QRegularExpression word(
        QStringLiteral("<page |<word [^>]*yMin=\"(-?[0-9.]+)\"[^>]*>([^<]*)</word>"));
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        if (match.captured(0).startsWith("<page"))
            pages.append(QList<double>());
        else if (match.captured(2) == text && !pages.isEmpty())
            pages.last().append(match.captured(1).toDouble());
    }
    return pages;
}

QStringList callsIn(const QAbstractItemModel *model)
{
    QStringList calls;
    for (int row = 0; row < model->rowCount(); ++row)
        calls.append(labelQsoOfEntry(model->index(row, 0).data().toString()).call);
    return calls;
}
} // namespace

class TestLabelWindows : public QObject
{
    Q_OBJECT

    // Opens Select_Acti, chooses activations and opens Etiquettes.
    Etiquettes *openLabels(LabelDesk &desk, QList<int> rows = {0})
    {
        LabelDesk::click(desk.get<QPushButton>(desk.window.get(), "Impression"));
        Select_Acti *acti = desk.window->activationWindow();
        if (!acti)
            return nullptr;
        auto *list = desk.get<QListWidget>(acti, "Activites");
        for (int row : rows)
            LabelDesk::clickRow(list, row);
        LabelDesk::click(desk.get<QPushButton>(acti, "Command1"));
        return acti->labelWindow();
    }

private slots:
    void init()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    void selectQsoMovesEntriesBetweenItsSortedLists()
    {
        LabelDesk desk({labelQsoLine("Q4XYZ/P"), labelQsoLine("f5abc"), labelQsoLine("DL1ABC"),
                        labelQsoLine("EA3XYZ")});
        auto *upper = desk.get<QListView>(desk.window.get(), "Liste_QSO");
        auto *lower = desk.get<QListView>(desk.window.get(), "Liste_Imprime");
        QCOMPARE(desk.window->windowTitle(), QString("Selection QSO"));
        QCOMPARE(callsIn(upper->model()), (QStringList{"DL1ABC", "EA3XYZ", "f5abc", "Q4XYZ/P"}));

        LabelDesk::clickRow(upper, 2);
        LabelDesk::clickRow(upper, 0);
        QCOMPARE(callsIn(lower->model()), (QStringList{"DL1ABC", "f5abc"}));
        LabelDesk::clickRow(lower, 1);
        QCOMPARE(callsIn(upper->model()), (QStringList{"EA3XYZ", "f5abc", "Q4XYZ/P"}));

        LabelDesk::click(desk.get<QPushButton>(desk.window.get(), "Select_All"));
        QCOMPARE(upper->model()->rowCount(), 0);
        QCOMPARE(callsIn(lower->model()), (QStringList{"DL1ABC", "EA3XYZ", "f5abc", "Q4XYZ/P"}));
    }

    void aLongLogLoadsBetweenEvents()
    {
        LabelDesk desk(numberedQsoLines(5000));
        QVERIFY(desk.window->isLoading());
        QTRY_VERIFY(!desk.window->isLoading());
        QCOMPARE(desk.get<QListView>(desk.window.get(), "Liste_QSO")->model()->rowCount(), 5000);
    }

    void aMissingLogIsToldByName()
    {
        LabelDesk desk({}, false);
        QTRY_COMPARE(desk.platform.dialogs.messages.size(), 1);
        QVERIFY(desk.platform.dialogs.messages.first().contains("DFCF 34005.txt"));
        QCOMPARE(desk.get<QListView>(desk.window.get(), "Liste_QSO")->model()->rowCount(), 0);
    }

    void selectActiRefusesAWrongNumberOfActivations()
    {
        LabelDesk desk({labelQsoLine("F5ABC")});
        QVERIFY(!openLabels(desk, {}));
        Select_Acti *acti = desk.window->activationWindow();
        QCOMPARE(desk.platform.dialogs.messages, QStringList{"Une seule activité à selectionner"});
        auto *list = desk.get<QListWidget>(acti, "Activites");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QString("DFCF 34005"));

        LabelDesk::click(desk.get<QRadioButton>(acti, "Option2"));
        QCOMPARE(desk.get<QLabel>(acti, "NB_Acti")->text(), QString("2"));
        LabelDesk::clickRow(list, 1);
        LabelDesk::click(desk.get<QPushButton>(acti, "Command1"));
        QCOMPARE(desk.platform.dialogs.messages.last(), QString("Deux activités à selectionner"));
        QVERIFY(!acti->labelWindow());

        LabelDesk::clickRow(list, 0);
        LabelDesk::click(desk.get<QPushButton>(acti, "Command1"));
        QVERIFY(acti->labelWindow() && acti->labelWindow()->isVisible());
        QCOMPARE(desk.window->job()->activations().first(), QString("DFCF 34005"));
        QCOMPARE(desk.window->job()->activations().second(), QString("DMF 34015"));
    }

    void etiquettesOpensOnTheStoredSettings()
    {
        LabelDesk desk({labelQsoLine("F5ABC")});
        desk.platform.settings.setValue("Orvel", "Setup ", "N° Etiquette", "4");
        desk.platform.settings.setValue("Orvel", "Setup ", "Transceiver", "FT47 100 W");
        Etiquettes *labels = openLabels(desk);
        QVERIFY(labels);
        QCOMPARE(labels->windowTitle(), QString("Etiquettes pour QSL"));
        QVERIFY(desk.get<QRadioButton>(labels, "Etiqu_4")->isChecked());
        QCOMPARE(desk.get<QRadioButton>(labels, "Etiqu_2")->text(),
                 QString("AVERY   DP167               105 x 37   16 étiquettes"));
        QCOMPARE(desk.get<QLineEdit>(labels, "RxTx")->text(), QString("FT47 100 W"));
        QCOMPARE(desk.get<QLineEdit>(labels, "Antenne")->text(), QString());
        QVERIFY(desk.get<QRadioButton>(labels, "Langue_1")->isChecked());
        QVERIFY(!desk.get<QCheckBox>(labels, "Arret_Imp")->isChecked());
    }

    void theSamplesFollowTheLanguage()
    {
        LabelDesk desk({labelQsoLine("F5ABC")});
        Etiquettes *labels = openLabels(desk);
        const auto text = [&](const char *name) { return desk.get<QLabel>(labels, name)->text(); };
        QCOMPARE(text("Label5"), QString(" DFCF 34005 Chateau Saint Thibery"));
        LabelDesk::click(desk.get<QRadioButton>(labels, "Langue_2"));
        QCOMPARE(text("Label9"), QString("Confirming QSO with Q1BRV"));
        QCOMPARE(text("Label12"), QString("On 14/01/06   08:35 UTC    59    SSB    7 MHz"));
        QCOMPARE(text("Label14"), QString("TNX for the QSO      73's de Q6KLM/P"));
        LabelDesk::click(desk.get<QRadioButton>(labels, "Langue_1"));
        QCOMPARE(text("Label10"), QString("Confirme le QSO avec Q1BRV"));
        QCOMPARE(text("Label15"), QString("Le 14/01/06   08:35 UTC    59    SSB    7 MHz"));
        QCOMPARE(text("Label19"), QString("Merci pour le QSO      73's de Q6KLM/P"));
        QCOMPARE(text("Label5"), QString("DFCF 34005 Chateau Saint Thibery"));
    }

    void tooLongStationTextsPrintNothingAndSaveNothing()
    {
        LabelDesk desk({labelQsoLine("F5ABC")});
        desk.platform.settings.setValue("Orvel", "Setup ", "Antenne", "Yagi");
        Etiquettes *labels = openLabels(desk);
        bool dialogShown = false;
        labels->setPrinterChoice([&](QPrinter &) { return dialogShown = true; });
        desk.get<QLineEdit>(labels, "Antenne")->setText(QString(14, 'A'));
        LabelDesk::click(desk.get<QPushButton>(labels, "Imprime"));
        QCOMPARE(desk.platform.dialogs.messages, QStringList{"12 caracteres maxi"});
        QVERIFY(!dialogShown);
        QCOMPARE(desk.platform.settings.value("Orvel", "Setup ", "Antenne"), QString("Yagi"));
        QVERIFY(!desk.platform.settings.contains("Orvel", "Setup ", "N° Etiquette"));
    }

    void printsEverySheetIntoOnePdf()
    {
        QStringList log;
        for (int i = 0; i < 19; ++i)
            log.append(labelQsoLine(QString("Q%1XYZ/P").arg(i, 2, 10, QLatin1Char('0'))));
        LabelDesk desk(log);
        LabelDesk::click(desk.get<QPushButton>(desk.window.get(), "Select_All"));
        Etiquettes *labels = openLabels(desk);
        desk.get<QLineEdit>(labels, "RxTx")->setText("FT47 100 W");
        LabelDesk::click(desk.get<QRadioButton>(labels, "Etiqu_3"));
        const QString path = desk.platform.file("etiquettes.pdf");
        labels->setPrinterChoice([&](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            return true;
        });
        bool eventsRan = false;
        QTimer::singleShot(0, labels, [&] { eventsRan = true; });
        desk.get<QPushButton>(labels, "Imprime")->click();

        QVERIFY(eventsRan); // between the two sheets, the windows' events ran
        QCOMPARE(labels->lastResult().documents, 2);
        const QString text = pdfText(path);
        QCOMPARE(pdfPages(text), 2);
        for (const QString &line : log)
            QVERIFY2(text.contains(callOfLine(line) + " 76"), qPrintable(callOfLine(line)));
        QVERIFY(text.contains("TX : FT47 100 W"));
        QCOMPARE(desk.platform.settings.value("Orvel", "Setup ", "N° Etiquette"), QString("3"));
        QCOMPARE(desk.platform.settings.value("Orvel", "Setup ", "Transceiver"),
                 QString("FT47 100 W"));
    }

    void everyRowLandsOnItsLabel_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<double>("pitchMm");
        QTest::newRow("format 1") << 1 << 33.9;
        QTest::newRow("format 2") << 2 << 37.0;
        QTest::newRow("format 3") << 3 << 34.0;
        QTest::newRow("format 4") << 4 << 35.0;
        QTest::newRow("format 5") << 5 << 37.0;
    }
    void everyRowLandsOnItsLabel()
    {
        QFETCH(int, format);
        QFETCH(double, pitchMm);
        LabelRunInput input;
        LabelJob job;
        job.addLogLines(numberedQsoLines(format == 5 ? 48 : 32));
        input.entries = job.available().entries();
        input.format = format;
        QTemporaryDir dir;
        const QString path = dir.filePath("rows.pdf");
        QCOMPARE(printLabelsToPdf(labelRunScript(input), path).documents, 2);

        const QList<QList<double>> pages = wordTops(path, "Confirme");
        QCOMPARE(pages.size(), 2);
        const double pitch = pitchMm / 25.4 * 72;
        for (const QList<double> &words : pages) {
            // The line 1 of each row: eight rows on the page, one label pitch apart.
            QList<double> rows;
            for (double top : words) {
                if (std::none_of(rows.cbegin(), rows.cend(),
                                 [top](double row) { return qAbs(row - top) < 2; }))
                    rows.append(top);
            }
            std::sort(rows.begin(), rows.end());
            QCOMPARE(rows.size(), 8);
            for (int row = 1; row < 8; ++row)
                QVERIFY2(qAbs(rows.at(row) - rows.at(0) - row * pitch) < 0.5,
                         qPrintable(QString::number(rows.at(row) - rows.at(0))));
            // Each sheet starts as the first.
            QVERIFY(qAbs(rows.first() -
                         *std::min_element(pages.first().cbegin(), pages.first().cend())) < 0.1);
        }
    }

    void aStandInFontKeepsThePitchOfTheFontItReplaces_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("ems");
        QTest::newRow("Letter Gothic: half an em") << "Letter Gothic" << 0.5;
        QTest::newRow("Courier New: 0.6 em") << "Courier New" << 0.6;
    }
    void aStandInFontKeepsThePitchOfTheFontItReplaces()
    {
        QFETCH(QString, family);
        QFETCH(double, ems);
        QFont font = pitchKeepingFont(family, 12);
        font.setPixelSize(100);
        const double advance = QFontMetricsF(font).horizontalAdvance(QString(50, 'W')) / 50;
        QVERIFY2(qAbs(advance - ems * 100) < 1, qPrintable(QString::number(advance)));
    }

    void noToTheSheetQuestionStillPrintsTheFullSheet()
    {
        LabelDesk desk(numberedQsoLines(40));
        QTRY_VERIFY(!desk.window->isLoading());
        LabelDesk::click(desk.get<QPushButton>(desk.window.get(), "Select_All"));
        Etiquettes *labels = openLabels(desk);
        LabelDesk::click(desk.get<QRadioButton>(labels, "Etiqu_2"));
        LabelDesk::click(desk.get<QCheckBox>(labels, "Arret_Imp"));
        desk.platform.dialogs.answers = {false};
        const QString path = desk.platform.file("etiquettes.pdf");
        labels->setPrinterChoice([&](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            return true;
        });
        LabelDesk::click(desk.get<QPushButton>(labels, "Imprime"));

        QCOMPARE(desk.platform.dialogs.questions, QStringList{"               Page suivante ?"});
        QVERIFY(labels->lastResult().stopped);
        const QString text = pdfText(path);
        QCOMPARE(pdfPages(text), 1);
        QVERIFY(text.contains("Q1AA15 76"));
        QVERIFY(!text.contains("Q1AA16"));
    }

    void cancelInThePrintDialogPrintsNothingButKeepsTheSettings()
    {
        LabelDesk desk({labelQsoLine("F5ABC")});
        Etiquettes *labels = openLabels(desk);
        desk.get<QLineEdit>(labels, "Antenne")->setText("Dipole");
        labels->setPrinterChoice([](QPrinter &) { return false; });
        LabelDesk::click(desk.get<QPushButton>(labels, "Imprime"));
        QCOMPARE(labels->lastResult().documents, 0);
        QCOMPARE(desk.platform.settings.value("Orvel", "Setup ", "Antenne"), QString("Dipole"));
    }

    void previewShowsTheRunWithoutSavingSettings()
    {
        LabelDesk desk({labelQsoLine("F5ABC")});
        LabelDesk::click(desk.get<QPushButton>(desk.window.get(), "Select_All"));
        Etiquettes *labels = openLabels(desk);
        QStringList shown;
        labels->setPreview([&](const PrintScript &script) { shown = script.lines(); });
        LabelDesk::click(desk.get<QRadioButton>(labels, "Etiqu_5"));
        LabelDesk::click(desk.get<QPushButton>(labels, "Apercu"));
        QVERIFY(shown.join('\n').contains("Confirme le QSO avec F5ABC 76"));
        QVERIFY(!desk.platform.settings.contains("Orvel", "Setup ", "N° Etiquette"));
    }

    void backToTheActivationsKeepsEveryChoice()
    {
        LabelDesk desk({labelQsoLine("F5ABC")});
        Etiquettes *labels = openLabels(desk);
        Select_Acti *acti = desk.window->activationWindow();
        LabelDesk::click(desk.get<QRadioButton>(labels, "Etiqu_5"));
        LabelDesk::click(desk.get<QRadioButton>(labels, "Langue_2"));
        LabelDesk::click(desk.get<QCheckBox>(labels, "Arret_Imp"));
        desk.get<QLineEdit>(labels, "RxTx")->setText("IC-7300");
        LabelDesk::click(desk.get<QPushButton>(labels, "Command1"));
        QVERIFY(!labels->isVisible());
        QVERIFY(acti->isVisible());

        LabelDesk::click(desk.get<QPushButton>(acti, "Command1"));
        QCOMPARE(acti->labelWindow(), labels);
        QVERIFY(labels->isVisible());
        const SheetSetup setup = labels->sheetSetup();
        QCOMPARE(setup.format, 5);
        QCOMPARE(setup.language, LabelLanguage::English);
        QVERIFY(setup.pauseEachSheet);
        QCOMPARE(setup.station.transceiver, QString("IC-7300"));
    }
};

ORVEL_TEST_CLASS(TestLabelWindows)
#include "tst_labelwindows.moc"
