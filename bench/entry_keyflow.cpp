// The entry window at the pace of a pile-up: the Enter on a call sign (already-worked check on
// a 10,000-QSO log, first-name lookup in a 50,000-line memory) up to the focus in the next
// field, and a store key up to the empty call-sign field, with three open activations.
#include "common/TextFile.h"
#include "logging/Saisie_QSO.h"
#include "platform/Services.h"
#include "platform/Settings.h"
#include "records/ActivationContext.h"
#include "records/FirstNames.h"
#include "records/QsoLine.h"
#include "support/FakeClock.h"
#include "support/MemorySettings.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace orvel;

namespace {

const QStringList kOpen = {QStringLiteral("DFCF 89010"), QStringLiteral("DMF 1234"),
                           QStringLiteral("DCPF 77001")};

QString callOf(int i)
{
    return QStringLiteral("F%1AB").arg(i % 50000, 5, 10, QLatin1Char('0'));
}

// A data folder with a 10,000-QSO log in each open activation and a 50,000-line memory.
struct Fixture {
    QTemporaryDir dir;
    MemorySettings settings;
    FakeClock clock;
    ScriptedDialogs dialogs;
    Services services{settings, clock, dialogs, dir.path()};
    FixedActivationContext activation{
        dir.path(), Activation{kOpen.first(), "Q1ABC/P", "", "", "", "", "", "", ""}, kOpen};
    FirstNames firstNames{dir.path()};
    std::unique_ptr<Saisie_QSO> window;

    explicit Fixture(bool updateMemory = true)
    {
        QStringList log;
        for (int i = 0; i < 10000; ++i) {
            log << formatQsoLine(QsoRecord{"01/05/24", "10:00", callOf(i * 7), "75", "Jean", "59",
                                           "59", "SSB", "7", "", "Q1ABC"});
        }
        for (const QString &reference : kOpen)
            appendLines(QDir(dir.path()).filePath(reference + ".txt"), log);
        QStringList memory;
        for (int i = 0; i < 50000; ++i)
            memory << firstNameKeyLine(callOf(i), "75", "Prenom");
        appendLines(firstNames.path(), memory);

        window = std::make_unique<Saisie_QSO>(services, activation);
        window->setAlreadyWorkedCheck([this](const QString &call, const QString &band,
                                             const QString &mode) {
            return askCancelAlreadyWorked(dialogs, LogFiles(dir.path()), kOpen.first(), call,
                                          band, mode);
        });
        window->setFirstNameLookup([this](const QString &call) -> std::optional<KnownStation> {
            if (const auto known = firstNames.lookup(call))
                return KnownStation{known->department, known->firstName};
            return std::nullopt;
        });
        if (updateMemory)
            window->setFirstNameUpdate(firstNames.updateHook());
        window->show();
    }

    void press(QWidget *target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, QString());
        QApplication::sendEvent(target, &event);
    }
};

void enterOnCallSign(benchmark::State &state)
{
    Fixture f;
    QLineEdit *call = f.window->form().Indi_Q;
    for (auto _ : state) {
        state.PauseTiming();
        f.window->cancelEntry();
        call->setText(QStringLiteral("F49999ZZ")); // not in the log: the whole log is read
        state.ResumeTiming();
        f.press(call, Qt::Key_Return);
        benchmark::DoNotOptimize(f.window->focusWidget());
    }
    if (f.window->focusWidget() != f.window->form().Dpt_Q)
        state.SkipWithError("the focus did not reach Dpt_Q");
}

// state.range(0): 1 when the store also rewrites the 50,000-line first-name memory, 0 for the
// entry window's own part (the three appends, the list, the count).
void storeKeyToNextCallSign(benchmark::State &state)
{
    Fixture f(state.range(0) != 0);
    QLineEdit *call = f.window->form().Indi_Q;
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        call->setText(callOf(++n)); // a known call sign: its memory line is rewritten
        f.press(call, Qt::Key_Return);
        f.window->form().Dpt_Q->setText(QStringLiteral("75"));
        state.ResumeTiming();
        f.press(f.window->form().Dpt_Q, Qt::Key_F10);
        benchmark::DoNotOptimize(f.window->focusWidget());
    }
    if (f.window->focusWidget() != call || !call->text().isEmpty())
        state.SkipWithError("the store did not bring the focus back to an empty Indi_Q");
}

} // namespace

BENCHMARK(enterOnCallSign)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(storeKeyToNextCallSign)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
