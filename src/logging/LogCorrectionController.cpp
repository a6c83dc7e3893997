#include "LogCorrectionController.h"

#include "platform/Dialogs.h"

namespace orvel {

LogCorrectionController::LogCorrectionController(CorrectionHost &host, Dialogs &dialogs,
                                                 Session &session)
    : m_host(host)
    , m_dialogs(dialogs)
    , m_corrections(session)
{
}

void LogCorrectionController::edit()
{
    const QString entry = m_host.chosenEntry();
    const auto fields = LogCorrections::chooseForEdit(m_dialogs, entry);
    if (!fields)
        return;
    m_host.beginEdit(fields->number, fields->entry, lineOfListEntry(entry));
}

void LogCorrectionController::deleteChosen()
{
    const CorrectionResult result = m_corrections.deleteChosen(m_dialogs, m_host.chosenEntry());
    if (result != CorrectionResult::NothingChosen) {
        // Whatever the answer, the entry in progress is dropped and the list shown afresh.
        m_host.cancelEntry();
        m_host.showChangedLog();
        m_host.focusCallSign(false);
    }
    updateRecovery();
}

void LogCorrectionController::recover()
{
    const CorrectionResult result = m_corrections.recoverDeleted(m_dialogs);
    if (result == CorrectionResult::Done)
        m_host.showChangedLog();
    updateRecovery();
    // The button just clicked is disabled now; an idle entry goes back to the call sign.
    m_host.focusCallSign(true);
}

void LogCorrectionController::updateRecovery()
{
    m_host.showRecovery(m_corrections.deletedLine(), m_corrections.recoveryAvailable());
}

} // namespace orvel
