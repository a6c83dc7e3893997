// "Selection QSO": the QSOs of the current log in a sorted list; a click moves a QSO to the
// list of QSOs to print and back, "Tout séléctionner" moves them all. The log's entries are
// made at the opening and sorted once on a thread of their own, so the window stays usable
// while a long log is sorted; the list then takes them in one go. "Vers page selection
// activités" opens Select_Acti on the same label job.
#pragma once

#include "LabelJob.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QListView;
class QModelIndex;
class QPushButton;
class QThread;

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
    ~Select_QSO() override;

    // Whether the entries of the log are still being sorted.
    bool isLoading() const { return m_sorter != nullptr; }
    // The window this one opened, while it is open.
    Select_Acti *activationWindow() const;

    // Up to this many QSOs the list is sorted at once, in less time than a thread takes to
    // be worth it; a longer log is sorted beside the window.
    static constexpr qsizetype kSortedAtOnce = 20000;

signals:
    void loaded();

private slots:
    void onListeQsoClicked(const QModelIndex &index);
    void onListeImprimeClicked(const QModelIndex &index);
    void onSelectAllClicked();
    void onImpressionClicked();

private:
    void sortEntries(QStringList entries);
    void onEntriesSorted();
    void tellMissingLog();

    Services &m_services;
    Session &m_session;
    std::shared_ptr<LabelJob> m_job;
    // The sort under way and where it leaves its entries.
    QThread *m_sorter = nullptr;
    std::shared_ptr<QStringList> m_sorted;
    QListView *Liste_QSO;
    QListView *Liste_Imprime;
    QPushButton *Select_All;
    QPushButton *Impression;
    QPointer<Select_Acti> m_activations;
};

} // namespace orvel
