// Retype mode: the first key typed into a field replaces its text instead of editing it.
#pragma once

namespace orvel {

enum class EntryField {
    Call,
    Department,
    FirstName,
    ReportReceived,
    ReportSent,
    Remarks,
    Date,
    Time,
    // Never retyped:
    Operator,
    Mode,
    Band,
    Store, // the Valide_Q button
};

enum class EntryKey {
    Enter,
    StoreKey,  // numeric-keypad "+", F9 to F12
    Character, // any other key that types or erases
};

enum class RetypeEffect {
    None,
    EmptyField, // empty the field before the key takes effect
    MarkOnly,   // the key types normally, but counts as the field's first key
};

// What the first key of a field does, given the retype option, whether a logged QSO is being
// corrected and whether the field's first key was already typed (Refrappe_Faite). Any effect
// other than None sets Refrappe_Faite.
RetypeEffect retypeEffect(EntryField field, EntryKey key, bool retypeMode, bool editing,
                          bool retypeDone);

} // namespace orvel
