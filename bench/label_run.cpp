// The label windows' two long tasks, each in the steps the window takes between two events:
// the selection lists of a 10,000-QSO log, read in slices; a run of 1,000 labels, composed
// and then printed into a PDF file sheet by sheet.
#include "BenchData.h"
#include "labels/LabelJob.h"
#include "labels/LabelPrinting.h"
#include "labels/LabelRun.h"
#include "labels/Select_QSO.h"
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

// The last slice of a 10,000-QSO log, merged into the 8,000 entries already listed: the
// longest step of the loading.
void BM_SelectionSlice(benchmark::State &state)
{
    const QStringList lines = logLines(10000);
    for (auto _ : state) {
        state.PauseTiming();
        LabelJob job;
        job.addLogLines(lines.mid(0, 10000 - Select_QSO::kLinesPerSlice));
        state.ResumeTiming();
        job.addLogLines(lines.mid(10000 - Select_QSO::kLinesPerSlice));
        benchmark::DoNotOptimize(job.available().entries().size());
    }
}
BENCHMARK(BM_SelectionSlice)->Unit(benchmark::kMillisecond);

// The whole loading, every slice.
void BM_SelectionWholeLog(benchmark::State &state)
{
    const QStringList lines = logLines(10000);
    for (auto _ : state) {
        LabelJob job;
        for (qsizetype from = 0; from < lines.size(); from += Select_QSO::kLinesPerSlice)
            job.addLogLines(lines.mid(from, Select_QSO::kLinesPerSlice));
        benchmark::DoNotOptimize(job.available().entries().size());
    }
}
BENCHMARK(BM_SelectionWholeLog)->Unit(benchmark::kMillisecond);

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
