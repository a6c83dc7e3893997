// The QSO entry window: keyboard-driven entry of one QSO at a time into every open activation's
// log, the list of the current log, the clocks and the menus that open the other windows.
//
// Other windows are opened by the application, never from here: every menu item of
// EntryMenus::windowItems() (Mnu_ADIF, Mnu_C_Trafic, Mnu_Aff_Log, Mnu_Log_Alpha,
// Mnu_Pays_Contacte, Histo_Acti, Mnu_Liste_Op, Mnu_Etiquettes, Mnu_Dpt_Cont, Mnu_Historique,
// Mnu_Mode_Emploi, Mnu_Maj, Mnu_A_Propos) and the Recherche button emit
// windowRequested(objectName); the receiver opens that window modeless.
//
// The corrections of the log: Edite_QSO, Efface_QSO and Recupere emit
// correctionRequested(objectName), which the window's LogCorrectionController answers (it
// reads state(), changes the log, then calls beginEdit(), reloadLog(), cancelEntry(),
// selectLastLine(), refreshOperatorCount() as needed). Ajout_QSO (insert mode) and Annule_Q
// (cancel) act here.
//
// The call-sign step's services (already-worked check, first-name lookup) and the first-name
// update of every store are installed by that controller too; the départements tally is given
// with setTallyRefresh(). Each can be replaced with the set...() functions below.
#pragma once

#include "ClockPanel.h"
#include "records/CurrentLog.h"
#include "EntryForm.h"
#include "EntryKeyFlow.h"
#include "EntrySettings.h"
#include "EntryState.h"
#include "QsoStore.h"

#include <QMainWindow>
#include <memory>

namespace orvel {

class ActivationContext;
class DepartmentGrid;
struct EntryMenus;
struct Services;

class Saisie_QSO : public QMainWindow, private EntryKeyFlow::Host
{
    Q_OBJECT
public:
    // Runs the whole load sequence: lists and remembered choices, activation texts, the log in
    // the list with its last line selected, Num_Q, Tot_Oper, caption, focus on Indi_Q. The
    // caller shows the window.
    Saisie_QSO(Services &services, const ActivationContext &activation, QWidget *parent = nullptr);
    ~Saisie_QSO() override;

    EntryState &state() { return m_state; }
    const EntryState &state() const { return m_state; }
    const EntryForm &form() const { return m_form; }
    // The 98 département indicators, for the départements tally.
    DepartmentGrid *departmentGrid() const;
    ClockPanel &clock() { return *m_clock; }

    bool deferredEntry() const override;
    bool retypeMode() const override;
    TimeBase timeBase() const { return m_clock->timeBase(); }

    // Filled by the first-name memory: asked at the call-sign step unless a QSO is being edited.
    void setAlreadyWorkedCheck(AlreadyWorkedCheck check);
    // Filled by the first-name memory: puts the remembered département and first name in place.
    void setFirstNameLookup(FirstNameLookup lookup);
    // Filled by the first-name memory: receives the key line of every stored or inserted QSO.
    void setFirstNameUpdate(FirstNameUpdate update);
    // Filled by the départements tally: recolours departmentGrid() for a band and mode.
    void setTallyRefresh(TallyRefresh refresh);

    // Reads the current log into Liste_QSO (no line selected); returns the next QSO number.
    int reloadLog();
    void selectLastLine();
    void refreshOperatorCount();
    void refreshTally() override;
    // The lines of the current log as last read.
    const QStringList &logLines() const { return m_currentLog.lines(); }

    // Loads a logged QSO into the fields for correction (Edition_En_Cours); number is the text
    // for Num_Q ("05"), entry the QSO's values (its operator is not used: Ope_Q keeps its text),
    // storedLine the line as stored, which the store replaces in every open log.
    void beginEdit(const QString &number, const QsoRecord &entry, const QString &storedLine);
    // Insert mode: the next QSO goes to its place in time.
    void beginInsert();
    // Ends editing and insert mode and empties the entry back to the call sign.
    void cancelEntry();

    // The store with Valide_Q and the quick store of a store key; false when nothing was
    // stored (a refused field, or a log that could not be written).
    bool storeWithValide() override;
    bool quickStore(QWidget *field) override;

public slots:
    // One clock second.
    void clockTick() { m_clock->tick(); }

signals:
    void windowRequested(const QString &objectName);
    void correctionRequested(const QString &buttonObjectName);
    // The window was closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void load();
    void connectMenus();
    void onListSelection();
    void setDeferredEntry(bool on);
    void updateDateTimeVisibility();
    bool runStore();
    bool editedQsoStillLogged();
    void endEdit();
    void showAppended(const QString &line);
    bool fieldsFitTheRecord();

    Services &m_services;
    const ActivationContext &m_activation;
    EntrySettings m_settings;
    EntryState m_state;
    EntryForm m_form;
    std::unique_ptr<EntryMenus> m_menus;
    ClockPanel *m_clock = nullptr;
    EntryKeyFlow *m_keyFlow = nullptr;
    QsoStore m_store;
    FirstNameUpdate m_firstNameUpdate;
    TallyRefresh m_tallyRefresh;
    QString m_modeBeforeEdit;
    QString m_bandBeforeEdit;
    CurrentLog m_currentLog;
};

} // namespace orvel
