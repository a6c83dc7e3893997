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

QString namesText(const QStringList &names)
{
    if (names.size() < 2)
        return names.value(0);
    return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" et ") +
           names.last();
}

QString deleteQuestion(const QString &storedLine, const QStringList &logs)
{
    return QStringLiteral("Voulez vous effacer le QSO avec ") + callOfLine(storedLine) +
           QStringLiteral(" ?\n") +
           (logs.size() == 1 ? QStringLiteral("Il sera effacé du log %1.")
                             : QStringLiteral("Il sera effacé des logs %1."))
               .arg(namesText(logs));
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
    if (!dialogs.question(deleteQuestion(chosen->line, m_session.logsHolding(chosen->line))))
        return CorrectionResult::Declined;
    QStringList removedFrom;
    const FileResult removed = removeAt(*chosen, removedFrom);
    if (!removed) {
        // A rename refused half way leaves the line gone from some logs: it can come back.
        if (!removedFrom.isEmpty()) {
            m_deletedLine = chosen->line;
            m_deletedFrom = removedFrom;
            m_deletedLineRestored = false;
            m_recoveryAvailable = true;
        }
        dialogs.message(removed.error);
        return CorrectionResult::Failed;
    }
    m_deletedLine = chosen->line;
    m_deletedFrom = removedFrom;
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
    const QStringList references =
        m_deletedFrom.isEmpty() ? QStringList{m_session.currentReference()} : m_deletedFrom;
    const LogWriteResult restored = m_session.recover(references, m_deletedLine);
    if (!restored.ok()) {
        // The logs that did not take it back keep it offered, and those alone: a second try
        // must not put it twice into the others.
        m_deletedFrom = restored.failedReferences;
        dialogs.message((restored.failedReferences.size() == 1
                             ? QStringLiteral("Le QSO n'a pas été récupéré dans le log %1.\n")
                             : QStringLiteral("Le QSO n'a pas été récupéré dans les logs %1.\n"))
                            .arg(namesText(restored.failedReferences)) +
                        restored.errors.join(QLatin1Char('\n')));
        return CorrectionResult::Failed;
    }
    // Once back in the log, the same QSO is not offered again: a second recovery would
    // log it twice.
    m_deletedLineRestored = true;
    m_recoveryAvailable = false;
    return CorrectionResult::Done;
}

FileResult LogCorrections::removeAt(const ChosenQso &chosen, QStringList &removedFrom) const
{
    const QString reference = m_session.currentReference();
    QString error;
    switch (m_session.remove(chosen.number - 1, chosen.line, &error, &removedFrom)) {
    case LogFiles::RemoveOutcome::Removed:
        return FileResult::success();
    case LogFiles::RemoveOutcome::Unreadable:
        return FileResult::failure(
            QStringLiteral("Un log du groupe est introuvable ou illisible ; aucun QSO n'a été "
                           "supprimé.") +
            (error.isEmpty() ? QString() : QLatin1Char('\n') + error));
    case LogFiles::RemoveOutcome::Moved:
        return FileResult::failure(
            QStringLiteral("Le QSO choisi n'est plus à sa place dans le log %1 ; aucun QSO n'a été "
                           "supprimé")
                .arg(reference));
    case LogFiles::RemoveOutcome::WriteFailed:
        break;
    }
    if (!removedFrom.isEmpty())
        return FileResult::failure(
            (removedFrom.size() == 1 ? QStringLiteral("Le QSO n'a été supprimé que du log %1")
                                     : QStringLiteral("Le QSO n'a été supprimé que des logs %1"))
                .arg(namesText(removedFrom)) +
            QStringLiteral(" : les autres logs du groupe le gardent. « Recuperer un QSO » le "
                           "remet.\n") +
            error);
    return FileResult::failure(QStringLiteral("Le QSO n'a pas été supprimé.\n") + error);
}

} // namespace orvel
