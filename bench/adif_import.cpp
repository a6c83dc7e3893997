// "Importer un fichier ADIF…" on a session opened on three activations whose logs hold 100,000
// QSOs each: a file of 20,000 new QSOs read, decided against the current log, placed at their
// moments in the three logs and the names learnt. Floor, in the same iteration: the file read
// once and the three logs each rewritten whole through a scratch file flushed to disk.
//
// The mending of the same import stopped after the first of the three logs: the 20,000 lines
// that the journal names copied into the two logs that lack them, at their places. Floor: the
// clean import of the same file, timed in the same iteration.
#include "BenchData.h"
#include "Floors.h"

#include "logging/AdifImport.h"
#include "records/Session.h"
#include "records/UnfinishedWrites.h"

#include <QDateTime>
#include <QFile>
#include <QSet>

#include <benchmark/benchmark.h>

#include <memory>

using namespace orvel;
using namespace orvel::bench;

namespace {

constexpr int kLogQsos = 100000;
constexpr int kImportedQsos = 20000;

// QSOs of call signs the logs do not hold, spread over the weeks the logs cover, so that each
// goes between existing lines.
QByteArray importFile()
{
    QByteArray text = "Journal d'un autre logger\r\n<ADIF_VER:5>3.1.4 <EOH>\r\n";
    const QDateTime start(QDate(2024, 1, 1), QTime(0, 0), Qt::UTC);
    for (int i = 0; i < kImportedQsos; ++i) {
        const QDateTime at = start.addSecs(qint64(i) * 5 * 60 + 90);
        const QByteArray call = "G" + QByteArray::number(i);
        const QByteArray date = at.toString(QStringLiteral("yyyyMMdd")).toLatin1();
        const QByteArray time = at.toString(QStringLiteral("hhmmss")).toLatin1();
        text += "<CALL:" + QByteArray::number(call.size()) + '>' + call + " <QSO_DATE:8>" + date +
                " <TIME_ON:6>" + time + " <BAND:3>40m <MODE:3>SSB <RST_SENT:2>59 <RST_RCVD:2>57" +
                " <NAME:4>John <COMMENT:3>QRP <EOR>\r\n";
    }
    return text;
}

struct ImportDesk {
    DataFolder data{kLogQsos};
    Floors floors{data};
    Session session{data.path(), currentActivation(), openReferences()};
    FirstNames names{data.path()};
    QString file = data.filePath(QStringLiteral("autre logger.adi"));

    ImportDesk() { writeFileToDisk(file, importFile()); }
};

std::unique_ptr<ImportDesk> &desk()
{
    static std::unique_ptr<ImportDesk> made;
    if (!made)
        made = std::make_unique<ImportDesk>();
    return made;
}

void BM_ImportAdif(benchmark::State &state)
{
    ImportDesk &d = *desk();
    Tally tally;
    for (auto _ : state) {
        state.PauseTiming();
        d.data.restore();
        d.session.refresh();
        const Stopwatch floor;
        benchmark::DoNotOptimize(fileContent(d.file).size());
        d.floors.rewriteLogs(3);
        tally.floorMs += floor.ms();
        state.ResumeTiming();

        const Stopwatch action;
        const AdifReading reading = readAdifFile(d.file);
        const ImportContext context = entryImportContext(d.session.activation().activator, d.names);
        const ImportOutcome outcome = importRecords(d.session, reading.records, context, &d.names);
        tally.actionMs += action.ms();

        state.PauseTiming();
        ++tally.runs;
        if (!outcome.ok() || outcome.plan.imported != kImportedQsos ||
            d.session.currentLog().size() != kLogQsos + kImportedQsos) {
            state.SkipWithError(qPrintable(QStringLiteral("the import did not take every QSO: ") +
                                           outcome.message().left(300)));
            break;
        }
        state.ResumeTiming();
    }
    tally.report(state);
}

void BM_RepairAnImportCutAfterTheFirstLog(benchmark::State &state)
{
    ImportDesk &d = *desk();
    Tally tally;
    const QString first = openReferences().at(0);
    QSet<QByteArray> logged;
    for (const QByteArray &line : d.data.logBytes().split('\n'))
        logged.insert(line);
    for (auto _ : state) {
        state.PauseTiming();
        d.data.restore();
        d.session.refresh();
        // The clean import is the floor; it also gives the first log as a stop after it leaves it.
        const Stopwatch floor;
        const AdifReading reading = readAdifFile(d.file);
        const ImportContext context = entryImportContext(d.session.activation().activator, d.names);
        const ImportOutcome clean = importRecords(d.session, reading.records, context, &d.names);
        tally.floorMs += floor.ms();
        const QByteArray firstLog = fileContent(d.data.logPath(first));
        QList<QByteArray> added;
        for (const QByteArray &line : firstLog.split('\n')) {
            if (!line.isEmpty() && !logged.contains(line))
                added.append(line.chopped(line.endsWith('\r') ? 1 : 0));
        }
        d.data.restore();
        writeFileToDisk(d.data.logPath(first), firstLog);
        WriteJournal(d.data.path()).keepOnly({JournalEntry{openReferences(), added, {}}});
        d.session.refresh();
        state.ResumeTiming();

        const Stopwatch action;
        const QString failed = d.session.finishUnfinishedWrites(d.session.unfinishedWrites());
        tally.actionMs += action.ms();

        state.PauseTiming();
        ++tally.runs;
        const bool whole = fileContent(d.data.logPath(openReferences().at(2))) == firstLog;
        if (!clean.ok() || added.size() != kImportedQsos || !failed.isEmpty() || !whole) {
            state.SkipWithError(qPrintable(QStringLiteral("the mending did not copy every line: ") +
                                           failed.left(300)));
            break;
        }
        state.ResumeTiming();
    }
    tally.report(state);
}

} // namespace

BENCHMARK(BM_RepairAnImportCutAfterTheFirstLog)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImportAdif)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv, [] { desk().reset(); });
}
