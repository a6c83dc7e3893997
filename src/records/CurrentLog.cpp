#include "CurrentLog.h"

#include "common/Windows1252.h"

#include <QFileInfo>

namespace orvel {

CurrentLog::CurrentLog(LogFiles logs)
    : m_logs(std::move(logs))
{
}

qint64 CurrentLog::fileSize() const
{
    const QFileInfo info(m_logs.path(m_reference));
    return info.exists() ? info.size() : 0;
}

void CurrentLog::addCall(const QString &line)
{
    const QString call = callOfLine(line);
    if (!call.isEmpty())
        ++m_calls[call];
}

void CurrentLog::load(const QString &reference)
{
    m_reference = reference;
    m_lines = m_logs.load(reference);
    m_calls.clear();
    for (const QString &line : std::as_const(m_lines))
        addCall(line);
    m_size = fileSize();
}

bool CurrentLog::appended(const QString &line)
{
    const qint64 expected = m_size + encodeWindows1252(line).size() + 2;
    if (fileSize() != expected) {
        load(m_reference);
        return false;
    }
    m_lines.append(line);
    addCall(line);
    m_size = expected;
    return true;
}

} // namespace orvel
