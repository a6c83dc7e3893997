#include "common/TextFile.h"
#include "logging/ImportCommand.h"
#include "platform/DataFolderLock.h"
#include "records/Activation.h"
#include "records/CommandContext.h"
#include "records/QsoLine.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;

namespace {

QString activationLine(const QString &reference)
{
    Activation a;
    a.reference = reference;
    a.activator = QStringLiteral("Q1ABC/P");
    a.name = QStringLiteral("Chateau");
    a.date = QStringLiteral("01/05/24");
    return formatActivationLine(a);
}

const QString kLogged =
    formatQsoLine({"01/05/24", "10:00", "F4AAA", "", "", "59", "59", "SSB", "7", "", "Q1ABC"});

} // namespace

// orvel-multi importer REFERENCE FILE.adi, run in the program's own process.
class TestImportCommand : public QObject
{
    Q_OBJECT

private:
    TestPlatform *platform = nullptr;
    QString out;
    QString err;

    int run(const QStringList &arguments)
    {
        out.clear();
        err.clear();
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        CommandContext context(platform->folder(), outStream, errStream);
        return runImportCommand(arguments, context);
    }
    QStringList log(const QString &reference) const
    {
        return readLines(platform->file(reference + ".txt"));
    }

private slots:
    void init()
    {
        platform = new TestPlatform;
        // A group of two, then an activation outside it.
        writeFile(platform->file("Liste_Activite.txt"),
                  {activationLine("DFCF 89010"), activationLine("DMF 1234"), "<eol>", "2",
                   activationLine("DMSM 29-001")});
        writeFile(platform->file("DFCF 89010.txt"), {kLogged});
        QFile file(platform->file("phone.adi"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<CALL:5>F4AAA <QSO_DATE:8>20240501 <TIME_ON:4>1001 <BAND:3>40m <MODE:3>SSB "
                   "<EOR>\r\n<CALL:5>G4BBB <QSO_DATE:8>20240501 <TIME_ON:4>0930 <BAND:3>20m "
                   "<MODE:2>CW <NAME:3>Bob <EOR>\r\n<QSO_DATE:8>20240501 <EOR>\r\n");
    }
    void cleanup()
    {
        delete platform;
        platform = nullptr;
    }

    void importsIntoTheWholeGroupAndPrintsTheSummary()
    {
        QCOMPARE(run({"DFCF", "89010", platform->file("phone.adi")}), 0);
        QCOMPARE(err, QString());
        QCOMPARE(out, QString("1 QSO importé, 1 déjà dans le log, 1 refusé\n"
                              "Enregistrement 3 (sans indicatif) : pas d'indicatif (CALL)\n"));
        const QString imported = formatQsoLine(
            {"01/05/24", "09:30", "G4BBB", "", "Bob", "599", "599", "CW", "14", "", "Q1ABC"});
        QCOMPARE(log("DFCF 89010"), (QStringList{imported, kLogged}));
        // The other log of the group had none of the QSOs; it gets the imported one only.
        QCOMPARE(log("DMF 1234"), QStringList{imported});
        QVERIFY(!QFile::exists(platform->file("DMSM 29-001.txt")));
        QCOMPARE(readLines(platform->file("Liste_Prenom.txt")),
                 QStringList{firstNameKeyLine("G4BBB", "", "Bob")});
    }

    void refusesAndWritesNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("file"); // written over phone.adi when not empty
        QTest::addColumn<QString>("message");
        QTest::newRow("not ADIF") << QStringList{"DFCF 89010", "phone.adi"}
                                  << QByteArray("Indicatif;Date;Heure\nF4AAA;01/05/24;10:00\n")
                                  << "n'est pas un fichier ADIF : il ne contient aucun champ ADIF";
        QTest::newRow("missing file") << QStringList{"DFCF 89010", "absent.adi"} << QByteArray()
                                      << "absent.adi est introuvable.";
        QTest::newRow("unknown reference")
            << QStringList{"DFCF 1", "phone.adi"} << QByteArray() << "Référence inconnue : DFCF 1";
        QTest::newRow("no file named") << QStringList{"DFCF 89010"} << QByteArray()
                                       << "Il manque la référence ou le fichier à importer.";
    }
    void refusesAndWritesNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        if (!file.isEmpty()) {
            QFile adi(platform->file("phone.adi"));
            QVERIFY(adi.open(QIODevice::WriteOnly));
            adi.write(file);
        }
        if (arguments.size() > 1)
            arguments.last() = platform->file(arguments.last());
        QCOMPARE(run(arguments), 1);
        QVERIFY2(err.contains(message), qPrintable(err));
        QCOMPARE(out, QString());
        QCOMPARE(log("DFCF 89010"), QStringList{kLogged});
        QVERIFY(!QFile::exists(platform->file("DMF 1234.txt")));
    }

    void waitsForTheWindowsOnTheSameFolder()
    {
        DataFolderLock windows(platform->folder());
        QVERIFY(windows.acquire());
        QCOMPARE(run({"DFCF 89010", platform->file("phone.adi")}), 1);
        QVERIFY2(err.contains("Orvel Multi est déjà ouvert sur le dossier de données"),
                 qPrintable(err));
        QCOMPARE(log("DFCF 89010"), QStringList{kLogged});
    }
};

ORVEL_TEST_CLASS(TestImportCommand)
#include "tst_importcommand.moc"
