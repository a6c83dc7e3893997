// What every speed measurement works on: a data folder as an operator's would be after a long
// expedition (three open activations whose logs hold the same QSOs, a 50,000-line first-name
// memory), put back as first written between two runs of an action; and the bookkeeping of
// the time of an action against its floor, the bare file work that the action cannot avoid.
#pragma once

#include "records/Activation.h"

class QEvent;
class QWidget;

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QObject>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <utility>

namespace orvel::bench {

// Lines of Liste_Prenom.txt.
inline constexpr int kMemoryLines = 50000;

// The open activations, the current one first. The third one is a WFF reference, so that an
// ADIF export writes both a standard file and a WFF file.
const QStringList &openReferences();
// The current activation, as the setup window hands it over.
Activation currentActivation();

// The k-th call sign of the memory (0 <= k < kMemoryLines), with its département and first
// name. Every QSO of the logs agrees with the memory.
QString callSign(int k);
QString departmentOf(int k);
QString firstNameOf(int k);
// A call sign that is neither in the memory nor in the logs.
QString newCallSign();

// The i-th QSO of a log: one a minute from 01/01/24 00:00, never on 3.5 MHz (the band the
// entry window opens on), so that no call sign typed at the entry window was already worked.
QString logLine(int i);
// Its date (dd/mm/yy) and time (hh:mm).
QString dateOf(int i);
QString timeOf(int i);

// A data folder with the three logs of qsoCount QSOs and the memory. It is made under
// $ORVEL_BENCH_DIR when set, else in the system's temporary folder: it must be on a real
// disk, since every measurement counts the flushes to disk.
class DataFolder
{
public:
    explicit DataFolder(int qsoCount);

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &fileName) const;
    QString logPath(const QString &reference) const;
    QString memoryPath() const;
    int qsoCount() const { return m_qsoCount; }

    // The bytes of every log as first written, and of the memory.
    const QByteArray &logBytes() const { return m_logBytes; }
    const QByteArray &memoryBytes() const { return m_memoryBytes; }

    // Puts back every log and the memory as first written, flushed to disk: a file that only
    // grew is cut back, any other change is written over whole. False when nothing had changed.
    bool restore();

private:
    QTemporaryDir m_dir;
    int m_qsoCount;
    QByteArray m_logBytes;
    QByteArray m_memoryBytes;
};

// Writes bytes over a file and flushes it to disk; aborts the run when it cannot.
void writeFileToDisk(const QString &path, const QByteArray &bytes);
// The whole content of a file; empty when it cannot be read.
QByteArray fileContent(const QString &path);

class Stopwatch
{
public:
    Stopwatch()
        : m_start(std::chrono::steady_clock::now())
    {
    }
    double ms() const
    {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_start)
            .count();
    }

private:
    std::chrono::steady_clock::time_point m_start;
};

// The time of an action and of its floor, summed over the iterations of one run.
struct Tally {
    double actionMs = 0;
    double floorMs = 0;
    qint64 runs = 0;

    // floor_ms: the mean floor of one iteration; ratio: action time over floor time.
    void report(benchmark::State &state) const;
};

// The log sizes every benchmark runs at, in milliseconds: 10,000 and 100,000 QSOs, or
// 1,000,000 in bench_large (built from the same sources with ORVEL_BENCH_LARGE).
inline void logSizes(benchmark::internal::Benchmark *benchmark)
{
#ifdef ORVEL_BENCH_LARGE
    benchmark->Arg(1000000);
#else
    benchmark->Arg(10000)->Arg(100000);
#endif
    benchmark->Unit(benchmark::kMillisecond);
}

// Work to do once every benchmark has run, while the QApplication still lives (windows and
// sessions a program keeps between its benchmarks).
void atBenchmarksEnd(std::function<void()> work);

// Counts the paint events of a window and of every widget in it: a window counts as shown
// once it has been painted.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *window);
    ~PaintCounter() override;
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
};

// Shows window and processes events until it is exposed and painted; false when it was not
// within ten seconds.
bool showAndPaint(QWidget *window);
// Processes events until ready() holds and the window has been painted since; false when
// that did not come within timeoutMs.
bool waitReadyAndPainted(QWidget *window, const std::function<bool()> &ready,
                         int timeoutMs = 600000);

// The QApplication every benchmark runs under (offscreen unless QT_QPA_PLATFORM says
// otherwise), then Google Benchmark's own arguments.
int runBenchmarks(int argc, char **argv, void (*beforeExit)() = nullptr);

} // namespace orvel::bench
