// The QSO being entered, with no window: the draft record, where the entry stands, the mode
// (live, deferred, editing, inserting), the retype option and the decision of what a store
// writes. The entry window shows this state and hands it the operator's keys and clicks; the
// session writes the logs.
#pragma once

#include "EntryRules.h"
#include "EntryState.h"
#include "LogCorrections.h"
#include "QsoStore.h"
#include "RetypeRule.h"
#include "records/EntrySettings.h"

#include <QObject>

#include <array>

namespace orvel {

class Dialogs;
class Session;

// How the next QSO gets its date and time and where it goes.
enum class EntryMode {
    Live,      // the clock's date and time, appended
    Deferred,  // typed date and time, appended ("Saisie differée")
    Editing,   // a logged QSO loaded for correction; the store replaces it
    Inserting, // a forgotten QSO, placed at its typed date and time
};

// How a field of the entry row looks: enabled or not, and current (light green: the field, or
// the Valide_Q button, that expects input now) or not (light yellow; the button's own face).
struct FieldLook {
    bool enabled = false;
    bool current = false;
    bool operator==(const FieldLook &) const = default;
};

// The date and the clock caption of the time base, as shown when the QSO is stored.
struct EntryMoment {
    QString date;    // dd/mm/yy
    QString caption; // "14:05 Utc"
};

class QsoEntry : public QObject
{
    Q_OBJECT
public:
    QsoEntry(Session &session, Dialogs &dialogs, Settings &settings, QObject *parent = nullptr);

    // --- State -----------------------------------------------------------------------------
    const EntryState &state() const { return m_state; }
    EntrySettings &settings() { return m_settings; }

    // The text of a field as it stands (Mode and Band: the lists' texts).
    QString text(EntryField field) const { return m_texts[index(field)]; }
    // The draft as the fields hold it.
    QsoRecord record() const;
    FieldLook look(EntryField field) const { return m_looks[index(field)]; }
    // The field the keyboard was last sent to.
    EntryField current() const { return m_current; }
    // Num_Q: the number the QSO being entered gets, or the corrected QSO's.
    QString number() const { return m_number; }

    EntryMode mode() const;
    bool deferred() const { return m_deferred; }
    bool editing() const { return m_state.editing; }
    bool inserting() const { return m_state.inserting; }
    // Date_Q and Heure_Q are typed: in deferred entry, while correcting and while inserting.
    bool typedMoment() const { return mode() != EntryMode::Live; }
    // The band and mode stay as typed (the radio does not change them): the same cases.
    bool holdsBandAndMode() const { return typedMoment(); }
    bool retypeMode() const { return m_retypeMode; }

    // --- Services ---------------------------------------------------------------------------
    void setAlreadyWorkedCheck(AlreadyWorkedCheck check) { m_alreadyWorked = std::move(check); }
    void setFirstNameLookup(FirstNameLookup lookup) { m_lookup = std::move(lookup); }
    void setFirstNameUpdate(FirstNameUpdate update) { m_store = QsoStore(std::move(update)); }
    // Runs at once, since the window's load already asks for the tally.
    void setTallyRefresh(TallyRefresh refresh);
    void setClock(std::function<EntryMoment()> clock) { m_clock = std::move(clock); }

    // --- What the operator does -------------------------------------------------------------
    // A field's text as the operator changed it (no textChanged back).
    void typed(EntryField field, const QString &text);
    // Sets a field's text from the program (textChanged).
    void setText(EntryField field, const QString &text);

    // A key that types or erases a character in field, before it takes effect: the date and
    // time separators, and the retype rule's emptying.
    void characterKey(EntryField field);
    // Enter in a field: its check, then the next field (the call-sign, band and mode steps).
    void enter(EntryField field);
    // A store key (numeric-keypad "+", F9 to F12) in one of the seven store-key fields.
    void storeKey(EntryField field);
    // A mode chosen in the list: default reports, and its index remembered.
    void modeChosen(int index);

    // The store with Valide_Q and the quick store from field; false when nothing was stored
    // (a refused field, or a log that could not be written).
    bool storeWithValide();
    bool quickStore(EntryField field);

    // Loads a logged QSO into the fields for correction: number is the text for Num_Q ("05"),
    // entry the QSO's values (its operator is not used: Ope_Q keeps its text), storedLine the
    // line as stored, which the store replaces in every open log.
    void beginEdit(const QString &number, const QsoRecord &entry, const QString &storedLine);
    // Insert mode: the next QSO goes to its place in time.
    void beginInsert();
    // Ends editing and insert mode and empties the entry back to the call sign.
    void cancel();
    // Edite_QSO, Efface_QSO, Recupere on the chosen line.
    void editChosen();
    void deleteChosen();
    void recoverDeleted();

    void setDeferred(bool on);
    void setRetypeMode(bool on);

    // Both reports get "599" in CW and "59" otherwise.
    void applyDefaultReports();
    // Every field idle and Indi_Q current, as after a store or a cancel.
    void resetToCallSign();

    // A line of the list chosen (a click, or the program selecting the last line).
    void choose(const QString &listEntry);
    void forgetChosenLine();

    // The log changed: Num_Q follows it unless a QSO is being corrected, and Tot_Oper.
    void followLog();
    void refreshOperatorCount();
    void refreshTally(bool afterStore = false);

signals:
    void textChanged(EntryField field);
    void lookChanged(EntryField field);
    // The keyboard goes to field.
    void focusRequested(EntryField field);
    void numberChanged();
    void modeChanged();
    void retypeModeChanged();
    void operatorCountChanged();
    void recoveryChanged(bool available);
    // The log changed through this entry: the last line is to be shown and chosen.
    void lastLineDue();

private:
    void focus(EntryField field);
    void setLook(EntryField field, FieldLook look);
    void setCurrent(EntryField field, bool current);
    void enable(EntryField field);
    void moveTo(EntryField from, EntryField to);
    void refuse(EntryField field, const FieldCheck &check);
    void applyRetype(EntryField field, EntryKey key);
    void callSignStep();
    void bandStep();
    void modeStep();
    FieldCheck checkOnEnter(EntryField field) const;
    FieldCheck checkOnStoreKey(EntryField field) const;
    bool fieldsFitTheRecord();
    bool runStore();
    void endEdit();
    void setNumber(const QString &number);
    void setInserting(bool on);
    void showChangedLog();

    Session &m_session;
    Dialogs &m_dialogs;
    EntrySettings m_settings;
    EntryState m_state;
    static constexpr int kFields = int(EntryField::Store) + 1;
    static constexpr int index(EntryField field) { return int(field); }
    std::array<QString, kFields> m_texts;
    std::array<FieldLook, kFields> m_looks;
    EntryField m_current = EntryField::Call;
    QString m_number = QStringLiteral("1");
    bool m_deferred = false;
    bool m_retypeMode = false;
    QString m_modeBeforeEdit;
    QString m_bandBeforeEdit;
    QsoStore m_store;
    LogCorrections m_corrections;
    AlreadyWorkedCheck m_alreadyWorked;
    FirstNameLookup m_lookup;
    TallyRefresh m_tallyRefresh;
    std::function<EntryMoment()> m_clock;
};

// The fields, in entry order, from which a store key stores.
QList<EntryField> storeKeyFields();

} // namespace orvel
