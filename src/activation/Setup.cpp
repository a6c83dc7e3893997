#include "Setup.h"

#include "SetupFieldChain.h"
#include "SetupForm.h"
#include "activation/Diagnostics.h"
#include "common/FixedColumns.h"
#include "common/Program.h"
#include "records/Session.h"
#include "widgets/Palette.h"
#include "widgets/WindowBasics.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStringListModel>

namespace orvel {

namespace {

const QString kChosenFolderKey = QStringLiteral("Chemin Repertoire");
const QString kRevisionKey = QStringLiteral("Revision");

void setItems(QListWidget *list, const QStringList &items)
{
    list->clear();
    list->addItems(items);
}

} // namespace

Setup::Setup(Services &services, Session &session, QWidget *parent)
    : QMainWindow(parent)
    , m_services(services)
    , m_session(session)
    , m_form(std::make_unique<SetupForm>(this))
    , m_list(services.workingDirectory)
    , m_logs(services.workingDirectory)
    , m_chain(std::make_unique<SetupFieldChain>(*m_form, services.dialogs, m_list, m_state))
{
    setObjectName(QStringLiteral("Setup"));
    setWindowTitle(QStringLiteral(" Enregistrement des activations"));
    connectControls();
    startUp();
}

Setup::~Setup() = default;

void Setup::startUp()
{
    m_form->Type_Activite->addItems(
        {QStringLiteral("Activation"), QStringLiteral("Réactivation"), QStringLiteral("Résident")});
    m_form->Type_Activite->setCurrentIndex(0);
    resize(1020, 520);
    keepOnScreen(*this, m_services.settings);
    m_services.settings.setValue(kAppMulti, kSetupSection, kChosenFolderKey,
                                 QDir::toNativeSeparators(m_services.workingDirectory));
    m_history = orvel::revisionHistory();
    m_services.settings.setValue(kAppMulti, kSetupSection, kRevisionKey, revisionText());
    setWindowTitle(setupCaption());
    m_form->folderLabel->setText(QStringLiteral("Dossier des données : %1")
                                     .arg(QDir::toNativeSeparators(m_services.workingDirectory)));

    for (int i = 0; i < kSetupFieldCount; ++i) {
        const SetupField field = setupFieldAt(i);
        m_form->field(field)->setEnabled(field == SetupField::TypeActivite);
        m_state.setText(field, m_form->text(field));
    }
    paintBackground(m_form->Nb_Multi, kLightYellow);
    m_form->Nb_Multi->setEnabled(false);
    m_state.expect(SetupButton::Creer);
    for (QPushButton *button : {m_form->Ajout, m_form->Termine})
        button->setEnabled(false);
    render();
    listReferences();
    m_form->Creer->setFocus();
}

void Setup::connectControls()
{
    connect(m_form->Creer, &QPushButton::clicked, this, &Setup::onCreerClicked);
    connect(m_form->Ajout, &QPushButton::clicked, this, &Setup::onAjoutClicked);
    connect(m_form->Termine, &QPushButton::clicked, this, &Setup::onTermineClicked);
    connect(m_form->Saisie_des_QSO, &QPushButton::clicked, this, &Setup::onSaisieClicked);
    connect(m_form->RAZ, &QPushButton::clicked, this, &Setup::onRazClicked);
    connect(m_form->Liste_Activite, &QListView::clicked, this, &Setup::onListeActiviteClicked);
    m_form->Liste_Activite->installEventFilter(this);
    connect(m_chain.get(), &SetupFieldChain::dateAccepted, this, &Setup::onDateAccepted);
    // What is typed is the state's: the hand-over reads the state, never the controls. The
    // field's text is read when told, not the signal's: capitals replace what was typed while
    // the first change is still being announced.
    for (int i = 0; i < kSetupFieldCount; ++i) {
        const SetupField field = setupFieldAt(i);
        connect(m_form->lineEdit(field), &QLineEdit::textChanged, this,
                [this, field] { m_state.setText(field, m_form->text(field)); });
    }
}

// --- The current activation ------------------------------------------------------------------

Activation Setup::currentActivation() const
{
    return m_state.current();
}

QStringList Setup::openActivations() const
{
    return m_state.openReferences();
}

void Setup::render()
{
    setItems(m_form->Liste_Activite_Bis, m_state.workingList());
    setItems(m_form->Liste_Activite_Fin, m_state.openReferences());
    m_form->Nb_Multi->setText(QString::number(m_state.counter()));
    const std::pair<SetupButton, QPushButton *> buttons[] = {
        {SetupButton::Creer, m_form->Creer},
        {SetupButton::Ajout, m_form->Ajout},
        {SetupButton::Termine, m_form->Termine},
        {SetupButton::SaisieDesQso, m_form->Saisie_des_QSO}};
    for (const auto &[which, button] : buttons) {
        if (m_state.isExpected(which))
            paintBackground(button, kLightGreen);
        else
            paintButtonFace(button);
    }
}

void Setup::showTexts()
{
    for (int i = 0; i < kSetupFieldCount; ++i)
        m_form->setText(setupFieldAt(i), m_state.text(setupFieldAt(i)));
}

QString Setup::revisionHistory() const
{
    return m_history;
}

// --- Operations on the list file -------------------------------------------------------------

void Setup::listReferences()
{
    const QList<ListEntry> entries = m_list.entries();
    QStringList references;
    m_entryLines.clear();
    for (const ListEntry &entry : entries) {
        references.append(entry.reference);
        m_entryLines.append(entry.line);
    }
    m_form->listModel->setStringList(references);
}

bool Setup::findActivation(const QString &reference)
{
    const std::optional<Activation> found = m_list.find(reference);
    showActivation(found);
    return found.has_value();
}

void Setup::showActivation(const std::optional<Activation> &found)
{
    if (found) {
        m_state.setActivation(*found);
        showTexts();
    }
    setFieldsEnabled(true);
    if (!m_state.isCreating())
        m_state.expect(SetupButton::SaisieDesQso);
    render();
    if (m_form->Saisie_des_QSO->isEnabled())
        m_form->Saisie_des_QSO->setFocus();
}

void Setup::lookUpGroup(const QString &reference)
{
    const QString wanted = reference.isEmpty() ? m_state.current().reference : reference;
    const qsizetype line = m_list.lastLineOf(wanted);
    if (line < 0) {
        m_state.clearGroup();
        render();
        return;
    }
    openGroupAtLine(line);
}

void Setup::openGroupAtLine(qsizetype line)
{
    m_state.showGroup(m_list.openGroupAt(line));
    render();
}

// --- Buttons and list ------------------------------------------------------------------------

void Setup::onCreerClicked()
{
    m_form->Liste_Activite->setEnabled(false);
    // Every creation starts a group of its own.
    m_state.start();
    m_state.noLongerExpect(SetupButton::Termine);
    m_state.noLongerExpect(SetupButton::Creer);
    m_state.expect(SetupButton::Ajout);
    m_form->Termine->setEnabled(false);
    m_form->Ajout->setEnabled(true);
    render();
    m_form->Ajout->setFocus();
}

void Setup::onAjoutClicked()
{
    halfReset();
    m_state.noLongerExpect(SetupButton::Ajout);
    render();
}

void Setup::onRazClicked()
{
    fullReset();
}

void Setup::onTermineClicked()
{
    if (m_state.writtenCount() > 0) {
        const FileResult closed = m_list.closeGroup(m_state.writtenCount());
        if (!closed) {
            m_services.dialogs.message(closed.error);
            return;
        }
    }
    m_form->Liste_Activite->setEnabled(true);
    for (QPushButton *button : {m_form->Ajout, m_form->Termine})
        button->setEnabled(false);
    m_state.noLongerExpect(SetupButton::Ajout);
    m_state.noLongerExpect(SetupButton::Termine);
    lookUpGroup(m_state.firstReference());
    m_state.close();
    m_form->Saisie_des_QSO->setEnabled(true);
    m_state.expect(SetupButton::SaisieDesQso);
    render();
    m_form->Saisie_des_QSO->setFocus();
}

void Setup::onSaisieClicked()
{
    const SetupHandOver given = m_state.handOver();
    const auto open = handOver(given.current, given.references, m_logs, m_services.dialogs);
    if (!open)
        return;
    m_state.setOpenReferences(*open);
    render();
    m_session.open(given.current, *open);
    offerUnfinishedWrites(m_session, m_services.dialogs);
    emit entryWindowRequested();
}

void Setup::onListeActiviteClicked(const QModelIndex &index)
{
    if (!index.isValid() || index.row() >= m_entryLines.size())
        return;
    const QString reference = index.data().toString();
    // A hand-edited list may name files outside the data folder: such a group is not opened.
    const QStringList group = m_list.openGroupAt(m_entryLines.at(index.row())).openReferences;
    if (const auto refused = firstRefusedReference(QStringList{reference} + group)) {
        m_services.dialogs.message(*refused);
        return;
    }
    // Reopening always allows QSO entry, also after a reset.
    m_form->Saisie_des_QSO->setEnabled(true);
    findActivation(reference);
    openGroupAtLine(m_entryLines.at(index.row()));
    m_state.noLongerExpect(SetupButton::Creer);
    m_form->Creer->setEnabled(false);
    render();
}

// --- Resets ----------------------------------------------------------------------------------

void Setup::halfReset()
{
    for (SetupField field :
         {SetupField::NumActivite, SetupField::NomActivite, SetupField::TypeActivite})
        m_form->setText(field, QString());
    for (int i = 0; i < kSetupFieldCount; ++i) {
        const SetupField field = setupFieldAt(i);
        m_form->field(field)->setEnabled(field == SetupField::Logger ||
                                         field == SetupField::NumActivite);
    }
    m_form->Saisie_des_QSO->setEnabled(false);
    m_chain->expectField(SetupField::Activeur);
}

void Setup::fullReset()
{
    for (int i = 0; i < kSetupFieldCount; ++i) {
        m_form->setText(setupFieldAt(i), QString());
        m_form->field(setupFieldAt(i))->setEnabled(false);
    }
    m_form->Saisie_des_QSO->setEnabled(false);
    m_chain->expectField(SetupField::Activeur);
}

// --- Keyboard on the list -----------------------------------------------------------------------

bool Setup::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_form->Liste_Activite || event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    if (isEnterKey(static_cast<QKeyEvent *>(event)) &&
        m_form->Liste_Activite->currentIndex().isValid()) {
        onListeActiviteClicked(m_form->Liste_Activite->currentIndex());
        return true;
    }
    return false;
}

void Setup::onDateAccepted()
{
    m_form->Termine->setEnabled(true);
    m_form->Ajout->setEnabled(true);
    m_form->Ajout->setFocus();
    registerActivation();
}

// --- Registration ----------------------------------------------------------------------------

void Setup::registerActivation()
{
    using Outcome = RegistrationResult::Outcome;
    GroupRegistration registration(m_list, m_logs, m_state);
    const RegistrationResult result =
        registration.registerTyped(m_state.texts(), m_services.dialogs);
    if (result.refusedField)
        m_chain->expectField(*result.refusedField);
    if (result.lookedUp)
        showActivation(result.stored);
    if (result.listChanged)
        listReferences();
    if (result.newLine) {
        lookUpGroup(currentActivation().reference);
        m_form->Ajout->setFocus();
    }
    if (result.outcome == Outcome::Declined)
        fullReset();
    if (result.outcome != Outcome::Registered)
        return;
    m_state.setCounter(m_state.counter() + 1);
    m_state.expect(SetupButton::Ajout);
    m_state.expect(SetupButton::Termine);
    render();
}

// --- Look ------------------------------------------------------------------------------------

void Setup::setFieldsEnabled(bool enabled)
{
    for (int i = 0; i < kSetupFieldCount; ++i)
        m_form->field(setupFieldAt(i))->setEnabled(enabled);
}

void Setup::closeEvent(QCloseEvent *event)
{
    // Every change was written when it was made: closing this window ends the program.
    event->accept();
    endProgram();
}

} // namespace orvel
