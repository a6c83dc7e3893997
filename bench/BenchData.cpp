#include "BenchData.h"

#include "common/TextFile.h"
#include "records/FirstNames.h"
#include "records/QsoLine.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <unistd.h>

namespace orvel::bench {

namespace {

[[noreturn]] void fail(const QString &what)
{
    std::fprintf(stderr, "bench: %s\n", qPrintable(what));
    std::abort();
}

QString folderTemplate()
{
    const QString base = qEnvironmentVariable("ORVEL_BENCH_DIR", QDir::tempPath());
    QDir().mkpath(base);
    return QDir(base).filePath(QStringLiteral("orvel-bench-XXXXXX"));
}

// Cuts a file back to size and flushes it to disk.
void cutFile(const QString &path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.resize(size) || ::fsync(file.handle()) != 0)
        fail(QStringLiteral("cannot cut %1 back").arg(path));
}

// Puts a file back to its first bytes; true when it had changed.
bool restoreFile(const QString &path, const QByteArray &first)
{
    const QByteArray now = fileContent(path);
    if (now == first)
        return false;
    if (now.size() > first.size() && now.startsWith(first))
        cutFile(path, first.size());
    else
        writeFileToDisk(path, first);
    return true;
}

} // namespace

const QStringList &openReferences()
{
    static const QStringList references = {
        QStringLiteral("DFCF 89010"), QStringLiteral("DMF 89-042"), QStringLiteral("WFF FFF-0123")};
    return references;
}

Activation currentActivation()
{
    return Activation{openReferences().first(),
                      QStringLiteral("Q1ABC/P"),
                      QStringLiteral("Château de Saint-Fargeau"),
                      QStringLiteral("8915"),
                      QStringLiteral("89170"),
                      QStringLiteral("DFCF"),
                      QStringLiteral("01/01/24"),
                      QStringLiteral("Saint-Fargeau"),
                      QString()};
}

QString callSign(int k)
{
    // F, a digit and three letters: k / 10 stays below 26^3.
    const int letters = k / 10;
    QString call = QStringLiteral("F%1").arg(k % 10);
    call.append(QChar(u'A' + letters / 676 % 26));
    call.append(QChar(u'A' + letters / 26 % 26));
    call.append(QChar(u'A' + letters % 26));
    return call;
}

QString departmentOf(int k)
{
    return QStringLiteral("%1").arg(k % 95 + 1, 2, 10, QLatin1Char('0'));
}

QString firstNameOf(int k)
{
    static const std::array<QString, 8> names = {
        QStringLiteral("Jean"),  QStringLiteral("Hélène"),      QStringLiteral("François"),
        QStringLiteral("Marie"), QStringLiteral("Zoé"),         QStringLiteral("Gérard"),
        QStringLiteral("Noël"),  QStringLiteral("Pierre-André")};
    return names[static_cast<size_t>(k) % names.size()];
}

QString newCallSign()
{
    return QStringLiteral("F8ZZZ/P");
}

QString dateOf(int i)
{
    return QDate(2024, 1, 1).addDays(i / 1440).toString(QStringLiteral("dd/MM/yy"));
}

QString timeOf(int i)
{
    return QStringLiteral("%1:%2")
        .arg(i / 60 % 24, 2, 10, QLatin1Char('0'))
        .arg(i % 60, 2, 10, QLatin1Char('0'));
}

QString logLine(int i)
{
    static const std::array<QString, 4> bands = {QStringLiteral("7"), QStringLiteral("14"),
                                                 QStringLiteral("21"), QStringLiteral("28")};
    // 7919 is prime to kMemoryLines: the log goes round the memory.
    const int k = static_cast<int>((static_cast<qint64>(i) * 7919) % kMemoryLines);
    const bool cw = i % 3 == 0;
    const QString report = cw ? QStringLiteral("599") : QStringLiteral("59");
    return formatQsoLine(QsoRecord{dateOf(i), timeOf(i), callSign(k), departmentOf(k),
                                   firstNameOf(k), report, report,
                                   cw ? QStringLiteral("CW") : QStringLiteral("SSB"),
                                   bands[static_cast<size_t>(i) % bands.size()],
                                   i % 5 == 0 ? QStringLiteral("PORTABLE") : QString(),
                                   i % 2 == 0 ? QStringLiteral("Q1ABC") : QString()});
}

DataFolder::DataFolder(int qsoCount)
    : m_dir(folderTemplate())
    , m_qsoCount(qsoCount)
{
    if (!m_dir.isValid())
        fail(QStringLiteral("cannot make a data folder: %1").arg(m_dir.errorString()));
    QStringList lines;
    lines.reserve(qsoCount);
    for (int i = 0; i < qsoCount; ++i)
        lines.append(logLine(i));
    m_logBytes = fileBytes(lines);
    for (const QString &reference : openReferences())
        writeFileToDisk(logPath(reference), m_logBytes);

    QStringList memory;
    memory.reserve(kMemoryLines);
    for (int k = 0; k < kMemoryLines; ++k)
        memory.append(firstNameKeyLine(callSign(k), departmentOf(k), firstNameOf(k)));
    m_memoryBytes = fileBytes(memory);
    writeFileToDisk(memoryPath(), m_memoryBytes);
}

QString DataFolder::filePath(const QString &fileName) const
{
    return dataFilePath(path(), fileName);
}

QString DataFolder::logPath(const QString &reference) const
{
    return filePath(reference + QStringLiteral(".txt"));
}

QString DataFolder::memoryPath() const
{
    return filePath(kFirstNamesFile);
}

bool DataFolder::restore()
{
    bool changed = false;
    for (const QString &reference : openReferences())
        changed |= restoreFile(logPath(reference), m_logBytes);
    changed |= restoreFile(memoryPath(), m_memoryBytes);
    return changed;
}

void writeFileToDisk(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0)
        fail(QStringLiteral("cannot write %1").arg(path));
}

QByteArray fileContent(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void Tally::report(benchmark::State &state) const
{
    if (runs == 0 || floorMs <= 0)
        return;
    state.counters["floor_ms"] = floorMs / static_cast<double>(runs);
    state.counters["ratio"] = actionMs / floorMs;
}

namespace {
std::vector<std::function<void()>> &endWork()
{
    static std::vector<std::function<void()>> all;
    return all;
}
} // namespace

void atBenchmarksEnd(std::function<void()> work)
{
    endWork().push_back(std::move(work));
}

PaintCounter::PaintCounter(QWidget *window)
    : m_window(window)
{
    QApplication::instance()->installEventFilter(this);
}

PaintCounter::~PaintCounter()
{
    QApplication::instance()->removeEventFilter(this);
}

bool PaintCounter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->window() == m_window)
        ++paints;
    return false;
}

bool waitReadyAndPainted(QWidget *window, const std::function<bool()> &ready, int timeoutMs)
{
    PaintCounter counter(window);
    // The loop sleeps between events, as the program's does, so that work on other threads
    // has the processor; the timer only wakes it to look at the clock.
    QTimer wake;
    wake.start(20);
    const Stopwatch waited;
    while (!ready() && waited.ms() < timeoutMs)
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    // The paint that shows what became ready.
    counter.paints = 0;
    window->update();
    while (counter.paints == 0 && waited.ms() < timeoutMs)
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return ready() && counter.paints > 0;
}

bool showAndPaint(QWidget *window)
{
    PaintCounter counter(window);
    window->show();
    if (!QTest::qWaitForWindowExposed(window, 10000))
        return false;
    QTimer wake;
    wake.start(20);
    const Stopwatch waited;
    while (counter.paints == 0 && waited.ms() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return counter.paints > 0;
}

int runBenchmarks(int argc, char **argv, void (*beforeExit)())
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    if (beforeExit)
        beforeExit();
    for (const std::function<void()> &work : endWork())
        work();
    benchmark::Shutdown();
    return 0;
}

} // namespace orvel::bench
