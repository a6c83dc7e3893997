// The QSO entry window: keyboard-driven entry of one QSO at a time into every open activation's
// log, the list of the current log, the clocks and the menus that open the other windows.
//
// Other windows are opened by the application, never from here: every menu item of
// EntryMenus::windowItems() (Mnu_ADIF, Mnu_C_Trafic, Mnu_Aff_Log, Mnu_Log_Alpha,
// Mnu_Pays_Contacte, Histo_Acti, Mnu_Liste_Op, Mnu_Etiquettes, Mnu_Dpt_Cont, Mnu_Historique,
// Mnu_Mode_Emploi, Mnu_Maj, Mnu_A_Propos) and the Recherche button emit
// windowRequested(objectName); the receiver opens that window modeless.
//
// What the entry holds (the QSO being typed, the mode, the retype option, the chosen line)
// lives in the window's QsoEntry; the window shows it and hands it the operator's keys and
// clicks. Edite_QSO, Efface_QSO, Recupere, Ajout_QSO and Annule_Q go to the entry too.
//
// The window works on the Session it was opened with: the current activation, the open
// references and the current log. A new hand-over opens a new window.
//
// The call-sign step's services (already-worked check, first-name lookup) and the first-name
// update of every store are installed from the first-name memory; the départements tally is
// given with setTallyRefresh(). Each can be replaced through entry().
#pragma once

#include "ClockPanel.h"
#include "EntryForm.h"
#include "QsoEntry.h"
#include "records/FirstNames.h"

#include <QMainWindow>
#include <memory>

namespace orvel {

class DepartmentGrid;
class EntryDigital;
class EntryRadio;
struct EntryMenus;
class Session;
struct Services;

class Saisie_QSO : public QMainWindow
{
    Q_OBJECT
public:
    // Runs the whole load sequence: lists and remembered choices, activation texts, the log in
    // the list with its last line selected, Num_Q, Tot_Oper, caption, focus on Indi_Q. The
    // caller shows the window.
    Saisie_QSO(Services &services, Session &session, QWidget *parent = nullptr);
    ~Saisie_QSO() override;

    QsoEntry &entry() { return *m_entry; }
    const EntryState &state() const { return m_entry->state(); }
    const EntryForm &form() const { return m_form; }
    // The 98 département indicators, for the départements tally.
    DepartmentGrid *departmentGrid() const;
    ClockPanel &clock() { return *m_clock; }
    // The radio the window follows (none until one is chosen in Setup > Radio).
    EntryRadio &radio() { return *m_radio; }
    // The QSOs of WSJT-X and JTDX (Setup > WSJT-X / JTDX).
    EntryDigital &digital() { return *m_digital; }
    TimeBase timeBase() const { return m_clock->timeBase(); }

    // Filled by the départements tally: recolours departmentGrid() for a band and mode. It
    // runs at once, since the window's load has already asked for it.
    void setTallyRefresh(TallyRefresh refresh) { m_entry->setTallyRefresh(std::move(refresh)); }

    void selectLastLine();
    // Selects the QSO at row of Liste_QSO as a click there does (the search's pick).
    void selectQso(int row);
    // The title above the list (Entete), which the ADIF export changes while it runs.
    void showListHeading(const QString &text);
    // The column headings above the list, as the window opens with them.
    void showColumnHeadings();
    // Fichiers → "Importer un fichier ADIF…": a file chosen through the dialogs, then the import
    // window on it (Import_ADIF), which puts the file's QSOs into every open log.
    void importAdif();

public slots:
    // One clock second.
    void clockTick() { m_clock->tick(); }

signals:
    void windowRequested(const QString &objectName);
    // The window was closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Coming back to the window (Alt+Tab, a click, a view closed) puts the keyboard on the
    // field being typed, the call sign between two QSOs, wherever the focus was left (a
    // button, the list); a correction or an insertion keeps the focus where it is.
    void changeEvent(QEvent *event) override;

private:
    void load();
    void connectMenus();
    void connectEntry();
    void connectSession();
    void installFirstNameMemory();
    void onListSelection();
    void showText(EntryField field);
    void showLook(EntryField field);
    void showMode();
    void showRetypeMode();

    Services &m_services;
    Session &m_session;
    EntryForm m_form;
    std::unique_ptr<EntryMenus> m_menus;
    QsoEntry *m_entry = nullptr;
    ClockPanel *m_clock = nullptr;
    EntryRadio *m_radio = nullptr;
    EntryDigital *m_digital = nullptr;
    FirstNames m_firstNames;
};

} // namespace orvel
