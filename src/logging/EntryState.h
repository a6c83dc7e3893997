// The state of the QSO entry that the entry window holds and its corrections read and change.
#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace orvel {

struct EntryState {
    bool editing = false;    // Edition_En_Cours: a logged QSO is loaded for correction
    bool inserting = false;  // Ajout_En_Cours: the next QSO goes to its place in time
    bool retypeDone = false; // Refrappe_Faite: the current field's first key was typed
    QString chosenEntry;     // Ligne_Choisie: the selected list entry, number column included
    QString chosenLogLine;   // Ligne_Log_Choisie: the same without its 6-character prefix
    QString editedLine;      // the stored line of the QSO being corrected, taken when the
                             // edit began: a click in the list meanwhile does not change it
    QString deletedLine;     // QSO_Efface: the QSO deleted last, kept for its recovery
    QString defaultOperator; // Operateur_Defaut: the activator call sign before any "/"
    int operatorCount = 0;   // Nb_Operateurs
};

// What the first-name memory remembers of a call sign.
struct KnownStation {
    QString department; // empty when none
    QString firstName;
};

// The call-sign step's services, filled by the first-name memory. Until they are given, a
// call sign is never reported as already worked and never found in the memory.
//
// The already-worked check: asks the operator when the call sign was worked on this band and
// mode in the current log; true when the operator chose to cancel the entry.
using AlreadyWorkedCheck =
    std::function<bool(const QString &call, const QString &band, const QString &mode)>;
// The first-name lookup: the remembered département and first name of a call sign.
using FirstNameLookup = std::function<std::optional<KnownStation>(const QString &call)>;

// The départements tally (recolours the Dpt grid) for the entry window's band, without its
// unit ("7"), and mode. afterStore: the refresh after a stored or corrected QSO, which also
// marks the map for that band and mode; every other refresh leaves the map's marks reset.
using TallyRefresh =
    std::function<void(const QString &band, const QString &mode, bool afterStore)>;

} // namespace orvel
