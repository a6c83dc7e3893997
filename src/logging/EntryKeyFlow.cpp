#include "EntryKeyFlow.h"

#include "QsoEntry.h"
#include "common/Windows1252.h"
#include "widgets/WindowBasics.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>

namespace orvel {

bool isCharacterKey(const QKeyEvent *event)
{
    if (event->key() == Qt::Key_Backspace || event->matches(QKeySequence::Paste))
        return true;
    const QString text = event->text();
    if (text.isEmpty() || text.at(0).unicode() < 0x20 || text.at(0).unicode() == 0x7F)
        return false;
    return !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

EntryKeyFlow::EntryKeyFlow(const EntryForm &form, QsoEntry &entry, QObject *parent)
    : QObject(parent)
    , m_form(form)
    , m_entry(entry)
{
    for (QWidget *watched : form.keyWidgets())
        watched->installEventFilter(this);
    connect(m_form.Mode_Q, &QComboBox::activated, &m_entry, &QsoEntry::modeChosen);
}

bool EntryKeyFlow::isStoreKey(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_F9:
    case Qt::Key_F10:
    case Qt::Key_F11:
    case Qt::Key_F12:
        return true;
    case Qt::Key_Plus:
        return event->modifiers() & Qt::KeypadModifier;
    default:
        return false;
    }
}

bool EntryKeyFlow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const auto field = m_form.fieldOf(watched);
    if (!field)
        return false;
    switch (*field) {
    case EntryField::Call:
        return onCallKey(key);
    case EntryField::Band:
    case EntryField::Mode:
    case EntryField::Store:
        if (!isEnterKey(key))
            return false;
        m_entry.enter(*field);
        return true;
    case EntryField::Operator:
        return false;
    default:
        return onFieldKey(*field, key);
    }
}

bool EntryKeyFlow::onCallKey(QKeyEvent *event)
{
    if (isEnterKey(event)) {
        m_entry.enter(EntryField::Call);
        return true;
    }
    if (!isCharacterKey(event))
        return false;
    m_entry.characterKey(EntryField::Call);
    const QString text = event->text();
    if (text.size() == 1 && text.at(0) >= QLatin1Char('a') && text.at(0) <= QLatin1Char('z') &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        m_form.Indi_Q->insert(capitals(text));
        return true;
    }
    return false;
}

bool EntryKeyFlow::onFieldKey(EntryField field, QKeyEvent *event)
{
    if (isEnterKey(event)) {
        m_entry.enter(field);
        return true;
    }
    if (isStoreKey(event)) {
        m_entry.storeKey(field);
        return true;
    }
    if (isCharacterKey(event))
        m_entry.characterKey(field);
    return false; // the key itself takes effect
}

} // namespace orvel
