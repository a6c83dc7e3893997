// The entry window's corrections of the log (Edite_QSO, Efface_QSO, Recupere) and its
// first-name memory, wired into one Saisie_QSO for its whole life.
//
// Editing loads the chosen QSO into the fields; the window's store then replaces it in every
// open activation's log. Deleting and recovering change the current activation's log only.
// The call-sign step gets the already-worked check (current log only) and the first-name
// lookup; every store writes its call sign, département and first name back to the memory.
#pragma once

#include "records/FirstNames.h"
#include "LogCorrections.h"

#include <QObject>

namespace orvel {

class ActivationContext;
class Dialogs;
class Saisie_QSO;

class LogCorrectionController : public QObject
{
    Q_OBJECT
public:
    // Becomes a child of window and installs its services there.
    LogCorrectionController(Saisie_QSO &window, Dialogs &dialogs,
                            const ActivationContext &activation);

    // QSO_Efface: the QSO deleted last.
    QString deletedLine() const { return m_corrections.deletedLine(); }

    void edit();
    void deleteChosen();
    void recover();

private:
    void onCorrectionRequested(const QString &buttonName);
    void installFirstNameMemory();
    QString currentReference() const;
    // The list read again after the current log changed: Num_Q, the last line, the tally and
    // Tot_Oper follow it.
    void showChangedLog();
    void updateRecoverButton();

    Saisie_QSO &m_window;
    Dialogs &m_dialogs;
    const ActivationContext &m_activation;
    LogCorrections m_corrections;
    FirstNames m_firstNames;
};

} // namespace orvel
