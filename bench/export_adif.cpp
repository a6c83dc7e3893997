// ADIF export of a 100,000-QSO log, against the floor: reading the log and writing a file of
// the same size as the ADIF file, with no formatting at all.
#include "common/TextFile.h"
#include "export/AdifWriter.h"
#include "export/ExportActions.h"
#include "records/QsoLine.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace orvel;

namespace {

constexpr int kQsoCount = 100000;
const QString kReference = QStringLiteral("WFF FFF-0123");

QString sampleLine(int i)
{
    static const QStringList names = {QStringLiteral("Jean"), QStringLiteral("Hélène"),
                                      QStringLiteral(""), QStringLiteral("François")};
    static const QStringList bands = {QStringLiteral("3.5"), QStringLiteral("7"),
                                      QStringLiteral("14"), QStringLiteral("144"),
                                      QStringLiteral("1.8")};
    static const QStringList modes = {QStringLiteral("SSB"), QStringLiteral("CW"),
                                      QStringLiteral("TTY"), QStringLiteral("FT8")};
    QsoRecord q;
    q.date = QStringLiteral("%1/05/24").arg(1 + i % 28, 2, 10, QLatin1Char('0'));
    q.time = QStringLiteral("%1:%2")
                 .arg((i / 60) % 24, 2, 10, QLatin1Char('0'))
                 .arg(i % 60, 2, 10, QLatin1Char('0'));
    q.call = QStringLiteral("Q%1ABC/P").arg(i % 5000);
    q.department = QStringLiteral("76");
    q.firstName = names.at(i % names.size());
    q.rstReceived = QStringLiteral("59");
    q.rstSent = QStringLiteral("599");
    q.mode = modes.at(i % modes.size());
    q.band = bands.at(i % bands.size());
    q.remarks = i % 3 == 0 ? QStringLiteral("Château fort") : QString();
    q.operatorCall = i % 2 == 0 ? QStringLiteral("Q9OPERATOR12") : QString();
    return formatQsoLine(q);
}

struct Fixture {
    QTemporaryDir dir;
    QString logPath;
    Fixture()
    {
        logPath = dataFilePath(dir.path(), kReference + QStringLiteral(".txt"));
        QStringList lines;
        lines.reserve(kQsoCount);
        for (int i = 0; i < kQsoCount; ++i)
            lines.append(sampleLine(i));
        QFile file(logPath);
        if (file.open(QIODevice::WriteOnly))
            file.write(fileBytes(lines));
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

const QDateTime kCreated(QDate(2024, 5, 1), QTime(10, 0), Qt::UTC);

void exportOnce(AdifVariant variant)
{
    const AdifFileData data{variant, kReference, QStringLiteral("Q9ABC")};
    const auto failure = exportAdifFile(fixture().dir.path(), kReference, data, kCreated);
    if (failure)
        qFatal("%s", qPrintable(failure->message));
}

void BM_AdifExportWff(benchmark::State &state)
{
    for (auto _ : state)
        exportOnce(AdifVariant::Wff);
    state.SetItemsProcessed(state.iterations() * kQsoCount);
}

void BM_AdifExportDmsm(benchmark::State &state)
{
    for (auto _ : state)
        exportOnce(AdifVariant::Dmsm);
    state.SetItemsProcessed(state.iterations() * kQsoCount);
}

// Read the log's bytes and write as many bytes as the WFF file holds.
void BM_Floor(benchmark::State &state)
{
    exportOnce(AdifVariant::Wff);
    const QString adifPath =
        dataFilePath(fixture().dir.path(), adifFileName(kReference, AdifVariant::Wff));
    const qint64 size = QFile(adifPath).size();
    const QString floorPath = dataFilePath(fixture().dir.path(), QStringLiteral("floor.adi"));
    for (auto _ : state) {
        QFile log(fixture().logPath);
        if (!log.open(QIODevice::ReadOnly))
            qFatal("log unreadable");
        const QByteArray bytes = log.readAll();
        QByteArray out(size, ' ');
        out.replace(0, qMin<qsizetype>(bytes.size(), size), bytes.left(size));
        QFile file(floorPath);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(out) != size)
            qFatal("floor file unwritable");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kQsoCount);
    state.counters["bytes"] = double(size);
}

} // namespace

BENCHMARK(BM_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AdifExportWff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AdifExportDmsm)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
