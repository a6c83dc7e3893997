#include "print/ScriptPlayer.h"
#include "support/TestRegistry.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace orvel;

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

        const PlayResult result = ScriptPlayer::playToPdf(script, path);

        QVERIFY(!result.failed);
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
        QTest::newRow("Oui: the next sheet is printed") << true << true;
        QTest::newRow("Non: the run stops at once") << false << false;
    }
    void placedLinesAndQuestions()
    {
        QFETCH(bool, answer);
        QFETCH(bool, secondSheetPrinted);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("labels.pdf"));
        PrintScript script;
        script.setFont(QStringLiteral("Letter Gothic"));
        script.setSize(10);
        script.setPosition(5, 5);
        script.printLine(QStringLiteral("Feuille 1"));
        script.ask(QStringLiteral("Page suivante ?"));
        script.endDocument();
        script.setPosition(71, 42);
        script.printLine(QStringLiteral("Feuille 2"));
        script.endDocument();
        QStringList asked;

        const PlayResult result = ScriptPlayer::playToPdf(script, path, [&](const QString &q) {
            asked.append(q);
            return answer;
        });

        QCOMPARE(asked, QStringList{QStringLiteral("Page suivante ?")});
        QCOMPARE(result.stopped, !answer);
        const QString text = pdfText(path);
        QVERIFY(text.contains(QStringLiteral("Feuille 1")));
        QCOMPARE(text.contains(QStringLiteral("Feuille 2")), secondSheetPrinted);
    }
};

ORVEL_TEST_CLASS(TestScriptPlayer)
#include "tst_scriptplayer.moc"
