// The log views as the operator opens them from the entry window's menus, on a session opened
// on three activations whose logs hold the argument's number of QSOs: each window built, shown,
// exposed and painted (and, for the label selection, filled to its last entry and painted
// again), then closed. Each is timed against its floor, measured in the same iteration: the
// current log read and decoded (see Floors.h), what showing the log needs at least.
#include "BenchData.h"
#include "Floors.h"

#include "labels/Select_QSO.h"
#include "platform/Services.h"
#include "records/Session.h"
#include "support/FakeClock.h"
#include "support/MemorySettings.h"
#include "support/ScriptedDialogs.h"
#include "views/Affiche_Log.h"
#include "views/Carte_Acti.h"
#include "views/CtyConversion.h"
#include "views/DepartmentTally.h"
#include "views/ListingFiles.h"
#include "views/Listings.h"
#include "views/Liste_Operateurs.h"
#include "views/Log_Alpha.h"
#include "views/Pays_Cont.h"
#include "views/Recherche_Indicatif.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QListView>
#include <QTest>

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <memory>

using namespace orvel;
using namespace orvel::bench;

namespace {

// The program's windows on a data folder of their own, as after the hand-over to QSO entry.
struct ViewDesk {
    DataFolder data;
    Floors floors{data};
    MemorySettings settings;
    FakeClock clock;
    ScriptedDialogs dialogs;
    Services services{settings, clock, dialogs, data.path()};
    Session session{data.path()};
    std::unique_ptr<DepartmentTally> tally;

    explicit ViewDesk(int qsoCount)
        : data(qsoCount)
    {
        dialogs.defaultAnswer = false;
        installCountryTable(data.path());
        session.open(currentActivation(), openReferences());
        tally = std::make_unique<DepartmentTally>(session);
    }
};

std::map<int, std::unique_ptr<ViewDesk>> &desks()
{
    static std::map<int, std::unique_ptr<ViewDesk>> all;
    return all;
}

ViewDesk &desk(int qsoCount)
{
    auto &slot = desks()[qsoCount];
    if (!slot) {
        slot = std::make_unique<ViewDesk>(qsoCount);
        atBenchmarksEnd([] { desks().clear(); });
    }
    return *slot;
}

using WindowMaker = std::function<QWidget *(ViewDesk &)>;

// One window opened per iteration as the menu opens it (the session checks its file first),
// timed until it is shown and painted and ready() holds; closed untimed.
void timeWindow(benchmark::State &state, const WindowMaker &make,
                const std::function<bool(QWidget *)> &ready = {})
{
    ViewDesk &d = desk(static_cast<int>(state.range(0)));
    Tally tally;
    double shownMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QApplication::processEvents();
        const Stopwatch floor;
        d.floors.readAndDecodeLog();
        tally.floorMs += floor.ms();
        state.ResumeTiming();

        const Stopwatch action;
        d.session.refresh();
        std::unique_ptr<QWidget> window(make(d));
        const bool shown = showAndPaint(window.get());
        shownMs += action.ms();
        const bool done =
            shown && (!ready || waitReadyAndPainted(window.get(), [&] { return ready(window.get()); }));
        tally.actionMs += action.ms();

        state.PauseTiming();
        ++tally.runs;
        window.reset();
        QApplication::processEvents();
        if (!done) {
            state.SkipWithError("the window was not shown and painted");
            break;
        }
        state.ResumeTiming();
    }
    tally.report(state);
    if (ready && tally.runs > 0)
        state.counters["shown_ms"] = shownMs / double(tally.runs);
}

int rowsOf(QWidget *window, const char *list)
{
    auto *view = window->findChild<QListView *>(QLatin1String(list));
    return view && view->model() ? view->model()->rowCount() : -1;
}

void BM_OpenAfficheLog(benchmark::State &state)
{
    timeWindow(state, [](ViewDesk &d) { return new Affiche_Log(d.services, d.session); });
}

// Timed until the sorted log is in the list and painted; shown_ms is the time until the
// window is first painted.
void BM_OpenLogAlpha(benchmark::State &state)
{
    timeWindow(
        state, [](ViewDesk &d) { return new Log_Alpha(d.services, d.session); },
        [](QWidget *window) {
            return !static_cast<Log_Alpha *>(window)->isLoading() && rowsOf(window, "Log_Alphanum") > 0;
        });
}

void BM_OpenListeOperateurs(benchmark::State &state)
{
    timeWindow(state, [](ViewDesk &d) { return new Liste_Operateurs(d.session); });
}

// The countries window reads the country table and looks up every call sign of the log.
void BM_OpenPaysCont(benchmark::State &state)
{
    timeWindow(state, [](ViewDesk &d) { return new Pays_Cont(d.session, d.dialogs); });
}

// The map, on the départements tally the program keeps beside the session.
void BM_OpenCarteActi(benchmark::State &state)
{
    timeWindow(state,
               [](ViewDesk &d) { return new Carte_Acti(d.settings, d.dialogs, *d.tally); });
}

// The search window opened, then Enter in its call-sign box on a call sign of the log: timed
// until the answer is painted.
void BM_SearchCall(benchmark::State &state)
{
    const QString call = callSign(12345);
    timeWindow(
        state, [](ViewDesk &d) { return new Recherche_Indicatif(d.dialogs, d.session); },
        [call](QWidget *window) {
            auto *box = window->findChild<QLineEdit *>(QStringLiteral("Indica"));
            if (box->text() != call) {
                box->setText(call);
                QTest::keyClick(box, Qt::Key_Return);
            }
            return true;
        });
}

// The label selection: timed until its list holds every QSO and is painted; shown_ms is the
// time until the window is first painted (usable).
void BM_OpenSelectQso(benchmark::State &state)
{
    const int qsos = static_cast<int>(state.range(0));
    auto remembered = std::make_shared<RememberedActivations>();
    timeWindow(
        state, [remembered](ViewDesk &d) { return new Select_QSO(d.services, d.session, remembered); },
        [qsos](QWidget *window) {
            return !static_cast<Select_QSO *>(window)->isLoading() &&
                   rowsOf(window, "Liste_QSO") == qsos;
        });
}

// "Enregistrer" of the log window: the listing built and written. Floor: the log read and
// decoded.
void BM_SaveLogListing(benchmark::State &state)
{
    ViewDesk &d = desk(static_cast<int>(state.range(0)));
    Tally tally;
    for (auto _ : state) {
        state.PauseTiming();
        const Stopwatch floor;
        d.floors.readAndDecodeLog();
        tally.floorMs += floor.ms();
        state.ResumeTiming();
        const Stopwatch action;
        QList<Listing> listings;
        buildLogListings(d.session, QDate(2026, 12, 6), listings);
        saveListings(d.data.path(), listings, [](const QString &, bool) {});
        tally.actionMs += action.ms();
        ++tally.runs;
    }
    tally.report(state);
}

} // namespace

BENCHMARK(BM_OpenAfficheLog)->Apply(logSizes);
BENCHMARK(BM_OpenLogAlpha)->Apply(logSizes);
BENCHMARK(BM_OpenListeOperateurs)->Apply(logSizes);
BENCHMARK(BM_OpenPaysCont)->Apply(logSizes);
BENCHMARK(BM_OpenCarteActi)->Apply(logSizes);
BENCHMARK(BM_SearchCall)->Apply(logSizes);
BENCHMARK(BM_OpenSelectQso)->Apply(logSizes);
BENCHMARK(BM_SaveLogListing)->Apply(logSizes);

#ifndef ORVEL_BENCH_LARGE
int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv);
}
#endif
