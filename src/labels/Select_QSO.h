// "Selection QSO": the QSOs of the current log in a sorted list; a click moves a QSO to the
// list of QSOs to print and back, "Tout séléctionner" moves them all. A long log is read in
// slices between events, so the window stays usable while it loads. "Vers page selection
// activités" opens Select_Acti on the same label job.
#pragma once

#include "LabelJob.h"

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
    bool isLoading() const { return m_next < m_lines.size(); }
    // The window this one opened, while it is open.
    Select_Acti *activationWindow() const;

    // Lines read per slice of the loading.
    static constexpr qsizetype kLinesPerSlice = 2000;

signals:
    void loaded();

private slots:
    void onListeQsoClicked(const QModelIndex &index);
    void onListeImprimeClicked(const QModelIndex &index);
    void onSelectAllClicked();
    void onImpressionClicked();

private:
    void loadNextSlice();
    void tellMissingLog();

    Services &m_services;
    Session &m_session;
    std::shared_ptr<LabelJob> m_job;
    QStringList m_lines;
    qsizetype m_next = 0;
    QListView *Liste_QSO;
    QListView *Liste_Imprime;
    QPushButton *Select_All;
    QPushButton *Impression;
    QPointer<Select_Acti> m_activations;
};

} // namespace orvel
