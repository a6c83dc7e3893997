// The entry window at work on a long log, three open activations and a 50,000-line first-name
// memory: the window is built as the program builds it (its own already-worked check,
// first-name lookup and first-name update, and the départements tally it refreshes after
// each change of its log), driven with key presses and clicks, and each
// action is timed from the key or click that starts it until the window is ready for the next
// one. Between two iterations (untimed) the data folder is put back as first written, the
// session reads its log again and one call sign is looked up and cancelled, as an operator's
// window would be in the middle of a session. The floor of each action is measured in the
// same iteration: see Floors.h.
//
// The argument of every benchmark is the number of QSOs of each log.
#include "BenchData.h"
#include "Floors.h"
#include "app/DepartmentGridTally.h"

#include "logging/Saisie_QSO.h"
#include "platform/Services.h"
#include "records/QsoLine.h"
#include "records/Session.h"
#include "views/DepartmentTally.h"
#include "support/FakeClock.h"
#include "support/MemorySettings.h"
#include "support/ScriptedDialogs.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QPushButton>
#include <QThreadPool>
#include <QTest>

#include <benchmark/benchmark.h>

#include <ctime>
#include <map>
#include <memory>

using namespace orvel;
using namespace orvel::bench;

namespace {

// Call signs of the memory that each benchmark types (indices in the memory).
constexpr int kSettleCall = 12345;
constexpr int kEnterCall = 31415;
constexpr int kRenamedCall = 27182;
constexpr int kInsertedCall = 16180;

const QString kChangedFirstName = QStringLiteral("Bérangère");
const QString kEditedRemarks = QStringLiteral("QRP 5W");

template <typename W> W *child(QWidget *window, const char *name)
{
    W *widget = window->findChild<W *>(QLatin1String(name));
    if (!widget)
        qFatal("no %s in the window", name);
    return widget;
}

void press(QWidget *target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(target, key, modifiers);
}

void click(QPushButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// The events an action posted (the list's layout, the repaints) processed as the event loop
// does before the next key: the operator waits for them too.
void finishEvents()
{
    QApplication::processEvents();
}

// The window on a data folder of its own, as after the setup window's hand-over.
struct EntryDesk {
    DataFolder data;
    Floors floors{data};
    MemorySettings settings;
    FakeClock clock;
    ScriptedDialogs dialogs;
    Services services{settings, clock, dialogs, data.path()};
    Session session{data.path()};
    // The départements tally the program keeps beside the session, and refreshes from the
    // entry window after each change of its log.
    DepartmentTally departments{session};
    std::unique_ptr<Saisie_QSO> window;

    QLineEdit *Indi_Q = nullptr;
    QLineEdit *Dpt_Q = nullptr;
    QLineEdit *Prenom_Q = nullptr;
    QLineEdit *QRKR_Q = nullptr;
    QLineEdit *QRKE_Q = nullptr;
    QLineEdit *Observation_Q = nullptr;
    QLineEdit *Date_Q = nullptr;
    QLineEdit *Heure_Q = nullptr;
    QComboBox *Bande_Q = nullptr;
    QComboBox *Mode_Q = nullptr;
    QPushButton *Annule_Q = nullptr;
    QPushButton *Edite_QSO = nullptr;
    QPushButton *Efface_QSO = nullptr;
    QPushButton *Ajout_QSO = nullptr;
    QAbstractItemView *Liste_QSO = nullptr;

    explicit EntryDesk(int qsoCount)
        : data(qsoCount)
    {
        dialogs.defaultAnswer = false;
        session.open(currentActivation(), openReferences());
        window = std::make_unique<Saisie_QSO>(services, session);
        installDepartmentTally(*window, departments);
        QWidget *w = window.get();
        Indi_Q = child<QLineEdit>(w, "Indi_Q");
        Dpt_Q = child<QLineEdit>(w, "Dpt_Q");
        Prenom_Q = child<QLineEdit>(w, "Prenom_Q");
        QRKR_Q = child<QLineEdit>(w, "QRKR_Q");
        QRKE_Q = child<QLineEdit>(w, "QRKE_Q");
        Observation_Q = child<QLineEdit>(w, "Observation_Q");
        Date_Q = child<QLineEdit>(w, "Date_Q");
        Heure_Q = child<QLineEdit>(w, "Heure_Q");
        Bande_Q = child<QComboBox>(w, "Bande_Q");
        Mode_Q = child<QComboBox>(w, "Mode_Q");
        Annule_Q = child<QPushButton>(w, "Annule_Q");
        Edite_QSO = child<QPushButton>(w, "Edite_QSO");
        Efface_QSO = child<QPushButton>(w, "Efface_QSO");
        Ajout_QSO = child<QPushButton>(w, "Ajout_QSO");
        Liste_QSO = child<QAbstractItemView>(w, "Liste_QSO");
        window->show();
        window->activateWindow();
        QApplication::processEvents();
        settle();
    }

    int rows() const { return Liste_QSO->model()->rowCount(); }
    const CurrentLog &currentLog() const { return session.currentLog(); }
    QString lastLine() const { return currentLog().line(currentLog().size() - 1); }

    // One call sign looked up and the entry cancelled: the window as between two QSOs.
    void settle()
    {
        click(Annule_Q);
        Indi_Q->setText(callSign(kSettleCall));
        press(Indi_Q, Qt::Key_Return);
        click(Annule_Q);
        QApplication::processEvents();
        dialogs.clear();
        dialogs.answers.clear();
    }

    // The data folder as first written, the session and the window following it. The files
    // the last action let go are closed first (the program closes them in the background): an
    // operator's next action comes long after, and that work must not fall into its time.
    void restore()
    {
        QThreadPool::globalInstance()->waitForDone();
        floors.restore();
        if (data.restore()) {
            session.refresh();
            // The départements counted as the window's last store left them.
            departments.refreshForEntry(Bande_Q->currentText(), Mode_Q->currentText(),
                                        DepartmentTally::MapMarks::EntryBandAndMode);
        }
        settle();
    }

    // A click on a line of Liste_QSO (counted from 0), scrolled into view first.
    bool chooseRow(int row)
    {
        const QModelIndex index = Liste_QSO->model()->index(row, 0);
        Liste_QSO->scrollTo(index, QAbstractItemView::PositionAtCenter);
        QApplication::processEvents();
        const QRect place = Liste_QSO->visualRect(index);
        QTest::mouseClick(Liste_QSO->viewport(), Qt::LeftButton, {}, place.center());
        return Liste_QSO->currentIndex().row() == row;
    }

    // A call sign typed and confirmed with Enter.
    void enterCallSign(const QString &call)
    {
        Indi_Q->setText(call);
        press(Indi_Q, Qt::Key_Return);
    }

    QString shownText() const { return dialogs.shown.join(QStringLiteral(" | ")); }
};

std::map<int, std::unique_ptr<EntryDesk>> &desks()
{
    static std::map<int, std::unique_ptr<EntryDesk>> all;
    return all;
}

// One desk per log size, kept for every benchmark of the run.
EntryDesk &desk(int qsoCount)
{
    auto &slot = desks()[qsoCount];
    if (!slot) {
        slot = std::make_unique<EntryDesk>(qsoCount);
        atBenchmarksEnd([] { desks().clear(); });
    }
    slot->restore();
    return *slot;
}

// One iteration's floor, then its action timed until the events it posted are processed (the
// operator waits for them too), both counted in tally; the timing is paused before and after.
template <typename Floor, typename Action>
void timeFloorThenAction(benchmark::State &state, Tally &tally, Floor floor, Action action)
{
    const Stopwatch floorTime;
    floor();
    tally.floorMs += floorTime.ms();
    state.ResumeTiming();

    const Stopwatch actionTime;
    action();
    finishEvents();
    tally.actionMs += actionTime.ms();

    state.PauseTiming();
    ++tally.runs;
}

void failed(benchmark::State &state, const QString &why)
{
    state.SkipWithError(qPrintable(why));
}

// Enter on a call sign of the memory: the already-worked check on the current log, the
// first-name lookup, the focus in Dpt_Q. No file is written: no floor.
void BM_Enter(benchmark::State &state)
{
    EntryDesk &d = desk(static_cast<int>(state.range(0)));
    const QString call = callSign(kEnterCall);
    for (auto _ : state) {
        state.PauseTiming();
        click(d.Annule_Q);
        d.dialogs.clear();
        d.Indi_Q->setText(call);
        finishEvents();
        state.ResumeTiming();

        press(d.Indi_Q, Qt::Key_Return);
        finishEvents();

        state.PauseTiming();
        if (d.window->focusWidget() != d.Dpt_Q || d.Prenom_Q->text() != firstNameOf(kEnterCall) ||
            !d.dialogs.shown.isEmpty()) {
            failed(state, QStringLiteral("Enter did not reach Dpt_Q with the remembered name: ") +
                              d.shownText());
            break;
        }
        state.ResumeTiming();
    }
    click(d.Annule_Q);
}

// The first Enter after the entry window opened: a session opened on the group, the window
// built, shown and painted, a call sign of the memory typed (untimed, as the operator takes a
// second or more for it), then Enter timed until the window is ready for the next key. The
// window must already know the first names, as it does for every later Enter; cpu_ms is the
// program's own processor time for it.
void BM_FirstEnter(benchmark::State &state)
{
    EntryDesk &d = desk(static_cast<int>(state.range(0)));
    MemorySettings settings;
    FakeClock clock;
    ScriptedDialogs dialogs;
    dialogs.defaultAnswer = false;
    Services services{settings, clock, dialogs, d.data.path()};
    const QString call = callSign(kEnterCall);
    double cpuMs = 0;
    qint64 runs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto session = std::make_unique<Session>(d.data.path());
        session->open(currentActivation(), openReferences());
        auto departments = std::make_unique<DepartmentTally>(*session);
        auto window = std::make_unique<Saisie_QSO>(services, *session);
        installDepartmentTally(*window, *departments);
        if (!showAndPaint(window.get())) {
            failed(state, QStringLiteral("the entry window was not shown"));
            break;
        }
        window->activateWindow();
        auto *indi = child<QLineEdit>(window.get(), "Indi_Q");
        QTest::keyClicks(indi, call);
        // The second or so the operator takes to type it.
        const Stopwatch typing;
        while (typing.ms() < 300)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        const std::clock_t cpuStart = std::clock();
        state.ResumeTiming();

        press(indi, Qt::Key_Return);
        finishEvents();

        state.PauseTiming();
        cpuMs += 1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        ++runs;
        const bool reached = window->focusWidget() == child<QLineEdit>(window.get(), "Dpt_Q") &&
                             child<QLineEdit>(window.get(), "Prenom_Q")->text() ==
                                 firstNameOf(kEnterCall) &&
                             dialogs.shown.isEmpty();
        window.reset();
        departments.reset();
        session.reset();
        QApplication::processEvents();
        if (!reached) {
            failed(state, QStringLiteral("the first Enter did not reach Dpt_Q with the name"));
            break;
        }
        state.ResumeTiming();
    }
    if (runs > 0)
        state.counters["cpu_ms"] = cpuMs / double(runs);
}

// F10 in Dpt_Q for a call sign never worked nor remembered: three appends, a new memory line.
// Floor: three log lines and one memory line appended, each flushed to disk.
void BM_Store(benchmark::State &state)
{
    EntryDesk &d = desk(static_cast<int>(state.range(0)));
    const int before = d.data.qsoCount();
    Tally tally;
    for (auto _ : state) {
        state.PauseTiming();
        d.restore();
        d.enterCallSign(newCallSign());
        d.Dpt_Q->setText(QStringLiteral("89"));
        finishEvents();
        timeFloorThenAction(state, tally, [&] {
            d.floors.appendToLogs();
            d.floors.appendToMemory();
        }, [&] {
            press(d.Dpt_Q, Qt::Key_F10);
        });
        if (d.currentLog().size() != before + 1 || d.rows() != before + 1 ||
            callOfLine(d.lastLine()) != newCallSign() || !d.Indi_Q->text().isEmpty() ||
            d.window->focusWidget() != d.Indi_Q || !d.dialogs.shown.isEmpty() ||
            !fileContent(d.data.memoryPath()).contains(newCallSign().toLatin1())) {
            failed(state,
                   QStringLiteral("the QSO was not stored and remembered: ") + d.shownText());
            break;
        }
        state.ResumeTiming();
    }
    tally.report(state);
}

// Keypad "+" in Prenom_Q after the remembered first name was changed: three appends and the
// call sign's memory line replaced. Floor: three log lines appended and the memory rewritten
// whole through a scratch file, each flushed to disk, and the folder flushed after the rename.
void BM_StoreChangedName(benchmark::State &state)
{
    EntryDesk &d = desk(static_cast<int>(state.range(0)));
    const int before = d.data.qsoCount();
    const QString call = callSign(kRenamedCall);
    Tally tally;
    for (auto _ : state) {
        state.PauseTiming();
        d.restore();
        d.enterCallSign(call);
        if (d.Prenom_Q->text() != firstNameOf(kRenamedCall)) {
            failed(state, QStringLiteral("the remembered first name was not proposed"));
            break;
        }
        d.Prenom_Q->setText(kChangedFirstName);
        finishEvents();
        timeFloorThenAction(state, tally, [&] {
            d.floors.appendToLogs();
            d.floors.rewriteMemory();
        }, [&] {
            press(d.Prenom_Q, Qt::Key_Plus, Qt::KeypadModifier);
        });
        if (d.currentLog().size() != before + 1 || callOfLine(d.lastLine()) != call ||
            !d.dialogs.shown.isEmpty() ||
            !fileContent(d.data.memoryPath()).contains(kChangedFirstName.toLatin1())) {
            failed(state, QStringLiteral("the QSO was not stored and its name remembered: ") +
                              d.shownText());
            break;
        }
        state.ResumeTiming();
    }
    tally.report(state);
}

// A QSO in the middle of the log chosen with a click, Edite_QSO, its remarks changed, F10 in
// Observation_Q (timed from F10): the line replaced in the three logs. Floor: the three logs
// rewritten whole through a scratch file, each flushed to disk, and the folder flushed.
void BM_Edit(benchmark::State &state)
{
    EntryDesk &d = desk(static_cast<int>(state.range(0)));
    const int row = d.data.qsoCount() / 2;
    Tally tally;
    for (auto _ : state) {
        state.PauseTiming();
        d.restore();
        if (!d.chooseRow(row)) {
            failed(state, QStringLiteral("the click did not choose the line"));
            break;
        }
        click(d.Edite_QSO);
        d.Observation_Q->selectAll();
        QTest::keyClicks(d.Observation_Q, kEditedRemarks);
        finishEvents();
        timeFloorThenAction(state, tally, [&] {
            d.floors.rewriteLogs(3);
        }, [&] {
            press(d.Observation_Q, Qt::Key_F10);
        });
        const CurrentLog &log = d.currentLog();
        if (log.size() != d.data.qsoCount() || d.rows() != log.size() ||
            qsoField(log.line(row), qsocol::kRemarks) != kEditedRemarks ||
            d.window->state().editing || !d.dialogs.shown.isEmpty()) {
            failed(state, QStringLiteral("the QSO was not corrected: ") + d.shownText());
            break;
        }
        state.ResumeTiming();
    }
    tally.report(state);
}

// Ajout_QSO, a remembered call sign, Enter up to Date_Q, the date and time of the QSO in the
// middle of the log typed, F10 in Heure_Q (timed from F10): the line placed in the three logs.
// Floor: the three logs rewritten whole through a scratch file, each flushed to disk, and the
// folder flushed.
void BM_Insert(benchmark::State &state)
{
    EntryDesk &d = desk(static_cast<int>(state.range(0)));
    const int place = d.data.qsoCount() / 2;
    const QString call = callSign(kInsertedCall);
    QString typedDate = dateOf(place);
    typedDate.remove(QLatin1Char('/'));
    QString typedTime = timeOf(place);
    typedTime.remove(QLatin1Char(':'));
    Tally tally;
    for (auto _ : state) {
        state.PauseTiming();
        d.restore();
        click(d.Ajout_QSO);
        d.enterCallSign(call);
        for (QLineEdit *field : {d.Dpt_Q, d.Prenom_Q, d.QRKR_Q, d.QRKE_Q, d.Observation_Q})
            press(field, Qt::Key_Return);
        // The fields may still hold the date and time of an earlier correction.
        d.Date_Q->clear();
        d.Heure_Q->clear();
        QTest::keyClicks(d.Date_Q, typedDate);
        press(d.Date_Q, Qt::Key_Return);
        QTest::keyClicks(d.Heure_Q, typedTime);
        if (d.window->focusWidget() != d.Heure_Q || d.Date_Q->text() != dateOf(place) ||
            d.Heure_Q->text() != timeOf(place) || !d.dialogs.shown.isEmpty()) {
            failed(state, QStringLiteral("the insert did not reach Heure_Q (%1 %2): %3")
                              .arg(d.Date_Q->text(), d.Heure_Q->text(), d.shownText()));
            break;
        }
        finishEvents();
        timeFloorThenAction(state, tally, [&] {
            d.floors.rewriteLogs(3);
        }, [&] {
            press(d.Heure_Q, Qt::Key_F10);
        });
        const CurrentLog &log = d.currentLog();
        if (log.size() != d.data.qsoCount() + 1 || d.rows() != log.size() ||
            callOfLine(log.line(place)) != call || d.window->state().inserting ||
            !d.dialogs.shown.isEmpty()) {
            failed(state, QStringLiteral("the QSO was not inserted: ") + d.shownText());
            break;
        }
        state.ResumeTiming();
    }
    tally.report(state);
}

// A QSO in the middle of the log chosen with a click, Efface_QSO, "Oui": the line taken out of
// the current log. Timed from the release of the mouse button on Efface_QSO, when a click acts;
// the press before it (the button drawn down, the focus taken from the list) happens while the
// operator's finger is still down, and its time is reported apart as press_ms. Floor: that log
// rewritten whole through a scratch file and flushed to disk, and the folder flushed.
void BM_Delete(benchmark::State &state)
{
    EntryDesk &d = desk(static_cast<int>(state.range(0)));
    const int row = d.data.qsoCount() / 2;
    Tally tally;
    double pressMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        d.restore();
        if (!d.chooseRow(row)) {
            failed(state, QStringLiteral("the click did not choose the line"));
            break;
        }
        d.dialogs.answers = {true};
        finishEvents();
        const Stopwatch pressTime;
        QTest::mousePress(d.Efface_QSO, Qt::LeftButton);
        finishEvents();
        pressMs += pressTime.ms();
        timeFloorThenAction(state, tally, [&] {
            d.floors.rewriteLogs(1);
        }, [&] {
            QTest::mouseRelease(d.Efface_QSO, Qt::LeftButton);
        });
        const CurrentLog &log = d.currentLog();
        if (log.size() != d.data.qsoCount() - 1 || d.rows() != log.size() ||
            d.dialogs.questions.size() != 1 || d.dialogs.messages.size() != 0) {
            failed(state, QStringLiteral("the QSO was not deleted: ") + d.shownText());
            break;
        }
        state.ResumeTiming();
    }
    tally.report(state);
    if (tally.runs > 0)
        state.counters["press_ms"] = pressMs / double(tally.runs);
}

// The hand-over to QSO entry: the session opened on the activation and its group, the entry
// window built, shown and painted. Floor: the current log read and decoded.
void BM_OpenEntryWindow(benchmark::State &state)
{
    EntryDesk &d = desk(static_cast<int>(state.range(0)));
    MemorySettings settings;
    FakeClock clock;
    ScriptedDialogs dialogs;
    Services services{settings, clock, dialogs, d.data.path()};
    std::unique_ptr<Session> session;
    std::unique_ptr<DepartmentTally> departments;
    std::unique_ptr<Saisie_QSO> window;
    Tally tally;
    for (auto _ : state) {
        state.PauseTiming();
        window.reset();
        departments.reset();
        session = std::make_unique<Session>(d.data.path());
        departments = std::make_unique<DepartmentTally>(*session);
        finishEvents();
        const Stopwatch floor;
        d.floors.readAndDecodeLog();
        tally.floorMs += floor.ms();
        state.ResumeTiming();

        const Stopwatch action;
        session->open(currentActivation(), openReferences());
        window = std::make_unique<Saisie_QSO>(services, *session);
        installDepartmentTally(*window, *departments);
        const bool shown = showAndPaint(window.get());
        tally.actionMs += action.ms();

        state.PauseTiming();
        ++tally.runs;
        if (!shown ||
            child<QAbstractItemView>(window.get(), "Liste_QSO")->model()->rowCount() != d.data.qsoCount() ||
            !dialogs.shown.isEmpty()) {
            failed(state, QStringLiteral("the window was not shown with its log"));
            break;
        }
        state.ResumeTiming();
    }
    window.reset();
    departments.reset();
    session.reset();
    tally.report(state);
}

} // namespace

BENCHMARK(BM_Enter)->Apply(logSizes);
BENCHMARK(BM_FirstEnter)->Apply(logSizes);
BENCHMARK(BM_Store)->Apply(logSizes);
BENCHMARK(BM_StoreChangedName)->Apply(logSizes);
BENCHMARK(BM_Edit)->Apply(logSizes);
BENCHMARK(BM_Insert)->Apply(logSizes);
BENCHMARK(BM_Delete)->Apply(logSizes);
BENCHMARK(BM_OpenEntryWindow)->Apply(logSizes);

#ifndef ORVEL_BENCH_LARGE
int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv);
}
#endif
