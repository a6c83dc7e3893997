// Storing a QSO into three open logs (with the reload and the operator count that follow a
// store), against the floor of the three appends alone; and loading a 100,000-QSO log.
#include "common/TextFile.h"
#include "records/CurrentLog.h"
#include "logging/QsoStore.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace orvel;

namespace {

QString sampleLine(int i)
{
    QsoRecord q;
    q.date = QStringLiteral("01/05/24");
    q.time = QStringLiteral("%1:%2").arg((i / 60) % 24, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0'));
    q.call = QStringLiteral("Q%1ABC").arg(i % 5000);
    q.department = QStringLiteral("76");
    q.firstName = QStringLiteral("Jean");
    q.rstReceived = q.rstSent = QStringLiteral("59");
    q.mode = QStringLiteral("SSB");
    q.band = QStringLiteral("7");
    return formatQsoLine(q);
}

void writeLog(const QString &path, int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(sampleLine(i));
    replaceFile(path, path + QStringLiteral(".tmp"), lines);
}

const QStringList kOpen = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};

void BM_StoreIntoThreeLogs(benchmark::State &state)
{
    QTemporaryDir dir;
    LogFiles logs(dir.path());
    writeLog(logs.path(QStringLiteral("A")), 10000);
    QsoStore store(logs);
    StoreRequest request;
    request.entry = parseQsoLine(sampleLine(1));
    request.clockDate = QStringLiteral("01/05/24");
    request.clockTime = QStringLiteral("10:00:00");
    for (auto _ : state) {
        store.store(kOpen, request);
        const QStringList lines = logs.load(QStringLiteral("A"));
        benchmark::DoNotOptimize(listEntries(lines));
        benchmark::DoNotOptimize(countOperators(lines));
    }
}
BENCHMARK(BM_StoreIntoThreeLogs)->Unit(benchmark::kMillisecond);

// What the entry window does: the current log follows the store without a full reload.
void BM_StoreIntoThreeLogsIncremental(benchmark::State &state)
{
    QTemporaryDir dir;
    LogFiles logs(dir.path());
    writeLog(logs.path(QStringLiteral("A")), 10000);
    QsoStore store(logs);
    CurrentLog current(logs);
    current.load(QStringLiteral("A"));
    StoreRequest request;
    request.entry = parseQsoLine(sampleLine(1));
    request.clockDate = QStringLiteral("01/05/24");
    request.clockTime = QStringLiteral("10:00:00");
    for (auto _ : state) {
        const StoreOutcome outcome = store.store(kOpen, request);
        current.appended(outcome.line);
        benchmark::DoNotOptimize(current.operatorCount());
    }
}
BENCHMARK(BM_StoreIntoThreeLogsIncremental)->Unit(benchmark::kMillisecond);

void BM_FloorThreeAppends(benchmark::State &state)
{
    QTemporaryDir dir;
    LogFiles logs(dir.path());
    writeLog(logs.path(QStringLiteral("A")), 10000);
    const QString line = sampleLine(1);
    for (auto _ : state) {
        for (const QString &reference : kOpen)
            appendLines(logs.path(reference), {line});
    }
}
BENCHMARK(BM_FloorThreeAppends)->Unit(benchmark::kMillisecond);

void BM_LoadLog100k(benchmark::State &state)
{
    QTemporaryDir dir;
    LogFiles logs(dir.path());
    writeLog(logs.path(QStringLiteral("A")), 100000);
    for (auto _ : state) {
        const QStringList lines = logs.load(QStringLiteral("A"));
        benchmark::DoNotOptimize(listEntries(lines));
    }
}
BENCHMARK(BM_LoadLog100k)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
