#include "QsoStore.h"

#include "common/Windows1252.h"
#include "platform/Dialogs.h"
#include "records/Session.h"

namespace orvel {

QsoStore::QsoStore(FirstNameUpdate firstNameUpdate)
    : m_firstNameUpdate(std::move(firstNameUpdate))
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

QString QsoStore::insertedLine(const QsoRecord &entry)
{
    QsoRecord record = entry;
    record.remarks = capitals(record.remarks);
    return formatQsoLine(record, /*inserted=*/true);
}

void QsoStore::remember(const QsoRecord &entry) const
{
    if (m_firstNameUpdate)
        m_firstNameUpdate(firstNameKeyLine(entry.call, entry.department, entry.firstName));
}

StoreOutcome QsoStore::store(Session &session, const StoreRequest &request) const
{
    StoreOutcome outcome;
    outcome.line = buildLine(request);
    if (request.timing == EntryTiming::Editing) {
        outcome.write = session.replace(request.editedLine, outcome.line);
        // A correction that wrote nothing leaves the memory as it was too.
        if (!outcome.write.lineMissing)
            remember(request.entry);
    } else {
        remember(request.entry);
        outcome.write = session.append(outcome.line);
    }
    return outcome;
}

StoreOutcome QsoStore::insert(Session &session, const QsoRecord &entry) const
{
    remember(entry);
    StoreOutcome outcome;
    outcome.line = insertedLine(entry);
    outcome.write = session.insert(outcome.line);
    return outcome;
}

StoreDecision decideStore(const EntryStoreRequest &request)
{
    StoreDecision decision;
    decision.action = storeActionFor(request.editing, request.inserting);
    decision.request.entry = request.entry;
    switch (decision.action) {
    case StoreAction::Replace:
        decision.request.timing = EntryTiming::Editing;
        decision.request.editedLine = request.editedLine;
        break;
    case StoreAction::Insert:
        break;
    case StoreAction::Append:
        decision.request.timing = request.deferred ? EntryTiming::Deferred : EntryTiming::Live;
        decision.request.clockDate = request.clockDate;
        decision.request.clockTime = request.clockCaption;
        break;
    }
    return decision;
}

EntryStoreResult storeEntry(Session &session, const QsoStore &store,
                            const EntryStoreRequest &request, Dialogs &dialogs)
{
    const StoreDecision decision = decideStore(request);
    EntryStoreResult result;
    result.action = decision.action;
    const StoreOutcome outcome = decision.action == StoreAction::Insert
                                     ? store.insert(session, decision.request.entry)
                                     : store.store(session, decision.request);
    // Replacing now would leave the current log without the QSO: nothing is written, the
    // typed values stay in the fields and the list shows the log as it now stands.
    if (outcome.write.lineMissing) {
        dialogs.message(QStringLiteral("Le QSO à corriger n'est plus dans le log %1 : aucun log "
                                       "n'a été modifié.\nAnnulez la saisie, puis choisissez le "
                                       "QSO dans la liste.")
                            .arg(session.currentReference()));
        return result;
    }
    if (!outcome.ok()) {
        // The entry stays in the fields so that nothing typed is lost.
        dialogs.message(outcome.write.message());
        return result;
    }
    result.stored = true;
    return result;
}

} // namespace orvel
