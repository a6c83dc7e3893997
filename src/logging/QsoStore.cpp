#include "QsoStore.h"

#include "common/Windows1252.h"
#include "platform/Dialogs.h"
#include "records/Session.h"

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
    const auto updateMemory = [this, &request] {
        if (m_firstNameUpdate) {
            m_firstNameUpdate(firstNameKeyLine(request.entry.call, request.entry.department,
                                               request.entry.firstName));
        }
    };
    StoreOutcome outcome;
    outcome.line = buildLine(request);
    if (request.timing == EntryTiming::Editing) {
        outcome.write =
            m_logs.replace(openReferences, outcome.line, request.editedLine, request.editedIn);
        // A correction that wrote nothing leaves the memory as it was too.
        if (!outcome.write.lineMissing)
            updateMemory();
    } else {
        updateMemory();
        outcome.write = m_logs.append(openReferences, outcome.line);
    }
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

EntryStoreResult storeEntry(Session &session, const QsoStore &store,
                            const EntryStoreRequest &request, Dialogs &dialogs)
{
    EntryStoreResult result;
    result.action = storeActionFor(request.editing, request.inserting);
    const QStringList open = session.storeReferences();
    const QString &current = session.currentReference();
    StoreOutcome outcome;
    switch (result.action) {
    case StoreAction::Replace:
        outcome = store.store(
            open,
            StoreRequest{request.entry, EntryTiming::Editing, {}, {}, request.editedLine, current});
        // Replacing now would leave the current log without the QSO: nothing is written, the
        // typed values stay in the fields and the list shows the log as it now stands.
        if (outcome.write.lineMissing) {
            session.reloadLog();
            dialogs.message(
                QStringLiteral("Le QSO à corriger n'est plus dans le log %1 : aucun log n'a été "
                               "modifié.\nAnnulez la saisie, puis choisissez le QSO dans la "
                               "liste.")
                    .arg(current));
            return result;
        }
        break;
    case StoreAction::Insert:
        outcome = store.insert(open, request.entry);
        break;
    case StoreAction::Append:
        outcome = store.store(
            open, StoreRequest{request.entry,
                               request.deferred ? EntryTiming::Deferred : EntryTiming::Live,
                               request.clockDate,
                               request.clockCaption,
                               {},
                               {}});
        break;
    }
    // The current log follows the change row by row, unless its own write failed.
    if (outcome.write.failedReferences.contains(current))
        session.reloadLog();
    else if (result.action == StoreAction::Append)
        session.logAppended(outcome.line);
    else if (result.action == StoreAction::Replace)
        session.logReplaced(request.editedLine, outcome.line);
    else
        session.logInserted(outcome.line);
    if (!outcome.ok()) {
        // The entry stays in the fields so that nothing typed is lost.
        dialogs.message(outcome.write.message());
        return result;
    }
    result.stored = true;
    return result;
}

} // namespace orvel
