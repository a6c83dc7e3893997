#include "Saisie_QSO.h"

#include "common/Windows1252.h"

#include "DepartmentGrid.h"
#include "EntryMenus.h"
#include "EntryRadio.h"
#include "common/FixedColumns.h"
#include "common/Program.h"
#include "widgets/Palette.h"
#include "platform/Services.h"
#include "widgets/WindowBasics.h"
#include "records/Session.h"
#include "AlreadyWorked.h"
#include "Import_ADIF.h"

#include "records/LogListModel.h"
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace orvel {

namespace {
constexpr int kWindowWidth = 1240;
constexpr int kWindowHeight = 760;
} // namespace

Saisie_QSO::Saisie_QSO(Services &services, Session &session, QWidget *parent)
    : QMainWindow(parent)
    , m_services(services)
    , m_session(session)
    , m_settings(services.settings)
    , m_firstNames(session.folder())
{
    setObjectName(QStringLiteral("Saisie_QSO"));
    auto *central = new QWidget(this);
    setCentralWidget(central);
    m_form = EntryForm::build(central, services.dialogs);
    m_menus = std::make_unique<EntryMenus>(EntryMenus::build(menuBar()));
    m_clock = new ClockPanel(services.clock, m_form.Label37, m_form.Label34, m_form.Label33, this);
    m_keyFlow = new EntryKeyFlow(m_form, m_state, services.dialogs, m_settings, *this, this);
    // The list shows the session's own lines, all of one height. It is laid out whole, not in
    // batches: the last line must be reachable at once after every change.
    m_form.listModel = &session.model();
    m_form.Liste_QSO->setModel(m_form.listModel);
    m_corrections = std::make_unique<LogCorrectionController>(static_cast<CorrectionHost &>(*this),
                                                              services.dialogs, session);
    connectMenus();
    connectSession();
    installFirstNameMemory();
    load();
    showRecovery(QString(), m_corrections->recoveryAvailable());
    m_radio = new EntryRadio(*this, m_form, m_state, m_settings,
                             static_cast<EntryKeyFlow::Host &>(*this), services);
    connect(m_menus->Mnu_Radio, &QAction::triggered, m_radio, &EntryRadio::openSettings);
    m_radio->startFromSettings();
}

Saisie_QSO::~Saisie_QSO() = default;

DepartmentGrid *Saisie_QSO::departmentGrid() const
{
    return m_form.Dpt;
}

void Saisie_QSO::load()
{
    resize(kWindowWidth, kWindowHeight);
    keepOnScreen(*this, m_services.settings);
    const int modeIndex = m_settings.loadModeIndex();
    m_form.Mode_Q->setCurrentIndex(modeIndex >= 0 && modeIndex < m_form.Mode_Q->count() ? modeIndex
                                                                                        : -1);
    m_keyFlow->applyDefaultReports();
    const int bandIndex = m_settings.bandIndex();
    m_form.Bande_Q->setCurrentIndex(
        bandIndex >= 0 && bandIndex < m_form.Bande_Q->count() ? bandIndex : -1);
    const bool retype = m_settings.retypeMode();
    m_menus->Mnu_Refrappe_Oui->setChecked(retype);
    m_menus->Mnu_Refrappe_Non->setChecked(!retype);

    const Activation &current = m_session.activation();
    m_form.Label1->setText(activationTitle(current.activator, current.logger));
    m_state.defaultOperator = defaultOperator(current.activator);
    m_form.Ope_Q->setText(m_state.defaultOperator);
    m_form.Label8->setText(current.canton);
    m_form.Label4->setText(current.postalCode);
    m_form.Label21->setText(current.commune);
    m_form.Num_Q->setText(QStringLiteral("1"));
    paintBackground(m_form.Indi_Q, kLightGreen);
    m_state.editing = false;
    // Read out as the caption the program always had; shown over the columns.
    m_form.Entete->setText(listHeading());
    m_form.Entete->setAccessibleName(listHeader());
    m_form.Label3->setText(openReferencesText(m_session.openReferences()));

    // The session read the log when it was opened.
    forgetChosenLine();
    const int next = m_session.currentLog().nextNumber();
    selectLastLine();
    refreshTally();
    m_form.Num_Q->setText(QString::number(next));
    m_state.retypeDone = false;
    m_state.inserting = false;
    refreshOperatorCount();
    setWindowTitle(entryCaption(revisionText()));
    m_form.Indi_Q->setFocus();
}

void Saisie_QSO::connectMenus()
{
    for (const QString &name : EntryMenus::windowItems()) {
        if (auto *action = menuBar()->findChild<QAction *>(name))
            connect(action, &QAction::triggered, this,
                    [this, name] { emit windowRequested(name); });
    }
    connect(m_form.Recherche, &QPushButton::clicked, this,
            [this] { emit windowRequested(QStringLiteral("Recherche")); });
    connect(m_form.Edite_QSO, &QPushButton::clicked, this, [this] { m_corrections->edit(); });
    connect(m_form.Efface_QSO, &QPushButton::clicked, this,
            [this] { m_corrections->deleteChosen(); });
    connect(m_form.Recupere, &QPushButton::clicked, this, [this] { m_corrections->recover(); });
    connect(m_form.Ajout_QSO, &QPushButton::clicked, this, &Saisie_QSO::beginInsert);
    connect(m_form.Annule_Q, &QPushButton::clicked, this, &Saisie_QSO::cancelEntry);
    connect(m_form.Valide_Q, &QPushButton::clicked, this, [this] { storeWithValide(); });
    connect(m_menus->Mnu_Quitter, &QAction::triggered, this, &QWidget::close);
    if (auto *import = menuBar()->findChild<QAction *>(QStringLiteral("Mnu_Import_ADIF")))
        connect(import, &QAction::triggered, this, &Saisie_QSO::importAdif);

    connect(m_menus->Mnu_UTC_Oui, &QAction::triggered, this, [this] {
        m_clock->setTimeBase(TimeBase::Utc);
        m_settings.setUtcTimeBase(true);
    });
    connect(m_menus->Mnu_UTC_Non, &QAction::triggered, this, [this] {
        m_clock->setTimeBase(TimeBase::Local);
        m_settings.setUtcTimeBase(false);
    });
    connect(m_menus->Mnu_Diff_Oui, &QAction::triggered, this, [this] { setDeferredEntry(true); });
    connect(m_menus->Mnu_Diff_Non, &QAction::triggered, this, [this] { setDeferredEntry(false); });
    connect(m_menus->Mnu_Refrappe_Oui, &QAction::triggered, this,
            [this] { m_settings.setRetypeMode(true); });
    connect(m_menus->Mnu_Refrappe_Non, &QAction::triggered, this,
            [this] { m_settings.setRetypeMode(false); });

    connect(m_form.Liste_QSO->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &Saisie_QSO::onListSelection);
}

void Saisie_QSO::connectSession()
{
    followLog(
        m_session.model(), this, [this](int, int) { forgetChosenLine(); },
        [this] { forgetChosenLine(); });
    connect(&m_session, &Session::changedOutside, this, &Saisie_QSO::showLogChangedOutside);
}

void Saisie_QSO::showLogChangedOutside()
{
    // The QSO being typed stays as it is, focus included; a corrected one keeps its number.
    if (!m_state.editing)
        m_form.Num_Q->setText(QString::number(m_session.currentLog().nextNumber()));
    selectLastLine();
    refreshOperatorCount();
    refreshTally();
}

void Saisie_QSO::installFirstNameMemory()
{
    // The session's current log is the log as this program last wrote it; reading it rather
    // than the file keeps the call-sign step immediate on a long log.
    setAlreadyWorkedCheck([this](const QString &call, const QString &band, const QString &mode) {
        return askCancelAlreadyWorked(m_services.dialogs, m_session, call, band, mode);
    });
    setFirstNameLookup([names = m_firstNames](const QString &call) -> std::optional<KnownStation> {
        const auto remembered = names.lookup(call);
        if (!remembered)
            return std::nullopt;
        return KnownStation{remembered->department, remembered->firstName};
    });
    setFirstNameUpdate(m_firstNames.updateHook(
        [this](const QString &message) { m_services.dialogs.message(message); }));
    // Read while the operator types the first call sign, so that its Enter costs what the
    // others cost.
    m_firstNames.preload();
}

bool Saisie_QSO::deferredEntry() const
{
    return m_menus->Mnu_Diff_Oui->isChecked();
}

bool Saisie_QSO::retypeMode() const
{
    return m_menus->Mnu_Refrappe_Oui->isChecked();
}

void Saisie_QSO::setAlreadyWorkedCheck(AlreadyWorkedCheck check)
{
    m_keyFlow->setAlreadyWorkedCheck(std::move(check));
}

void Saisie_QSO::setFirstNameLookup(FirstNameLookup lookup)
{
    m_keyFlow->setFirstNameLookup(std::move(lookup));
}

void Saisie_QSO::setFirstNameUpdate(FirstNameUpdate update)
{
    m_store = QsoStore(std::move(update));
}

void Saisie_QSO::setTallyRefresh(TallyRefresh refresh)
{
    m_tallyRefresh = std::move(refresh);
    refreshTally();
}

void Saisie_QSO::showListHeading(const QString &text)
{
    m_form.Entete->setText(text);
    m_form.Entete->setAccessibleName(text);
}

void Saisie_QSO::forgetChosenLine()
{
    // The list model follows the session by itself; the line chosen before is chosen anew.
    m_state.chosenEntry.clear();
    m_state.chosenLogLine.clear();
}

void Saisie_QSO::selectLastLine()
{
    const int rows = m_form.listModel->rowCount();
    if (rows == 0)
        return;
    const QModelIndex last = m_form.listModel->index(rows - 1);
    m_form.Liste_QSO->setCurrentIndex(last);
    m_form.Liste_QSO->scrollTo(last);
    onListSelection();
}

void Saisie_QSO::selectQso(int row)
{
    if (row < 0 || row >= m_form.listModel->rowCount())
        return;
    const QModelIndex index = m_form.listModel->index(row);
    m_form.Liste_QSO->setCurrentIndex(index);
    m_form.Liste_QSO->scrollTo(index);
    onListSelection();
}

void Saisie_QSO::onListSelection()
{
    const QModelIndex current = m_form.Liste_QSO->currentIndex();
    if (!current.isValid())
        return;
    m_state.chosenEntry = current.data().toString();
    m_state.chosenLogLine = lineOfListEntry(m_state.chosenEntry);
}

void Saisie_QSO::refreshOperatorCount()
{
    m_state.operatorCount = m_session.currentLog().operatorCount();
    m_form.Tot_Oper->setText(numberText(m_state.operatorCount));
}

void Saisie_QSO::refreshTally()
{
    if (m_tallyRefresh)
        m_tallyRefresh(m_form.Bande_Q->currentText(), m_form.Mode_Q->currentText(), false);
}

void Saisie_QSO::refreshTallyAfterStore()
{
    if (m_tallyRefresh)
        m_tallyRefresh(m_form.Bande_Q->currentText(), m_form.Mode_Q->currentText(), true);
}

void Saisie_QSO::setDeferredEntry(bool on)
{
    m_menus->Mnu_Diff_Oui->setChecked(on);
    m_menus->Mnu_Diff_Non->setChecked(!on);
    if (!on) {
        m_form.Date_Q->clear();
        m_form.Heure_Q->clear();
    }
    updateDateTimeVisibility();
}

void Saisie_QSO::updateDateTimeVisibility()
{
    // A QSO being corrected or inserted keeps its date and time fields whatever the option.
    const bool shown = deferredEntry() || m_state.editing || m_state.inserting;
    for (QWidget *widget :
         {static_cast<QWidget *>(m_form.Date_Q), static_cast<QWidget *>(m_form.Heure_Q),
          static_cast<QWidget *>(m_form.Label10), static_cast<QWidget *>(m_form.Label6)})
        widget->setVisible(shown);
}

void Saisie_QSO::beginEdit(const QString &number, const QsoRecord &entry, const QString &storedLine)
{
    if (!m_state.editing) {
        m_modeBeforeEdit = m_form.Mode_Q->currentText();
        m_bandBeforeEdit = m_form.Bande_Q->currentText();
    }
    m_state.editing = true;
    m_state.editedLine = storedLine;
    m_form.Num_Q->setText(number);
    m_form.Indi_Q->setText(entry.call.trimmed());
    m_form.Dpt_Q->setEnabled(true);
    m_form.Dpt_Q->setText(entry.department.trimmed());
    paintBackground(m_form.Indi_Q, kLightYellow);
    for (QLineEdit *field : {m_form.Prenom_Q, m_form.QRKR_Q, m_form.QRKE_Q, m_form.Observation_Q})
        field->setEnabled(true);
    m_form.Prenom_Q->setText(entry.firstName.trimmed());
    m_form.QRKR_Q->setText(entry.rstReceived.trimmed());
    m_form.QRKE_Q->setText(entry.rstSent.trimmed());
    m_form.Observation_Q->setText(entry.remarks.trimmed());
    m_form.Mode_Q->setEditText(entry.mode.trimmed());
    m_form.Bande_Q->setEditText(entry.band.trimmed());
    updateDateTimeVisibility();
    m_form.Date_Q->setText(entry.date.trimmed());
    m_form.Heure_Q->setText(entry.time.trimmed());
    m_state.retypeDone = false;
    paintBackground(m_form.Indi_Q, kLightGreen);
    m_form.Indi_Q->setFocus();
}

void Saisie_QSO::beginInsert()
{
    m_state.inserting = true;
    updateDateTimeVisibility();
    m_form.insertIndicator->setText(insertModeIndicator(true));
    m_form.Indi_Q->setFocus();
}

void Saisie_QSO::importAdif()
{
    const QString path = m_services.dialogs.fileToOpen(
        QStringLiteral("Importer un fichier ADIF"), m_session.folder(),
        QStringLiteral("Fichiers ADIF (*.adi *.adif *.ADI *.ADIF);;Tous les fichiers (*)"));
    if (path.isEmpty())
        return;
    auto *window = new Import_ADIF(m_services.dialogs, m_session, m_firstNames, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // The numbers, the operators and the tally follow the log as after a change made outside;
    // a QSO being corrected keeps its number.
    connect(window, &Import_ADIF::imported, this, &Saisie_QSO::showLogChangedOutside);
    // The keyboard goes back where it was: the entry may be half typed.
    const QPointer<QWidget> typing = focusWidget() ? focusWidget() : m_form.Indi_Q;
    connect(window, &QDialog::finished, this, [this, typing] {
        activateWindow();
        if (typing)
            typing->setFocus();
    });
    window->open();
    if (!window->load(path))
        window->reject();
}

void Saisie_QSO::endEdit()
{
    if (!m_state.editing)
        return;
    m_state.editing = false;
    // The next QSO is made on the band and mode the operator works on, not on those of the
    // QSO just corrected.
    m_form.Mode_Q->setEditText(m_modeBeforeEdit);
    m_form.Bande_Q->setEditText(m_bandBeforeEdit);
}

void Saisie_QSO::cancelEntry()
{
    endEdit();
    m_state.inserting = false;
    m_form.insertIndicator->setText(insertModeIndicator(false));
    updateDateTimeVisibility();
    m_form.Dpt_Q->clear();
    m_form.Prenom_Q->clear();
    m_keyFlow->applyDefaultReports();
    m_form.Indi_Q->clear();
    m_keyFlow->resetToCallSign();
}

bool Saisie_QSO::storeWithValide()
{
    if (!runStore())
        return false;
    for (QLineEdit *field :
         {m_form.Indi_Q, m_form.Dpt_Q, m_form.Prenom_Q, m_form.Observation_Q, m_form.Heure_Q})
        field->clear();
    m_keyFlow->applyDefaultReports();
    m_keyFlow->resetToCallSign();
    m_state.retypeDone = false;
    return true;
}

bool Saisie_QSO::quickStore(QWidget *field)
{
    if (!runStore())
        return false;
    for (QLineEdit *cleared : {m_form.Indi_Q, m_form.Dpt_Q, m_form.Prenom_Q, m_form.Heure_Q})
        cleared->clear();
    if (field == m_form.Date_Q)
        m_form.Observation_Q->clear();
    m_keyFlow->resetToCallSign();
    m_state.retypeDone = false;
    return true;
}

bool Saisie_QSO::fieldsFitTheRecord()
{
    // Typed date and time must be whole: every log line starts with them.
    const bool typedMoment = deferredEntry() || m_state.editing || m_state.inserting;
    const auto refused = m_form.firstRefusedForStore(typedMoment);
    if (!refused)
        return true;
    m_services.dialogs.message(refused->check.message);
    refused->field->setEnabled(true);
    refused->field->setFocus();
    return false;
}

bool Saisie_QSO::runStore()
{
    if (!fieldsFitTheRecord())
        return false;
    m_form.Observation_Q->setText(capitals(m_form.Observation_Q->text()));
    const EntryStoreRequest request{
        m_form.record(),    m_state.editing,        m_state.inserting,       deferredEntry(),
        m_state.editedLine, m_clock->currentDate(), m_clock->activeCaption()};
    const EntryStoreResult result = storeEntry(m_session, m_store, request, m_services.dialogs);
    const int next = m_session.currentLog().nextNumber();
    selectLastLine();
    refreshOperatorCount();
    if (!result.stored)
        return false;
    if (result.action == StoreAction::Insert) {
        m_form.Date_Q->clear();
        m_form.Heure_Q->clear();
    }
    endEdit();
    m_state.inserting = false;
    m_form.insertIndicator->setText(insertModeIndicator(false));
    updateDateTimeVisibility();
    m_form.Num_Q->setText(QString::number(next));
    // An inserted QSO refreshes as the other changes of the log do; a stored or corrected one
    // also shows its band and mode on the map.
    if (result.action == StoreAction::Insert)
        refreshTally();
    else
        refreshTallyAfterStore();
    return true;
}

// --- What the corrections ask of the window ---------------------------------------------------

QString Saisie_QSO::chosenEntry() const
{
    return m_state.chosenEntry;
}

void Saisie_QSO::showChangedLog()
{
    m_form.Num_Q->setText(QString::number(m_session.currentLog().nextNumber()));
    refreshTally();
    selectLastLine();
    refreshOperatorCount();
}

void Saisie_QSO::focusCallSign(bool idleOnly)
{
    if (!idleOnly || !m_form.Valide_Q->isEnabled())
        m_form.Indi_Q->setFocus();
}

void Saisie_QSO::showRecovery(const QString &deletedLine, bool available)
{
    m_state.deletedLine = deletedLine;
    m_form.Recupere->setEnabled(available);
}

void Saisie_QSO::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_radio->stop();
    emit closed();
    endProgram();
}

} // namespace orvel
