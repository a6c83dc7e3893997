// The départements tally after a store, on a 10,000-QSO log (it runs after every QSO), and the
// countries window's list on a 10,000-QSO log with the full built-in country table (read from
// the data folder, as the window does when it opens).
#include "common/TextFile.h"
#include "records/LogFiles.h"
#include "records/Session.h"
#include "views/CountryTable.h"
#include "views/CtyConversion.h"
#include "views/DepartmentTally.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace orvel;

namespace {

const QStringList kBands = {QStringLiteral("7"), QStringLiteral("14"), QStringLiteral("3.5")};
const QStringList kModes = {QStringLiteral("SSB"), QStringLiteral("CW")};
const QStringList kPrefixes = {QStringLiteral("F"),  QStringLiteral("EA8"), QStringLiteral("ON"),
                               QStringLiteral("DL"), QStringLiteral("G"),   QStringLiteral("I"),
                               QStringLiteral("TK"), QStringLiteral("HB9"), QStringLiteral("VE")};

QString sampleLine(int i)
{
    QsoRecord q;
    q.date = QStringLiteral("01/05/24");
    q.time = QStringLiteral("10:00");
    q.call = QStringLiteral("%1%2ABC").arg(kPrefixes.at(i % kPrefixes.size())).arg(i % 4000);
    q.department = QStringLiteral("%1").arg(1 + i % 95, 2, 10, QLatin1Char('0'));
    q.rstReceived = q.rstSent = QStringLiteral("59");
    q.mode = kModes.at(i % kModes.size());
    q.band = kBands.at(i % kBands.size());
    return formatQsoLine(q);
}

// A data folder holding a 10,000-QSO log of reference "A" and the built-in country table.
struct Folder {
    QTemporaryDir dir;
    Folder()
    {
        QStringList lines;
        for (int i = 0; i < 10000; ++i)
            lines.append(sampleLine(i));
        replaceFile(dataFilePath(dir.path(), QStringLiteral("A.txt")), lines);
        installCountryTable(dir.path());
    }
};

// A QSO appended to the log file (untimed), then the session taking it in, which the tally
// follows, and the tally's refresh after the store.
void BM_TallyAfterStore(benchmark::State &state)
{
    Folder folder;
    Activation current;
    current.reference = QStringLiteral("A");
    Session session(folder.dir.path(), current, {current.reference});
    const LogFiles logs(folder.dir.path());
    DepartmentTally tally(session);
    tally.refreshForEntry(QStringLiteral("14"), QStringLiteral("SSB"),
                          DepartmentTally::MapMarks::EntryBandAndMode);
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString line = sampleLine(i++);
        state.ResumeTiming();
        // The store, written and flushed, then the tally that follows it.
        if (!session.append(line).ok()) {
            state.SkipWithError("cannot append to the log");
            break;
        }
        tally.refreshForEntry(QStringLiteral("14"), QStringLiteral("SSB"),
                              DepartmentTally::MapMarks::EntryBandAndMode);
        benchmark::DoNotOptimize(tally.gridMarks());
    }
}
BENCHMARK(BM_TallyAfterStore)->Unit(benchmark::kMillisecond);

void BM_CountriesOfTheLog(benchmark::State &state)
{
    Folder folder;
    Activation current;
    current.reference = QStringLiteral("A");
    Session session(folder.dir.path(), current, {current.reference});
    for (auto _ : state) {
        const CountryTableRead table = readCountryTable(folder.dir.path());
        benchmark::DoNotOptimize(
            countriesContacted(session.currentLog().copyOfLines(), table.table));
    }
}
BENCHMARK(BM_CountriesOfTheLog)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // The built-in table is a Qt resource: it needs an application object.
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
