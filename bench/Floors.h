// The floors: the bare file work of an action, done on copies of the data folder's logs and
// memory (in its "floor" subfolder, on the same disk) with plain reads and writes, none of the
// program's own code. An action's ratio is its time over the time of this work, measured in
// the same run.
#pragma once

#include "BenchData.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace orvel::bench {

class Floors
{
public:
    explicit Floors(const DataFolder &data);

    // One log line (its length as stored, CR LF included) appended to each of the three log
    // copies, each flushed to disk before the next: what a store must do.
    void appendToLogs();
    // One memory line appended to the memory copy and flushed to disk.
    void appendToMemory();
    // count log copies each read and written whole to a scratch file, flushed to disk and
    // renamed over the copy, then the folder flushed so that the renames last: the safe
    // replacement of a log.
    void rewriteLogs(int count);
    // The same for the memory copy.
    void rewriteMemory();
    // The current log's copy read and decoded (windows-1252) into one text, its line starts
    // found: what showing the log needs at least.
    void readAndDecodeLog();
    // logCount log copies read once each, then for each size a file of that size written to a
    // scratch file, flushed to disk, renamed over its output and the folder flushed: what an
    // export through the safe replacement needs at least.
    void readAndReplace(int logCount, const QList<qint64> &outputSizes);

    // Cuts the appended copies back to their first size.
    void restore();

private:
    QString m_folder;
    QStringList m_logs; // the three copies, the current log's first
    QString m_memory;
    qint64 m_logSize = 0;
    qint64 m_memorySize = 0;
    QByteArray m_logLine;
    QByteArray m_memoryLine;
    QByteArray m_output;
};

} // namespace orvel::bench
