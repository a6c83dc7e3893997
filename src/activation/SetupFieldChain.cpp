#include "SetupFieldChain.h"

#include "SetupForm.h"
#include "SetupState.h"
#include "common/DateTimeText.h"
#include "common/FixedColumns.h"
#include "platform/Dialogs.h"
#include "records/ActivationList.h"
#include "widgets/Palette.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>

namespace orvel {

SetupFieldChain::SetupFieldChain(SetupForm &form, Dialogs &dialogs, const ActivationList &list,
                                 const SetupState &group)
    : m_form(form)
    , m_dialogs(dialogs)
    , m_list(list)
    , m_group(group)
{
    for (int i = 0; i < kSetupFieldCount; ++i) {
        const SetupField field = setupFieldAt(i);
        m_form.field(field)->installEventFilter(this);
        m_form.lineEdit(field)->installEventFilter(this);
        if (setupFieldRule(field).capitals) {
            connect(m_form.lineEdit(field), &QLineEdit::textEdited, this,
                    [this, field] { onCapitalsField(field); });
        }
    }
}

bool SetupFieldChain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const std::optional<SetupField> field = fieldOf(watched);
    if (!field)
        return QObject::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (*field == SetupField::DateActivite)
        return onDateKey(key);
    if (isEnterKey(key)) {
        onFieldReturn(*field);
        return true;
    }
    return false;
}

std::optional<SetupField> SetupFieldChain::fieldOf(QObject *watched) const
{
    for (int i = 0; i < kSetupFieldCount; ++i) {
        const SetupField field = setupFieldAt(i);
        if (watched == m_form.field(field) || watched == m_form.lineEdit(field))
            return field;
    }
    return std::nullopt;
}

void SetupFieldChain::onCapitalsField(SetupField field)
{
    QLineEdit *edit = m_form.lineEdit(field);
    const QString capitals = withCapitals(edit->text());
    if (capitals == edit->text())
        return;
    const int caret = edit->cursorPosition();
    edit->setText(capitals);
    edit->setCursorPosition(caret);
}

bool SetupFieldChain::passesChecks(SetupField field)
{
    const QString text = m_form.text(field);
    if (const auto refused = fieldCheckMessage(field, text)) {
        m_dialogs.message(*refused);
        return false;
    }
    if (field == SetupField::NumActivite) {
        const QString reference = trimBlanks(text);
        if (const auto refused = referenceRuleMessage(reference)) {
            m_dialogs.message(*refused);
            return false;
        }
        if (m_group.contains(reference)) {
            m_dialogs.message(
                QStringLiteral("La référence %1 fait déjà partie de ce groupe").arg(reference));
            return false;
        }
        if (m_list.exists(reference) && !m_dialogs.question(duplicateReferenceQuestion()))
            return false;
    }
    // What is kept is what the line and the log file name will hold.
    const QString trimmed = trimBlanks(text);
    if (trimmed != text)
        m_form.setText(field, trimmed);
    return true;
}

void SetupFieldChain::onFieldReturn(SetupField field)
{
    if (!passesChecks(field))
        return;
    paintBackground(m_form.field(field), kLightYellow);
    if (const auto next = nextSetupField(field))
        expectField(*next);
}

bool SetupFieldChain::onDateKey(QKeyEvent *event)
{
    QLineEdit *date = m_form.Date_Activite;
    if (event->key() == Qt::Key_Backspace) {
        // With the automatic separator, backspace always removes the last character.
        if (separatorOn() && !date->text().isEmpty())
            date->end(false);
        return false;
    }
    if (isEnterKey(event)) {
        onDateReturn();
        return true;
    }
    const QString typed = event->text();
    // Only a character that types adds the separator; Delete carries a control character.
    if (!typed.isEmpty() && typed.at(0).isPrint())
        addDateSeparatorIfDue();
    return false;
}

void SetupFieldChain::onDateReturn()
{
    if (!passesChecks(SetupField::DateActivite))
        return;
    paintBackground(m_form.Date_Activite, kLightYellow);
    emit dateAccepted();
    addDateSeparatorIfDue();
}

void SetupFieldChain::addDateSeparatorIfDue()
{
    QLineEdit *date = m_form.Date_Activite;
    const QString separator = dateSeparatorDue(date->text());
    if (separatorOn() && !separator.isEmpty()) {
        date->setText(date->text() + separator);
        date->end(false);
    }
}

void SetupFieldChain::expectField(SetupField field)
{
    for (int i = 0; i < kSetupFieldCount; ++i)
        paintBackground(m_form.field(setupFieldAt(i)), kLightYellow);
    QWidget *widget = m_form.field(field);
    widget->setEnabled(true);
    paintBackground(widget, kLightGreen);
    widget->setFocus();
}

bool SetupFieldChain::separatorOn() const
{
    return m_form.Mnu_Sep_Oui->isChecked();
}

} // namespace orvel
