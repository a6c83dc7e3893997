#include "common/SafeWrite.h"
#include "platform/DataFolderLock.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace orvel;

namespace {

// The program started as a user starts it, its settings kept in a folder of the test.
class Copy
{
public:
    Copy(const QString &settingsFolder, const QStringList &arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_CONFIG_HOME", settingsFolder);
        environment.insert("XDG_DATA_HOME", settingsFolder);
        m_process.setProcessEnvironment(environment);
        m_process.start(QStringLiteral(ORVEL_EXECUTABLE), arguments);
    }
    ~Copy()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(10000);
        }
    }
    QProcess &process() { return m_process; }
    qint64 pid() const { return m_process.processId(); }
    // Waits until standard error holds text; what it holds then.
    QString waitForError(const QString &text)
    {
        QDeadlineTimer deadline(60000);
        while (!m_error.contains(text) && !deadline.hasExpired()) {
            m_process.waitForReadyRead(200);
            m_error += QString::fromUtf8(m_process.readAllStandardError());
        }
        return m_error;
    }
    // Killed as by a power cut (SIGKILL, TerminateProcess): nothing of its own is cleaned up.
    void killHard()
    {
        m_process.kill();
        m_process.waitForFinished(10000);
    }

private:
    QProcess m_process;
    QString m_error;
};

qint64 lockHolder(const QString &folder)
{
    QLockFile lock(QDir(folder).filePath(kDataFolderLockFile));
    qint64 pid = 0;
    QString host;
    QString application;
    return lock.getLockInfo(&pid, &host, &application) ? pid : 0;
}

bool waitForLockOf(const QString &folder, qint64 pid)
{
    QDeadlineTimer deadline(60000);
    while (lockHolder(folder) != pid && !deadline.hasExpired())
        QTest::qWait(50);
    return lockHolder(folder) == pid;
}

} // namespace

// Two copies of the program on one data folder.
class TestInstances : public QObject
{
    Q_OBJECT

private slots:
    void aRunningCopyHoldsTheFolder()
    {
        QTemporaryDir data;
        DataFolderLock first(data.path());
        QVERIFY(first.acquire());
        DataFolderLock second(data.path());
        QVERIFY(!second.acquire());
        QVERIFY(
            second.refusal().startsWith("Orvel Multi est déjà ouvert sur le dossier de données"));
        QVERIFY(second.refusal().contains(QDir::toNativeSeparators(data.path())));
    }

    // Under the lock's name: a lock left by a copy that has ended is taken over, a pipe is
    // refused at once (never waited on) with a French reason.
    void takesOverOnlyALockFileOfAnEndedCopy_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<bool>("taken");
        QTest::newRow("lock of an ended copy") << "ended" << true;
        QTest::newRow("empty lock file") << "empty" << true;
#ifndef Q_OS_WIN
        QTest::newRow("pipe") << "pipe" << false;
#endif
    }
    void takesOverOnlyALockFileOfAnEndedCopy()
    {
        QFETCH(QString, left);
        QFETCH(bool, taken);
        QTemporaryDir data;
        const QString path = QDir(data.path()).filePath(kDataFolderLockFile);
        if (left == "ended")
            testing::writeFile(path, {QString::number(testing::endedProcessId()), "orvel-multi",
                                      QSysInfo::machineHostName()});
        else if (left == "empty")
            testing::writeFile(path, {});
#ifndef Q_OS_WIN
        else
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
#endif
        DataFolderLock lock(data.path());

        QCOMPARE(lock.acquire(), taken);

        if (taken) {
            QCOMPARE(lockHolder(data.path()), QCoreApplication::applicationPid());
        } else {
            QVERIFY2(lock.refusal().contains("n'est pas un fichier ordinaire"),
                     qPrintable(lock.refusal()));
        }
    }

    void aSecondCopyRefusesAndCommandsStillRun()
    {
        QTemporaryDir data;
        QTemporaryDir settings;
        const QString stale = QStringLiteral("Temporaire-%1-abc123.tmp").arg(testing::endedProcessId());
        testing::writeFile(QDir(data.path()).filePath(stale), {"half a rewrite"});

        Copy first(settings.path(), {"--dossier", data.path()});
        QVERIFY(waitForLockOf(data.path(), first.pid()));
        // The copy removes the scratch files once it holds the lock: a moment after.
        QTRY_VERIFY2_WITH_TIMEOUT(!QFileInfo::exists(QDir(data.path()).filePath(stale)),
                                  "scratch file of a killed copy removed at start", 60000);

        Copy second(settings.path(), {"--dossier", data.path()});
        const QString told = second.waitForError("fermez l'autre copie");
        QVERIFY2(told.contains("Orvel Multi est déjà ouvert sur le dossier de données"),
                 qPrintable(told));
        // Its windows never open: it waits on the message box, then ends with 1.
        QCOMPARE(lockHolder(data.path()), first.pid());

        // An export only reads the logs: it runs beside the windows.
        Copy command(settings.path(), {"--dossier", data.path(), "exporter", "adif", "DFCF 1"});
        QVERIFY(command.process().waitForFinished(60000));
        QVERIFY(QString::fromUtf8(command.process().readAllStandardError())
                    .contains("Référence inconnue"));

        // The country table is a data file of the windows: its refresh waits for them.
        Copy refresh(settings.path(), {"--dossier", data.path(), "pays", "cty.dat"});
        QVERIFY(refresh.process().waitForFinished(60000));
        QCOMPARE(refresh.process().exitCode(), 1);
        QVERIFY(QString::fromUtf8(refresh.process().readAllStandardError())
                    .contains("Orvel Multi est déjà ouvert sur le dossier de données"));

        // A copy that was killed leaves its lock behind; the next copy takes it over.
        first.killHard();
        Copy third(settings.path(), {"--dossier", data.path()});
        QVERIFY(waitForLockOf(data.path(), third.pid()));
    }
};

ORVEL_TEST_CLASS(TestInstances)
#include "tst_instances.moc"
