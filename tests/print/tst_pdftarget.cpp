// A PDF never takes the place of a data file, nor of any file that is not a PDF.
#include "print/PdfTarget.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/stat.h>

using namespace orvel;
using orvel::testing::TestPlatform;

namespace {

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestPdfTarget : public QObject
{
    Q_OBJECT

private slots:
    void refusesWhatIsNotAPdfOfItsOwn_data()
    {
        QTest::addColumn<QString>("target");   // the name given
        QTest::addColumn<QString>("standing"); // what stands there: "log", "pdf", "text",
                                               // "folder", "fifo", "link:NAME", "-" nothing
        QTest::addColumn<bool>("refused");
        QTest::newRow("a log") << "DFCF 76001.txt"
                               << "log" << true;
        QTest::newRow("a log not written yet") << "DFCF 76002.txt"
                                               << "-" << true;
        QTest::newRow("the activation list") << "Liste_Activite.txt"
                                             << "log" << true;
        QTest::newRow("the lock") << "Orvel_Multi.lock"
                                  << "text" << true;
        QTest::newRow("the journal") << "Orvel_Multi.journal"
                                     << "-" << true;
        QTest::newRow("a scratch file") << "Temporaire-12-abcdef.tmp"
                                        << "-" << true;
        QTest::newRow("an export") << "DFCF 76001.adi"
                                   << "text" << true;
        QTest::newRow("a link to a log") << "etiquettes.pdf"
                                         << "link:DFCF 76001.txt" << true;
        QTest::newRow("a link to a log to come") << "etiquettes.pdf"
                                                 << "link:DMF 12.txt" << true;
        QTest::newRow("a file that is not a PDF") << "etiquettes.pdf"
                                                  << "text" << true;
        QTest::newRow("a folder") << "etiquettes.pdf"
                                  << "folder" << true;
        QTest::newRow("a pipe") << "etiquettes.pdf"
                                << "fifo" << true;
        QTest::newRow("a former PDF") << "etiquettes.pdf"
                                      << "pdf" << false;
        QTest::newRow("a link to a former PDF") << "etiquettes.pdf"
                                                << "link:ancien.pdf" << false;
        QTest::newRow("a new PDF") << "etiquettes.pdf"
                                   << "-" << false;
        QTest::newRow("a new file without suffix") << "etiquettes"
                                                   << "-" << false;
    }
    void refusesWhatIsNotAPdfOfItsOwn()
    {
        QFETCH(QString, target);
        QFETCH(QString, standing);
        QFETCH(bool, refused);
        TestPlatform platform;
        const QString path = platform.file(target);
        put(platform.file("DFCF 76001.txt"), "01/05/24  10:00  F4ABC\r\n");
        put(platform.file("ancien.pdf"), "%PDF-1.4\n");
        if (standing == "log")
            put(path, "01/05/24  10:00  F4ABC\r\n");
        else if (standing == "pdf")
            put(path, "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n");
        else if (standing == "text")
            put(path, "12345\n");
        else if (standing == "folder")
            QVERIFY(QDir(platform.folder()).mkdir(target));
        else if (standing == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (standing.startsWith("link:"))
            QVERIFY(QFile::link(platform.file(standing.mid(5)), path));
        const QByteArray logBefore = testing::readBytes(platform.file("DFCF 76001.txt"));

        const QString refusal = pdfTargetRefusal(path);

        QCOMPARE(!refusal.isEmpty(), refused);
        if (refused)
            QVERIFY2(refusal.contains(QDir::toNativeSeparators(path)), qPrintable(refusal));
        QCOMPARE(testing::readBytes(platform.file("DFCF 76001.txt")), logBefore);
    }
};

ORVEL_TEST_CLASS(TestPdfTarget)
#include "tst_pdftarget.moc"
