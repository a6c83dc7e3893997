// Every write of the program on a disk that fills up: a small tmpfs, so the system itself
// says "no space left" (on Windows, the program's simulated full disk). A failed write leaves
// every file byte-identical and says "disque plein".
#include "FullDisk.h"
#include "common/SafeWrite.h"
#include "common/TextFile.h"
#include "export/ExportActions.h"
#include "platform/DataFolderLock.h"
#include "records/Activation.h"
#include "records/ActivationList.h"
#include "records/FirstNames.h"
#include "records/LogFiles.h"
#include "records/QsoLine.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#ifndef Q_OS_WIN
#include <sys/mount.h>
#endif

using namespace orvel;

namespace {

const QString kReference = QStringLiteral("DFCF 89010");

QString qso(const QString &call)
{
    return formatQsoLine(
        {"05/09/13", "08:35", call, "89", "Hélène", "59", "59", "SSB", "7", "", ""});
}

QString activationLine(const QString &reference)
{
    Activation a;
    a.reference = reference;
    a.activator = QStringLiteral("Q4XYZ/P");
    a.name = QStringLiteral("Chateau");
    a.postalCode = QStringLiteral("89000");
    a.type = QStringLiteral("Activation");
    a.date = QStringLiteral("05/09/13");
    a.commune = QStringLiteral("Auxerre");
    return formatActivationLine(a);
}

// Writes lines with blanks added to the first one, so that the file ends room bytes before
// the end of its page: an append then finds room for part of a line only.
void writeEndingNearAPage(const QString &path, QStringList lines, int room)
{
    const qsizetype size = fileBytes(lines).size();
    lines.first() += QString(4096 - room - size, QLatin1Char(' '));
    testing::writeFile(path, lines);
    QCOMPARE(QFileInfo(path).size(), 4096 - room);
}

QMap<QString, QByteArray> contents(const QString &folder)
{
    QMap<QString, QByteArray> all;
    for (const QString &name : QDir(folder).entryList(QDir::Files)) {
        if (!testing::FullDisk::isFiller(name))
            all.insert(name, testing::readBytes(QDir(folder).filePath(name)));
    }
    return all;
}

using Operation = std::function<QString(const QString &folder)>;

QString failureOf(const std::optional<ExportFailure> &failure)
{
    return failure ? failure->message : QString();
}

} // namespace

Q_DECLARE_METATYPE(Operation)

class TestDiskFull : public QObject
{
    Q_OBJECT

    testing::FullDisk m_disk;

    QString disk() const { return m_disk.path(); }

    void writeStartingFiles()
    {
        QStringList log;
        for (int i = 0; i < 33; ++i)
            log.append(qso(QStringLiteral("F%1ABC").arg(i)));
        writeEndingNearAPage(QDir(disk()).filePath(kReference + ".txt"), log, 50);
        writeEndingNearAPage(
            QDir(disk()).filePath(kFirstNamesFile),
            {firstNameKeyLine("F2ABC", "89", "Paul"), firstNameKeyLine("F1ABC", "89", "Jean")}, 8);
        writeEndingNearAPage(QDir(disk()).filePath(kActivationListFile),
                             {activationLine("DMF 9"), activationLine(kReference), "<eol>", "1"},
                             5);
        testing::writeFile(QDir(disk()).filePath(kReference + ".adi"), {"former ADIF export"});
        testing::writeFile(QDir(disk()).filePath(kReference + ".ctf"), {"former C_Trafic export"});
    }

private slots:
    void initTestCase()
    {
        if (const QString refusal = m_disk.prepare(); !refusal.isEmpty())
            QSKIP(qPrintable(refusal));
    }
    void init()
    {
        m_disk.makeRoom();
        for (const QString &name : QDir(disk()).entryList(QDir::Files))
            QFile::remove(QDir(disk()).filePath(name));
        writeStartingFiles();
    }

    void aFailedWriteChangesNoFile_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QString>("message");
        const QString full = QStringLiteral("disque plein");
        QTest::newRow("QSO appended") << Operation([](const QString &folder) {
            return LogFiles(folder).append({kReference}, qso("Q4NEW")).message();
        }) << full;
        QTest::newRow("QSO corrected") << Operation([](const QString &folder) {
            return LogFiles(folder).replace({kReference}, qso("Q4NEW"), qso("F1ABC")).message();
        }) << full;
        QTest::newRow("QSO inserted") << Operation([](const QString &folder) {
            return LogFiles(folder).insert({kReference}, qso("Q4OLD")).message();
        }) << full;
        QTest::newRow("new call sign remembered") << Operation([](const QString &folder) {
            return FirstNames(folder).update(firstNameKeyLine("Q4NEW", "75", "Paul")).error;
        }) << full;
        QTest::newRow("first name changed") << Operation([](const QString &folder) {
            return FirstNames(folder).update(firstNameKeyLine("F1ABC", "89", "Jean-Marc")).error;
        }) << full;
        QTest::newRow("activation registered") << Operation([](const QString &folder) {
            return ActivationList(folder).registerLine(activationLine("DMF 2")).error;
        }) << full;
        QTest::newRow("group closed") << Operation([](const QString &folder) {
            return ActivationList(folder).closeGroup(1).error;
        }) << full;
        QTest::newRow("ADIF export") << Operation([](const QString &folder) {
            return failureOf(exportAdifFile(folder, kReference,
                                            {AdifVariant::Standard, kReference, "Q4XYZ"},
                                            QDateTime::currentDateTimeUtc()));
        }) << "Erreur  61";
        QTest::newRow("C_Trafic export") << Operation([](const QString &folder) {
            return failureOf(exportCTraficFile(folder, kReference));
        }) << "Erreur  61";
    }
    void aFailedWriteChangesNoFile()
    {
        QFETCH(Operation, operation);
        QFETCH(QString, message);
        const auto before = contents(disk());
        m_disk.fill();

        const QString error = operation(disk());

        QVERIFY2(error.contains(message), qPrintable(error));
        QCOMPARE(contents(disk()), before);
        QCOMPARE(testing::scratchFiles(disk()), QStringList());
        // With room again, the same operation succeeds.
        m_disk.makeRoom();
        QCOMPARE(operation(disk()), QString());
    }

    // The logs of a full disk can still be opened and read: the folder's lock needs no room.
    void aFullDiskIsStillOpened()
    {
        m_disk.fill();
        DataFolderLock lock(disk());

        QVERIFY2(lock.acquire(), qPrintable(lock.refusal()));

        QCOMPARE(LogFiles(disk()).load(kReference).size(), 33);
        DataFolderLock second(disk());
        QVERIFY(!second.acquire());
        QVERIFY2(second.refusal().startsWith("Orvel Multi est déjà ouvert sur le dossier"),
                 qPrintable(second.refusal()));
        // An export that finds no room says that the former file is kept, as it is.
        const auto failed = exportCTraficFile(disk(), kReference);
        QVERIFY(failed);
        QCOMPARE(failed->detail, QString("le disque est plein : le fichier DFCF 89010.ctf n'a pas "
                                         "été écrit (l'export précédent, s'il y en avait un, est "
                                         "resté intact)"));
    }

#ifndef Q_OS_WIN
    // A disk without room even for the lock file's name: the message says the disk is full
    // and names it.
    void aDiskWithoutRoomForANameIsNamed()
    {
        QTemporaryDir mountPoint;
        const QByteArray where = QFile::encodeName(mountPoint.path());
        QVERIFY(::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k,nr_inodes=4") == 0);
        for (int i = 0; i < 16; ++i)
            QFile(QDir(mountPoint.path()).filePath(QString::number(i))).open(QIODevice::WriteOnly);
        DataFolderLock lock(mountPoint.path());

        const bool acquired = lock.acquire();
        const QString refusal = lock.refusal();
        ::umount2(where.constData(), MNT_DETACH);

        QVERIFY(!acquired);
        QVERIFY2(refusal.startsWith(QString("Le disque %1, qui porte le dossier de données %1, est "
                                            "plein")
                                        .arg(mountPoint.path())),
                 qPrintable(refusal));
    }
#endif

    // The fault once met: the fragment of a failed append became a QSO of its own.
    void aQsoStoredAfterAFullDiskIsOneLine()
    {
        const LogFiles logs(disk());
        const QStringList before = logs.load(kReference);
        m_disk.fill();
        QVERIFY(!logs.append({kReference}, qso("Q4NEW")).ok());
        m_disk.makeRoom();
        QVERIFY(logs.append({kReference}, qso("Q4NEW")).ok());
        QCOMPARE(logs.load(kReference), before + QStringList{qso("Q4NEW")});
    }
};

ORVEL_TEST_CLASS(TestDiskFull)
#include "tst_diskfull.moc"
