// The rules of the QSO entry fields: each check answers from the field's text alone, so the
// window only shows the answer and moves the focus.
#pragma once

#include <QString>
#include <QStringList>

namespace orvel {

// The answer of a field check: accepted, or refused with its message; a refused field is
// either emptied or keeps its text for correction.
struct FieldCheck {
    bool accepted = true;
    QString message;
    bool emptied = false;

    static FieldCheck pass() { return {}; }
    static FieldCheck refuse(QString message, bool emptied)
    {
        return {false, std::move(message), emptied};
    }
};

// 0 when text has the dd/mm/yy form (digits and "/" in their places), 1 otherwise.
int controleDate(const QString &text);
// 0 when text has the hh:mm form, 1 otherwise.
int controleHeure(const QString &text);

// The number formed by the digits at the start of text; 0 when it does not start with one.
int leadingNumber(const QString &text);

FieldCheck checkCall(const QString &text);
FieldCheck checkDepartment(const QString &text);
FieldCheck checkFirstName(const QString &text);
FieldCheck checkReportReceived(const QString &text, const QString &mode);
FieldCheck checkReportSent(const QString &text, const QString &mode);
FieldCheck checkRemarks(const QString &text);
FieldCheck checkBand(const QString &text);
FieldCheck checkMode(const QString &text);
FieldCheck checkOperator(const QString &text);
// The date and the time left with Enter.
FieldCheck checkDateOnEnter(const QString &text);
FieldCheck checkTimeOnEnter(const QString &text);
// The date and the time from which a store key is pressed.
FieldCheck checkDateOnStoreKey(const QString &text);
FieldCheck checkTimeOnStoreKey(const QString &text);

// The widths of the record's columns, held for a field changed after it was passed: the
// field's own message, and its text kept.
FieldCheck checkDepartmentWidth(const QString &text);
FieldCheck checkReportReceivedWidth(const QString &text, const QString &mode);
FieldCheck checkReportSentWidth(const QString &text, const QString &mode);

// French stations: a first letter "F", or one of the French prefixes (TK, TM, HW...).
bool isFrenchCall(const QString &call);

// "599" in CW, "59" in every other mode.
QString defaultReport(const QString &mode);

// The activator call sign up to its first "/".
QString defaultOperator(const QString &activatorCall);

// The activation's title line: activator, and the logger (the activator when none).
QString activationTitle(const QString &activator, const QString &logger);
// The open references, each followed by one blank.
QString openReferencesText(const QStringList &references);
// The entry window's caption, with the program's revision.
QString entryCaption(const QString &revision);
// The column header over the QSO list as the program always named it: what a screen reader
// reads for the heading.
QString listHeader();
// The heading shown over the list: each title over its column, the operator's included.
QString listHeading();

// The modes and bands offered in the entry window's lists, in order.
QStringList entryModes();
QStringList entryBands();

// A report field after the radio changed the mode from oldMode to newMode: the default report
// of the new mode when the field holds the old mode's default, or when no QSO is being typed;
// otherwise the report the operator typed stays.
QString reportAfterRadioMode(const QString &report, const QString &oldMode, const QString &newMode,
                             bool qsoUnderWay);

} // namespace orvel
