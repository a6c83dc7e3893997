// The entry window's corrections of the log (Edite_QSO, Efface_QSO, Recupere).
//
// Editing loads the chosen QSO into the fields; the window's store then replaces it in every
// open activation's log. Deleting and recovering change the current activation's log only,
// and the session's current log follows.
#pragma once

#include "LogCorrections.h"

#include <QString>

namespace orvel {

class Dialogs;
class Session;

// What the corrections need of the window that shows the log.
class CorrectionHost
{
public:
    virtual ~CorrectionHost() = default;
    // Ligne_Choisie: the selected list entry, number column included.
    virtual QString chosenEntry() const = 0;
    // Loads a logged QSO into the fields for correction.
    virtual void beginEdit(const QString &number, const QsoRecord &entry,
                           const QString &storedLine) = 0;
    // Drops the entry in progress (edit and insert mode included).
    virtual void cancelEntry() = 0;
    // The current log changed: Num_Q, the last line, the tally and Tot_Oper follow it.
    virtual void showChangedLog() = 0;
    // The keyboard goes back to the call sign; when idleOnly, only if no store is expected.
    virtual void focusCallSign(bool idleOnly) = 0;
    // QSO_Efface and the Recupere button.
    virtual void showRecovery(const QString &deletedLine, bool available) = 0;
};

class LogCorrectionController
{
public:
    LogCorrectionController(CorrectionHost &host, Dialogs &dialogs, Session &session);

    // QSO_Efface: the QSO deleted last.
    QString deletedLine() const { return m_corrections.deletedLine(); }
    // Whether Recupere is to be enabled.
    bool recoveryAvailable() const { return m_corrections.recoveryAvailable(); }

    void edit();
    void deleteChosen();
    void recover();

private:
    void updateRecovery();

    CorrectionHost &m_host;
    Dialogs &m_dialogs;
    LogCorrections m_corrections;
};

} // namespace orvel
