#include "GroupRegistration.h"

#include "common/FileRead.h"
#include "common/FixedColumns.h"
#include "platform/Dialogs.h"

namespace orvel {

Activation activationOf(const SetupTexts &texts)
{
    const auto text = [&texts](SetupField field) {
        return trimBlanks(texts[static_cast<size_t>(field)]);
    };
    Activation a;
    a.activator = text(SetupField::Activeur);
    a.logger = text(SetupField::Logger);
    a.reference = text(SetupField::NumActivite);
    a.name = text(SetupField::NomActivite);
    a.canton = text(SetupField::NumCanton);
    a.postalCode = text(SetupField::NumCP);
    a.commune = text(SetupField::NomCommune);
    a.type = text(SetupField::TypeActivite);
    a.date = text(SetupField::DateActivite);
    return a;
}

GroupRegistration::GroupRegistration(ActivationList &list, LogFiles logs, GroupInCreation &group)
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

std::optional<QStringList> checkHandOver(const Activation &current, const QStringList &openGroup,
                                         const LogFiles &logs, Dialogs &dialogs)
{
    if (current.activator.isEmpty() || current.reference.isEmpty() || current.name.isEmpty()) {
        dialogs.message(kThreeFieldsRequired);
        return std::nullopt;
    }
    auto refused = fieldCheckMessage(SetupField::NumActivite, current.reference);
    if (!refused)
        refused = referenceNameMessage(current.reference);
    if (refused) {
        dialogs.message(*refused);
        return std::nullopt;
    }
    // A pipe, a device or a folder under a log's name would take every QSO and keep none.
    const QStringList open = openGroup.isEmpty() ? QStringList{current.reference} : openGroup;
    for (const QString &reference : QStringList{current.reference} + open) {
        if (const auto problem = unreadableFileProblem(logs.path(reference))) {
            dialogs.message(*problem);
            return std::nullopt;
        }
    }
    if (logs.exists(current.reference)) {
        dialogs.message(kActivationContinues);
    } else {
        const FileResult created = logs.createEmpty(current.reference);
        if (!created) {
            dialogs.message(created.error);
            return std::nullopt;
        }
        dialogs.message(kActivationStarts);
    }
    // A QSO always needs a log to go to: open holds the current reference when no group is.
    for (const QString &reference : open) {
        if (followsWffRule(reference))
            dialogs.message(wffRuleMessage());
    }
    return open;
}

} // namespace orvel
