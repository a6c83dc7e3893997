// The current activation's log as the windows show it: its lines, the rows of every call sign
// and the number of operators contacted. After each change this program makes, it is kept in
// step without reading the file again; when the file holds anything else (changed by another
// program, say), it is read again whole.
#pragma once

#include "LogFiles.h"

#include <QHash>
#include <optional>

namespace orvel {

class CurrentLog
{
public:
    explicit CurrentLog(LogFiles logs);

    // Reads the reference's log whole.
    void load(const QString &reference);

    // Each of these takes in a change just written to the log. When the file does not have
    // the size the change gives it, it is read again whole and the answer is empty (false).
    // A line appended at the end.
    bool appended(const QString &line);
    // Every line equal to oldLine became newLine: the rows changed.
    std::optional<QList<qsizetype>> replaced(const QString &oldLine, const QString &newLine);
    // A line placed at its moment: its row.
    std::optional<qsizetype> inserted(const QString &line);
    // The line at row was removed.
    bool removed(qsizetype row);

    const QString &reference() const { return m_reference; }
    const QStringList &lines() const { return m_lines; }
    // Number of distinct call signs, as counted on the whole log.
    int operatorCount() const { return static_cast<int>(m_rows.size()); }
    // The number the next QSO will get.
    int nextNumber() const { return static_cast<int>(m_lines.size()) + 1; }
    // The first row with this call sign, band ("7") and mode ("SSB"), each compared exactly
    // after trimming blanks; empty when there is none or the call sign is empty.
    std::optional<qsizetype> firstRowWith(const QString &call, const QString &band,
                                          const QString &mode) const;

private:
    void index();
    void addRow(const QString &line, qsizetype row);
    void dropRow(const QString &line, qsizetype row);
    void shiftRows(qsizetype from, qsizetype by);
    qint64 fileSize() const;
    bool sizeIs(qint64 expected);

    LogFiles m_logs;
    QString m_reference;
    QStringList m_lines;
    // The rows of each call sign, in log order.
    QHash<QString, QList<qsizetype>> m_rows;
    qint64 m_size = 0;
};

} // namespace orvel
