#include "QsoStore.h"

#include "common/Windows1252.h"

namespace orvel {

QsoStore::QsoStore(LogFiles logs, FirstNameUpdate firstNameUpdate)
    : m_logs(std::move(logs))
    , m_firstNameUpdate(std::move(firstNameUpdate))
{
}

QString QsoStore::buildLine(const StoreRequest &request)
{
    QsoRecord record = request.entry;
    if (request.timing == EntryTiming::Live) {
        record.date = request.clockDate;
        record.time = request.clockTime.left(5);
    }
    record.remarks = capitals(record.remarks);
    return formatQsoLine(record);
}

StoreOutcome QsoStore::store(const QStringList &openReferences, const StoreRequest &request) const
{
    if (m_firstNameUpdate) {
        m_firstNameUpdate(firstNameKeyLine(request.entry.call, request.entry.department,
                                           request.entry.firstName));
    }
    StoreOutcome outcome;
    outcome.line = buildLine(request);
    if (request.timing == EntryTiming::Editing)
        outcome.write = m_logs.replace(openReferences, outcome.line, request.editedLine);
    else
        outcome.write = m_logs.append(openReferences, outcome.line);
    return outcome;
}

StoreOutcome QsoStore::insert(const QStringList &openReferences, const QsoRecord &entry) const
{
    if (m_firstNameUpdate)
        m_firstNameUpdate(firstNameKeyLine(entry.call, entry.department, entry.firstName));
    QsoRecord record = entry;
    record.remarks = capitals(record.remarks);
    StoreOutcome outcome;
    outcome.line = formatQsoLine(record, /*inserted=*/true);
    outcome.write = m_logs.insert(openReferences, outcome.line);
    return outcome;
}

} // namespace orvel
