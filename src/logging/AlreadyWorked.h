// The already-worked check of the call-sign step, on the current activation's log only.
//
// Enter in Indi_Q, no QSO being edited: askCancelAlreadyWorked(); on true, empty Indi_Q,
// Dpt_Q and Prenom_Q and keep the focus on Indi_Q.
#pragma once

#include <QString>

namespace orvel {

class Dialogs;
class Session;

// The earlier QSO that the already-worked check found.
struct EarlierContact {
    QString date;      // dd/mm/yy, as stored (8 characters)
    QString time;      // hh:mm, as stored (5 characters)
    QString firstName; // trimmed
    bool operator==(const EarlierContact &) const = default;
};

// The Yes/No question of the already-worked check; band is the text of Bande_Q ("7").
QString alreadyWorkedQuestion(const QString &call, const EarlierContact &earlier,
                              const QString &band);

// The check of the call-sign step on the session's current log only (other open activations
// are never consulted): the first QSO with the same call sign, band ("7") and mode ("SSB"),
// each compared exactly after trimming blanks. When one is found, asks the question through
// dialogs; true when the user chose to cancel the entry.
bool askCancelAlreadyWorked(Dialogs &dialogs, const Session &session, const QString &call,
                            const QString &band, const QString &mode);

} // namespace orvel
