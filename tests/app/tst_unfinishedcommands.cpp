#include "records/Activation.h"
#include "records/QsoLine.h"
#include "records/UnfinishedWrites.h"
#include "support/ProgramRun.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;

namespace {

const QStringList kGroup{"DFCF 1", "DMF 2"};

QString qso(const QString &time, const QString &call)
{
    return formatQsoLine(
        QsoRecord{"01/05/24", time, call, "89", "", "59", "59", "SSB", "14", "", ""});
}

// What the journal notes before the store that never reached the second log.
enum class Note { LogsLacking, LogsAgreeing, OtherGroup };

// The group of two, both logs holding the first QSO; the second QSO was being stored.
void writeFolder(const QString &folder, Note note)
{
    QStringList list;
    for (const QString &reference : kGroup + QStringList{"WFF 3", "DCPF 4"}) {
        Activation activation;
        activation.reference = reference;
        activation.activator = QStringLiteral("Q4ABC");
        activation.name = QStringLiteral("Moulin");
        activation.date = QStringLiteral("01/05/24");
        list.append(formatActivationLine(activation));
        if (reference == kGroup.last() || reference == QLatin1String("DCPF 4"))
            list << "<eol>"
                 << "2";
    }
    writeFile(QDir(folder).filePath("Liste_Activite.txt"), list);
    const QString first = qso("10:00", "F1AAA");
    const QString stopped = qso("10:05", "F2BBB");
    const bool lacking = note != Note::LogsAgreeing;
    writeFile(QDir(folder).filePath("DFCF 1.txt"), {first, stopped});
    writeFile(QDir(folder).filePath("DMF 2.txt"),
              lacking ? QStringList{first} : QStringList{first, stopped});
    const QStringList noted = note == Note::OtherGroup ? QStringList{"WFF 3", "DCPF 4"} : kGroup;
    if (note == Note::OtherGroup) {
        writeFile(QDir(folder).filePath("WFF 3.txt"), {first, stopped});
        writeFile(QDir(folder).filePath("DCPF 4.txt"), {first});
    }
    WriteJournal(folder).begin(noted, {stopped.toLatin1()});
    QFile adi(QDir(folder).filePath("log.adi"));
    QVERIFY(adi.open(QIODevice::WriteOnly));
    adi.write("<CALL:5>G4BBB <QSO_DATE:8>20240501 <TIME_ON:4>0930 <BAND:3>20m <MODE:2>CW <EOR>");
}

// Every file of the folder and its bytes; the country table, which a start writes where there
// is none, left out.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        if (name != QLatin1String("Continents_DXCC.csv"))
            files.insert(name, readBytes(QDir(folder).filePath(name)));
    }
    return files;
}

} // namespace

Q_DECLARE_METATYPE(Note)

// A command run on a group whose logs a stop of the program left disagreeing: it tells which
// lines which log lacks and changes nothing, whatever the command.
class TestUnfinishedCommands : public QObject
{
    Q_OBJECT

private slots:
    void commandsRefuseAGroupLeftHalfWritten_data()
    {
        QTest::addColumn<QStringList>("command"); // FOLDER stands for the data folder
        QTest::addColumn<Note>("note");
        QTest::addColumn<bool>("refused");
        const Note lacking = Note::LogsLacking;
        QTest::newRow("ADIF export")
            << QStringList{"exporter", "adif", "DFCF 1"} << lacking << true;
        QTest::newRow("C_Trafic export, named by the log that lacks the line")
            << QStringList{"exporter", "ctrafic", "DMF 2"} << lacking << true;
        QTest::newRow("import") << QStringList{"importer", "DFCF 1", "FOLDER/log.adi"} << lacking
                                << true;
        QTest::newRow("saved listing")
            << QStringList{"enregistrer", "log", "DFCF 1"} << lacking << true;
        QTest::newRow("alphanumeric log shown")
            << QStringList{"afficher", "alpha", "DMF 2"} << lacking << true;
        QTest::newRow("countries shown")
            << QStringList{"afficher", "pays", "DFCF 1"} << lacking << true;
        QTest::newRow("printed listing")
            << QStringList{"imprimer", "log", "DFCF 1", "--pdf", "FOLDER/log.pdf"} << lacking
            << true;
        QTest::newRow("labels") << QStringList{"etiquettes", "DFCF 1", "--pdf",
                                               "FOLDER/etiquettes.pdf"}
                                << lacking << true;
        QTest::newRow("logs that agree: stopped before the first log")
            << QStringList{"afficher", "log", "DFCF 1"} << Note::LogsAgreeing << false;
        QTest::newRow("the note is of another group")
            << QStringList{"afficher", "log", "DFCF 1"} << Note::OtherGroup << false;
    }
    void commandsRefuseAGroupLeftHalfWritten()
    {
        QFETCH(QStringList, command);
        QFETCH(Note, note);
        QFETCH(bool, refused);
        TestPlatform platform;
        writeFolder(platform.folder(), note);
        command.replaceInStrings("FOLDER", platform.folder());
        const QMap<QString, QByteArray> before = snapshot(platform.folder());
        // The commands that paint a PDF start Qt's platform layer, which wants a runtime folder.
        const QTemporaryDir runtime;
        const ProgramRun run =
            runProgram(QFileInfo(QStringLiteral(ORVEL_EXECUTABLE)).absoluteFilePath(),
                       QStringList{"--dossier", platform.folder()} + command,
                       {{"XDG_RUNTIME_DIR", runtime.path()}});
        if (!refused) {
            QCOMPARE(run.err, QString());
            QCOMPARE(run.exitCode, 0);
            return;
        }
        const QString stopped = qso("10:05", "F2BBB");
        QCOMPARE(run.err,
                 "Attention : le programme a été arrêté pendant qu'il écrivait dans les logs du "
                 "groupe : certains logs n'ont pas reçu toutes les lignes.\n\n"
                 "Il manque au log DMF 2 la ligne :\n" +
                     stopped +
                     "\n\nLa commande n'a pas été exécutée et rien n'a été modifié : ouvrez le "
                     "groupe dans le programme et cliquez sur « Saisie des QSO » pour copier ces "
                     "lignes, puis relancez la commande.\n");
        QCOMPARE(run.out, QString());
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(snapshot(platform.folder()), before);
    }
};

ORVEL_TEST_CLASS(TestUnfinishedCommands)
#include "tst_unfinishedcommands.moc"
