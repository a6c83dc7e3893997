// The program's memory with a long log open: the session opened on the data folder and the
// entry window shown on it, one call sign looked up and the entry cancelled, as an operator
// starts a session. The peak resident memory is read in a process of its own (this program
// started again on the folder), so that neither the making of the data folder nor another
// benchmark counts in it.
//
// Counters: peak_mb, the process's peak resident memory (Qt's own included); base_mb, the same
// on a log of one QSO (what the program needs whatever the log); log_mb, the size of the open
// log; mem_ratio, peak_mb over log_mb. The argument is the number of QSOs of each log.
#include "BenchData.h"

#include "logging/Saisie_QSO.h"
#include "platform/Services.h"
#include "records/Session.h"
#include "support/FakeClock.h"
#include "support/MemorySettings.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <optional>

using namespace orvel;
using namespace orvel::bench;

namespace {

const char kChildOption[] = "--open-and-measure";

// The peak resident memory of this process, in kB (VmHWM); 0 when it cannot be read.
qint64 peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// The measuring process: opens the folder as the program does and prints its peak in kB.
int openAndMeasure(int argc, char **argv, const QString &folder)
{
    QApplication app(argc, argv);
    MemorySettings settings;
    FakeClock clock;
    ScriptedDialogs dialogs;
    dialogs.defaultAnswer = false;
    Services services{settings, clock, dialogs, folder};
    Session session(folder);
    session.open(currentActivation(), openReferences());
    Saisie_QSO window(services, session);
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    auto *call = window.findChild<QLineEdit *>(QStringLiteral("Indi_Q"));
    auto *cancel = window.findChild<QPushButton *>(QStringLiteral("Annule_Q"));
    if (!call || !cancel)
        return 2;
    call->setText(callSign(12345));
    QTest::keyClick(call, Qt::Key_Return);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QApplication::processEvents();
    std::printf("%lld\n", static_cast<long long>(peakResidentKb()));
    return 0;
}

// The peak of a measuring process run on a folder, in MB.
std::optional<double> measuredPeakMb(const QString &folder)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(kChildOption), folder});
    if (!child.waitForFinished(600000) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0)
        return std::nullopt;
    bool ok = false;
    const qint64 kb = child.readAllStandardOutput().trimmed().toLongLong(&ok);
    if (!ok || kb <= 0)
        return std::nullopt;
    return static_cast<double>(kb) / 1024.0;
}

// One folder per log size, kept for the whole run: making a long one takes seconds.
DataFolder &folder(int qsoCount)
{
    static std::map<int, std::unique_ptr<DataFolder>> all;
    auto &slot = all[qsoCount];
    if (!slot)
        slot = std::make_unique<DataFolder>(qsoCount);
    return *slot;
}

void BM_MemoryOpenLog(benchmark::State &state)
{
    const QString path = folder(static_cast<int>(state.range(0))).logPath(openReferences().first());
    const QString base = folder(1).path();
    const QString data = folder(static_cast<int>(state.range(0))).path();
    std::optional<double> peak;
    std::optional<double> basePeak;
    for (auto _ : state) {
        peak = measuredPeakMb(data);
        state.PauseTiming();
        basePeak = measuredPeakMb(base);
        state.ResumeTiming();
        if (!peak || !basePeak) {
            state.SkipWithError("the measuring process failed");
            return;
        }
    }
    const double logMb = static_cast<double>(QFileInfo(path).size()) / (1024.0 * 1024.0);
    state.counters["peak_mb"] = *peak;
    state.counters["base_mb"] = *basePeak;
    state.counters["log_mb"] = logMb;
    state.counters["mem_ratio"] = *peak / logMb;
}

} // namespace

BENCHMARK(BM_MemoryOpenLog)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], kChildOption) == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return openAndMeasure(argc, argv, QString::fromLocal8Bit(argv[2]));
    }
    return runBenchmarks(argc, argv);
}
