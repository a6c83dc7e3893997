// The current activation's log as the entry window shows it: its lines and the number of
// operators contacted, kept up to date after a store without re-reading the whole file.
#pragma once

#include "LogFiles.h"

#include <QHash>

namespace orvel {

class CurrentLog
{
public:
    explicit CurrentLog(LogFiles logs);

    // Reads the reference's log whole.
    void load(const QString &reference);
    // Takes in a line just appended to the log. When the file holds anything else than what
    // was read plus that line (changed by another program, say), it is read again whole.
    // Returns true when the line was taken in without a reload.
    bool appended(const QString &line);

    const QString &reference() const { return m_reference; }
    const QStringList &lines() const { return m_lines; }
    // Number of distinct call signs, as counted on the whole log.
    int operatorCount() const { return static_cast<int>(m_calls.size()); }
    // The number the next QSO will get.
    int nextNumber() const { return static_cast<int>(m_lines.size()) + 1; }

private:
    void addCall(const QString &line);
    qint64 fileSize() const;

    LogFiles m_logs;
    QString m_reference;
    QStringList m_lines;
    QHash<QString, int> m_calls;
    qint64 m_size = 0;
};

} // namespace orvel
