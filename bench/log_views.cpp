// The log views on a 100,000-QSO log: opening Affiche_Log, Log_Alpha, Liste_Operateurs,
// Pays_Cont, the map and the label selection, a search by call sign, and saving the log listing,
// each against the floor of reading the log file alone.
#include "common/TextFile.h"
#include "platform/Services.h"
#include "records/ActivationList.h"
#include "records/Session.h"
#include "support/TestPlatform.h"
#include "views/Affiche_Log.h"
#include "views/ListingFiles.h"
#include "views/Listings.h"
#include "views/Liste_Operateurs.h"
#include "labels/Select_QSO.h"
#include "views/Carte_Acti.h"
#include "views/CtyConversion.h"
#include "views/DepartmentTally.h"
#include "views/Log_Alpha.h"
#include "views/Pays_Cont.h"
#include "views/Recherche_Indicatif.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <benchmark/benchmark.h>

using namespace orvel;

namespace {

constexpr int kQsos = 100000;
const QString kReference = QStringLiteral("DFCF 89010");

QString sampleLine(int i)
{
    QsoRecord q;
    q.date = QStringLiteral("%1/09/13").arg(1 + i % 28, 2, 10, QLatin1Char('0'));
    q.time = QStringLiteral("%1:%2")
                 .arg((i / 60) % 24, 2, 10, QLatin1Char('0'))
                 .arg(i % 60, 2, 10, QLatin1Char('0'));
    // Call signs spread over the alphabet, as a busy activation meets them.
    static const char *const prefixes[] = {"F4", "F5", "F6", "ON4", "EA3", "DL1", "G4", "I2"};
    q.call = QStringLiteral("%1%2")
                 .arg(QLatin1String(prefixes[(i * 7) % 8]))
                 .arg(QString::number((i * 7919) % 17576, 26).toUpper());
    q.department = QStringLiteral("89");
    q.firstName = QStringLiteral("Jean");
    q.rstReceived = q.rstSent = QStringLiteral("59");
    q.mode = i % 3 ? QStringLiteral("SSB") : QStringLiteral("CW");
    q.band = i % 2 ? QStringLiteral("7") : QStringLiteral("14");
    q.operatorCall = QStringLiteral("Q9ABC");
    return formatQsoLine(q);
}

// A data folder holding the activation list and the 100,000-QSO log, and its session.
struct BigLog {
    testing::TestPlatform platform;
    Session session{platform.folder()};
    Services services{platform.settings, platform.clock, platform.dialogs, platform.folder()};

    BigLog()
    {
        const Activation castle{kReference, "Q9ABC",    "Château de Brivo", "0912", "89000",
                                "Château",  "05/09/13", "Auxerre",          ""};
        testing::writeFile(platform.file(kActivationListFile), {formatActivationLine(castle)});
        QStringList lines;
        lines.reserve(kQsos);
        for (int i = 0; i < kQsos; ++i)
            lines.append(sampleLine(i));
        testing::writeFile(platform.file(kReference + QStringLiteral(".txt")), lines);
        session.open(castle, {kReference});
        installCountryTable(platform.folder());
    }
};

BigLog &bigLog()
{
    static BigLog log;
    return log;
}

void BM_ReadLogAlone(benchmark::State &state)
{
    const LogFiles logs = bigLog().session.logFiles();
    for (auto _ : state)
        benchmark::DoNotOptimize(logs.load(kReference));
}
BENCHMARK(BM_ReadLogAlone)->Unit(benchmark::kMillisecond);

void BM_OpenAfficheLog(benchmark::State &state)
{
    for (auto _ : state) {
        Affiche_Log window(bigLog().services, bigLog().session);
        benchmark::DoNotOptimize(&window);
    }
}
BENCHMARK(BM_OpenAfficheLog)->Unit(benchmark::kMillisecond);

void BM_OpenLogAlpha(benchmark::State &state)
{
    for (auto _ : state) {
        Log_Alpha window(bigLog().services, bigLog().session);
        benchmark::DoNotOptimize(&window);
    }
}
BENCHMARK(BM_OpenLogAlpha)->Unit(benchmark::kMillisecond);

void BM_OpenListeOperateurs(benchmark::State &state)
{
    for (auto _ : state) {
        Liste_Operateurs window(bigLog().session);
        benchmark::DoNotOptimize(&window);
    }
}
BENCHMARK(BM_OpenListeOperateurs)->Unit(benchmark::kMillisecond);

// The countries window reads the country table and looks up every call sign of the log.
void BM_OpenPaysCont(benchmark::State &state)
{
    for (auto _ : state) {
        Pays_Cont window(bigLog().session, bigLog().platform.dialogs);
        benchmark::DoNotOptimize(&window);
    }
}
BENCHMARK(BM_OpenPaysCont)->Unit(benchmark::kMillisecond);

// Enter in the search window's call-sign box, on a call sign the log holds.
void BM_SearchCall(benchmark::State &state)
{
    Recherche_Indicatif window(bigLog().platform.dialogs, bigLog().session);
    auto *box = window.findChild<QLineEdit *>(QStringLiteral("Indica"));
    const QString call = qsoField(sampleLine(1), qsocol::kCall).trimmed().toString();
    for (auto _ : state) {
        box->setText(call);
        emit box->returnPressed();
    }
}
BENCHMARK(BM_SearchCall)->Unit(benchmark::kMillisecond);

// The map window opened on the départements tally the program keeps.
void BM_OpenCarteActi(benchmark::State &state)
{
    DepartmentTally tally(bigLog().session);
    for (auto _ : state) {
        Carte_Acti window(bigLog().platform.settings, bigLog().platform.dialogs, tally);
        benchmark::DoNotOptimize(&window);
    }
}
BENCHMARK(BM_OpenCarteActi)->Unit(benchmark::kMillisecond);

// The label selection window: built and its first slice of lines read (it reads the others
// between events).
void BM_OpenSelectQso(benchmark::State &state)
{
    auto remembered = std::make_shared<RememberedActivations>();
    for (auto _ : state) {
        Select_QSO window(bigLog().services, bigLog().session, remembered);
        benchmark::DoNotOptimize(&window);
    }
}
BENCHMARK(BM_OpenSelectQso)->Unit(benchmark::kMillisecond);

// A new QSO taken in by the session while Log_Alpha and Liste_Operateurs are open on the log:
// each places it in its list (the log grows by one line per iteration, which moves nothing
// measurable at 100,000 lines).
void BM_OpenListsFollowNewQso(benchmark::State &state)
{
    BigLog &log = bigLog();
    Log_Alpha alpha(log.services, log.session);
    Liste_Operateurs operators(log.session);
    const QString path = log.session.logFiles().path(kReference);
    const qint64 size = QFileInfo(path).size();
    int i = kQsos;
    for (auto _ : state) {
        state.PauseTiming();
        const QString line = sampleLine(i++);
        state.ResumeTiming();
        // The store as the entry window makes it: written, flushed, and followed by the lists.
        if (!log.session.append(line).ok()) {
            state.SkipWithError("cannot append to the log");
            break;
        }
    }
    // The log as the other benchmarks expect it.
    QFile::resize(path, size);
    log.session.refresh();
}
BENCHMARK(BM_OpenListsFollowNewQso)->Unit(benchmark::kMillisecond);

// The sort of the alphanumeric log alone.
void BM_AlphaEntries(benchmark::State &state)
{
    const QStringList lines = bigLog().session.currentLog().copyOfLines();
    for (auto _ : state)
        benchmark::DoNotOptimize(alphaListEntries(lines));
}
BENCHMARK(BM_AlphaEntries)->Unit(benchmark::kMillisecond);

// "Enregistrer" of the log window: the log read again, the listing built and written.
void BM_SaveLogListing(benchmark::State &state)
{
    BigLog &log = bigLog();
    for (auto _ : state) {
        QList<Listing> listings;
        buildLogListings(log.session, QDate(2026, 12, 6), listings);
        saveListings(log.platform.folder(), listings, [](const QString &, bool) {});
    }
}
BENCHMARK(BM_SaveLogListing)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
