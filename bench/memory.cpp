// The program's memory with a long log open: the session opened on the data folder and the
// entry window shown on it, one call sign looked up and the entry cancelled, as an operator
// starts a session. The peak resident memory is read in a process of its own (this program
// started again on the folder), so that neither the making of the data folder nor another
// benchmark counts in it.
//
// BM_MemoryEveryWindow goes on as the operator's session does: every view opened, shown until
// its list is filled, and closed (the log, the alphanumeric log, the operators, the countries,
// the map, the search with one call sign, the label selection), both listings saved, both
// exports written.
//
// Counters: peak_mb, the process's peak resident memory (Qt's own included); base_mb, the same
// on a log of one QSO (what the program needs whatever the log); log_mb, the size of the open
// log; mem_ratio, peak_mb over log_mb; mem_budget, peak_mb over twice the log plus 100 MB (the
// program keeps under 1); end_mb, what the process holds at the end, every window closed. The
// argument is the number of QSOs of each log.
#include "BenchData.h"

#include "export/ExportActions.h"
#include "labels/Select_QSO.h"
#include "logging/Saisie_QSO.h"
#include "platform/Services.h"
#include "records/Session.h"
#include "views/Affiche_Log.h"
#include "views/Carte_Acti.h"
#include "views/CtyConversion.h"
#include "views/DepartmentTally.h"
#include "views/ListingFiles.h"
#include "views/Liste_Operateurs.h"
#include "views/Log_Alpha.h"
#include "views/Pays_Cont.h"
#include "views/Recherche_Indicatif.h"
#include "support/FakeClock.h"
#include "support/MemorySettings.h"
#include "support/ScriptedDialogs.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDate>
#include <QFile>
#include <QListView>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <cstring>
#include <map>
#include <memory>
#include <optional>

using namespace orvel;
using namespace orvel::bench;

namespace {

const char kChildOption[] = "--open-and-measure";
const char kEveryWindowOption[] = "--every-window-and-measure";

// A line of this process's status, in kB (VmHWM: the peak resident memory, VmRSS: what it
// holds now); 0 when it cannot be read.
qint64 statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

qint64 peakResidentKb()
{
    return statusKb("VmHWM:");
}

// With ORVEL_BENCH_STEPS set, the peak and what is held after each step go to the errors, so
// that each window's share can be read.
void step(const char *name)
{
    if (qEnvironmentVariableIsSet("ORVEL_BENCH_STEPS"))
        std::fprintf(stderr, "%-14s peak %6lld MB, held %6lld MB\n", name,
                     static_cast<long long>(peakResidentKb() / 1024),
                     static_cast<long long>(statusKb("VmRSS:") / 1024));
}

// Shows a window until it is painted and ready() holds, then closes it.
bool showUntilReady(QWidget *window, const std::function<bool()> &ready)
{
    const std::unique_ptr<QWidget> owned(window);
    return showAndPaint(window) && waitReadyAndPainted(window, ready);
}

int rowsOf(QWidget *window, const char *list)
{
    auto *view = window->findChild<QListView *>(QLatin1String(list));
    return view && view->model() ? view->model()->rowCount() : -1;
}

// Every view of the session opened and closed, both listings and both exports made.
bool openEveryWindow(Services &services, Session &session, ScriptedDialogs &dialogs,
                     MemorySettings &settings, FakeClock &clock)
{
    const int qsos = int(session.currentLog().size());
    installCountryTable(session.folder());
    DepartmentTally tally(session);
    step("open");
    bool ok = showUntilReady(new Affiche_Log(services, session), [] { return true; });
    step("Affiche_Log");
    // The alphanumeric log, until its list is filled.
    auto *alpha = new Log_Alpha(services, session);
    ok = ok && showUntilReady(alpha, [alpha] { return rowsOf(alpha, "Log_Alphanum") > 0; });
    step("Log_Alpha");
    ok = ok && showUntilReady(new Liste_Operateurs(session), [] { return true; });
    step("Operateurs");
    ok = ok && showUntilReady(new Pays_Cont(session, dialogs), [] { return true; });
    step("Pays_Cont");
    ok = ok && showUntilReady(new Carte_Acti(settings, dialogs, tally), [] { return true; });
    step("Carte_Acti");
    auto *search = new Recherche_Indicatif(dialogs, session);
    ok = ok && showUntilReady(search, [search] {
             auto *box = search->findChild<QLineEdit *>(QStringLiteral("Indica"));
             if (box->text() != callSign(12345)) {
                 box->setText(callSign(12345));
                 QTest::keyClick(box, Qt::Key_Return);
             }
             return true;
         });
    step("Recherche");
    auto *labels = new Select_QSO(services, session, std::make_shared<RememberedActivations>());
    ok = ok && showUntilReady(labels, [labels, qsos] {
             return !labels->isLoading() && rowsOf(labels, "Liste_QSO") == qsos;
         });
    step("Select_QSO");
    for (const bool alphaListing : {false, true}) {
        QList<Listing> listings;
        const FileResult built = alphaListing
                                     ? buildAlphaListings(session, listings)
                                     : buildLogListings(session, QDate(2026, 12, 6), listings);
        ok = ok && built && saveListings(session.folder(), listings, [](const QString &, bool) {}).ok();
        step(alphaListing ? "alpha listing" : "log listing");
    }
    ok = ok && exportAdif(session, clock, dialogs).ok();
    step("ADIF");
    ok = ok && exportCTrafic(session, dialogs).ok();
    step("C_Trafic");
    QApplication::processEvents();
    return ok;
}

// The measuring process: opens the folder as the program does (and, with everyWindow, every
// view and export) and prints its peak and what it holds at the end, in kB.
int openAndMeasure(int argc, char **argv, const QString &folder, bool everyWindow)
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
    step("entry window");
    call->setText(callSign(12345));
    QTest::keyClick(call, Qt::Key_Return);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QApplication::processEvents();
    if (everyWindow && !openEveryWindow(services, session, dialogs, settings, clock))
        return 3;
    std::printf("%lld %lld\n", static_cast<long long>(peakResidentKb()),
                static_cast<long long>(statusKb("VmRSS:")));
    return 0;
}

struct Measured {
    double peakMb = 0;
    double endMb = 0;
};

// The peak of a measuring process run on a folder, and what it held at its end, in MB.
std::optional<Measured> measured(const QString &folder, const char *option = kChildOption)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(option), folder});
    if (!child.waitForFinished(600000) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0)
        return std::nullopt;
    const QList<QByteArray> numbers = child.readAllStandardOutput().trimmed().split(' ');
    bool peakOk = false;
    bool endOk = false;
    const qint64 peakKb = numbers.value(0).toLongLong(&peakOk);
    const qint64 endKb = numbers.value(1).toLongLong(&endOk);
    if (!peakOk || !endOk || peakKb <= 0)
        return std::nullopt;
    return Measured{static_cast<double>(peakKb) / 1024.0, static_cast<double>(endKb) / 1024.0};
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

void measureMemory(benchmark::State &state, const char *option)
{
    const QString path = folder(static_cast<int>(state.range(0))).logPath(openReferences().first());
    const QString base = folder(1).path();
    const QString data = folder(static_cast<int>(state.range(0))).path();
    std::optional<Measured> peak;
    std::optional<Measured> basePeak;
    for (auto _ : state) {
        peak = measured(data, option);
        state.PauseTiming();
        basePeak = measured(base, option);
        state.ResumeTiming();
        if (!peak || !basePeak) {
            state.SkipWithError("the measuring process failed");
            return;
        }
    }
    const double logMb = static_cast<double>(QFileInfo(path).size()) / (1024.0 * 1024.0);
    state.counters["peak_mb"] = peak->peakMb;
    state.counters["end_mb"] = peak->endMb;
    state.counters["base_mb"] = basePeak->peakMb;
    state.counters["log_mb"] = logMb;
    state.counters["mem_ratio"] = peak->peakMb / logMb;
    state.counters["mem_budget"] = peak->peakMb / (2 * logMb + 100);
}

void BM_MemoryOpenLog(benchmark::State &state)
{
    measureMemory(state, kChildOption);
}

void BM_MemoryEveryWindow(benchmark::State &state)
{
    measureMemory(state, kEveryWindowOption);
}

} // namespace

BENCHMARK(BM_MemoryOpenLog)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryEveryWindow)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    const bool everyWindow = argc == 3 && std::strcmp(argv[1], kEveryWindowOption) == 0;
    if (argc == 3 && (everyWindow || std::strcmp(argv[1], kChildOption) == 0)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return openAndMeasure(argc, argv, QString::fromLocal8Bit(argv[2]), everyWindow);
    }
    return runBenchmarks(argc, argv);
}
