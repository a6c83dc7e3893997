#include "LogCorrectionController.h"

#include "Saisie_QSO.h"
#include "records/ActivationContext.h"
#include "platform/Dialogs.h"

#include <QLineEdit>
#include <QPushButton>

namespace orvel {

LogCorrectionController::LogCorrectionController(Saisie_QSO &window, Dialogs &dialogs,
                                                 const ActivationContext &activation)
    : QObject(&window)
    , m_window(window)
    , m_dialogs(dialogs)
    , m_activation(activation)
    , m_corrections(LogFiles(activation.workingDirectory()))
    , m_firstNames(activation.workingDirectory())
{
    connect(&window, &Saisie_QSO::correctionRequested, this,
            &LogCorrectionController::onCorrectionRequested);
    installFirstNameMemory();
    updateRecoverButton();
}

void LogCorrectionController::onCorrectionRequested(const QString &buttonName)
{
    const EntryForm &form = m_window.form();
    if (buttonName == form.Edite_QSO->objectName())
        edit();
    else if (buttonName == form.Efface_QSO->objectName())
        deleteChosen();
    else if (buttonName == form.Recupere->objectName())
        recover();
}

void LogCorrectionController::installFirstNameMemory()
{
    // The window's list is the current log as this program last wrote it; reading it rather
    // than the file keeps the call-sign step immediate on a long log.
    m_window.setAlreadyWorkedCheck(
        [this](const QString &call, const QString &band, const QString &mode) {
            const auto earlier = findEarlierContact(m_window.logLines(), call, band, mode);
            return earlier && m_dialogs.question(alreadyWorkedQuestion(call, *earlier, band));
        });
    m_window.setFirstNameLookup(
        [names = m_firstNames](const QString &call) -> std::optional<KnownStation> {
            const auto remembered = names.lookup(call);
            if (!remembered)
                return std::nullopt;
            return KnownStation{remembered->department, remembered->firstName};
        });
    m_window.setFirstNameUpdate(
        m_firstNames.updateHook([this](const QString &message) { m_dialogs.message(message); }));
}

QString LogCorrectionController::currentReference() const
{
    return m_activation.currentActivation().reference;
}

void LogCorrectionController::edit()
{
    const QString entry = m_window.state().chosenEntry;
    const auto fields = LogCorrections::chooseForEdit(m_dialogs, entry);
    if (!fields)
        return;
    m_window.beginEdit(fields->number, fields->entry, lineOfListEntry(entry));
}

void LogCorrectionController::deleteChosen()
{
    const CorrectionResult result =
        m_corrections.deleteChosen(m_dialogs, currentReference(), m_window.state().chosenEntry);
    if (result != CorrectionResult::NothingChosen) {
        // Whatever the answer, the entry in progress is dropped and the list shown afresh.
        m_window.cancelEntry();
        showChangedLog();
        m_window.form().Indi_Q->setFocus();
    }
    m_window.state().deletedLine = m_corrections.deletedLine();
    updateRecoverButton();
}

void LogCorrectionController::recover()
{
    const CorrectionResult result = m_corrections.recoverDeleted(m_dialogs, currentReference());
    if (result == CorrectionResult::Done)
        showChangedLog();
    updateRecoverButton();
    // The button just clicked is disabled now; an idle entry goes back to the call sign.
    if (!m_window.form().Valide_Q->isEnabled())
        m_window.form().Indi_Q->setFocus();
}

void LogCorrectionController::showChangedLog()
{
    const int next = m_window.reloadLog();
    m_window.form().Num_Q->setText(QString::number(next));
    m_window.refreshTally();
    m_window.selectLastLine();
    m_window.refreshOperatorCount();
}

void LogCorrectionController::updateRecoverButton()
{
    m_window.form().Recupere->setEnabled(m_corrections.recoveryAvailable());
}

} // namespace orvel
