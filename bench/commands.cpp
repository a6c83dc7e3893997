// The commands of the command line as the user runs them: the orvel-multi program started on a
// data folder of three logs of the argument's number of QSOs, its output thrown away, timed
// from its start to its end. Its peak resident memory is read from the ended process.
//
// Counters: peak_mb, the process's peak resident memory (GNU time's report); log_mb, the size of the current log;
// mem_budget, peak_mb over twice the log plus 100 MB (the program keeps under 1).
#include "BenchData.h"

#include "common/TextFile.h"
#include "records/Activation.h"
#include "records/ActivationList.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QDate>
#include <QFileInfo>
#include <QList>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <map>
#include <memory>
#include <vector>

extern char **environ;

using namespace orvel;
using namespace orvel::bench;

namespace {

// One folder per log size, kept for the whole run: making a long one takes seconds. Its
// activation list names the three activations as one open group, the current one last, so
// that a command on the current reference opens the group.
DataFolder &folder(int qsoCount)
{
    static std::map<int, std::unique_ptr<DataFolder>> all;
    auto &slot = all[qsoCount];
    if (!slot) {
        slot = std::make_unique<DataFolder>(qsoCount);
        QStringList lines;
        for (qsizetype i = openReferences().size() - 1; i >= 0; --i) {
            Activation activation = currentActivation();
            activation.reference = openReferences().at(i);
            lines.append(formatActivationLine(activation));
        }
        lines << kGroupMarker << QString::number(openReferences().size());
        replaceFile(slot->filePath(kActivationListFile), lines);
    }
    return *slot;
}

struct Ended {
    bool ok = false;
    double ms = 0;
    double peakMb = 0;
};

// Runs the program with arguments through GNU time, which reports its peak resident memory:
// a process started straight from this one would count this one's memory in its own peak
// (Linux keeps the peak of the memory a process replaces when it starts a program). Its output
// is thrown away; its errors go where this program's go.
Ended run(const QStringList &arguments)
{
    const QByteArray report = QDir::temp().filePath(QStringLiteral("orvel-bench-peak.txt")).toLocal8Bit();
    QList<QByteArray> texts{QByteArrayLiteral("/usr/bin/time"), QByteArrayLiteral("-f"),
                            QByteArrayLiteral("%M"), QByteArrayLiteral("-o"), report,
                            QByteArrayLiteral(ORVEL_EXECUTABLE)};
    for (const QString &argument : arguments)
        texts.append(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    Ended ended;
    const Stopwatch clock;
    pid_t pid = 0;
    const int started = posix_spawn(&pid, argv.front(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0)
        return ended;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return ended;
    ended.ms = clock.ms();
    QFile peak(QString::fromLocal8Bit(report));
    bool read = false;
    if (peak.open(QIODevice::ReadOnly))
        ended.peakMb = double(peak.readAll().trimmed().split('\n').constLast().toLongLong(&read)) / 1024.0;
    ended.ok = read && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return ended;
}

// An ADIF file of QSOs the logs do not hold, spread over the days of the log: 1,000 as a phone
// application's file brings them, or as many as the log holds, as when a log kept in another
// program is brought over. The import compares them with the whole log and rewrites the three
// logs once each. The folder keeps them: each size is imported once a run.
QString importedFile(DataFolder &data, int qsoCount, int kImported)
{
    const QString path = data.filePath(QStringLiteral("import-%1.adi").arg(kImported));
    if (QFileInfo::exists(path))
        return path;
    QByteArray text("Bench import<eoh>\r\n");
    const auto field = [&text](const char *name, const QByteArray &value) {
        text += '<' + QByteArray(name) + ':' + QByteArray::number(value.size()) + '>' + value + ' ';
    };
    for (int k = 0; k < kImported; ++k) {
        const int i = int(qint64(k) * qsoCount / kImported);
        field("CALL", "ZZ9I" + QByteArray::number(k));
        field("QSO_DATE", QDate(2024, 1, 1).addDays(i / 1440).toString(u"yyyyMMdd").toLatin1());
        field("TIME_ON", timeOf(i).remove(QLatin1Char(':')).toLatin1());
        field("BAND", "40m");
        field("MODE", "SSB");
        field("RST_RCVD", "59");
        field("RST_SENT", "59");
        text += "<eor>\r\n";
    }
    writeFileToDisk(path, text);
    return path;
}

// words: the command's words, "|" between them; REF stands for the current reference, PDF for
// a PDF file to write, ADIF for an ADIF file of 1,000 new QSOs and WHOLE_ADIF for one of as
// many QSOs as the log (importedFile()).
void BM_Command(benchmark::State &state, const char *words)
{
    DataFolder &data = folder(static_cast<int>(state.range(0)));
    QStringList arguments{QStringLiteral("--dossier"), data.path()};
    for (const QString &word : QString::fromUtf8(words).split(QLatin1Char('|'))) {
        if (word == QLatin1String("REF"))
            arguments.append(currentActivation().reference);
        else if (word == QLatin1String("PDF"))
            arguments.append(QDir::temp().filePath(QStringLiteral("orvel-bench.pdf")));
        else if (word == QLatin1String("ADIF"))
            arguments.append(importedFile(data, static_cast<int>(state.range(0)), 1000));
        else if (word == QLatin1String("WHOLE_ADIF"))
            arguments.append(importedFile(data, static_cast<int>(state.range(0)),
                                          static_cast<int>(state.range(0))));
        else
            arguments.append(word);
    }
    double peakMb = 0;
    double totalMs = 0;
    qint64 runs = 0;
    for (auto _ : state) {
        const Ended ended = run(arguments);
        if (!ended.ok) {
            state.SkipWithError("the command failed");
            return;
        }
        state.SetIterationTime(ended.ms / 1000.0);
        totalMs += ended.ms;
        peakMb = qMax(peakMb, ended.peakMb);
        ++runs;
    }
    const double logMb =
        double(QFileInfo(data.logPath(currentActivation().reference)).size()) / (1024.0 * 1024.0);
    state.counters["peak_mb"] = peakMb;
    state.counters["log_mb"] = logMb;
    state.counters["mem_budget"] = peakMb / (2 * logMb + 100);
}

void commandSizes(benchmark::internal::Benchmark *benchmark)
{
    logSizes(benchmark);
    benchmark->UseManualTime()->Iterations(1);
}

} // namespace

BENCHMARK_CAPTURE(BM_Command, exporter_adif, "exporter|adif|REF")->Apply(commandSizes);
BENCHMARK_CAPTURE(BM_Command, exporter_ctrafic, "exporter|ctrafic|REF")->Apply(commandSizes);
BENCHMARK_CAPTURE(BM_Command, enregistrer_log, "enregistrer|log|REF")->Apply(commandSizes);
BENCHMARK_CAPTURE(BM_Command, enregistrer_alpha, "enregistrer|alpha|REF")->Apply(commandSizes);
BENCHMARK_CAPTURE(BM_Command, afficher_log, "afficher|log|REF")->Apply(commandSizes);
BENCHMARK_CAPTURE(BM_Command, afficher_alpha, "afficher|alpha|REF")->Apply(commandSizes);
BENCHMARK_CAPTURE(BM_Command, afficher_operateurs, "afficher|operateurs|REF")
    ->Apply(commandSizes);
BENCHMARK_CAPTURE(BM_Command, afficher_pays, "afficher|pays|REF")->Apply(commandSizes);
BENCHMARK_CAPTURE(BM_Command, afficher_departements,
                  "afficher|departements|REF|--bande|7 Mhz|--mode|SSB")
    ->Apply(commandSizes);
BENCHMARK_CAPTURE(BM_Command, imprimer_log, "imprimer|log|REF|--pdf|PDF")->Apply(commandSizes);
BENCHMARK_CAPTURE(BM_Command, etiquettes, "etiquettes|REF|--pdf|PDF")->Apply(commandSizes);
BENCHMARK_CAPTURE(BM_Command, importer, "importer|REF|ADIF")->Apply(commandSizes);
// A whole log brought over: the file is held whole while its QSOs are decided, so it is
// measured up to 100,000 QSOs.
BENCHMARK_CAPTURE(BM_Command, importer_whole, "importer|REF|WHOLE_ADIF")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);

#ifndef ORVEL_BENCH_LARGE
int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv);
}
#endif
