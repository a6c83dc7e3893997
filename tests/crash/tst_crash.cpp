// The program killed at random moments while it rewrites and appends: after every kill each
// data file must be exactly one of the versions the operations give it, never a mix, a
// truncation or a scratch file under a data file's name.
#include "common/SafeWrite.h"
#include "common/TextFile.h"
#include "logging/LogCorrections.h"
#include "platform/Dialogs.h"
#include "records/Activation.h"
#include "records/ActivationList.h"
#include "records/FirstNames.h"
#include "records/LogFiles.h"
#include "records/QsoLine.h"
#include "records/Session.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <QThreadPool>

#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

using namespace orvel;

namespace {

const QStringList kGroup = {"DFCF 1", "DMF 2", "WFF FFF-3"};
const QStringList kDataFiles = {"DFCF 1.txt", "DMF 2.txt", "WFF FFF-3.txt", "Liste_Prenom.txt",
                                "Liste_Activite.txt"};
constexpr int kLogLines = 1500;
constexpr int kRounds = 4;

QString qso(int day, int minute, const QString &call, const QString &remarks = QString())
{
    QsoRecord q;
    q.date = QStringLiteral("%1/06/24").arg(day, 2, 10, QLatin1Char('0'));
    q.time = QStringLiteral("%1:%2")
                 .arg(minute / 60 % 24, 2, 10, QLatin1Char('0'))
                 .arg(minute % 60, 2, 10, QLatin1Char('0'));
    q.call = call;
    q.department = QStringLiteral("89");
    q.firstName = QStringLiteral("Hélène");
    q.rstReceived = q.rstSent = QStringLiteral("59");
    q.mode = QStringLiteral("SSB");
    q.band = QStringLiteral("7");
    q.remarks = remarks;
    return formatQsoLine(q);
}

QString activationLine(const QString &reference)
{
    Activation a;
    a.reference = reference;
    a.activator = QStringLiteral("Q4XYZ/P");
    a.name = QStringLiteral("Chateau de Sassenot");
    a.postalCode = QStringLiteral("89000");
    a.type = QStringLiteral("Activation");
    a.date = QStringLiteral("01/06/24");
    a.commune = QStringLiteral("Auxerre");
    return formatActivationLine(a);
}

// The folder before the operations: three logs of one group, a first-name memory, the list.
void writeStartingFolder(const QString &folder)
{
    for (const QString &reference : kGroup) {
        QStringList log;
        for (int i = 0; i < kLogLines; ++i)
            log.append(qso(10 + i / 1440, i % 1440, QStringLiteral("F%1ABC").arg(i % 700)));
        testing::writeFile(QDir(folder).filePath(reference + ".txt"), log);
    }
    QStringList names;
    for (int i = 0; i < 2000; ++i)
        names.append(firstNameKeyLine(QStringLiteral("F%1ABC").arg(i), "89", "Prénom"));
    testing::writeFile(QDir(folder).filePath(kFirstNamesFile), names);
    QStringList list;
    for (const QString &reference : kGroup)
        list.append(activationLine(reference));
    list << "<eol>"
         << "3";
    testing::writeFile(QDir(folder).filePath(kActivationListFile), list);
}

// Every rewriting operation of the program, in rounds; after each one, step() is called.
void runOperations(const QString &folder, const std::function<void()> &step)
{
    const LogFiles logs(folder);
    const FirstNames names(folder);
    ActivationList list(folder);
    Activation current;
    current.reference = kGroup.first();
    Session session(folder, current, kGroup);
    LogCorrections corrections(session);
    ScriptedDialogs yes;
    yes.defaultAnswer = true;
    for (int round = 0; round < kRounds; ++round) {
        const QString call = QStringLiteral("Q%1NEW").arg(round);
        const QString stored = qso(20, round, call);
        session.append(stored);
        step();
        names.update(firstNameKeyLine(call, "75", "Nouveau"));
        step();
        names.update(firstNameKeyLine(QStringLiteral("F%1ABC").arg(round), "89", "Changé"));
        step();
        session.replace(stored, qso(20, round, call, QStringLiteral("CORRIGE")));
        step();
        session.insert(qso(5, round, QStringLiteral("Q%1OLD").arg(round)));
        step();
        const QStringList current = logs.load(kGroup.first());
        corrections.deleteChosen(yes, listEntry(round + 1, current.at(round)));
        step();
        corrections.recoverDeleted(yes);
        step();
        list.registerLine(activationLine(QStringLiteral("DCPF %1").arg(round)));
        step();
        list.closeGroup(1);
        step();
    }
}

QByteArray fingerprint(const QString &path)
{
    if (!QFileInfo::exists(path))
        return QByteArrayLiteral("<absent>");
    return QCryptographicHash::hash(testing::readBytes(path), QCryptographicHash::Sha1);
}

// The allowed versions of each data file: every state the operations take it through.
QHash<QString, QSet<QByteArray>> allowedVersions(const QString &folder, qint64 *elapsedMs)
{
    QHash<QString, QSet<QByteArray>> versions;
    const auto record = [&] {
        for (const QString &name : kDataFiles)
            versions[name].insert(fingerprint(QDir(folder).filePath(name)));
    };
    writeStartingFolder(folder);
    record();
    QElapsedTimer timer;
    timer.start();
    runOperations(folder, record);
    *elapsedMs = timer.elapsed();
    return versions;
}

int killCount()
{
    bool ok = false;
    const int wanted = qEnvironmentVariableIntValue("ORVEL_CRASH_KILLS", &ok);
    return ok && wanted > 0 ? wanted : 50;
}

} // namespace

class TestCrash : public QObject
{
    Q_OBJECT

private slots:
    void everyFileIsWholeAfterAKill()
    {
        testing::TestPlatform reference;
        qint64 runMs = 0;
        const auto versions = allowedVersions(reference.folder(), &runMs);
        QVERIFY(versions.value("DFCF 1.txt").size() > 2 * kRounds);

        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        qInfo("%d kills over operations of %lld ms (seed %u)", killCount(), runMs, seed);
        int scratchSeen = 0;
        for (int kill = 0; kill < killCount(); ++kill) {
            testing::TestPlatform platform;
            const QString folder = platform.folder();
            writeStartingFolder(folder);
            // No thread of the global pool (which closes replaced files) may hold its lock at the
            // fork: the child would wait for it forever. The pool's threads are ended first.
            QThreadPool::globalInstance()->waitForDone();
            const pid_t child = ::fork();
            if (child == 0) {
                runOperations(folder, [] {});
                ::_exit(0);
            }
            QVERIFY(child > 0);
            ::usleep(static_cast<useconds_t>(random.bounded(runMs * 1100 + 1)));
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);

            // Nothing but the data files, scratch files and the journal of a write to several
            // logs: no other name appears.
            for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
                QVERIFY2(
                    kDataFiles.contains(name) || isScratchFileName(name) ||
                        name == WriteJournal::fileName(),
                    qPrintable(QStringLiteral("kill %1: unexpected file %2").arg(kill).arg(name)));
            }
            for (const QString &name : kDataFiles) {
                QVERIFY2(
                    versions.value(name).contains(fingerprint(QDir(folder).filePath(name))),
                    qPrintable(QStringLiteral("kill %1 (seed %2): %3 is not one of its versions")
                                   .arg(kill)
                                   .arg(seed)
                                   .arg(name)));
            }
            // The next start removes what the killed copy left, and nothing else.
            const int left = testing::scratchFiles(folder).size();
            scratchSeen += left;
            QCOMPARE(removeStaleScratchFiles(folder), left);
            QCOMPARE(testing::scratchFiles(folder), QStringList());
            for (const QString &name : kDataFiles)
                QVERIFY(versions.value(name).contains(fingerprint(QDir(folder).filePath(name))));
        }
        qInfo("%d scratch files left by the kills, all removed", scratchSeen);
    }
};

ORVEL_TEST_CLASS(TestCrash)
#include "tst_crash.moc"
