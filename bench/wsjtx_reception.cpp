// A QSO that WSJT-X logs, from its datagram on the UDP port to the three open logs written: a
// session on three activations whose logs hold 10,000 or 100,000 QSOs, listening on a port of
// this computer; each iteration sends a QSO Logged datagram and waits until the reception has
// written it. "at the end": a QSO later than every line, appended to each log; "at its moment":
// an earlier one, placed among the lines of each log. Floor, in the same iteration: one line
// appended to each of the three logs and to the memory, each flushed to disk (at the end), or
// the three logs rewritten whole through scratch files (at its moment).
#include "BenchData.h"
#include "Floors.h"

#include "digital/DigitalReception.h"
#include "records/Session.h"
#include "support/WsjtxSender.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

using namespace orvel;
using namespace orvel::bench;
using namespace orvel::testing;

namespace {

struct ReceptionDesk {
    explicit ReceptionDesk(int qsos)
        : data(qsos)
        , floors(data)
        , session(data.path(), currentActivation(), openReferences())
        , names(data.path())
        , reception(session, names)
        , port(freeUdpPort())
        , sender(port)
    {
        reception.setOperator([] { return QStringLiteral("Q1ABC"); });
        if (const QString problem = reception.start(port, QStringLiteral("127.0.0.1"));
            !problem.isEmpty())
            qFatal("%s", qPrintable(problem));
    }

    DataFolder data;
    Floors floors;
    Session session;
    FirstNames names; // shared with the reception
    DigitalReception reception;
    quint16 port;
    WsjtxSender sender;
    int sent = 0;
};

std::map<int, std::unique_ptr<ReceptionDesk>> &desks()
{
    static std::map<int, std::unique_ptr<ReceptionDesk>> made;
    return made;
}

ReceptionDesk &desk(int qsos)
{
    auto &made = desks()[qsos];
    if (!made)
        made = std::make_unique<ReceptionDesk>(qsos);
    return *made;
}

// Sends a QSO and waits until it is in the logs; false when it was not written.
bool sendAndWait(ReceptionDesk &d, const QDateTime &on)
{
    SentQso qso;
    qso.timeOn.utc = on;
    qso.call = newCallSign();
    qso.name = QStringLiteral("Yves");
    bool written = false;
    QEventLoop loop;
    const auto connection = QObject::connect(&d.reception, &DigitalReception::taken, &loop, [&] {
        written = true;
        loop.quit();
    });
    QObject::connect(&d.reception, &DigitalReception::refused, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    d.sender.send(qsoLogged(qso));
    loop.exec();
    QObject::disconnect(connection);
    return written;
}

void receive(benchmark::State &state, bool atTheEnd)
{
    const int qsos = int(state.range(0));
    ReceptionDesk &d = desk(qsos);
    Tally tally;
    for (auto _ : state) {
        state.PauseTiming();
        d.data.restore();
        d.floors.restore();
        d.session.refresh();
        // The memory as the program holds it between two QSOs: read once, then kept in step
        // with its own writes (restoring it from outside makes it read again).
        benchmark::DoNotOptimize(d.names.lookup(newCallSign()));
        const Stopwatch floor;
        if (atTheEnd) {
            d.floors.appendToLogs();
            d.floors.appendToMemory();
        } else {
            d.floors.rewriteLogs(3);
        }
        tally.floorMs += floor.ms();
        // Each QSO at its own minute: never a copy of an earlier one.
        ++d.sent;
        const QDateTime on =
            atTheEnd ? QDateTime(QDate(2030, 1, 1), QTime(0, 0), Qt::UTC).addSecs(60 * d.sent)
                     : QDateTime(QDate(2024, 1, 1), QTime(0, 0, 30), Qt::UTC)
                           .addSecs(60 * ((qsos / 2 + d.sent) % qsos));
        state.ResumeTiming();

        const Stopwatch action;
        const bool written = sendAndWait(d, on);
        tally.actionMs += action.ms();

        state.PauseTiming();
        ++tally.runs;
        if (!written || d.session.currentLog().size() != qsos + 1) {
            state.SkipWithError("the QSO did not reach the logs");
            break;
        }
        state.ResumeTiming();
    }
    tally.report(state);
}

void BM_WsjtxQsoAtTheEnd(benchmark::State &state)
{
    receive(state, true);
}

void BM_WsjtxQsoAtItsMoment(benchmark::State &state)
{
    receive(state, false);
}

} // namespace

BENCHMARK(BM_WsjtxQsoAtTheEnd)->Apply(logSizes)->UseRealTime();
BENCHMARK(BM_WsjtxQsoAtItsMoment)->Apply(logSizes)->UseRealTime();

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv, [] { desks().clear(); });
}
