// The keyboard flow of the QSO entry window: Enter moves from field to field once the field's
// check passes, the store keys store from any field after the call sign, the date and time get
// their separators, the retype rule empties a field at its first key, and the band and mode are
// confirmed with Enter.
#pragma once

#include "EntryForm.h"
#include "EntryRules.h"
#include "EntryState.h"
#include "RetypeRule.h"

#include <QObject>

class QKeyEvent;
class QWidget;

namespace orvel {

class Dialogs;
class EntrySettings;

class EntryKeyFlow : public QObject
{
    Q_OBJECT
public:
    // What the flow needs from its window.
    class Host
    {
    public:
        virtual ~Host() = default;
        virtual bool deferredEntry() const = 0;
        virtual bool retypeMode() const = 0;
        // Stores the QSO as Valide_Q does; false when nothing was stored.
        virtual bool storeWithValide() = 0;
        // Stores the QSO from a field's store key; false when nothing was stored.
        virtual bool quickStore(QWidget *field) = 0;
        virtual void refreshTally() = 0;
    };

    EntryKeyFlow(const EntryForm &form, EntryState &state, Dialogs &dialogs,
                 EntrySettings &settings, Host &host, QObject *parent = nullptr);

    void setAlreadyWorkedCheck(AlreadyWorkedCheck check) { m_alreadyWorked = std::move(check); }
    void setFirstNameLookup(FirstNameLookup lookup) { m_lookup = std::move(lookup); }

    // Both reports get "599" in CW and "59" otherwise.
    void applyDefaultReports();
    // Every field idle and Indi_Q current, as after a store or a cancel.
    void resetToCallSign();

    // The store keys: numeric-keypad "+", F9, F10, F11, F12.
    static bool isStoreKey(const QKeyEvent *event);

    // Enter in Indi_Q, Bande_Q and Mode_Q.
    void callSignStep();
    void bandStep();
    void modeStep();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool onCallKey(QKeyEvent *event);
    bool onFieldKey(QLineEdit *field, QKeyEvent *event);
    void onModeChosen(int index);
    bool fieldEnter(QLineEdit *field);
    bool fieldStoreKey(QLineEdit *field);
    void applyRetype(QLineEdit *field, EntryKey key);
    FieldCheck checkOnEnter(QLineEdit *field) const;
    FieldCheck checkOnStoreKey(QLineEdit *field) const;
    EntryField fieldKind(const QObject *field) const;
    void refuse(QLineEdit *field, const FieldCheck &check);
    void moveTo(QWidget *from, QWidget *to);

    const EntryForm &m_form;
    EntryState &m_state;
    Dialogs &m_dialogs;
    EntrySettings &m_settings;
    Host &m_host;
    AlreadyWorkedCheck m_alreadyWorked;
    FirstNameLookup m_lookup;
};

// True for a key that types or erases a character (VB's key-press keys): printable text,
// Backspace, or a paste.
bool isCharacterKey(const QKeyEvent *event);

} // namespace orvel
