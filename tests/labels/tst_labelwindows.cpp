#include "LabelDesk.h"
#include "labels/LabelPrinting.h"
#include "support/TestRegistry.h"
#include "widgets/Fonts.h"

#include <QCheckBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

using namespace orvel;
using namespace orvel::testing;

Q_DECLARE_METATYPE(orvel::LabelLanguage)

namespace {
// The words of a PDF file with their boxes in millimetres from the top-left corner of their
// page, as pdftotext reads them.
struct PdfWord {
    QString text;
    MmRect box;
};
QList<PdfWord> pdfWords(const QString &path)
{
    QProcess process;
    process.start("pdftotext", {"-bbox", path, "-"});
    process.waitForFinished(30000);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([-0-9.]+)\" yMin=\"([-0-9.]+)\" xMax=\"([-0-9.]+)\" "
                       "yMax=\"([-0-9.]+)\">([^<]*)</word>"));
    QList<PdfWord> words;
    const double mm = 25.4 / 72;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        const double x0 = match.captured(1).toDouble() * mm;
        const double y0 = match.captured(2).toDouble() * mm;
        words.append({match.captured(5).replace("&amp;", "&"),
                      {x0, y0, match.captured(3).toDouble() * mm - x0,
                       match.captured(4).toDouble() * mm - y0}});
    }
    return words;
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

    // After any change of the log, the open selection shows what a fresh one shows, the QSOs
    // ticked before still ticked while the log holds them.
    void selectQsoFollowsTheLog_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("available");
        QTest::addColumn<QStringList>("chosen");
        QTest::newRow("store") << "store" << QStringList{"F5NEW", "Q1AA00", "Q1AA03"}
                               << QStringList{"Q1AA01", "Q1AA02"};
        QTest::newRow("edit of a ticked QSO")
            << "edit" << QStringList{"Q1AA00", "Q1AA03"} << QStringList{"Q1AA01", "Q1AA09"};
        QTest::newRow("deletion of a ticked QSO")
            << "delete" << QStringList{"Q1AA00", "Q1AA03"} << QStringList{"Q1AA02"};
        QTest::newRow("insertion before the ticked QSOs")
            << "insert" << QStringList{"F1INS", "Q1AA00", "Q1AA03"}
            << QStringList{"Q1AA01", "Q1AA02"};
        QTest::newRow("line added by another program")
            << "outside add" << QStringList{"F4HAND", "Q1AA00", "Q1AA03"}
            << QStringList{"Q1AA01", "Q1AA02"};
        QTest::newRow("ticked line removed by another program")
            << "outside removal" << QStringList{"Q1AA00", "Q1AA03"} << QStringList{"Q1AA01"};
    }
    void selectQsoFollowsTheLog()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, available);
        QFETCH(QStringList, chosen);
        const QStringList log = numberedQsoLines(4);
        LabelDesk desk(log);
        auto *upper = desk.get<QListView>(desk.window.get(), "Liste_QSO");
        auto *lower = desk.get<QListView>(desk.window.get(), "Liste_Imprime");
        LabelDesk::clickRow(upper, 1);
        LabelDesk::clickRow(upper, 1);
        QCOMPARE(callsIn(lower->model()), (QStringList{"Q1AA01", "Q1AA02"}));

        const QString path = desk.platform.file("DFCF 34005.txt");
        if (change == "store") {
            QVERIFY(desk.session.append(labelQsoLine("F5NEW", "76", "09:00")).ok());
        } else if (change == "edit") {
            QVERIFY(desk.session.replace(log.at(2), labelQsoLine("Q1AA09")).ok());
        } else if (change == "delete") {
            QCOMPARE(desk.session.remove(1, log.at(1)), LogFiles::RemoveOutcome::Removed);
        } else if (change == "insert") {
            QVERIFY(desk.session.insert(labelQsoLine("F1INS", "76", "08:30")).ok());
        } else if (change == "outside add") {
            writeFile(path, log + QStringList{labelQsoLine("F4HAND", "76", "09:10")});
            QVERIFY(desk.session.refresh());
        } else {
            writeFile(path, {log.at(0), log.at(1), log.at(3)});
            QVERIFY(desk.session.refresh());
        }
        QTRY_VERIFY(!desk.window->isLoading());
        QCOMPARE(callsIn(upper->model()), available);
        QCOMPARE(callsIn(lower->model()), chosen);

        // Both lists hold together what a fresh window lists.
        Select_QSO fresh(desk.services, desk.session, std::make_shared<RememberedActivations>());
        QStringList all = callsIn(upper->model()) + callsIn(lower->model());
        std::sort(all.begin(), all.end());
        QStringList freshCalls = callsIn(desk.get<QListView>(&fresh, "Liste_QSO")->model());
        std::sort(freshCalls.begin(), freshCalls.end());
        QCOMPARE(all, freshCalls);
    }

    // A change while a long log is being sorted makes the lists again: they end on the log as
    // it stands, the ticked QSO still ticked.
    void aChangeDuringTheSortOfALongLogIsNotLost()
    {
        const QStringList log = numberedQsoLines(int(Select_QSO::kSortedAtOnce) + 1);
        LabelDesk desk(log.mid(0, 3));
        auto *upper = desk.get<QListView>(desk.window.get(), "Liste_QSO");
        LabelDesk::clickRow(upper, 1);
        writeFile(desk.platform.file("DFCF 34005.txt"), log);
        QVERIFY(desk.session.refresh());
        QVERIFY(desk.window->isLoading());
        QVERIFY(desk.session.append(labelQsoLine("F5NEW", "76", "09:00")).ok());
        QTRY_VERIFY(!desk.window->isLoading());
        auto *lower = desk.get<QListView>(desk.window.get(), "Liste_Imprime");
        QCOMPARE(callsIn(lower->model()), QStringList{"Q1AA01"});
        QCOMPARE(upper->model()->rowCount(), log.size());
        QCOMPARE(callsIn(upper->model()).first(), QString("F5NEW"));
        QVERIFY(upper->isEnabled());
    }

    void aLongLogLoadsBetweenEvents()
    {
        const int count = int(Select_QSO::kSortedAtOnce) + 1;
        LabelDesk desk(numberedQsoLines(count));
        QVERIFY(desk.window->isLoading());
        QTRY_VERIFY(!desk.window->isLoading());
        const QAbstractItemModel *model =
            desk.get<QListView>(desk.window.get(), "Liste_QSO")->model();
        QCOMPARE(model->rowCount(), count);
        for (int row = 1; row < count; ++row)
            QVERIFY(!entryLess(model->index(row, 0).data().toString(),
                               model->index(row - 1, 0).data().toString()));
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

    void everyWordLandsInsideItsLabel_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<LabelLanguage>("language");
        QTest::addColumn<double>("dx");
        QTest::addColumn<double>("dy");
        for (int format = 1; format <= 5; ++format) {
            QTest::addRow("format %d, French", format)
                << format << LabelLanguage::French << 0.0 << 0.0;
            QTest::addRow("format %d, English, 1.5 right and 2 up", format)
                << format << LabelLanguage::English << 1.5 << -2.0;
        }
    }
    void everyWordLandsInsideItsLabel()
    {
        QFETCH(int, format);
        QFETCH(LabelLanguage, language);
        QFETCH(double, dx);
        QFETCH(double, dy);
        const QStringList calls{"EA8/DL1ABC/P", "F/ON4ABCD/MM", "F4ABC/QRP", "WWWWWWWWWWWW"};
        LabelRunInput input;
        for (int i = 0; i < 30; ++i)
            input.entries.append(
                selectionEntry(labelQsoLine(calls.at(i % calls.size()), "2A", "08:35", "144")));
        input.first = {"DFCF 34005XYZ", QString(35, 'N'), "3428", "34630", QString(35, 'C')};
        input.activator = "F/ON4ABCD/MM";
        input.station = {QString(15, 'T'), QString(13, 'A')};
        input.format = format;
        input.language = language;
        input.offsetX = dx;
        input.offsetY = dy;
        QTemporaryDir dir;
        const QString path = dir.filePath("labels.pdf");
        QVERIFY(!printLabelsToPdf(labelRunScript(input), path).failed);

        const QList<PdfWord> words = pdfWords(path);
        QVERIFY(words.size() > 30 * 20);
        const LabelFormat &sheet = labelFormat(format);
        QStringList texts;
        for (const PdfWord &word : words) {
            texts.append(word.text);
            bool inside = false;
            for (int row = 0; row < 8 && !inside; ++row) {
                for (int column = 0; column < sheet.labelsAcross && !inside; ++column) {
                    const MmRect inner = labelRect(sheet, row, column, dx, dy).inset(kLabelInset);
                    inside = word.box.x >= inner.x - 0.01 && word.box.y >= inner.y - 0.01 &&
                             word.box.right() <= inner.right() + 0.01 &&
                             word.box.bottom() <= inner.bottom() + 0.01;
                }
            }
            QVERIFY2(inside, qPrintable(QString("%1 at %2 %3 %4 %5")
                                            .arg(word.text)
                                            .arg(word.box.x)
                                            .arg(word.box.y)
                                            .arg(word.box.right())
                                            .arg(word.box.bottom())));
        }
        // Every call sign whole, once for each of its labels.
        for (const QString &call : calls)
            QVERIFY2(texts.count(call) >= 7, qPrintable(call));
        QVERIFY(texts.contains(QString(35, 'N')));
        QVERIFY(texts.contains(QString(35, 'C')));
    }

    // The ink moves by the calibration offset as typed, to a hundredth of a millimetre, in the
    // PDF file and through a printer, whatever the printer's resolution.
    void theInkMovesByTheOffsetAsTyped_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<double>("dx");
        QTest::addColumn<double>("dy");
        QTest::addColumn<int>("printerDpi"); // 0: the PDF file of the command line
        QTest::newRow("format 1, PDF file") << 1 << 1.5 << -2.0 << 0;
        QTest::newRow("format 5, PDF file") << 5 << 0.1 << 0.3 << 0;
        QTest::newRow("format 2, printer at 1200 dpi") << 2 << 1.5 << -2.0 << 1200;
        QTest::newRow("format 4, printer at 600 dpi") << 4 << -0.7 << 9.9 << 600;
        QTest::newRow("format 5, printer at 300 dpi") << 5 << 1.5 << -2.0 << 300;
        QTest::newRow("format 3, printer at 150 dpi") << 3 << 0.3 << 0.1 << 150;
    }
    void theInkMovesByTheOffsetAsTyped()
    {
        QFETCH(int, format);
        QFETCH(double, dx);
        QFETCH(double, dy);
        QFETCH(int, printerDpi);
        LabelRunInput input;
        for (const char *call : {"F4ABC/QRP", "EA8/DL1ABC/P", "Q1AA01"})
            input.entries.append(selectionEntry(labelQsoLine(call, "2A", "08:35", "14")));
        input.first = {"DFCF 34005", "Château de Sassenot", "3428", "34630", "Sassenot"};
        input.activator = "Q4XYZ/P";
        input.station = {"IC-7300", "Dipole"};
        input.format = format;
        QTemporaryDir dir;
        const auto printed = [&](double x, double y) {
            input.offsetX = x;
            input.offsetY = y;
            const QString path = dir.filePath(QString("labels %1 %2.pdf").arg(x).arg(y));
            if (printerDpi == 0) {
                [&] { QVERIFY(!printLabelsToPdf(labelRunScript(input), path).failed); }();
            } else {
                QPrinter printer(QPrinter::HighResolution);
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(path);
                printer.setResolution(printerDpi);
                [&] { QVERIFY(!printLabels(labelRunScript(input), printer, {}).failed); }();
            }
            return pdfWords(path);
        };
        const QList<PdfWord> still = printed(0, 0);
        const QList<PdfWord> moved = printed(dx, dy);
        QVERIFY(still.size() > 20);
        QCOMPARE(moved.size(), still.size());
        for (const PdfWord &word : still) {
            // The same word of the same label, wherever pdftotext lists it.
            const auto same = std::min_element(
                moved.cbegin(), moved.cend(), [&](const PdfWord &a, const PdfWord &b) {
                    const auto distance = [&](const PdfWord &w) {
                        return (w.text == word.text ? 0 : 1000) + qAbs(w.box.x - word.box.x - dx) +
                               qAbs(w.box.y - word.box.y - dy);
                    };
                    return distance(a) < distance(b);
                });
            QCOMPARE(same->text, word.text);
            const double errorX = same->box.x - word.box.x - dx;
            const double errorY = same->box.y - word.box.y - dy;
            QVERIFY2(qAbs(errorX) <= 0.02 && qAbs(errorY) <= 0.02,
                     qPrintable(QString("%1 moved %2, %3 mm")
                                    .arg(word.text)
                                    .arg(same->box.x - word.box.x)
                                    .arg(same->box.y - word.box.y)));
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
        labels->setPreview(
            [&](const PrintScript &script, const QString &) { shown = script.lines(); });
        LabelDesk::click(desk.get<QRadioButton>(labels, "Etiqu_5"));
        LabelDesk::click(desk.get<QPushButton>(labels, "Apercu"));
        QVERIFY(shown.join('\n').contains("Confirme le QSO avec F5ABC 76"));
        QVERIFY(!desk.platform.settings.contains("Orvel", "Setup ", "N° Etiquette"));
    }

    void theOffsetIsCheckedThenKeptAtEveryRun_data()
    {
        QTest::addColumn<QString>("horizontal");
        QTest::addColumn<QString>("vertical");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("accepted, comma and point") << "1,5"
                                                   << "-2.0" << QString();
        QTest::newRow("horizontal beyond 10") << "12"
                                              << "0" << kHorizontalOffsetRefused;
        QTest::newRow("vertical with two decimals") << "0"
                                                    << "1,25" << kVerticalOffsetRefused;
    }
    void theOffsetIsCheckedThenKeptAtEveryRun()
    {
        QFETCH(QString, horizontal);
        QFETCH(QString, vertical);
        QFETCH(QString, refusal);
        LabelDesk desk({labelQsoLine("F5ABC")});
        Etiquettes *labels = openLabels(desk);
        QCOMPARE(desk.get<QLineEdit>(labels, "Decalage_H")->text(), QString("0"));
        desk.get<QLineEdit>(labels, "Decalage_H")->setText(horizontal);
        desk.get<QLineEdit>(labels, "Decalage_V")->setText(vertical);
        bool dialogShown = false;
        labels->setPrinterChoice([&](QPrinter &) {
            dialogShown = true;
            return false;
        });
        LabelDesk::click(desk.get<QPushButton>(labels, "Imprime"));
        QCOMPARE(dialogShown, refusal.isEmpty());
        if (!refusal.isEmpty()) {
            QCOMPARE(desk.platform.dialogs.messages, QStringList{refusal});
            QVERIFY(!desk.platform.settings.contains("Orvel", "Setup ", "Décalage horizontal"));
            return;
        }
        QCOMPARE(desk.platform.dialogs.messages, QStringList());
        QCOMPARE(desk.platform.settings.value("Orvel", "Setup ", "Décalage horizontal"),
                 QString("1.5"));
        QCOMPARE(desk.platform.settings.value("Orvel", "Setup ", "Décalage vertical"),
                 QString("-2.0"));
    }

    void theCalibrationGridShowsTheChosenSheetMoved()
    {
        LabelDesk desk({labelQsoLine("F5ABC")});
        Etiquettes *labels = openLabels(desk);
        LabelDesk::click(desk.get<QRadioButton>(labels, "Etiqu_4"));
        desk.get<QLineEdit>(labels, "Decalage_H")->setText("1,5");
        PrintScript shown;
        QString title;
        labels->setPreview([&](const PrintScript &script, const QString &caption) {
            shown = script;
            title = caption;
        });
        LabelDesk::click(desk.get<QPushButton>(labels, "Grille"));
        QCOMPARE(title, QString("Grille de calage"));
        QCOMPARE(dumpScript(shown), dumpScript(calibrationGridScript(4, 1.5, 0)));
        QVERIFY(!desk.platform.settings.contains("Orvel", "Setup ", "N° Etiquette"));
    }

    void cancellingARunKeepsTheFormerPdf()
    {
        LabelDesk desk(numberedQsoLines(40));
        QTRY_VERIFY(!desk.window->isLoading());
        LabelDesk::click(desk.get<QPushButton>(desk.window.get(), "Select_All"));
        Etiquettes *labels = openLabels(desk);
        const QString path = desk.platform.file("etiquettes.pdf");
        writeFile(path, {"%PDF-1.4 former labels"});
        const QByteArray former = readBytes(path);
        labels->setPrinterChoice([&](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            return true;
        });
        // "Annuler" once the first sheet is done.
        QTimer::singleShot(
            0, labels, [labels] { labels->findChild<QProgressDialog *>("Progression")->cancel(); });
        LabelDesk::click(desk.get<QPushButton>(labels, "Imprime"));

        QVERIFY(labels->lastResult().cancelled);
        QCOMPARE(labels->lastResult().documents, 1);
        QCOMPARE(desk.platform.dialogs.messages,
                 QStringList{"Impression annulée : le fichier " + QDir::toNativeSeparators(path) +
                             " n'a pas été écrit."});
        QCOMPARE(readBytes(path), former);
        QCOMPARE(scratchFiles(desk.platform.folder()), QStringList());
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
