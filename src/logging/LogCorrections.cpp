#include "LogCorrections.h"

#include "common/FixedColumns.h"
#include "platform/Dialogs.h"
#include "records/Session.h"

namespace orvel {

std::optional<ChosenQso> chosenQso(const QString &listEntry)
{
    const auto number = numberOfListEntry(listEntry);
    if (!number || *number < 1)
        return std::nullopt;
    return ChosenQso{*number, lineOfListEntry(listEntry)};
}

EditFields editFields(const ChosenQso &chosen)
{
    EditFields fields;
    fields.number = chosen.number < 10 ? QLatin1Char('0') + QString::number(chosen.number)
                                       : QString::number(chosen.number);
    fields.entry = parseQsoLine(chosen.line);
    fields.entry.operatorCall.clear();
    return fields;
}

QString deleteQuestion(const QString &storedLine)
{
    return QStringLiteral("Voulez vous effacer le QSO avec ") + callOfLine(storedLine) +
           QStringLiteral(" ?");
}

QString recoverQuestion(const QString &storedLine)
{
    return QStringLiteral("Voulez vous recuperer le QSO avec ") + callOfLine(storedLine) +
           QStringLiteral(" a ") + rawColumn(storedLine, qsocol::kTime).toString() +
           QStringLiteral(" sur ") + bandOfLine(storedLine) + QStringLiteral(" Mhz en ") +
           modeOfLine(storedLine);
}

StoreAction storeActionFor(bool editing, bool inserting)
{
    if (editing)
        return StoreAction::Replace;
    return inserting ? StoreAction::Insert : StoreAction::Append;
}

LogCorrections::LogCorrections(Session &session)
    : m_session(session)
{
}

std::optional<EditFields> LogCorrections::chooseForEdit(Dialogs &dialogs, const QString &listEntry)
{
    const auto chosen = chosenQso(listEntry);
    if (!chosen) {
        dialogs.message(kChooseLineToEdit);
        return std::nullopt;
    }
    return editFields(*chosen);
}

CorrectionResult LogCorrections::deleteChosen(Dialogs &dialogs, const QString &listEntry)
{
    const auto chosen = chosenQso(listEntry);
    if (!chosen) {
        dialogs.message(kChooseLineToDelete);
        return CorrectionResult::NothingChosen;
    }
    // A QSO deleted earlier and not yet put back may still be recovered.
    if (!m_deletedLine.isEmpty() && !m_deletedLineRestored)
        m_recoveryAvailable = true;
    if (!dialogs.question(deleteQuestion(chosen->line)))
        return CorrectionResult::Declined;
    const QString currentReference = m_session.currentReference();
    const FileResult removed = removeAt(*chosen);
    if (!removed) {
        dialogs.message(removed.error);
        return CorrectionResult::Failed;
    }
    m_deletedLine = chosen->line;
    m_deletedFrom = currentReference;
    m_deletedRow = chosen->number - 1;
    m_deletedLineRestored = false;
    m_recoveryAvailable = true;
    return CorrectionResult::Done;
}

CorrectionResult LogCorrections::recoverDeleted(Dialogs &dialogs)
{
    if (!m_recoveryAvailable || m_deletedLine.isEmpty()) {
        m_recoveryAvailable = false;
        return CorrectionResult::NothingChosen;
    }
    if (!dialogs.question(recoverQuestion(m_deletedLine))) {
        m_recoveryAvailable = false;
        return CorrectionResult::Declined;
    }
    // A QSO goes back to the log it was taken from, even when another activation has been
    // opened since.
    const FileResult restored =
        putBack(m_deletedFrom.isEmpty() ? m_session.currentReference() : m_deletedFrom,
                m_deletedLine);
    if (!restored) {
        // Nothing was written: the QSO stays available for another try.
        dialogs.message(restored.error);
        return CorrectionResult::Failed;
    }
    // Once back in the log, the same QSO is not offered again: a second recovery would
    // log it twice.
    m_deletedLineRestored = true;
    m_recoveryAvailable = false;
    return CorrectionResult::Done;
}

FileResult LogCorrections::removeAt(const ChosenQso &chosen) const
{
    const QString reference = m_session.currentReference();
    QString error;
    switch (m_session.remove(chosen.number - 1, chosen.line, &error)) {
    case LogFiles::RemoveOutcome::Removed:
        return FileResult::success();
    case LogFiles::RemoveOutcome::Unreadable:
        return FileResult::failure(
            QStringLiteral("Le log %1 est introuvable ou illisible ; aucun QSO n'a été supprimé")
                .arg(reference));
    case LogFiles::RemoveOutcome::Moved:
        return FileResult::failure(
            QStringLiteral("Le QSO choisi n'est plus à sa place dans le log %1 ; aucun QSO n'a été "
                           "supprimé")
                .arg(reference));
    case LogFiles::RemoveOutcome::WriteFailed:
        break;
    }
    return FileResult::failure(QStringLiteral("Le QSO n'a pas été supprimé.\n") + error);
}

FileResult LogCorrections::putBack(const QString &reference, const QString &line) const
{
    const FileResult written = m_session.recover(reference, line);
    if (!written)
        return FileResult::failure(QStringLiteral("Le QSO n'a pas été récupéré.\n") +
                                   written.error);
    return written;
}

} // namespace orvel
