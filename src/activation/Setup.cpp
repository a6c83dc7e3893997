#include "Setup.h"

#include "SetupFieldChain.h"
#include "SetupForm.h"
#include "activation/Diagnostics.h"
#include "common/FixedColumns.h"
#include "common/Program.h"
#include "widgets/Palette.h"
#include "records/Session.h"
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
    , m_chain(std::make_unique<SetupFieldChain>(*m_form, services.dialogs, m_list, m_group))
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

    setCounter(0);
    for (int i = 0; i < kSetupFieldCount; ++i) {
        const SetupField field = setupFieldAt(i);
        m_form->field(field)->setEnabled(field == SetupField::TypeActivite);
    }
    paintBackground(m_form->Nb_Multi, kLightYellow);
    m_form->Nb_Multi->setEnabled(false);
    expectButton(m_form->Creer);
    for (QPushButton *button : {m_form->Ajout, m_form->Termine}) {
        noLongerExpected(button);
        button->setEnabled(false);
    }
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
}

// --- The current activation ------------------------------------------------------------------

SetupTexts Setup::texts() const
{
    SetupTexts texts;
    for (int i = 0; i < kSetupFieldCount; ++i)
        texts[static_cast<size_t>(i)] = m_form->text(setupFieldAt(i));
    return texts;
}

Activation Setup::currentActivation() const
{
    return activationOf(texts());
}

QStringList Setup::openActivations() const
{
    QStringList references;
    for (int i = 0; i < m_form->Liste_Activite_Fin->count(); ++i)
        references.append(m_form->Liste_Activite_Fin->item(i)->text());
    return references;
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
        m_form->setText(SetupField::Activeur, found->activator);
        m_form->setText(SetupField::Logger, found->logger);
        m_form->setText(SetupField::NumActivite, found->reference);
        m_form->setText(SetupField::NomActivite, found->name);
        m_form->setText(SetupField::NumCanton, found->canton);
        m_form->setText(SetupField::NumCP, found->postalCode);
        m_form->setText(SetupField::NomCommune, found->commune);
        m_form->setText(SetupField::TypeActivite, found->type);
        m_form->setText(SetupField::DateActivite, found->date);
    }
    setFieldsEnabled(true);
    if (!m_group.isCreating())
        paintBackground(m_form->Saisie_des_QSO, kLightGreen);
    if (m_form->Saisie_des_QSO->isEnabled())
        m_form->Saisie_des_QSO->setFocus();
}

void Setup::lookUpGroup(const QString &reference)
{
    const QString wanted =
        reference.isEmpty() ? trimBlanks(m_form->text(SetupField::NumActivite)) : reference;
    const qsizetype line = m_list.lastLineOf(wanted);
    if (line < 0) {
        m_form->Liste_Activite_Bis->clear();
        m_form->Liste_Activite_Fin->clear();
        return;
    }
    openGroupAtLine(line);
}

void Setup::openGroupAtLine(qsizetype line)
{
    const GroupLookup group = m_list.openGroupAt(line);
    setItems(m_form->Liste_Activite_Bis, group.workingList);
    setItems(m_form->Liste_Activite_Fin, group.openReferences);
    if (group.count)
        setCounter(*group.count);
}

// --- Buttons and list ------------------------------------------------------------------------

void Setup::onCreerClicked()
{
    m_form->Liste_Activite->setEnabled(false);
    // Every creation starts a group of its own.
    m_group.start();
    setCounter(0);
    noLongerExpected(m_form->Termine);
    m_form->Termine->setEnabled(false);
    noLongerExpected(m_form->Creer);
    m_form->Ajout->setEnabled(true);
    expectButton(m_form->Ajout);
    m_form->Ajout->setFocus();
}

void Setup::onAjoutClicked()
{
    halfReset();
    noLongerExpected(m_form->Ajout);
}

void Setup::onRazClicked()
{
    fullReset();
}

void Setup::onTermineClicked()
{
    if (m_group.writtenCount() > 0) {
        const FileResult closed = m_list.closeGroup(m_group.writtenCount());
        if (!closed) {
            m_services.dialogs.message(closed.error);
            return;
        }
    }
    m_form->Liste_Activite->setEnabled(true);
    for (QPushButton *button : {m_form->Ajout, m_form->Termine}) {
        noLongerExpected(button);
        button->setEnabled(false);
    }
    lookUpGroup(m_group.firstReference());
    m_group.close();
    m_form->Saisie_des_QSO->setEnabled(true);
    expectButton(m_form->Saisie_des_QSO);
    m_form->Saisie_des_QSO->setFocus();
}

void Setup::onSaisieClicked()
{
    const Activation current = currentActivation();
    const auto open = checkHandOver(current, openActivations(), m_logs, m_services.dialogs);
    if (!open)
        return;
    setItems(m_form->Liste_Activite_Fin, *open);
    m_session.open(current, *open);
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
    noLongerExpected(m_form->Creer);
    m_form->Creer->setEnabled(false);
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
    GroupRegistration registration(m_list, m_logs, m_group);
    const RegistrationResult result = registration.registerTyped(texts(), m_services.dialogs);
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
    setCounter(counter() + 1);
    expectButton(m_form->Ajout);
    expectButton(m_form->Termine);
}

// --- Look ------------------------------------------------------------------------------------

void Setup::expectButton(QPushButton *button)
{
    paintBackground(button, kLightGreen);
}

void Setup::noLongerExpected(QPushButton *button)
{
    paintButtonFace(button);
}

void Setup::setFieldsEnabled(bool enabled)
{
    for (int i = 0; i < kSetupFieldCount; ++i)
        m_form->field(setupFieldAt(i))->setEnabled(enabled);
}

void Setup::setCounter(int value)
{
    m_form->Nb_Multi->setText(QString::number(value));
}

int Setup::counter() const
{
    return m_form->Nb_Multi->text().toInt();
}

void Setup::closeEvent(QCloseEvent *event)
{
    // Every change was written when it was made: closing this window ends the program.
    event->accept();
    endProgram();
}

} // namespace orvel
