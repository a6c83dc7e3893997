// The setup window's use cases, below the window: registering an activation into the group
// being created, and the checks of the hand-over to QSO entry. Questions and messages go
// through Dialogs; the window only shows the outcome.
#pragma once

#include "SetupRules.h"
#include "SetupState.h"
#include "records/ActivationList.h"
#include "records/LogFiles.h"

#include <QString>
#include <array>
#include <optional>

namespace orvel {

class Dialogs;

struct RegistrationResult {
    enum class Outcome {
        Refused,    // a rule refused the texts (its message was shown)
        Declined,   // the user answered No to the registration question
        Failed,     // the list could not be written (its message was shown)
        Registered, // the activation belongs to the group
    };
    Outcome outcome = Outcome::Refused;
    // The field whose rule refused the texts: the keyboard goes back to it.
    std::optional<SetupField> refusedField;
    // Whether the reference was looked up in the list, and what the list held for it: the
    // window shows that activation in its fields.
    bool lookedUp = false;
    std::optional<Activation> stored;
    // A line was written into the list: its references are listed again.
    bool listChanged = false;
    // A new line was written: the group of its reference is opened.
    bool newLine = false;
};

class GroupRegistration
{
public:
    GroupRegistration(ActivationList &list, LogFiles logs, SetupState &group);

    // Registers the typed activation into the group being created: every field rule is
    // checked again, a reference already in the group is refused, a new activation is written
    // after the question, a stored one registered again during a creation joins the group's
    // block, and a missing log is created.
    RegistrationResult registerTyped(const SetupTexts &texts, Dialogs &dialogs);

private:
    bool joinGroup(const QString &reference, Dialogs &dialogs, RegistrationResult &result);

    ActivationList &m_list;
    LogFiles m_logs;
    SetupState &m_group;
};

// What the checks of "Saisie des QSO" found, before anything is written: a refusal (the three
// first fields, the reference rules, a log that is no file), or the references to open (the
// open group, or the current reference alone when none is open), whether the current log is
// still to be created, and the reminders to show.
struct HandOverCheck {
    std::optional<QString> refusal;
    QStringList references;
    bool logMissing = false;
    QStringList reminders;
};
HandOverCheck checkHandOver(const Activation &current, const QStringList &openGroup,
                            const LogFiles &logs);

// The hand-over itself: the checks, then the log of the current activation created when
// missing; each outcome told through dialogs. Returns the references to open, or nothing when
// the hand-over is refused.
std::optional<QStringList> handOver(const Activation &current, const QStringList &openGroup,
                                    const LogFiles &logs, Dialogs &dialogs);

} // namespace orvel
