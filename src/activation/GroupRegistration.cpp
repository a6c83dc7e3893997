#include "GroupRegistration.h"

#include "common/FileRead.h"
#include "common/FixedColumns.h"
#include "platform/Dialogs.h"

namespace orvel {

GroupRegistration::GroupRegistration(ActivationList &list, LogFiles logs, SetupState &group)
    : m_list(list)
    , m_logs(std::move(logs))
    , m_group(group)
{
}

RegistrationResult GroupRegistration::registerTyped(const SetupTexts &texts, Dialogs &dialogs)
{
    using Outcome = RegistrationResult::Outcome;
    RegistrationResult result;
    const Activation typed = activationOf(texts);
    if (typed.activator.isEmpty() || typed.reference.isEmpty() || typed.name.isEmpty()) {
        dialogs.message(kThreeFieldsRequired);
        return result;
    }
    // A field can be reached with the mouse or Tab without its Enter check: every rule is
    // checked again before anything is written.
    for (int i = 0; i < kSetupFieldCount; ++i) {
        const SetupField field = setupFieldAt(i);
        auto refused = fieldCheckMessage(field, texts[static_cast<size_t>(i)]);
        if (!refused && field == SetupField::NumActivite)
            refused = referenceRuleMessage(typed.reference);
        if (refused) {
            dialogs.message(*refused);
            result.refusedField = field;
            return result;
        }
    }
    const QString line = formatActivationLine(typed);
    const QString &reference = typed.reference;
    if (m_group.contains(reference)) {
        dialogs.message(
            QStringLiteral("La référence %1 fait déjà partie de ce groupe").arg(reference));
        return result;
    }
    result.lookedUp = true;
    result.stored = m_list.find(reference);
    if (!result.stored) {
        if (!dialogs.question(registrationQuestion(line))) {
            result.outcome = Outcome::Declined;
            return result;
        }
        const FileResult written = m_list.registerLine(line);
        if (!written) {
            dialogs.message(written.error);
            result.outcome = Outcome::Failed;
            return result;
        }
        result.listChanged = true;
        result.newLine = true;
        m_group.addWritten(reference);
    } else if (!joinGroup(reference, dialogs, result)) {
        result.outcome = Outcome::Failed;
        return result;
    }
    m_group.noteRegistered(reference);
    if (!m_logs.exists(reference)) {
        const FileResult created = m_logs.createEmpty(reference);
        dialogs.message(created ? kActivationRegistered : created.error);
    }
    result.outcome = Outcome::Registered;
    return result;
}

bool GroupRegistration::joinGroup(const QString &reference, Dialogs &dialogs,
                                  RegistrationResult &result)
{
    // An activation already registered and accepted again during a creation joins the new
    // group: its stored line is written again inside the block that Terminé will close.
    if (!m_group.isCreating())
        return true;
    const QStringList lines = m_list.lines();
    const qsizetype stored = m_list.lastLineOf(reference);
    if (stored < 0)
        return true;
    const FileResult written = m_list.appendLine(lines.at(stored));
    if (!written) {
        dialogs.message(written.error);
        return false;
    }
    m_group.addWritten(reference);
    result.listChanged = true;
    return true;
}

HandOverCheck checkHandOver(const Activation &current, const QStringList &openGroup,
                            const LogFiles &logs)
{
    HandOverCheck check;
    if (current.activator.isEmpty() || current.reference.isEmpty() || current.name.isEmpty()) {
        check.refusal = kThreeFieldsRequired;
        return check;
    }
    check.refusal = fieldCheckMessage(SetupField::NumActivite, current.reference);
    if (!check.refusal)
        check.refusal = referenceNameMessage(current.reference);
    if (check.refusal)
        return check;
    // A pipe, a device or a folder under a log's name would take every QSO and keep none.
    // A QSO always needs a log to go to: the current reference is opened when no group is.
    const QStringList open = openGroup.isEmpty() ? QStringList{current.reference} : openGroup;
    for (const QString &reference : QStringList{current.reference} + open) {
        if ((check.refusal = unreadableFileProblem(logs.path(reference))))
            return check;
    }
    check.references = open;
    check.logMissing = !logs.exists(current.reference);
    for (const QString &reference : open) {
        if (followsWffRule(reference))
            check.reminders.append(wffRuleMessage());
    }
    return check;
}

std::optional<QStringList> handOver(const Activation &current, const QStringList &openGroup,
                                    const LogFiles &logs, Dialogs &dialogs)
{
    const HandOverCheck check = checkHandOver(current, openGroup, logs);
    if (check.refusal) {
        dialogs.message(*check.refusal);
        return std::nullopt;
    }
    if (check.logMissing) {
        const FileResult created = logs.createEmpty(current.reference);
        if (!created) {
            dialogs.message(created.error);
            return std::nullopt;
        }
        dialogs.message(kActivationStarts);
    } else {
        dialogs.message(kActivationContinues);
    }
    for (const QString &reminder : check.reminders)
        dialogs.message(reminder);
    return check.references;
}

} // namespace orvel
