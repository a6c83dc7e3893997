// The QSO entry window: keyboard-driven entry of one QSO at a time into every open activation's
// log, the list of the current log, the clocks and the menus that open the other windows.
//
// Other windows are opened by the application, never from here: every menu item of
// EntryMenus::windowItems() (Mnu_ADIF, Mnu_C_Trafic, Mnu_Aff_Log, Mnu_Log_Alpha,
// Mnu_Pays_Contacte, Histo_Acti, Mnu_Liste_Op, Mnu_Etiquettes, Mnu_Dpt_Cont, Mnu_Historique,
// Mnu_Mode_Emploi, Mnu_Maj, Mnu_A_Propos) and the Recherche button emit
// windowRequested(objectName); the receiver opens that window modeless.
//
// The corrections of the log: Edite_QSO, Efface_QSO and Recupere go to the window's
// LogCorrectionController, which talks back through the narrow CorrectionHost interface.
// Ajout_QSO (insert mode) and Annule_Q (cancel) act here.
//
// The window works on the Session it was opened with: the current activation, the open
// references and the current log. A new hand-over opens a new window.
//
// The call-sign step's services (already-worked check, first-name lookup) and the first-name
// update of every store are installed here from the first-name memory; the départements tally
// is given with setTallyRefresh(). Each can be replaced with the set...() functions below.
#pragma once

#include "ClockPanel.h"
#include "EntryForm.h"
#include "EntryKeyFlow.h"
#include "records/EntrySettings.h"
#include "EntryState.h"
#include "LogCorrectionController.h"
#include "QsoStore.h"
#include "records/FirstNames.h"

#include <QMainWindow>
#include <memory>

namespace orvel {

class DepartmentGrid;
class EntryRadio;
struct EntryMenus;
class Session;
struct Services;

class Saisie_QSO : public QMainWindow, private EntryKeyFlow::Host, private CorrectionHost
{
    Q_OBJECT
public:
    // Runs the whole load sequence: lists and remembered choices, activation texts, the log in
    // the list with its last line selected, Num_Q, Tot_Oper, caption, focus on Indi_Q. The
    // caller shows the window.
    Saisie_QSO(Services &services, Session &session, QWidget *parent = nullptr);
    ~Saisie_QSO() override;

    EntryState &state() { return m_state; }
    const EntryState &state() const { return m_state; }
    const EntryForm &form() const { return m_form; }
    // The 98 département indicators, for the départements tally.
    DepartmentGrid *departmentGrid() const;
    ClockPanel &clock() { return *m_clock; }
    // The radio the window follows (none until one is chosen in Setup > Radio).
    EntryRadio &radio() { return *m_radio; }

    bool deferredEntry() const override;
    bool retypeMode() const override;
    TimeBase timeBase() const { return m_clock->timeBase(); }

    // Filled by the first-name memory: asked at the call-sign step unless a QSO is being edited.
    void setAlreadyWorkedCheck(AlreadyWorkedCheck check);
    // Filled by the first-name memory: puts the remembered département and first name in place.
    void setFirstNameLookup(FirstNameLookup lookup);
    // Filled by the first-name memory: receives the key line of every stored or inserted QSO.
    void setFirstNameUpdate(FirstNameUpdate update);
    // Filled by the départements tally: recolours departmentGrid() for a band and mode. It
    // runs at once, since the window's load has already asked for it.
    void setTallyRefresh(TallyRefresh refresh);

    void selectLastLine();
    // Selects the QSO at row of Liste_QSO as a click there does (the search's pick).
    void selectQso(int row);
    void refreshOperatorCount();
    void refreshTally() override;
    // The title above the list (Entete), which the ADIF export changes.
    void showListHeading(const QString &text);

    // Loads a logged QSO into the fields for correction (Edition_En_Cours); number is the text
    // for Num_Q ("05"), entry the QSO's values (its operator is not used: Ope_Q keeps its text),
    // storedLine the line as stored, which the store replaces in every open log.
    void beginEdit(const QString &number, const QsoRecord &entry,
                   const QString &storedLine) override;
    // Insert mode: the next QSO goes to its place in time.
    void beginInsert();
    // Fichiers → "Importer un fichier ADIF…": a file chosen through the dialogs, then the import
    // window on it (Import_ADIF), which puts the file's QSOs into every open log.
    void importAdif();
    // Ends editing and insert mode and empties the entry back to the call sign.
    void cancelEntry() override;

    // The store with Valide_Q and the quick store of a store key; false when nothing was
    // stored (a refused field, or a log that could not be written).
    bool storeWithValide() override;
    bool quickStore(QWidget *field) override;

public slots:
    // One clock second.
    void clockTick() { m_clock->tick(); }

signals:
    void windowRequested(const QString &objectName);
    // The window was closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void load();
    void connectMenus();
    void connectSession();
    void showLogChangedOutside();
    void installFirstNameMemory();
    void onListSelection();
    void setDeferredEntry(bool on);
    void updateDateTimeVisibility();
    bool runStore();
    void endEdit();
    void forgetChosenLine();
    void refreshTallyAfterStore();
    bool fieldsFitTheRecord();

    // CorrectionHost
    QString chosenEntry() const override;
    void showChangedLog() override;
    void focusCallSign(bool idleOnly) override;
    void showRecovery(const QString &deletedLine, bool available) override;

    Services &m_services;
    Session &m_session;
    EntrySettings m_settings;
    EntryState m_state;
    EntryForm m_form;
    std::unique_ptr<EntryMenus> m_menus;
    ClockPanel *m_clock = nullptr;
    EntryKeyFlow *m_keyFlow = nullptr;
    EntryRadio *m_radio = nullptr;
    QsoStore m_store;
    FirstNameUpdate m_firstNameUpdate;
    TallyRefresh m_tallyRefresh;
    QString m_modeBeforeEdit;
    QString m_bandBeforeEdit;
    FirstNames m_firstNames;
    std::unique_ptr<LogCorrectionController> m_corrections;
};

} // namespace orvel
