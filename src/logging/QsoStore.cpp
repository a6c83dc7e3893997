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
    return formatQsoLine(record);
}

namespace {

// Whether the QSO stands in at least one log after the write.
bool reachedALog(const LogWriteResult &write, qsizetype logs)
{
    return !write.lineMissing && !write.undone && write.failedReferences.size() < logs;
}

} // namespace

void QsoStore::remember(const QsoRecord &entry) const
{
    if (m_firstNameUpdate)
        m_firstNameUpdate(firstNameKeyLine(entry.call, entry.department, entry.firstName));
}

StoreOutcome QsoStore::store(Session &session, const StoreRequest &request) const
{
    StoreOutcome outcome;
    outcome.line = buildLine(request);
    const qsizetype logs = session.storeReferences().size();
    outcome.write = request.timing == EntryTiming::Editing
                        ? session.replace(request.editedLine, outcome.line)
                        : session.append(outcome.line);
    // The memory is written after the logs, and only for a QSO that one of them holds: a stop
    // in between, or a write that reached no log, never leaves a first name remembered for a
    // QSO that is nowhere.
    if (reachedALog(outcome.write, logs))
        remember(request.entry);
    return outcome;
}

StoreOutcome QsoStore::insert(Session &session, const QsoRecord &entry) const
{
    StoreOutcome outcome;
    outcome.line = insertedLine(entry);
    const qsizetype logs = session.storeReferences().size();
    outcome.write = session.insert(outcome.line);
    if (reachedALog(outcome.write, logs))
        remember(entry);
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
