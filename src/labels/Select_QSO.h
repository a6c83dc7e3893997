// "Selection QSO": the QSOs of the current log in a sorted list; a click moves a QSO to the
// list of QSOs to print and back, "Tout séléctionner" moves them all. The lists follow the
// log: a QSO stored or inserted joins the list of QSOs not chosen, a deleted one leaves
// whichever list holds it, a changed one keeps its list, and after the log was read again
// whole the chosen QSOs still in it stay chosen. A long log is sorted on a thread of its own,
// so the window stays usable; the lists then take it in one go. "Vers page selection
// activités" opens Select_Acti on the same label job.
#pragma once

#include "LabelJob.h"
#include "SelectionEntry.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QListView;
class QModelIndex;
class QPushButton;

namespace orvel {

class Select_Acti;
class Session;
struct Services;

class Select_QSO : public QWidget
{
    Q_OBJECT
public:
    // remembered: the activation texts of the program's earlier label runs.
    Select_QSO(Services &services, Session &session,
               std::shared_ptr<RememberedActivations> remembered, QWidget *parent = nullptr);

    const std::shared_ptr<LabelJob> &job() const { return m_job; }

    // Whether the entries of the log are still being sorted.
    bool isLoading() const { return m_sorting != 0; }
    // The window this one opened, while it is open.
    Select_Acti *activationWindow() const;

    // Up to this many QSOs the list is sorted at once, in less time than a thread takes to
    // be worth it; a longer log is sorted beside the window.
    static constexpr qsizetype kSortedAtOnce = 20000;
    // Up to this many QSOs changed at once are moved in the lists one by one; more make the
    // lists again.
    static constexpr qsizetype kFollowedOneByOne = 100;

signals:
    void loaded();

private slots:
    void onListeQsoClicked(const QModelIndex &index);
    void onListeImprimeClicked(const QModelIndex &index);
    void onSelectAllClicked();
    void onImpressionClicked();

private:
    // Makes both lists again from the log, the chosen QSOs kept chosen.
    void reload();
    void showLists(const std::shared_ptr<const LogRows> &rows, SelectionLists lists);
    void setLoading(quint64 generation);
    void followLog();
    void onRowsInserted(qsizetype first, qsizetype last);
    void onRowsRemoved(qsizetype first, qsizetype last);
    void onRowsChanged(qsizetype first, qsizetype last);
    void onLogReset();
    void tellMissingLog();

    Services &m_services;
    Session &m_session;
    std::shared_ptr<LabelJob> m_job;
    // Each making of the lists is numbered; only the last one started is shown.
    quint64 m_generation = 0;
    quint64 m_sorting = 0;
    // The log was read again whole: the chosen QSOs are found again by their entries, until
    // lists made since are shown.
    bool m_matchEntries = false;
    QListView *Liste_QSO;
    QListView *Liste_Imprime;
    QPushButton *Select_All;
    QPushButton *Impression;
    QPointer<Select_Acti> m_activations;
};

} // namespace orvel
