#include "EntryKeyFlow.h"

#include "common/DateTimeText.h"
#include "common/Windows1252.h"

#include "DepartmentGrid.h"
#include "records/EntrySettings.h"
#include "platform/Dialogs.h"
#include "widgets/Palette.h"
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

EntryKeyFlow::EntryKeyFlow(const EntryForm &form, EntryState &state, Dialogs &dialogs,
                           EntrySettings &settings, Host &host, QObject *parent)
    : QObject(parent)
    , m_form(form)
    , m_state(state)
    , m_dialogs(dialogs)
    , m_settings(settings)
    , m_host(host)
{
    m_form.Indi_Q->installEventFilter(this);
    for (QLineEdit *field : m_form.storeKeyFields())
        field->installEventFilter(this);
    m_form.Mode_Q->installEventFilter(this);
    m_form.Bande_Q->installEventFilter(this);
    m_form.Valide_Q->installEventFilter(this);
    connect(m_form.Mode_Q, &QComboBox::activated, this, &EntryKeyFlow::onModeChosen);
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
    if (watched == m_form.Indi_Q)
        return onCallKey(key);
    if (watched == m_form.Bande_Q && isEnterKey(key)) {
        bandStep();
        return true;
    }
    if (watched == m_form.Mode_Q && isEnterKey(key)) {
        modeStep();
        return true;
    }
    if (watched == m_form.Valide_Q && isEnterKey(key)) {
        if (m_form.Valide_Q->isEnabled())
            m_host.storeWithValide();
        return true;
    }
    if (auto *field = qobject_cast<QLineEdit *>(watched); field && field != m_form.Indi_Q)
        return onFieldKey(field, key);
    return false;
}

bool EntryKeyFlow::onCallKey(QKeyEvent *event)
{
    if (isEnterKey(event)) {
        callSignStep();
        return true;
    }
    if (!isCharacterKey(event))
        return false;
    applyRetype(m_form.Indi_Q, EntryKey::Character);
    const QString text = event->text();
    if (text.size() == 1 && text.at(0) >= QLatin1Char('a') && text.at(0) <= QLatin1Char('z') &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        m_form.Indi_Q->insert(capitals(text));
        return true;
    }
    return false;
}

void EntryKeyFlow::callSignStep()
{
    QLineEdit *call = m_form.Indi_Q;
    const FieldCheck check = checkCall(call->text());
    if (!check.accepted) {
        refuse(call, check);
        return;
    }
    if (!m_state.editing && m_alreadyWorked &&
        m_alreadyWorked(call->text(), m_form.Bande_Q->currentText(),
                        m_form.Mode_Q->currentText())) {
        call->clear();
        m_form.Dpt_Q->clear();
        m_form.Prenom_Q->clear();
        call->setFocus();
        return;
    }
    if (m_lookup) {
        if (const auto known = m_lookup(call->text())) {
            m_form.Dpt_Q->setEnabled(true);
            m_form.Dpt_Q->setText(known->department.trimmed());
            m_form.Prenom_Q->setEnabled(true);
            m_form.Prenom_Q->setText(known->firstName);
        }
    }
    m_form.Valide_Q->setEnabled(true);
    moveTo(call, isFrenchCall(call->text()) ? m_form.Dpt_Q : m_form.Prenom_Q);
    m_state.retypeDone = false;
}

void EntryKeyFlow::bandStep()
{
    const QString band = m_form.Bande_Q->currentText();
    const FieldCheck check = checkBand(band);
    if (!check.accepted) {
        m_dialogs.message(check.message);
        m_form.Bande_Q->setFocus();
        return;
    }
    m_settings.setBandIndex(
        m_form.Bande_Q->findText(band, Qt::MatchExactly | Qt::MatchCaseSensitive));
    m_host.refreshTally();
    m_state.retypeDone = false;
    paintBackground(m_form.Indi_Q, kLightYellow);
    moveTo(m_form.Bande_Q, m_form.Mode_Q);
}

void EntryKeyFlow::modeStep()
{
    const QString mode = m_form.Mode_Q->currentText();
    const FieldCheck check = checkMode(mode);
    if (!check.accepted) {
        m_dialogs.message(check.message);
        m_form.Mode_Q->setFocus();
        return;
    }
    applyDefaultReports();
    m_settings.setModeIndex(
        m_form.Mode_Q->findText(mode, Qt::MatchExactly | Qt::MatchCaseSensitive));
    m_host.refreshTally();
    m_state.retypeDone = false;
    moveTo(m_form.Mode_Q, m_form.Indi_Q);
}

void EntryKeyFlow::onModeChosen(int index)
{
    applyDefaultReports();
    m_settings.setModeIndex(index);
}

void EntryKeyFlow::applyDefaultReports()
{
    const QString report = defaultReport(m_form.Mode_Q->currentText());
    m_form.QRKR_Q->setText(report);
    m_form.QRKE_Q->setText(report);
}

void EntryKeyFlow::resetToCallSign()
{
    for (QLineEdit *field :
         {m_form.Dpt_Q, m_form.Prenom_Q, m_form.QRKR_Q, m_form.QRKE_Q, m_form.Observation_Q}) {
        paintBackground(field, kLightYellow);
        field->setEnabled(false);
    }
    paintBackground(m_form.Date_Q, kLightYellow);
    paintBackground(m_form.Heure_Q, kLightYellow);
    m_form.Valide_Q->setEnabled(false);
    paintButtonFace(m_form.Valide_Q);
    m_form.Indi_Q->setEnabled(true);
    paintBackground(m_form.Indi_Q, kLightGreen);
    m_form.Indi_Q->setFocus();
}

bool EntryKeyFlow::onFieldKey(QLineEdit *field, QKeyEvent *event)
{
    if (isEnterKey(event))
        return fieldEnter(field);
    if (isStoreKey(event))
        return fieldStoreKey(field);
    if (!isCharacterKey(event))
        return false;
    const EntryField kind = fieldKind(field);
    const QString separator = kind == EntryField::Date   ? dateSeparatorDue(field->text())
                              : kind == EntryField::Time ? timeSeparatorDue(field->text())
                                                         : QString();
    if (!separator.isEmpty()) {
        field->setText(field->text() + separator);
        field->end(false);
    }
    applyRetype(field, EntryKey::Character);
    return false; // the key itself takes effect
}

bool EntryKeyFlow::fieldEnter(QLineEdit *field)
{
    const FieldCheck check = checkOnEnter(field);
    if (!check.accepted) {
        refuse(field, check);
        return true;
    }
    applyRetype(field, EntryKey::Enter);
    QWidget *next = nullptr;
    if (field == m_form.Dpt_Q)
        next = m_form.Prenom_Q;
    else if (field == m_form.Prenom_Q)
        next = m_form.QRKR_Q;
    else if (field == m_form.QRKR_Q)
        next = m_form.QRKE_Q;
    else if (field == m_form.QRKE_Q)
        next = m_form.Observation_Q;
    else if (field == m_form.Observation_Q)
        next = m_host.deferredEntry() || m_state.inserting || m_state.editing
                   ? static_cast<QWidget *>(m_form.Date_Q)
                   : static_cast<QWidget *>(m_form.Valide_Q);
    else if (field == m_form.Date_Q)
        next = m_form.Heure_Q;
    else
        next = m_form.Valide_Q;
    moveTo(field, next);
    m_state.retypeDone = false;
    return true;
}

bool EntryKeyFlow::fieldStoreKey(QLineEdit *field)
{
    const FieldCheck check = checkOnStoreKey(field);
    if (!check.accepted) {
        refuse(field, check);
        return true;
    }
    if (m_host.quickStore(field))
        applyRetype(field, EntryKey::StoreKey);
    return true;
}

void EntryKeyFlow::applyRetype(QLineEdit *field, EntryKey key)
{
    const RetypeEffect effect = retypeEffect(fieldKind(field), key, m_host.retypeMode(),
                                             m_state.editing, m_state.retypeDone);
    if (effect == RetypeEffect::None)
        return;
    if (effect == RetypeEffect::EmptyField)
        field->clear();
    m_state.retypeDone = true;
}

FieldCheck EntryKeyFlow::checkOnEnter(QLineEdit *field) const
{
    switch (fieldKind(field)) {
    case EntryField::Department:
        return checkDepartment(field->text());
    case EntryField::FirstName:
        return checkFirstName(field->text());
    case EntryField::ReportReceived:
        return checkReportReceived(field->text(), m_form.Mode_Q->currentText());
    case EntryField::ReportSent:
        return checkReportSent(field->text(), m_form.Mode_Q->currentText());
    case EntryField::Remarks:
        return checkRemarks(field->text());
    case EntryField::Date:
        return checkDateOnEnter(field->text());
    case EntryField::Time:
        return checkTimeOnEnter(field->text());
    case EntryField::Call:
        return checkCall(field->text());
    case EntryField::Other:
        break;
    }
    return FieldCheck::pass();
}

FieldCheck EntryKeyFlow::checkOnStoreKey(QLineEdit *field) const
{
    switch (fieldKind(field)) {
    case EntryField::Date:
        return checkDateOnStoreKey(field->text());
    case EntryField::Time:
        return checkTimeOnStoreKey(field->text());
    default:
        return checkOnEnter(field);
    }
}

EntryField EntryKeyFlow::fieldKind(const QObject *field) const
{
    if (field == m_form.Indi_Q)
        return EntryField::Call;
    if (field == m_form.Dpt_Q)
        return EntryField::Department;
    if (field == m_form.Prenom_Q)
        return EntryField::FirstName;
    if (field == m_form.QRKR_Q)
        return EntryField::ReportReceived;
    if (field == m_form.QRKE_Q)
        return EntryField::ReportSent;
    if (field == m_form.Observation_Q)
        return EntryField::Remarks;
    if (field == m_form.Date_Q)
        return EntryField::Date;
    if (field == m_form.Heure_Q)
        return EntryField::Time;
    return EntryField::Other;
}

void EntryKeyFlow::refuse(QLineEdit *field, const FieldCheck &check)
{
    m_dialogs.message(check.message);
    if (check.emptied)
        field->clear();
    field->setFocus();
}

void EntryKeyFlow::moveTo(QWidget *from, QWidget *to)
{
    if (qobject_cast<QPushButton *>(from))
        paintButtonFace(from);
    else
        paintBackground(from, kLightYellow);
    to->setEnabled(true);
    paintBackground(to, kLightGreen);
    to->setFocus();
}

} // namespace orvel
