#include "EntryRadio.h"

#include "EntryRules.h"
#include "QsoEntry.h"
#include "RadioDialog.h"
#include "platform/Services.h"
#include "radio/RadioTables.h"
#include "records/EntrySettings.h"
#include "widgets/FormWidgets.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <algorithm>

namespace orvel {

namespace {

const QColor kOutOfBand(0xE0, 0x70, 0x00); // orange
const QColor kSilent(0xC0, 0x00, 0x00);

// Chooses text in a list as the operator does, typing it when the list does not hold it; the
// list index, -1 for a typed text.
int choose(QComboBox *list, const QString &text)
{
    const int index = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    list->setCurrentIndex(index);
    if (index < 0)
        list->setEditText(text);
    return index;
}

} // namespace

EntryRadio::EntryRadio(QMainWindow &window, const EntryForm &form, QsoEntry &entry,
                       Services &services)
    : QObject(&window)
    , m_window(window)
    , m_form(form)
    , m_entry(entry)
    , m_services(services)
{
    connect(&m_link, &RadioLink::reading, this, &EntryRadio::onReading);
    connect(&m_link, &RadioLink::silent, this, &EntryRadio::onSilent);
    // Queued: a store ends a correction before it empties the entry, and the reports of the
    // radio's mode are those of an entry no longer under way.
    connect(&m_entry, &QsoEntry::modeChanged, this, &EntryRadio::onEntryModeChanged,
            Qt::QueuedConnection);
    m_entryHeld = m_entry.holdsBandAndMode();
}

EntryRadio::~EntryRadio()
{
    stop();
}

void EntryRadio::startFromSettings()
{
    follow(loadRadioConfig(m_services.settings));
}

void EntryRadio::follow(const RadioConfig &config)
{
    m_link.stop();
    m_follower.forget();
    m_config = config;
    m_pausedForTest = false;
    if (config.kind == RadioLinkKind::None) {
        if (m_status)
            m_window.statusBar()->hide();
        return;
    }
    if (!m_status) {
        m_status = namedLabel(m_window.statusBar(), QStringLiteral("Radio_Etat"));
        m_window.statusBar()->addWidget(m_status, 1);
    }
    m_window.statusBar()->show();
    showStatus(QStringLiteral("Radio : connexion à %1…").arg(config.description()),
               m_window.palette().color(QPalette::WindowText));
    m_link.start(config);
}

void EntryRadio::stop()
{
    m_pausedForTest = false;
    m_link.stop();
}

void EntryRadio::openSettings()
{
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    m_dialog = new RadioDialog(m_services.settings, m_services.dialogs, &m_window);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_dialog, &RadioDialog::chosen, this, &EntryRadio::follow);
    connect(m_dialog, &RadioDialog::testStarted, this, &EntryRadio::onTestStarted);
    connect(m_dialog, &RadioDialog::testEnded, this, &EntryRadio::onTestEnded);
    // A dialog closed while its test runs hears no answer: the radio is taken up again.
    connect(m_dialog, &QObject::destroyed, this, &EntryRadio::onTestEnded);
    m_dialog->show();
}

void EntryRadio::onTestStarted(const RadioConfig &tried)
{
    // rigctld serves several programs at once; a serial port does not.
    const bool sharedPort = m_config.kind == RadioLinkKind::Direct &&
                            tried.kind == RadioLinkKind::Direct && m_link.isRunning();
    if (!sharedPort)
        return;
    m_link.stop();
    m_pausedForTest = true;
    showStatus(QStringLiteral("Radio : essai en cours dans la fenêtre Radio…"),
               m_window.palette().color(QPalette::WindowText));
}

void EntryRadio::onTestEnded()
{
    if (!m_pausedForTest)
        return;
    m_pausedForTest = false;
    m_link.start(m_config);
}

void EntryRadio::onReading(const RadioReading &reading)
{
    // The typed values stand while a QSO is corrected or inserted and in deferred entry; and
    // the radio does not write into a list the operator is choosing in.
    const RadioHold hold = m_entry.holdsBandAndMode() ? RadioHold::Typed
                           : m_form.Bande_Q->hasFocus() || m_form.Mode_Q->hasFocus()
                               ? RadioHold::Choosing
                               : RadioHold::None;
    const bool held = hold != RadioHold::None;
    const RadioStep step = m_follower.follow(reading, m_form.Bande_Q->currentText(),
                                             m_form.Mode_Q->currentText(), hold);
    apply(step);

    QString text = QStringLiteral("Radio : %1").arg(frequencyText(reading.frequency));
    if (step.outOfBand)
        text += QStringLiteral(" (hors des bandes)");
    if (!reading.mode.isEmpty())
        text += QStringLiteral("  %1").arg(reading.mode);
    if (held)
        text += QStringLiteral("  — bande et mode saisis à la main");
    showStatus(text, step.outOfBand ? kOutOfBand : m_window.palette().color(QPalette::WindowText));
}

void EntryRadio::onEntryModeChanged()
{
    const bool held = m_entry.holdsBandAndMode();
    const bool ended = m_entryHeld && !held;
    m_entryHeld = held;
    if (ended && m_link.isRunning())
        apply(m_follower.resume(m_form.Bande_Q->currentText(), m_form.Mode_Q->currentText()));
}

void EntryRadio::apply(const RadioStep &step)
{
    if (step.band)
        chooseBand(*step.band);
    if (step.mode)
        chooseMode(*step.mode);
    if (step.band || step.mode)
        m_entry.refreshTally();
}

void EntryRadio::onSilent(const QString &message)
{
    showStatus(message + QStringLiteral(" Nouvel essai dans %1 s.")
                             .arg(std::max(1, m_link.timing().retryMs / 1000)),
               kSilent);
}

void EntryRadio::chooseBand(const QString &band)
{
    m_entry.settings().setBandIndex(choose(m_form.Bande_Q, band));
}

void EntryRadio::chooseMode(const QString &mode)
{
    const QString before = m_form.Mode_Q->currentText();
    m_entry.settings().setModeIndex(choose(m_form.Mode_Q, mode));
    // A QSO under way keeps the reports its operator typed.
    const bool underWay = m_entry.look(EntryField::Store).enabled;
    for (QLineEdit *report : {m_form.QRKR_Q, m_form.QRKE_Q})
        report->setText(reportAfterRadioMode(report->text(), before, mode, underWay));
}

void EntryRadio::chooseFromOther(const std::optional<QString> &band,
                                 const std::optional<QString> &mode)
{
    if (band)
        chooseBand(*band);
    if (mode)
        chooseMode(*mode);
    if (band || mode)
        m_entry.refreshTally();
}

void EntryRadio::showStatus(const QString &text, const QColor &colour)
{
    if (!m_status)
        return;
    m_status->setText(text);
    paintText(m_status, colour);
}

} // namespace orvel
