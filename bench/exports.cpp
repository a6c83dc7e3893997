// The export menu actions on a session opened on three activations, each log of the argument's
// number of QSOs: "Exporter au format ADIF" (every open activation's files) and "Exporter au
// format C_Trafic" (the current activation's file), messages through the dialogs. Floor, in
// the same iteration: the logs the export reads, read once each, and files of the sizes the
// export writes, each put in place as the safe replacement does (scratch file flushed to
// disk, renamed over the output, folder flushed).
#include "BenchData.h"
#include "Floors.h"

#include "export/ExportActions.h"
#include "records/Session.h"
#include "support/FakeClock.h"
#include "support/ScriptedDialogs.h"

#include <QFileInfo>
#include <QSet>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

using namespace orvel;
using namespace orvel::bench;

namespace {

struct ExportDesk {
    DataFolder data;
    Floors floors{data};
    FakeClock clock;
    ScriptedDialogs dialogs;
    Session session{data.path(), currentActivation(), openReferences()};

    explicit ExportDesk(int qsoCount)
        : data(qsoCount)
    {
    }

    QList<qint64> writtenSizes(const ExportOutcome &outcome) const
    {
        QList<qint64> sizes;
        for (const QString &name : outcome.writtenFiles)
            sizes.append(QFileInfo(data.filePath(name)).size());
        return sizes;
    }
};

std::map<int, std::unique_ptr<ExportDesk>> &desks()
{
    static std::map<int, std::unique_ptr<ExportDesk>> all;
    return all;
}

ExportDesk &desk(int qsoCount)
{
    auto &slot = desks()[qsoCount];
    if (!slot) {
        slot = std::make_unique<ExportDesk>(qsoCount);
        atBenchmarksEnd([] { desks().clear(); });
    }
    return *slot;
}

// The logs an ADIF export reads: the current log for the standard files, an activation's own
// log for its WFF and DMSM files.
int adifSourceLogs(const Session &session)
{
    QSet<QString> logs;
    for (const QString &reference : session.openReferences()) {
        for (const AdifVariant variant : adifVariants(reference))
            logs.insert(variant == AdifVariant::Standard ? session.currentReference() : reference);
    }
    return static_cast<int>(logs.size());
}

template <typename Export>
void measureExport(benchmark::State &state, ExportDesk &d, int sourceLogs, Export run)
{
    d.dialogs.clear();
    const ExportOutcome first = run();
    if (!first.ok() || first.writtenFiles.isEmpty()) {
        state.SkipWithError(qPrintable(QStringLiteral("the export failed: ") +
                                       d.dialogs.shown.join(QStringLiteral(" | "))));
        return;
    }
    const QList<qint64> sizes = d.writtenSizes(first);
    d.floors.readAndReplace(sourceLogs, sizes); // its output files made, its buffer allocated
    Tally tally;
    for (auto _ : state) {
        state.PauseTiming();
        d.dialogs.clear();
        const Stopwatch floor;
        d.floors.readAndReplace(sourceLogs, sizes);
        tally.floorMs += floor.ms();
        state.ResumeTiming();

        const Stopwatch action;
        const ExportOutcome outcome = run();
        tally.actionMs += action.ms();

        state.PauseTiming();
        ++tally.runs;
        if (!outcome.ok() || outcome.writtenFiles != first.writtenFiles ||
            d.writtenSizes(outcome) != sizes) {
            state.SkipWithError("the export did not write the same files again");
            break;
        }
        state.ResumeTiming();
    }
    tally.report(state);
    state.counters["files"] = static_cast<double>(sizes.size());
}

void BM_ExportAdif(benchmark::State &state)
{
    ExportDesk &d = desk(static_cast<int>(state.range(0)));
    measureExport(state, d, adifSourceLogs(d.session),
                  [&d] { return exportAdif(d.session, d.clock, d.dialogs); });
}

void BM_ExportCTrafic(benchmark::State &state)
{
    ExportDesk &d = desk(static_cast<int>(state.range(0)));
    measureExport(state, d, 1, [&d] { return exportCTrafic(d.session, d.dialogs); });
}

} // namespace

BENCHMARK(BM_ExportAdif)->Apply(logSizes);
BENCHMARK(BM_ExportCTrafic)->Apply(logSizes);

#ifndef ORVEL_BENCH_LARGE
int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv);
}
#endif
