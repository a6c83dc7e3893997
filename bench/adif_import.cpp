// "Importer un fichier ADIF…" on a session opened on three activations whose logs hold 100,000
// QSOs each: a file of 20,000 new QSOs read, decided against the current log, placed at their
// moments in the three logs and the names learnt. Floor, in the same iteration: the file read
// once and the three logs each rewritten whole through a scratch file flushed to disk.
#include "BenchData.h"
#include "Floors.h"

#include "logging/AdifImport.h"
#include "records/Session.h"

#include <QDateTime>
#include <QFile>

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

} // namespace

BENCHMARK(BM_ImportAdif)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv, [] { desk().reset(); });
}
