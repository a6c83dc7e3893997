// Storing and inserting a QSO into every open activation's log, through the session (the only
// writer of the logs); what the entry window calls.
#pragma once

#include "LogCorrections.h"
#include "records/LogFiles.h"

namespace orvel {

class Dialogs;
class Session;

// How the date and time of a stored QSO are taken.
enum class EntryTiming {
    Live,     // from the clock of the chosen time base
    Deferred, // typed in Date_Q and Heure_Q
    Editing,  // typed in Date_Q and Heure_Q, replacing the corrected QSO
};

struct StoreRequest {
    QsoRecord entry; // the fields as typed; date and time used in Deferred and Editing
    EntryTiming timing = EntryTiming::Live;
    QString clockDate;  // dd/mm/yy of the chosen time base (Live)
    QString clockTime;  // the clock display of the chosen time base; its first 5 characters
    QString editedLine; // the stored text of the QSO being corrected (Editing)
};

struct StoreOutcome {
    QString line;         // the line written
    LogWriteResult write; // which logs did not get it
    bool ok() const { return write.ok(); }
};

class QsoStore
{
public:
    explicit QsoStore(FirstNameUpdate firstNameUpdate = {});

    // The line the request gives (remarks in capitals).
    static QString buildLine(const StoreRequest &request);
    // The line of a QSO inserted at its typed date and time, its operator kept (118
    // characters, as every line).
    static QString insertedLine(const QsoRecord &entry);

    // Appends (or, while editing, replaces) the line in the log of every open activation of
    // the session; a correction writes nothing unless the current log still holds the QSO.
    // The first-name key line goes to the memory afterwards, once a log holds the QSO.
    StoreOutcome store(Session &session, const StoreRequest &request) const;

    // Places a QSO at its moment in every open activation's log.
    StoreOutcome insert(Session &session, const QsoRecord &entry) const;

private:
    void remember(const QsoRecord &entry) const;

    FirstNameUpdate m_firstNameUpdate;
};

// What the entry window hands over when the operator stores.
struct EntryStoreRequest {
    QsoRecord entry; // the fields as typed, remarks in capitals
    bool editing = false;
    bool inserting = false;
    bool deferred = false; // date and time typed in Date_Q and Heure_Q
    QString editedLine;    // the stored line of the QSO being corrected
    QString clockDate;     // dd/mm/yy of the chosen time base
    QString clockCaption;  // the clock display of the chosen time base
};

// The store decision of the entry window: a corrected QSO is replaced, a QSO in insert mode
// goes to its moment, any other is appended, with the date and time of the clock or as typed.
struct StoreDecision {
    StoreAction action = StoreAction::Append;
    StoreRequest request; // for Append and Replace; request.entry alone for Insert
};
StoreDecision decideStore(const EntryStoreRequest &request);

struct EntryStoreResult {
    StoreAction action = StoreAction::Append;
    bool stored = false;
};

// Runs the decision: always into every log the session stores into (unless a corrected QSO is
// no longer in the current log: then nothing is written). A failure is told through dialogs
// with the logs that missed the QSO.
EntryStoreResult storeEntry(Session &session, const QsoStore &store,
                            const EntryStoreRequest &request, Dialogs &dialogs);

} // namespace orvel
