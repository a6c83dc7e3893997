// Correcting the log from the entry window: editing, deleting and recovering a QSO, and the
// insert mode. Ligne_Choisie is the selected entry of Liste_QSO (number column included).
//
// How the entry window uses it (one LogCorrections for the window's life, holding QSO_Efface):
//  - Edite_QSO: chooseForEdit(); on a result, Edition_En_Cours true, fill the fields from it
//    (Mode_Q and Bande_Q before the reports are checked), show the date and time fields.
//    The store then goes through QsoStore::store with EntryTiming::Editing and
//    editedLine = lineOfListEntry(Ligne_Choisie): every open activation's log is changed.
//  Every change of a log goes through the session, which keeps the list in step.
//  - Efface_QSO: deleteChosen(); unless NothingChosen, reload the list, cancel the entry,
//    select the last line, recount; then Recupere enabled = recoveryAvailable().
//  - Recupere: recoverDeleted(); on Done reload, recount, select the last line; then
//    Recupere enabled = recoveryAvailable().
//  - Ajout_QSO / any store / Annule_Q: the indicator text is insertModeIndicator(flag);
//    storeActionFor() says which routine a store runs.
#pragma once

#include "records/LogFiles.h"
#include "records/QsoLine.h"

#include <QString>
#include <optional>

namespace orvel {

class Dialogs;
class Session;

// Captions of the entry window's correction buttons.
inline const QString kEditButtonText = QStringLiteral("Editer un QSO");
inline const QString kDeleteButtonText = QStringLiteral("Supprimer un QSO");
inline const QString kRecoverButtonText = QStringLiteral("Recuperer un QSO");
inline const QString kInsertButtonText = QStringLiteral("Inserer un QSO");
inline const QString kCancelButtonText = QStringLiteral("Annuler  une saisie");

// Messages shown when no line of the list is chosen.
inline const QString kChooseLineToEdit = QStringLiteral("Cliquez sur une ligne pour la modifier");
inline const QString kChooseLineToDelete = QStringLiteral("Cliquez sur une ligne pour l'annuler");

// Shown while a forgotten QSO is being inserted.
inline const QString kInsertModeText = QStringLiteral("Mode Ajout d'un QSO");
inline QString insertModeIndicator(bool inserting)
{
    return inserting ? kInsertModeText : QString();
}

// A chosen list entry: its number and the line as stored in the log.
struct ChosenQso {
    int number = 0; // position in the current log, from 1
    QString line;
};

// The QSO of a list entry; empty when the entry has no number (an empty selection).
std::optional<ChosenQso> chosenQso(const QString &listEntry);

// What the edit puts back into the entry fields.
struct EditFields {
    QString number;  // Num_Q: the QSO number, "0" before a number below 10 ("05")
    QsoRecord entry; // every value trimmed; a département of two blanks is empty. The operator
                     // is left empty: Ope_Q keeps its current text.
};
EditFields editFields(const ChosenQso &chosen);

// The deletion and recovery questions; the deletion's names the logs it changes.
QString deleteQuestion(const QString &storedLine, const QStringList &logs);
// "A", "A et B", "A, B et C".
QString namesText(const QStringList &names);
QString recoverQuestion(const QString &storedLine);

// Which routine a store runs.
enum class StoreAction {
    Append,  // a new QSO, in every open activation's log
    Replace, // a corrected QSO, in every open activation's log
    Insert,  // a forgotten QSO at its date and time, in every open activation's log
};
// The edit wins over the insert mode: a corrected QSO must never come back as a second line.
StoreAction storeActionFor(bool editing, bool inserting);

enum class CorrectionResult {
    NothingChosen, // no line chosen or nothing to recover; only a message, nothing to refresh
    Declined,      // the question was answered No
    Done,          // the log was changed
    Failed,        // the log could not be changed (its message was shown); it is unchanged
};

class LogCorrections
{
public:
    explicit LogCorrections(Session &session);

    // Edit: the fields of the chosen QSO, or the message when no line is chosen.
    static std::optional<EditFields> chooseForEdit(Dialogs &dialogs, const QString &listEntry);

    // Delete: asks, then removes the chosen occurrence (its place in the current log) and the
    // same line of every other open log that holds it, all or none, each through a scratch
    // file; the line is kept for recovery.
    CorrectionResult deleteChosen(Dialogs &dialogs, const QString &listEntry);

    // Recover: asks, then puts the QSO deleted last back into each log it was deleted from,
    // before the first line of an equal or later date and time.
    CorrectionResult recoverDeleted(Dialogs &dialogs);

    // QSO_Efface: the stored text of the QSO deleted last; empty before any deletion.
    QString deletedLine() const { return m_deletedLine; }
    // The logs the QSO deleted last was taken from (where a recovery puts it back), and the
    // row (from 0) it stood at in the current one.
    QStringList deletedFrom() const { return m_deletedFrom; }
    qsizetype deletedRow() const { return m_deletedRow; }
    // Whether Recupere is to be enabled now.
    bool recoveryAvailable() const { return m_recoveryAvailable; }

private:
    FileResult removeAt(const ChosenQso &chosen, QStringList &removedFrom) const;

    Session &m_session;
    QString m_deletedLine;
    QStringList m_deletedFrom; // the logs the QSO was taken from, where it goes back
    qsizetype m_deletedRow = -1;
    bool m_deletedLineRestored = false;
    bool m_recoveryAvailable = false;
};

} // namespace orvel
