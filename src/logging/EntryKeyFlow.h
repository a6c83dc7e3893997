// The keys of the QSO entry window, told to its QsoEntry: Enter in a field, the store keys
// (numeric-keypad "+", F9 to F12), the keys that type a character, a mode chosen in the list.
// The call sign's letters are typed as capitals.
#pragma once

#include "EntryForm.h"
#include "RetypeRule.h"

#include <QObject>

class QKeyEvent;

namespace orvel {

class QsoEntry;

class EntryKeyFlow : public QObject
{
    Q_OBJECT
public:
    EntryKeyFlow(const EntryForm &form, QsoEntry &entry, QObject *parent = nullptr);

    // The store keys: numeric-keypad "+", F9, F10, F11, F12.
    static bool isStoreKey(const QKeyEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool onCallKey(QKeyEvent *event);
    bool onFieldKey(EntryField field, QKeyEvent *event);

    const EntryForm &m_form;
    QsoEntry &m_entry;
};

// True for a key that types or erases a character (VB's key-press keys): printable text,
// Backspace, or a paste.
bool isCharacterKey(const QKeyEvent *event);

} // namespace orvel
