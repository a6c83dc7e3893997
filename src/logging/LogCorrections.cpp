#include "LogCorrections.h"

#include "common/FixedColumns.h"
#include "platform/Dialogs.h"


namespace orvel {

std::optional<ChosenQso> chosenQso(const QString &listEntry)
{
    // The whole number column is read, so that numbers of four and five digits count too.
    bool isNumber = false;
    const int number = trimBlanks(listEntry.left(kListPrefixLength)).toInt(&isNumber);
    if (!isNumber || number < 1)
        return std::nullopt;
    return ChosenQso{number, lineOfListEntry(listEntry)};
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
           QStringLiteral(" a ") + columns(storedLine, 11, 15) + QStringLiteral(" sur ") +
           bandOfLine(storedLine) + QStringLiteral(" Mhz en ") + modeOfLine(storedLine);
}

StoreAction storeActionFor(bool editing, bool inserting)
{
    if (editing)
        return StoreAction::Replace;
    return inserting ? StoreAction::Insert : StoreAction::Append;
}

LogCorrections::LogCorrections(LogFiles logs)
    : m_logs(std::move(logs))
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

CorrectionResult LogCorrections::deleteChosen(Dialogs &dialogs, const QString &currentReference,
                                              const QString &listEntry)
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
    const FileResult removed = removeAt(currentReference, *chosen);
    if (!removed) {
        dialogs.message(removed.error);
        return CorrectionResult::Failed;
    }
    m_deletedLine = chosen->line;
    m_deletedFrom = currentReference;
    m_deletedLineRestored = false;
    m_recoveryAvailable = true;
    return CorrectionResult::Done;
}

CorrectionResult LogCorrections::recoverDeleted(Dialogs &dialogs, const QString &currentReference)
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
        putBack(m_deletedFrom.isEmpty() ? currentReference : m_deletedFrom, m_deletedLine);
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

FileResult LogCorrections::removeAt(const QString &reference, const ChosenQso &chosen) const
{
    bool readable = false;
    QStringList lines = readLines(m_logs.path(reference), &readable);
    if (!readable) {
        return FileResult::failure(
            QStringLiteral("Le log %1 est introuvable ou illisible ; aucun QSO n'a été supprimé")
                .arg(reference));
    }
    const qsizetype index = chosen.number - 1;
    if (index >= lines.size() || lines.at(index) != chosen.line) {
        return FileResult::failure(
            QStringLiteral("Le QSO choisi n'est plus à sa place dans le log %1 ; aucun QSO n'a été "
                           "supprimé")
                .arg(reference));
    }
    lines.removeAt(index);
    const FileResult written = m_logs.rewrite(reference, lines);
    if (!written)
        return FileResult::failure(QStringLiteral("Le QSO n'a pas été supprimé.\n") +
                                   written.error);
    return written;
}

FileResult LogCorrections::putBack(const QString &reference, const QString &line) const
{
    QStringList lines;
    if (const FileResult read = readLinesForRewrite(m_logs.path(reference), lines); !read)
        return FileResult::failure(QStringLiteral("Le QSO n'a pas été récupéré.\n") + read.error);
    lines.insert(insertionIndex(lines, line), line);
    const FileResult written = m_logs.rewrite(reference, lines);
    if (!written)
        return FileResult::failure(QStringLiteral("Le QSO n'a pas été récupéré.\n") +
                                   written.error);
    return written;
}

} // namespace orvel
