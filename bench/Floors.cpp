#include "Floors.h"

#include <QDir>
#include <QFile>

#include <array>
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

namespace orvel::bench {

namespace {

[[noreturn]] void fail(const QString &what)
{
    std::fprintf(stderr, "bench floor: %s\n", qPrintable(what));
    std::abort();
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read %1").arg(path));
    return file.readAll();
}

void appendToDisk(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(bytes) != bytes.size() ||
        !file.flush() || ::fsync(file.handle()) != 0)
        fail(QStringLiteral("cannot append to %1").arg(path));
}

// Read whole, written whole to the scratch file, flushed to disk, renamed over the file.
void replaceThroughScratch(const QString &path, const QString &scratch)
{
    const QByteArray bytes = readAll(path);
    {
        QFile file(scratch);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0)
            fail(QStringLiteral("cannot write %1").arg(scratch));
    }
    if (std::rename(QFile::encodeName(scratch).constData(), QFile::encodeName(path).constData()) !=
        0)
        fail(QStringLiteral("cannot rename %1").arg(scratch));
}

// The folder flushed to disk, so that the renames made in it last.
void flushFolder(const QString &folder)
{
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (handle < 0 || ::fsync(handle) != 0)
        fail(QStringLiteral("cannot flush %1").arg(folder));
    ::close(handle);
}

// windows-1252 differs from Latin-1 in 0x80-0x9F only.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decode(const QByteArray &bytes)
{
    QString text = QString::fromLatin1(bytes);
    const auto *in = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype size = bytes.size();
    char16_t *out = nullptr;
    for (qsizetype i = 0; i < size; ++i) {
        if ((in[i] & 0xE0) != 0x80)
            continue;
        if (!out)
            out = reinterpret_cast<char16_t *>(text.data());
        out[i] = kHighControls[in[i] - 0x80];
    }
    return text;
}

void truncateTo(const QString &path, qint64 size)
{
    QFile file(path);
    if (file.size() == size)
        return;
    if (!file.open(QIODevice::ReadWrite) || !file.resize(size) || ::fsync(file.handle()) != 0)
        fail(QStringLiteral("cannot cut %1 back").arg(path));
}

} // namespace

Floors::Floors(const DataFolder &data)
    : m_folder(QDir(data.path()).filePath(QStringLiteral("floor")))
    , m_logSize(data.logBytes().size())
    , m_memorySize(data.memoryBytes().size())
{
    QDir().mkpath(m_folder);
    for (int i = 0; i < openReferences().size(); ++i) {
        m_logs.append(QDir(m_folder).filePath(QStringLiteral("log%1.txt").arg(i)));
        writeFileToDisk(m_logs.last(), data.logBytes());
    }
    m_memory = QDir(m_folder).filePath(QStringLiteral("memory.txt"));
    writeFileToDisk(m_memory, data.memoryBytes());
    // A line of each as stored.
    const QByteArray &log = data.logBytes();
    m_logLine = log.isEmpty() ? QByteArray(120, 'x') : log.left(log.indexOf('\n') + 1);
    const QByteArray &memory = data.memoryBytes();
    m_memoryLine = memory.left(memory.indexOf('\n') + 1);
}

void Floors::appendToLogs()
{
    for (const QString &log : m_logs)
        appendToDisk(log, m_logLine);
}

void Floors::appendToMemory()
{
    appendToDisk(m_memory, m_memoryLine);
}

void Floors::rewriteLogs(int count)
{
    const QString scratch = QDir(m_folder).filePath(QStringLiteral("scratch.txt"));
    for (int i = 0; i < count && i < m_logs.size(); ++i)
        replaceThroughScratch(m_logs.at(i), scratch);
    flushFolder(m_folder);
}

void Floors::rewriteMemory()
{
    replaceThroughScratch(m_memory, QDir(m_folder).filePath(QStringLiteral("scratch.txt")));
    flushFolder(m_folder);
}

void Floors::readAndDecodeLog()
{
    const QString text = decode(readAll(m_logs.first()));
    QList<qsizetype> starts;
    starts.reserve(text.size() / 100 + 1);
    starts.append(0);
    const QChar *chars = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (chars[i] == u'\n')
            starts.append(i + 1);
    }
    benchmark::DoNotOptimize(starts.data());
    benchmark::ClobberMemory();
}

void Floors::readAndReplace(int logCount, const QList<qint64> &outputSizes)
{
    for (int i = 0; i < logCount && i < m_logs.size(); ++i) {
        const QByteArray bytes = readAll(m_logs.at(i));
        benchmark::DoNotOptimize(bytes.constData());
    }
    const QString scratch = QDir(m_folder).filePath(QStringLiteral("output.tmp"));
    for (int i = 0; i < outputSizes.size(); ++i) {
        const qint64 size = outputSizes.at(i);
        if (m_output.size() < size)
            m_output = QByteArray(size, 'x');
        {
            QFile file(scratch);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
                file.write(m_output.constData(), size) != size || !file.flush() ||
                ::fsync(file.handle()) != 0)
                fail(QStringLiteral("cannot write %1").arg(scratch));
        }
        const QString output = QDir(m_folder).filePath(QStringLiteral("output%1").arg(i));
        if (std::rename(QFile::encodeName(scratch).constData(),
                        QFile::encodeName(output).constData()) != 0)
            fail(QStringLiteral("cannot rename over %1").arg(output));
        flushFolder(m_folder);
    }
}

void Floors::restore()
{
    for (const QString &log : m_logs)
        truncateTo(log, m_logSize);
    truncateTo(m_memory, m_memorySize);
}

} // namespace orvel::bench
