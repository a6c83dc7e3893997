#include "QsoEntry.h"

#include "common/DateTimeText.h"
#include "common/Windows1252.h"
#include "platform/Dialogs.h"
#include "records/Session.h"

namespace orvel {

QList<EntryField> storeKeyFields()
{
    return {EntryField::Department, EntryField::FirstName, EntryField::ReportReceived,
            EntryField::ReportSent, EntryField::Remarks,   EntryField::Date,
            EntryField::Time};
}

QsoEntry::QsoEntry(Session &session, Dialogs &dialogs, Settings &settings, QObject *parent)
    : QObject(parent)
    , m_session(session)
    , m_dialogs(dialogs)
    , m_settings(settings)
    , m_retypeMode(m_settings.retypeMode())
    , m_corrections(session)
{
    m_state.defaultOperator = defaultOperator(session.activation().activator);
    // As the window opens: the call sign expects input, the fields after it wait.
    m_looks[index(EntryField::Operator)] = {true, false};
    m_looks[index(EntryField::Call)] = {true, true};
    m_looks[index(EntryField::Date)] = {true, false};
    m_looks[index(EntryField::Time)] = {true, false};
    m_looks[index(EntryField::Mode)] = {true, false};
    m_looks[index(EntryField::Band)] = {true, false};
    m_texts[index(EntryField::ReportReceived)] = QStringLiteral("59");
    m_texts[index(EntryField::ReportSent)] = QStringLiteral("59");
}

QsoRecord QsoEntry::record() const
{
    QsoRecord record;
    record.date = text(EntryField::Date);
    record.time = text(EntryField::Time);
    record.call = text(EntryField::Call);
    record.department = text(EntryField::Department);
    record.firstName = text(EntryField::FirstName);
    record.rstReceived = text(EntryField::ReportReceived);
    record.rstSent = text(EntryField::ReportSent);
    record.mode = text(EntryField::Mode);
    record.band = text(EntryField::Band);
    record.remarks = text(EntryField::Remarks);
    record.operatorCall = text(EntryField::Operator);
    return record;
}

EntryMode QsoEntry::mode() const
{
    // A correction wins over the insert mode: the store replaces.
    if (m_state.editing)
        return EntryMode::Editing;
    if (m_state.inserting)
        return EntryMode::Inserting;
    return m_deferred ? EntryMode::Deferred : EntryMode::Live;
}

void QsoEntry::setTallyRefresh(TallyRefresh refresh)
{
    m_tallyRefresh = std::move(refresh);
    refreshTally();
}

// --- Texts and looks --------------------------------------------------------------------------

void QsoEntry::typed(EntryField field, const QString &text)
{
    m_texts[index(field)] = text;
}

void QsoEntry::setText(EntryField field, const QString &text)
{
    if (m_texts[index(field)] == text)
        return;
    m_texts[index(field)] = text;
    emit textChanged(field);
}

void QsoEntry::focus(EntryField field)
{
    m_current = field;
    emit focusRequested(field);
}

void QsoEntry::setLook(EntryField field, FieldLook look)
{
    if (m_looks[index(field)] == look)
        return;
    m_looks[index(field)] = look;
    emit lookChanged(field);
}

void QsoEntry::setCurrent(EntryField field, bool current)
{
    setLook(field, {look(field).enabled, current});
}

void QsoEntry::enable(EntryField field)
{
    setLook(field, {true, look(field).current});
}

void QsoEntry::moveTo(EntryField from, EntryField to)
{
    setCurrent(from, false);
    setLook(to, {true, true});
    focus(to);
}

void QsoEntry::setNumber(const QString &number)
{
    if (m_number == number)
        return;
    m_number = number;
    emit numberChanged();
}

void QsoEntry::setInserting(bool on)
{
    if (m_state.inserting == on)
        return;
    m_state.inserting = on;
    emit modeChanged();
}

// --- Keys -------------------------------------------------------------------------------------

void QsoEntry::characterKey(EntryField field)
{
    const QString separator = field == EntryField::Date   ? dateSeparatorDue(text(field))
                              : field == EntryField::Time ? timeSeparatorDue(text(field))
                                                          : QString();
    if (!separator.isEmpty())
        setText(field, text(field) + separator);
    applyRetype(field, EntryKey::Character);
}

void QsoEntry::enter(EntryField field)
{
    switch (field) {
    case EntryField::Call:
        callSignStep();
        return;
    case EntryField::Band:
        bandStep();
        return;
    case EntryField::Mode:
        modeStep();
        return;
    case EntryField::Store:
        if (look(EntryField::Store).enabled)
            storeWithValide();
        return;
    case EntryField::Operator:
        return;
    default:
        break;
    }
    const FieldCheck check = checkOnEnter(field);
    if (!check.accepted) {
        refuse(field, check);
        return;
    }
    applyRetype(field, EntryKey::Enter);
    EntryField next = EntryField::Store;
    switch (field) {
    case EntryField::Department:
        next = EntryField::FirstName;
        break;
    case EntryField::FirstName:
        next = EntryField::ReportReceived;
        break;
    case EntryField::ReportReceived:
        next = EntryField::ReportSent;
        break;
    case EntryField::ReportSent:
        next = EntryField::Remarks;
        break;
    case EntryField::Remarks:
        next = typedMoment() ? EntryField::Date : EntryField::Store;
        break;
    case EntryField::Date:
        next = EntryField::Time;
        break;
    default:
        break;
    }
    moveTo(field, next);
    m_state.retypeDone = false;
}

void QsoEntry::storeKey(EntryField field)
{
    const FieldCheck check = checkOnStoreKey(field);
    if (!check.accepted) {
        refuse(field, check);
        return;
    }
    if (quickStore(field))
        applyRetype(field, EntryKey::StoreKey);
}

void QsoEntry::callSignStep()
{
    const QString call = text(EntryField::Call);
    const FieldCheck check = checkCall(call);
    if (!check.accepted) {
        refuse(EntryField::Call, check);
        return;
    }
    if (!m_state.editing && m_alreadyWorked &&
        m_alreadyWorked(call, text(EntryField::Band), text(EntryField::Mode))) {
        setText(EntryField::Call, QString());
        setText(EntryField::Department, QString());
        setText(EntryField::FirstName, QString());
        focus(EntryField::Call);
        return;
    }
    if (m_lookup) {
        if (const auto known = m_lookup(call)) {
            enable(EntryField::Department);
            setText(EntryField::Department, known->department.trimmed());
            enable(EntryField::FirstName);
            setText(EntryField::FirstName, known->firstName);
        }
    }
    enable(EntryField::Store);
    moveTo(EntryField::Call, isFrenchCall(call) ? EntryField::Department : EntryField::FirstName);
    m_state.retypeDone = false;
}

void QsoEntry::bandStep()
{
    const QString band = text(EntryField::Band);
    const FieldCheck check = checkBand(band);
    if (!check.accepted) {
        m_dialogs.message(check.message);
        focus(EntryField::Band);
        return;
    }
    m_settings.setBandIndex(entryBands().indexOf(band));
    refreshTally();
    m_state.retypeDone = false;
    setCurrent(EntryField::Call, false);
    moveTo(EntryField::Band, EntryField::Mode);
}

void QsoEntry::modeStep()
{
    const QString mode = text(EntryField::Mode);
    const FieldCheck check = checkMode(mode);
    if (!check.accepted) {
        m_dialogs.message(check.message);
        focus(EntryField::Mode);
        return;
    }
    applyDefaultReports();
    m_settings.setModeIndex(entryModes().indexOf(mode));
    refreshTally();
    m_state.retypeDone = false;
    moveTo(EntryField::Mode, EntryField::Call);
}

void QsoEntry::modeChosen(int index)
{
    applyDefaultReports();
    m_settings.setModeIndex(index);
}

void QsoEntry::applyRetype(EntryField field, EntryKey key)
{
    const RetypeEffect effect =
        retypeEffect(field, key, m_retypeMode, m_state.editing, m_state.retypeDone);
    if (effect == RetypeEffect::None)
        return;
    if (effect == RetypeEffect::EmptyField)
        setText(field, QString());
    m_state.retypeDone = true;
}

FieldCheck QsoEntry::checkOnEnter(EntryField field) const
{
    const QString value = text(field);
    switch (field) {
    case EntryField::Call:
        return checkCall(value);
    case EntryField::Department:
        return checkDepartment(value);
    case EntryField::FirstName:
        return checkFirstName(value);
    case EntryField::ReportReceived:
        return checkReportReceived(value, text(EntryField::Mode));
    case EntryField::ReportSent:
        return checkReportSent(value, text(EntryField::Mode));
    case EntryField::Remarks:
        return checkRemarks(value);
    case EntryField::Date:
        return checkDateOnEnter(value);
    case EntryField::Time:
        return checkTimeOnEnter(value);
    default:
        return FieldCheck::pass();
    }
}

FieldCheck QsoEntry::checkOnStoreKey(EntryField field) const
{
    switch (field) {
    case EntryField::Date:
        return checkDateOnStoreKey(text(field));
    case EntryField::Time:
        return checkTimeOnStoreKey(text(field));
    default:
        return checkOnEnter(field);
    }
}

void QsoEntry::refuse(EntryField field, const FieldCheck &check)
{
    m_dialogs.message(check.message);
    if (check.emptied)
        setText(field, QString());
    focus(field);
}

void QsoEntry::applyDefaultReports()
{
    const QString report = defaultReport(text(EntryField::Mode));
    setText(EntryField::ReportReceived, report);
    setText(EntryField::ReportSent, report);
}

void QsoEntry::resetToCallSign()
{
    for (EntryField field :
         {EntryField::Department, EntryField::FirstName, EntryField::ReportReceived,
          EntryField::ReportSent, EntryField::Remarks, EntryField::Store})
        setLook(field, {false, false});
    setCurrent(EntryField::Date, false);
    setCurrent(EntryField::Time, false);
    setLook(EntryField::Call, {true, true});
    focus(EntryField::Call);
}

// --- Storing ----------------------------------------------------------------------------------

bool QsoEntry::storeWithValide()
{
    if (!runStore())
        return false;
    for (EntryField field : {EntryField::Call, EntryField::Department, EntryField::FirstName,
                             EntryField::Remarks, EntryField::Time})
        setText(field, QString());
    applyDefaultReports();
    resetToCallSign();
    m_state.retypeDone = false;
    return true;
}

bool QsoEntry::quickStore(EntryField field)
{
    if (!runStore())
        return false;
    for (EntryField cleared :
         {EntryField::Call, EntryField::Department, EntryField::FirstName, EntryField::Time})
        setText(cleared, QString());
    if (field == EntryField::Date)
        setText(EntryField::Remarks, QString());
    resetToCallSign();
    m_state.retypeDone = false;
    return true;
}

bool QsoEntry::fieldsFitTheRecord()
{
    const QString mode = text(EntryField::Mode);
    QList<std::pair<EntryField, FieldCheck>> checks = {
        {EntryField::Call, checkCall(text(EntryField::Call))},
        {EntryField::Department, checkDepartmentWidth(text(EntryField::Department))},
        {EntryField::FirstName, checkFirstName(text(EntryField::FirstName))},
        {EntryField::ReportReceived,
         checkReportReceivedWidth(text(EntryField::ReportReceived), mode)},
        {EntryField::ReportSent, checkReportSentWidth(text(EntryField::ReportSent), mode)},
        {EntryField::Remarks, checkRemarks(text(EntryField::Remarks))},
        {EntryField::Mode, checkMode(mode)},
        {EntryField::Band, checkBand(text(EntryField::Band))},
        {EntryField::Operator, checkOperator(text(EntryField::Operator))},
    };
    // Typed date and time must be whole: every log line starts with them.
    if (typedMoment()) {
        checks.append({EntryField::Date, checkDateOnEnter(text(EntryField::Date))});
        checks.append({EntryField::Time, checkTimeOnEnter(text(EntryField::Time))});
    }
    for (const auto &[field, check] : checks) {
        if (check.accepted)
            continue;
        m_dialogs.message(check.message);
        enable(field);
        focus(field);
        return false;
    }
    return true;
}

bool QsoEntry::runStore()
{
    if (!fieldsFitTheRecord())
        return false;
    setText(EntryField::Remarks, capitals(text(EntryField::Remarks)));
    const EntryMoment moment = m_clock ? m_clock() : EntryMoment{};
    const EntryStoreRequest request{record(),      m_state.editing,    m_state.inserting,
                                    m_deferred,    m_state.editedLine, moment.date,
                                    moment.caption};
    const EntryStoreResult result = storeEntry(m_session, m_store, request, m_dialogs);
    const int next = m_session.currentLog().nextNumber();
    emit lastLineDue();
    refreshOperatorCount();
    if (!result.stored)
        return false;
    if (result.action == StoreAction::Insert) {
        setText(EntryField::Date, QString());
        setText(EntryField::Time, QString());
    }
    endEdit();
    setInserting(false);
    setNumber(QString::number(next));
    // An inserted QSO refreshes as the other changes of the log do; a stored or corrected one
    // also shows its band and mode on the map.
    refreshTally(result.action != StoreAction::Insert);
    return true;
}

// --- Modes ------------------------------------------------------------------------------------

void QsoEntry::beginEdit(const QString &number, const QsoRecord &entry, const QString &storedLine)
{
    if (!m_state.editing) {
        m_modeBeforeEdit = text(EntryField::Mode);
        m_bandBeforeEdit = text(EntryField::Band);
    }
    m_state.editing = true;
    m_state.editedLine = storedLine;
    setNumber(number);
    setText(EntryField::Call, entry.call.trimmed());
    enable(EntryField::Department);
    setText(EntryField::Department, entry.department.trimmed());
    setCurrent(EntryField::Call, false);
    for (EntryField field : {EntryField::FirstName, EntryField::ReportReceived,
                             EntryField::ReportSent, EntryField::Remarks})
        enable(field);
    setText(EntryField::FirstName, entry.firstName.trimmed());
    setText(EntryField::ReportReceived, entry.rstReceived.trimmed());
    setText(EntryField::ReportSent, entry.rstSent.trimmed());
    setText(EntryField::Remarks, entry.remarks.trimmed());
    setText(EntryField::Mode, entry.mode.trimmed());
    setText(EntryField::Band, entry.band.trimmed());
    emit modeChanged();
    setText(EntryField::Date, entry.date.trimmed());
    setText(EntryField::Time, entry.time.trimmed());
    m_state.retypeDone = false;
    setCurrent(EntryField::Call, true);
    focus(EntryField::Call);
}

void QsoEntry::beginInsert()
{
    setInserting(true);
    focus(EntryField::Call);
}

void QsoEntry::endEdit()
{
    if (!m_state.editing)
        return;
    m_state.editing = false;
    // The next QSO is made on the band and mode the operator works on, not on those of the
    // QSO just corrected, and with that mode's reports, as when the mode is chosen.
    const bool otherMode = text(EntryField::Mode) != m_modeBeforeEdit;
    setText(EntryField::Mode, m_modeBeforeEdit);
    setText(EntryField::Band, m_bandBeforeEdit);
    if (otherMode)
        applyDefaultReports();
    emit modeChanged();
}

void QsoEntry::cancel()
{
    endEdit();
    setInserting(false);
    setText(EntryField::Department, QString());
    setText(EntryField::FirstName, QString());
    applyDefaultReports();
    setText(EntryField::Call, QString());
    resetToCallSign();
}

void QsoEntry::setDeferred(bool on)
{
    m_deferred = on;
    if (!on) {
        setText(EntryField::Date, QString());
        setText(EntryField::Time, QString());
    }
    emit modeChanged();
}

void QsoEntry::setRetypeMode(bool on)
{
    m_retypeMode = on;
    m_settings.setRetypeMode(on);
    emit retypeModeChanged();
}

// --- Corrections ------------------------------------------------------------------------------

void QsoEntry::editChosen()
{
    const auto fields = LogCorrections::chooseForEdit(m_dialogs, m_state.chosenEntry);
    if (!fields)
        return;
    beginEdit(fields->number, fields->entry, lineOfListEntry(m_state.chosenEntry));
}

void QsoEntry::deleteChosen()
{
    const CorrectionResult result = m_corrections.deleteChosen(m_dialogs, m_state.chosenEntry);
    if (result != CorrectionResult::NothingChosen) {
        // Whatever the answer, the entry in progress is dropped and the list shown afresh.
        cancel();
        showChangedLog();
        focus(EntryField::Call);
    }
    m_state.deletedLine = m_corrections.deletedLine();
    emit recoveryChanged(m_corrections.recoveryAvailable());
}

void QsoEntry::recoverDeleted()
{
    if (m_corrections.recoverDeleted(m_dialogs) == CorrectionResult::Done)
        showChangedLog();
    m_state.deletedLine = m_corrections.deletedLine();
    emit recoveryChanged(m_corrections.recoveryAvailable());
    // The button just clicked is disabled now; an idle entry goes back to the call sign.
    if (!look(EntryField::Store).enabled)
        focus(EntryField::Call);
}

void QsoEntry::showChangedLog()
{
    setNumber(QString::number(m_session.currentLog().nextNumber()));
    refreshTally();
    emit lastLineDue();
    refreshOperatorCount();
}

// --- The log ----------------------------------------------------------------------------------

void QsoEntry::choose(const QString &listEntry)
{
    m_state.chosenEntry = listEntry;
    m_state.chosenLogLine = lineOfListEntry(listEntry);
}

void QsoEntry::forgetChosenLine()
{
    m_state.chosenEntry.clear();
    m_state.chosenLogLine.clear();
}

void QsoEntry::followLog()
{
    // The QSO being typed stays as it is; a corrected one keeps its number.
    if (!m_state.editing)
        setNumber(QString::number(m_session.currentLog().nextNumber()));
    emit lastLineDue();
    refreshOperatorCount();
    refreshTally();
}

void QsoEntry::refreshOperatorCount()
{
    m_state.operatorCount = m_session.currentLog().operatorCount();
    emit operatorCountChanged();
}

void QsoEntry::refreshTally(bool afterStore)
{
    if (m_tallyRefresh)
        m_tallyRefresh(text(EntryField::Band), text(EntryField::Mode), afterStore);
}

} // namespace orvel
