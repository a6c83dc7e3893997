#include "Saisie_QSO.h"

#include "common/Windows1252.h"

#include "AlreadyWorked.h"
#include "DepartmentGrid.h"
#include "EntryKeyFlow.h"
#include "EntryMenus.h"
#include "EntryRadio.h"
#include "Import_ADIF.h"
#include "common/FixedColumns.h"
#include "common/Program.h"
#include "digital/EntryDigital.h"
#include "platform/Services.h"
#include "records/Session.h"
#include "widgets/Palette.h"
#include "widgets/WindowBasics.h"

#include "records/LogListModel.h"
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTableView>

namespace orvel {

namespace {
constexpr int kWindowWidth = 1240;
constexpr int kWindowHeight = 760;
} // namespace

Saisie_QSO::Saisie_QSO(Services &services, Session &session, QWidget *parent)
    : QMainWindow(parent)
    , m_services(services)
    , m_session(session)
    , m_firstNames(session.folder())
{
    setObjectName(QStringLiteral("Saisie_QSO"));
    auto *central = new QWidget(this);
    setCentralWidget(central);
    m_form = EntryForm::build(central, services.dialogs);
    m_menus = std::make_unique<EntryMenus>(EntryMenus::build(menuBar()));
    m_clock = new ClockPanel(services.clock, m_form.Label37, m_form.Label34, m_form.Label33, this);
    m_entry = new QsoEntry(session, services.dialogs, services.settings, this);
    m_entry->setClock([this] {
        return EntryMoment{m_clock->currentDate(), m_clock->activeCaption()};
    });
    connectEntry();
    new EntryKeyFlow(m_form, *m_entry, this);
    // The list shows the session's own lines, all of one height. It is laid out whole, not in
    // batches: the last line must be reachable at once after every change.
    m_form.listModel = &session.model();
    m_form.Liste_QSO->setModel(m_form.listModel);
    connectMenus();
    connectSession();
    installFirstNameMemory();
    load();
    m_radio = new EntryRadio(*this, m_form, *m_entry, services);
    connect(m_menus->Mnu_Radio, &QAction::triggered, m_radio, &EntryRadio::openSettings);
    m_radio->startFromSettings();
    m_digital =
        new EntryDigital(*this, m_form, *m_entry, *m_radio, services, session, m_firstNames);
    m_digital->startFromSettings();
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
    EntrySettings &settings = m_entry->settings();
    const int modeIndex = settings.loadModeIndex();
    m_form.Mode_Q->setCurrentIndex(modeIndex >= 0 && modeIndex < m_form.Mode_Q->count() ? modeIndex
                                                                                        : -1);
    m_entry->applyDefaultReports();
    const int bandIndex = settings.bandIndex();
    m_form.Bande_Q->setCurrentIndex(
        bandIndex >= 0 && bandIndex < m_form.Bande_Q->count() ? bandIndex : -1);
    showRetypeMode();

    const Activation &current = m_session.activation();
    m_form.Label1->setText(activationTitle(current.activator, current.logger));
    m_entry->setText(EntryField::Operator, m_entry->state().defaultOperator);
    m_form.Label8->setText(current.canton);
    m_form.Label4->setText(current.postalCode);
    m_form.Label21->setText(current.commune);
    m_form.Num_Q->setText(m_entry->number());
    showLook(EntryField::Call);
    showColumnHeadings();
    m_form.Label3->setText(openReferencesText(m_session.openReferences()));

    // The session read the log when it was opened.
    m_entry->forgetChosenLine();
    m_entry->followLog();
    setWindowTitle(entryCaption(revisionText()));
    m_form.Indi_Q->setFocus();
}

void Saisie_QSO::connectEntry()
{
    // The fields as built are the entry's starting texts; from then on each follows the other.
    for (int i = 0; i <= int(EntryField::Store); ++i) {
        const auto field = EntryField(i);
        if (auto *edit = qobject_cast<QLineEdit *>(m_form.widget(field))) {
            m_entry->typed(field, edit->text());
            connect(edit, &QLineEdit::textChanged, m_entry,
                    [this, field](const QString &text) { m_entry->typed(field, text); });
        } else if (auto *list = qobject_cast<QComboBox *>(m_form.widget(field))) {
            m_entry->typed(field, list->currentText());
            connect(list, &QComboBox::currentTextChanged, m_entry,
                    [this, field](const QString &text) { m_entry->typed(field, text); });
        }
    }
    connect(m_entry, &QsoEntry::textChanged, this, &Saisie_QSO::showText);
    connect(m_entry, &QsoEntry::lookChanged, this, &Saisie_QSO::showLook);
    connect(m_entry, &QsoEntry::focusRequested, this,
            [this](EntryField field) { m_form.widget(field)->setFocus(); });
    connect(m_entry, &QsoEntry::numberChanged, this,
            [this] { m_form.Num_Q->setText(m_entry->number()); });
    connect(m_entry, &QsoEntry::operatorCountChanged, this,
            [this] { m_form.Tot_Oper->setText(numberText(m_entry->state().operatorCount)); });
    connect(m_entry, &QsoEntry::recoveryChanged, m_form.Recupere, &QWidget::setEnabled);
    connect(m_entry, &QsoEntry::modeChanged, this, &Saisie_QSO::showMode);
    connect(m_entry, &QsoEntry::retypeModeChanged, this, &Saisie_QSO::showRetypeMode);
    connect(m_entry, &QsoEntry::lastLineDue, this, &Saisie_QSO::selectLastLine);
}

void Saisie_QSO::showText(EntryField field)
{
    const QString text = m_entry->text(field);
    if (auto *edit = qobject_cast<QLineEdit *>(m_form.widget(field))) {
        if (edit->text() != text)
            edit->setText(text);
    } else if (auto *list = qobject_cast<QComboBox *>(m_form.widget(field))) {
        if (list->currentText() != text)
            list->setEditText(text);
    }
}

void Saisie_QSO::showLook(EntryField field)
{
    const FieldLook look = m_entry->look(field);
    QWidget *widget = m_form.widget(field);
    widget->setEnabled(look.enabled);
    if (look.current)
        paintBackground(widget, kLightGreen);
    else if (field == EntryField::Store)
        paintButtonFace(widget);
    else
        paintBackground(widget, kLightYellow);
}

void Saisie_QSO::showMode()
{
    const bool deferred = m_entry->deferred();
    m_menus->Mnu_Diff_Oui->setChecked(deferred);
    m_menus->Mnu_Diff_Non->setChecked(!deferred);
    m_form.insertIndicator->setText(insertModeIndicator(m_entry->inserting()));
    // A QSO being corrected or inserted keeps its date and time fields whatever the option.
    const bool shown = m_entry->typedMoment();
    for (QWidget *widget :
         {static_cast<QWidget *>(m_form.Date_Q), static_cast<QWidget *>(m_form.Heure_Q),
          static_cast<QWidget *>(m_form.Label10), static_cast<QWidget *>(m_form.Label6)})
        widget->setVisible(shown);
}

void Saisie_QSO::showRetypeMode()
{
    m_menus->Mnu_Refrappe_Oui->setChecked(m_entry->retypeMode());
    m_menus->Mnu_Refrappe_Non->setChecked(!m_entry->retypeMode());
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
    connect(m_form.Edite_QSO, &QPushButton::clicked, m_entry, &QsoEntry::editChosen);
    connect(m_form.Efface_QSO, &QPushButton::clicked, m_entry, &QsoEntry::deleteChosen);
    connect(m_form.Recupere, &QPushButton::clicked, m_entry, &QsoEntry::recoverDeleted);
    connect(m_form.Ajout_QSO, &QPushButton::clicked, m_entry, &QsoEntry::beginInsert);
    connect(m_form.Annule_Q, &QPushButton::clicked, m_entry, &QsoEntry::cancel);
    connect(m_form.Valide_Q, &QPushButton::clicked, m_entry, &QsoEntry::storeWithValide);
    connect(m_menus->Mnu_Quitter, &QAction::triggered, this, &QWidget::close);
    if (auto *import = menuBar()->findChild<QAction *>(QStringLiteral("Mnu_Import_ADIF")))
        connect(import, &QAction::triggered, this, &Saisie_QSO::importAdif);

    connect(m_menus->Mnu_UTC_Oui, &QAction::triggered, this, [this] {
        m_clock->setTimeBase(TimeBase::Utc);
        m_entry->settings().setUtcTimeBase(true);
    });
    connect(m_menus->Mnu_UTC_Non, &QAction::triggered, this, [this] {
        m_clock->setTimeBase(TimeBase::Local);
        m_entry->settings().setUtcTimeBase(false);
    });
    connect(m_menus->Mnu_Diff_Oui, &QAction::triggered, m_entry,
            [this] { m_entry->setDeferred(true); });
    connect(m_menus->Mnu_Diff_Non, &QAction::triggered, m_entry,
            [this] { m_entry->setDeferred(false); });
    connect(m_menus->Mnu_Refrappe_Oui, &QAction::triggered, m_entry,
            [this] { m_entry->setRetypeMode(true); });
    connect(m_menus->Mnu_Refrappe_Non, &QAction::triggered, m_entry,
            [this] { m_entry->setRetypeMode(false); });

    connect(m_form.Liste_QSO->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &Saisie_QSO::onListSelection);
}

void Saisie_QSO::connectSession()
{
    followLog(
        m_session.model(), this, [this](int, int) { m_entry->forgetChosenLine(); },
        [this] { m_entry->forgetChosenLine(); });
    connect(&m_session, &Session::changedOutside, m_entry, &QsoEntry::followLog);
}

void Saisie_QSO::installFirstNameMemory()
{
    // The session's current log is the log as this program last wrote it; reading it rather
    // than the file keeps the call-sign step immediate on a long log.
    m_entry->setAlreadyWorkedCheck(
        [this](const QString &call, const QString &band, const QString &mode) {
            return askCancelAlreadyWorked(m_services.dialogs, m_session, call, band, mode);
        });
    m_entry->setFirstNameLookup(
        [names = m_firstNames](const QString &call) -> std::optional<KnownStation> {
            const auto remembered = names.lookup(call);
            if (!remembered)
                return std::nullopt;
            return KnownStation{remembered->department, remembered->firstName};
        });
    m_entry->setFirstNameUpdate(m_firstNames.updateHook(
        [this](const QString &message) { m_services.dialogs.message(message); }));
    // Read while the operator types the first call sign, so that its Enter costs what the
    // others cost.
    m_firstNames.preload();
}

void Saisie_QSO::showListHeading(const QString &text)
{
    m_form.Entete->setText(text);
    m_form.Entete->setAccessibleName(text);
}

void Saisie_QSO::showColumnHeadings()
{
    // Read out as the caption the program always had; shown over the columns.
    m_form.Entete->setText(listHeading());
    m_form.Entete->setAccessibleName(listHeader());
}

void Saisie_QSO::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    if (m_entry->editing() || m_entry->inserting())
        return;
    for (int i = 0; i <= int(EntryField::Store); ++i) {
        const auto field = EntryField(i);
        QWidget *widget = m_form.widget(field);
        if (m_entry->look(field).current && widget && widget->isEnabled() && widget->isVisible()) {
            widget->setFocus(Qt::ActiveWindowFocusReason);
            return;
        }
    }
    m_form.Indi_Q->setFocus(Qt::ActiveWindowFocusReason);
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
    if (current.isValid())
        m_entry->choose(current.data().toString());
}

void Saisie_QSO::importAdif()
{
    const QString path = m_services.dialogs.fileToOpen(
        QStringLiteral("Importer un fichier ADIF"), m_session.folder(),
        QStringLiteral(
            "Fichiers ADIF (*.adi *.adif *.adx *.ADI *.ADIF *.ADX);;Tous les fichiers (*)"));
    if (path.isEmpty())
        return;
    auto *window = new Import_ADIF(m_services.dialogs, m_session, m_firstNames, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // The numbers, the operators and the tally follow the log as after a change made outside;
    // a QSO being corrected keeps its number.
    connect(window, &Import_ADIF::imported, m_entry, &QsoEntry::followLog);
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

void Saisie_QSO::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_radio->stop();
    m_digital->stop();
    emit closed();
    endProgram();
}

} // namespace orvel
