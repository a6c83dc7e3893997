// The program killed between two logs of a store, an insertion or an import: the next opening
// of the group finds the lines some logs lack, offers exactly those, and copying them leaves
// every log as the whole write would have.
#include "KillPoint.h"
#include "logging/QsoStore.h"
#include "records/FirstNames.h"
#include "records/Session.h"
#include "records/UnfinishedWrites.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <QThreadPool>

#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

using namespace orvel;
using namespace orvel::testing;

namespace {

const QStringList kGroup = {"DFCF 1", "DMF 2", "WFF FFF-3"};

QString qso(int day, int minute, const QString &call)
{
    return formatQsoLine(QsoRecord{QStringLiteral("%1/06/24").arg(day, 2, 10, QLatin1Char('0')),
                                   QStringLiteral("%1:%2")
                                       .arg(minute / 60, 2, 10, QLatin1Char('0'))
                                       .arg(minute % 60, 2, 10, QLatin1Char('0')),
                                   call, "89", "Hélène", "59", "59", "SSB", "7", "", ""});
}

// Three logs of one group; the first reference was also activated alone, the day before, so
// that its log holds lines the others lack.
void writeGroup(const QString &folder)
{
    const LogFiles logs(folder);
    QStringList shared;
    for (int i = 0; i < 40; ++i)
        shared.append(qso(10, 600 + i, QStringLiteral("F%1ABC").arg(i)));
    for (const QString &reference : kGroup)
        writeFile(logs.path(reference), shared);
    writeFile(logs.path(kGroup.first()),
              QStringList{qso(9, 500, "F1ALN"), qso(9, 501, "F2ALN")} + shared);
}

enum class Write { Store, Insert, Import };

// The lines a write puts in every log of the group.
QStringList linesOf(Write write)
{
    switch (write) {
    case Write::Store:
        return {qso(10, 700, "Q1NEW")};
    case Write::Insert:
        return {qso(10, 615, "Q2OLD")};
    case Write::Import:
        return {qso(10, 605, "Q3IMP"), qso(10, 605, "Q4IMP"), qso(10, 630, "Q5IMP")};
    }
    return {};
}

void run(Write write, const QString &folder)
{
    Activation current;
    current.reference = kGroup.first();
    Session session(folder, current, kGroup);
    const QStringList lines = linesOf(write);
    if (write == Write::Store)
        session.append(lines.first());
    else if (write == Write::Insert)
        session.insert(lines.first());
    else
        session.insertMany(lines);
}

QList<QByteArray> logBytes(const QString &folder)
{
    QList<QByteArray> bytes;
    for (const QString &reference : kGroup)
        bytes.append(readBytes(LogFiles(folder).path(reference)));
    return bytes;
}

// Runs work in a child process stopped dead before it writes target; whether it was.
bool stoppedBeforeWriting(const QByteArray &target, const std::function<void()> &work)
{
    // No thread of the global pool (which closes replaced files) may hold its lock at the
    // fork: the child would wait for it forever. The pool's threads are ended first.
    QThreadPool::globalInstance()->waitForDone();
    const pid_t child = ::fork();
    if (child == 0) {
        killBeforeWriting(target.constData());
        work();
        ::_exit(0);
    }
    if (child < 0)
        return false;
    // A child that neither writes nor ends within the deadline is stuck (a lock taken by a
    // thread of the parent at the fork): its threads are shown, then it is stopped, and the
    // row fails instead of holding the whole suite until its timeout.
    int status = 0;
    QElapsedTimer waited;
    waited.start();
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (waited.elapsed() > 30000) {
            QProcess gdb;
            gdb.start(QStringLiteral("gdb"),
                      {"-p", QString::number(child), "-batch", "-ex", "thread apply all bt"});
            gdb.waitForFinished(20000);
            qWarning().noquote() << "Child stuck; its threads:\n"
                                 << QString::fromLocal8Bit(gdb.readAllStandardOutput());
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return false;
        }
        QThread::msleep(5);
    }
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

} // namespace

Q_DECLARE_METATYPE(Write)

class TestInterrupted : public QObject
{
    Q_OBJECT

private slots:
    void theOpeningCopiesWhatAKillLeftOut_data()
    {
        QTest::addColumn<Write>("write");
        QTest::addColumn<int>("killedBefore"); // the log of the group not yet written
        QTest::newRow("store, before the second log") << Write::Store << 1;
        QTest::newRow("store, before the third log") << Write::Store << 2;
        QTest::newRow("store, before the first log") << Write::Store << 0;
        QTest::newRow("insertion, before the second log") << Write::Insert << 1;
        QTest::newRow("insertion, before the third log") << Write::Insert << 2;
        QTest::newRow("import, before the second log") << Write::Import << 1;
    }
    void theOpeningCopiesWhatAKillLeftOut()
    {
        QFETCH(Write, write);
        QFETCH(int, killedBefore);
        TestPlatform whole;
        writeGroup(whole.folder());
        run(write, whole.folder());
        const QList<QByteArray> expected = logBytes(whole.folder());

        TestPlatform platform;
        const QString folder = platform.folder();
        writeGroup(folder);
        const QList<QByteArray> before = logBytes(folder);
        const QByteArray target = QFile::encodeName(LogFiles(folder).path(kGroup[killedBefore]));
        QVERIFY(stoppedBeforeWriting(target, [&] { run(write, folder); }));
        removeStaleScratchFiles(folder);
        const QList<QByteArray> killed = logBytes(folder);
        for (int i = 0; i < kGroup.size(); ++i)
            QCOMPARE(killed[i], i < killedBefore ? expected[i] : before[i]);

        Activation current;
        current.reference = kGroup.first();
        Session session(folder, current, kGroup);
        const QStringList lines = linesOf(write);
        QList<MissingLines> missing;
        for (int i = killedBefore; killedBefore > 0 && i < kGroup.size(); ++i) {
            MissingLines lacking{kGroup[i], {}, {}};
            for (const QString &line : lines)
                lacking.lines.append(line.toLatin1());
            missing.append(lacking);
        }
        QCOMPARE(session.unfinishedWrites().value(0).missing, missing);

        // Declined: nothing is written, the question comes back.
        ScriptedDialogs no;
        no.defaultAnswer = false;
        offerUnfinishedWrites(session, no);
        QCOMPARE(no.questions.size(), killedBefore > 0 ? 1 : 0);
        QCOMPARE(logBytes(folder), killed);
        QCOMPARE(QFile::exists(WriteJournal(folder).path()), killedBefore > 0);

        ScriptedDialogs yes;
        yes.defaultAnswer = true;
        offerUnfinishedWrites(session, yes);
        QCOMPARE(yes.messages, QStringList());
        QCOMPARE(logBytes(folder), killedBefore > 0 ? expected : before);
        QVERIFY(!QFile::exists(WriteJournal(folder).path()));
        QCOMPARE(session.currentLog().size(), LogFiles(folder).load(kGroup.first()).size());
    }

    // A QSO stored and killed before its first log leaves the folder as it was: no journal,
    // not even an empty one, and no first name remembered for a QSO that is in no log.
    void aKillBeforeTheLogsLeavesNothing_data()
    {
        QTest::addColumn<bool>("atTheJournal"); // else at the first log
        QTest::newRow("while noting the write") << true;
        QTest::newRow("before the first log") << false;
    }
    void aKillBeforeTheLogsLeavesNothing()
    {
        QFETCH(bool, atTheJournal);
        TestPlatform platform;
        const QString folder = platform.folder();
        writeGroup(folder);
        const QList<QByteArray> before = logBytes(folder);
        const QString journal = WriteJournal(folder).path();
        const QByteArray target =
            QFile::encodeName(atTheJournal ? journal : LogFiles(folder).path(kGroup.first()));
        QVERIFY(stoppedBeforeWriting(target, [&] {
            Activation current;
            current.reference = kGroup.first();
            Session session(folder, current, kGroup);
            StoreRequest request;
            request.entry = QsoRecord{"10/06/24", "11:40", "Q1NEW", "89", "Hélène", "59",
                                      "59",       "SSB",   "7",     "",   ""};
            request.timing = EntryTiming::Deferred;
            QsoStore(FirstNames(folder).updateHook({})).store(session, request);
        }));
        removeStaleScratchFiles(folder);
        QCOMPARE(logBytes(folder), before);
        QVERIFY(!FirstNames(folder).lookup("Q1NEW"));
        // The journal holds the whole note of the write, or nothing at all.
        QCOMPARE(QFile::exists(journal), !atTheJournal);
        if (!atTheJournal)
            QCOMPARE(WriteJournal(folder).entries().size(), 1);

        Activation current;
        current.reference = kGroup.first();
        Session session(folder, current, kGroup);
        offerUnfinishedWrites(session, platform.dialogs);
        QCOMPARE(platform.dialogs.shown, QStringList());
        QVERIFY(!QFile::exists(journal));
        for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files))
            QVERIFY2(file.size() > 0, qPrintable(file.fileName()));
    }

    // The question names each log that lacks lines, and the lines.
    void theQuestionShowsTheLinesAndTheirLogs()
    {
        const QByteArray line = qso(10, 700, "Q1NEW").toLatin1();
        const QList<UnfinishedWrite> writes{
            {JournalEntry{kGroup, {line}, {}}, {{"DMF 2", {line}, {}}, {"WFF FFF-3", {line}, {}}}}};
        const QString lineText = QString::fromLatin1(line);
        QCOMPARE(unfinishedWritesQuestion(writes),
                 "Le programme a été arrêté pendant qu'il écrivait dans les logs du groupe : "
                 "certains logs n'ont pas reçu toutes les lignes.\n\n"
                 "Il manque au log DMF 2 la ligne :\n" +
                     lineText + "\n\nIl manque au log WFF FFF-3 la ligne :\n" + lineText +
                     "\n\nCopier ces lignes dans les logs où elles manquent ?\n"
                     "Oui : chaque ligne est copiée à la place qu'elle occupe dans les autres logs "
                     "du groupe, une ligne corrigée remplace son ancienne version ; rien d'autre "
                     "n'est effacé.\n"
                     "Non : rien n'est modifié ; la question sera posée de nouveau à la prochaine "
                     "ouverture du groupe.");
    }
};

ORVEL_TEST_CLASS(TestInterrupted)
#include "tst_interrupted.moc"
