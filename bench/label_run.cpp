// The label windows' two long tasks: the selection list of a 100,000-QSO log made and sorted
// (the window itself is timed in log_views); a run of 1,000 labels, composed and then printed
// into a PDF file sheet by sheet.
#include "BenchData.h"
#include "common/TextFile.h"
#include "labels/LabelJob.h"
#include "labels/LabelPrinting.h"
#include "labels/LabelRun.h"
#include "labels/SelectionEntry.h"
#include "records/CurrentLog.h"
#include "records/QsoLine.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace orvel;

namespace {

QStringList logLines(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        QsoRecord q;
        q.date = QStringLiteral("%1/05/24").arg(1 + i % 28, 2, 10, QLatin1Char('0'));
        q.time = QStringLiteral("%1:%2")
                     .arg((i / 60) % 24, 2, 10, QLatin1Char('0'))
                     .arg(i % 60, 2, 10, QLatin1Char('0'));
        q.call = QStringLiteral("Q%1ABC/P").arg((i * 7919) % 10000);
        q.department = QStringLiteral("76");
        q.firstName = QStringLiteral("Jean");
        q.rstReceived = QStringLiteral("59");
        q.rstSent = QStringLiteral("57");
        q.mode = QStringLiteral("SSB");
        q.band = QStringLiteral("7");
        lines.append(formatQsoLine(q));
    }
    return lines;
}

LabelRunInput runOf(int labels, int format)
{
    LabelJob job;
    job.addLogLines(logLines(labels));
    job.chooseAll();
    LabelRunInput input;
    input.entries = job.chosen().entries();
    input.first = {QStringLiteral("DFCF 34005"), QStringLiteral("Chateau Saint Thibery"),
                   QStringLiteral("3428"), QStringLiteral("34630"),
                   QStringLiteral("Saint Thibery")};
    input.activator = QStringLiteral("Q6KLM/P");
    input.station = {QStringLiteral("FT47 100 W"), QStringLiteral("Dipole 2x10m")};
    input.format = format;
    input.restoreFamily = QStringLiteral("Sans");
    return input;
}

// The two lists of a whole log's QSOs sorted, as the label selection and the label command
// make them from the log's rows.
void BM_SelectionWholeLog(benchmark::State &state)
{
    const LogRows rows = LogRows::ofFile(fileBytes(logLines(int(state.range(0)))));
    for (auto _ : state) {
        const SelectionLists lists = selectionLists(rows, {});
        benchmark::DoNotOptimize(lists.availableRows.size());
    }
}
BENCHMARK(BM_SelectionWholeLog)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ComposeRun(benchmark::State &state)
{
    const LabelRunInput input = runOf(1000, int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(labelRunScript(input).operations().size());
}
BENCHMARK(BM_ComposeRun)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

// 1,000 labels into one PDF file, and the longest step between two events: one sheet.
void BM_PrintToPdf(benchmark::State &state)
{
    const int labels = int(state.range(1));
    const PrintScript script = labelRunScript(runOf(labels, int(state.range(0))));
    QTemporaryDir dir;
    for (auto _ : state)
        benchmark::DoNotOptimize(printLabelsToPdf(script, dir.filePath(QStringLiteral("l.pdf"))));
}
BENCHMARK(BM_PrintToPdf)
    ->Args({1, 1000})
    ->Args({1, 16})
    ->Args({5, 1000})
    ->Args({5, 24})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return orvel::bench::runBenchmarks(argc, argv);
}
