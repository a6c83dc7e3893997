// The keyboard chain of the nine setup fields: Enter checks a field and hands over to the next,
// capitals as they are typed, the automatic date separator, and the light green of the field
// expected next.
#pragma once

#include "SetupRules.h"
#include "widgets/WindowBasics.h"

#include <QObject>
#include <optional>

class QKeyEvent;

namespace orvel {

class ActivationList;
class Dialogs;
class SetupState;
class SetupForm;

class SetupFieldChain : public QObject
{
    Q_OBJECT

public:
    // The list and the group answer whether a reference typed is already stored or already
    // part of the group being created.
    SetupFieldChain(SetupForm &form, Dialogs &dialogs, const ActivationList &list,
                    const SetupState &group);

    // Paints every field but this one light yellow, enables it and gives it the focus.
    void expectField(SetupField field);

signals:
    // The date passed its checks on Enter: the activation typed is ready to be registered.
    void dateAccepted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::optional<SetupField> fieldOf(QObject *watched) const;
    void onCapitalsField(SetupField field);
    void onFieldReturn(SetupField field);
    bool onDateKey(QKeyEvent *event);
    void onDateReturn();
    bool passesChecks(SetupField field);
    void addDateSeparatorIfDue();
    bool separatorOn() const;

    SetupForm &m_form;
    Dialogs &m_dialogs;
    const ActivationList &m_list;
    const SetupState &m_group;
};

} // namespace orvel
