// Storing and inserting a QSO into every open activation's log; what the entry window calls.
#pragma once

#include "LogCorrections.h"
#include "records/LogFiles.h"

namespace orvel {

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
    QString editedIn;   // the log that must still hold it, or nothing is written (Editing)
};

struct StoreOutcome {
    QString line;         // the line written
    LogWriteResult write; // which logs did not get it
    bool ok() const { return write.ok(); }
};

class QsoStore
{
public:
    QsoStore(LogFiles logs, FirstNameUpdate firstNameUpdate = {});

    // The line the request gives (remarks in capitals).
    static QString buildLine(const StoreRequest &request);

    // Appends (or, while editing, replaces) the line in the log of every open activation.
    // The first-name key line goes to the memory first.
    StoreOutcome store(const QStringList &openReferences, const StoreRequest &request) const;

    // Places a QSO (104-character line, typed date and time) at its moment in every open
    // activation's log.
    StoreOutcome insert(const QStringList &openReferences, const QsoRecord &entry) const;

    const LogFiles &logs() const { return m_logs; }

private:
    LogFiles m_logs;
    FirstNameUpdate m_firstNameUpdate;
};

class Dialogs;
class Session;

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

struct EntryStoreResult {
    StoreAction action = StoreAction::Append;
    bool stored = false;
};

// The store decision of the entry window: a corrected QSO is replaced (unless it is no longer
// in the current log: then nothing is written), a QSO in insert mode goes to its moment, any
// other is appended; always into every log the session stores into. The session's current
// log follows, and a failure is told through dialogs with the logs that missed the QSO.
EntryStoreResult storeEntry(Session &session, const QsoStore &store,
                            const EntryStoreRequest &request, Dialogs &dialogs);

} // namespace orvel
