#include "EntryDigital.h"

#include "WsjtxDialog.h"
#include "logging/EntryForm.h"
#include "logging/EntryRadio.h"
#include "logging/QsoEntry.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"
#include "widgets/FormWidgets.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace orvel {

namespace {
const QColor kWarning(0xE0, 0x70, 0x00); // orange
const QColor kFailure(0xC0, 0x00, 0x00);
} // namespace

EntryDigital::EntryDigital(QMainWindow &window, const EntryForm &form, QsoEntry &entry,
                           EntryRadio &radio, Services &services, Session &session,
                           const FirstNames &names)
    : QObject(&window)
    , m_window(window)
    , m_form(form)
    , m_entry(entry)
    , m_radio(radio)
    , m_services(services)
    , m_reception(session, names)
{
    m_reception.setOperator([this] {
        const QString typed = m_entry.text(EntryField::Operator).trimmed();
        return typed.isEmpty() ? m_entry.state().defaultOperator : typed;
    });
    m_reception.setMemoryFailure([this](const QString &message) { showStatus(message, kFailure); });
    connect(&m_reception, &DigitalReception::taken, this, &EntryDigital::onTaken);
    connect(&m_reception, &DigitalReception::refused, this,
            [this](const QString &message) { showStatus(message, kWarning); });
    connect(&m_reception, &DigitalReception::alreadyWorked, this, [this](const QString &message) {
        showStatus(statusText() + QStringLiteral(" — ") + message, kWarning);
    });
    connect(&m_reception, &DigitalReception::statusHeard, this, &EntryDigital::onStatus);
    connect(&m_reception, &DigitalReception::heartbeatHeard, this, [this] {
        if (m_dialog)
            m_dialog->showHeard(m_reception.lastHeard());
    });
    if (auto *setup = window.menuBar()->findChild<QMenu *>(QStringLiteral("Mnu_Setup"))) {
        QAction *item = setup->addAction(QStringLiteral("&WSJT-X / JTDX…"));
        item->setObjectName(QStringLiteral("Mnu_Wsjtx"));
        connect(item, &QAction::triggered, this, &EntryDigital::openSettings);
    }
}

EntryDigital::~EntryDigital()
{
    // The entry may be gone already: nothing is shown from here on.
    m_reception.disconnect(this);
    m_reception.stop();
}

void EntryDigital::startFromSettings()
{
    apply(loadDigitalSettings(m_services.settings));
}

QString EntryDigital::apply(const DigitalSettings &values)
{
    m_values = values;
    m_follower.forget();
    m_problem.clear();
    m_reception.stop();
    if (!values.enabled)
        return {};
    m_problem = m_reception.start(values.port, values.address);
    if (!m_problem.isEmpty())
        showStatus(m_problem, kFailure);
    else
        showStatus(listeningText(), m_window.palette().color(QPalette::WindowText));
    return m_problem;
}

void EntryDigital::stop()
{
    m_reception.stop();
    // What was heard before the window closed is written all the same.
    m_reception.finishPending();
}

void EntryDigital::openSettings()
{
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    m_dialog = new WsjtxDialog(m_services.settings, m_services.dialogs, &m_window);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog->showHeard(m_reception.lastHeard());
    m_dialog->showListening(!m_problem.isEmpty() ? m_problem
                            : m_values.enabled   ? listeningText()
                                                 : QString());
    connect(m_dialog, &WsjtxDialog::chosen, this, [this](const DigitalSettings &values) {
        // Chosen now: a port that cannot be opened is said at once.
        if (const QString problem = apply(values); !problem.isEmpty())
            m_services.dialogs.message(problem);
    });
    m_dialog->show();
}

QString EntryDigital::statusText() const
{
    return m_status ? m_status->text() : QString();
}

void EntryDigital::onTaken(const DigitalTaken &taken)
{
    showStatus(taken.statusText(), m_window.palette().color(QPalette::WindowText));
    // Num_Q, the operators and the tally follow the log, as after an import.
    m_entry.followLog();
}

void EntryDigital::onStatus(const WsjtxStatus &status)
{
    if (!m_values.followStatus || m_radio.followsRadio())
        return;
    const bool held =
        m_entry.holdsBandAndMode() || m_form.Bande_Q->hasFocus() || m_form.Mode_Q->hasFocus();
    const StatusStep step = m_follower.follow(status, m_form.Bande_Q->currentText(),
                                              m_form.Mode_Q->currentText(), held);
    m_radio.chooseFromOther(step.band, step.mode);
}

void EntryDigital::showStatus(const QString &text, const QColor &colour)
{
    if (!m_status) {
        m_status = namedLabel(m_window.statusBar(), QStringLiteral("Wsjtx_Etat"));
        m_window.statusBar()->addPermanentWidget(m_status, 1);
    }
    m_window.statusBar()->show();
    m_status->setText(text);
    paintText(m_status, colour);
}

QString EntryDigital::listeningText() const
{
    return QStringLiteral("WSJT-X / JTDX : écoute sur %1, port %2")
        .arg(m_values.address)
        .arg(m_values.port);
}

} // namespace orvel
