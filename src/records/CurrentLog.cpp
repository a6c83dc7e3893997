#include "CurrentLog.h"

#include "common/Windows1252.h"

#include <QFileInfo>

#include <algorithm>

namespace orvel {

namespace {
// The size of a line in the file, its line end included.
qint64 storedSize(const QString &line)
{
    return encodeWindows1252(line).size() + 2;
}
} // namespace

CurrentLog::CurrentLog(LogFiles logs)
    : m_logs(std::move(logs))
{
}

qint64 CurrentLog::fileSize() const
{
    const QFileInfo info(m_logs.path(m_reference));
    return info.exists() ? info.size() : 0;
}

bool CurrentLog::sizeIs(qint64 expected)
{
    if (fileSize() == expected) {
        m_size = expected;
        return true;
    }
    load(m_reference);
    return false;
}

void CurrentLog::addRow(const QString &line, qsizetype row)
{
    const QStringView call = qsoField(line, qsocol::kCall);
    if (call.isEmpty())
        return;
    QList<qsizetype> &rows = m_rows[call.toString()];
    rows.insert(std::lower_bound(rows.begin(), rows.end(), row), row);
}

void CurrentLog::dropRow(const QString &line, qsizetype row)
{
    const QStringView call = qsoField(line, qsocol::kCall);
    if (call.isEmpty())
        return;
    const auto found = m_rows.find(call.toString());
    if (found == m_rows.end())
        return;
    found->removeOne(row);
    if (found->isEmpty())
        m_rows.erase(found);
}

void CurrentLog::shiftRows(qsizetype from, qsizetype by)
{
    for (QList<qsizetype> &rows : m_rows) {
        for (qsizetype &row : rows) {
            if (row >= from)
                row += by;
        }
    }
}

void CurrentLog::index()
{
    m_rows.clear();
    m_rows.reserve(m_lines.size());
    // Rows come in order here: each is appended to its call sign's list.
    for (qsizetype row = 0; row < m_lines.size(); ++row) {
        const QStringView call = qsoField(m_lines.at(row), qsocol::kCall);
        if (!call.isEmpty())
            m_rows[call.toString()].append(row);
    }
}

void CurrentLog::load(const QString &reference)
{
    m_reference = reference;
    m_lines = m_logs.load(reference);
    index();
    m_size = fileSize();
}

bool CurrentLog::appended(const QString &line)
{
    if (!sizeIs(m_size + storedSize(line)))
        return false;
    m_lines.append(line);
    addRow(line, m_lines.size() - 1);
    return true;
}

std::optional<QList<qsizetype>> CurrentLog::replaced(const QString &oldLine, const QString &newLine)
{
    QList<qsizetype> rows;
    for (qsizetype row = 0; row < m_lines.size(); ++row) {
        if (m_lines.at(row) == oldLine)
            rows.append(row);
    }
    const qint64 delta = rows.size() * (storedSize(newLine) - storedSize(oldLine));
    if (!sizeIs(m_size + delta))
        return std::nullopt;
    for (const qsizetype row : std::as_const(rows)) {
        dropRow(oldLine, row);
        m_lines[row] = newLine;
        addRow(newLine, row);
    }
    return rows;
}

std::optional<qsizetype> CurrentLog::inserted(const QString &line)
{
    if (!sizeIs(m_size + storedSize(line)))
        return std::nullopt;
    const qsizetype row = insertionIndex(m_lines, line);
    m_lines.insert(row, line);
    shiftRows(row, 1);
    addRow(line, row);
    return row;
}

bool CurrentLog::removed(qsizetype row)
{
    if (row < 0 || row >= m_lines.size() || !sizeIs(m_size - storedSize(m_lines.at(row)))) {
        if (row < 0 || row >= m_lines.size())
            load(m_reference);
        return false;
    }
    dropRow(m_lines.at(row), row);
    m_lines.removeAt(row);
    shiftRows(row, -1);
    return true;
}

std::optional<qsizetype> CurrentLog::firstRowWith(const QString &call, const QString &band,
                                                  const QString &mode) const
{
    const QStringView wantedCall = trimmedBlanks(call);
    if (wantedCall.isEmpty())
        return std::nullopt;
    const auto found = m_rows.constFind(wantedCall.toString());
    if (found == m_rows.constEnd())
        return std::nullopt;
    const QStringView wantedBand = trimmedBlanks(band);
    const QStringView wantedMode = trimmedBlanks(mode);
    for (const qsizetype row : *found) {
        const QString &line = m_lines.at(row);
        if (qsoField(line, qsocol::kBand) == wantedBand &&
            qsoField(line, qsocol::kMode) == wantedMode)
            return row;
    }
    return std::nullopt;
}

} // namespace orvel
