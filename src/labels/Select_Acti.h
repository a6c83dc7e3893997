// "Selection activités": which of the open activations the labels name, one or two per
// label. "Impression etiquettes" checks the choice and opens Etiquettes. The choice is written
// into the label job as it is made, where a run reads it.
#pragma once

#include "LabelJob.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace orvel {

class Etiquettes;
class Session;
struct Services;

class Select_Acti : public QWidget
{
    Q_OBJECT
public:
    Select_Acti(Services &services, Session &session, std::shared_ptr<LabelJob> job,
                QWidget *parent = nullptr);

    // The window this one opened, while it is open.
    Etiquettes *labelWindow() const;

private slots:
    void onActivitesChanged();
    void onOptionToggled();
    void onCommand1Clicked();

private:
    Services &m_services;
    Session &m_session;
    std::shared_ptr<LabelJob> m_job;
    QLabel *NB_Acti;
    QListWidget *Activites;
    QRadioButton *Option1;
    QRadioButton *Option2;
    QPushButton *Command1;
    QPointer<Etiquettes> m_labels;
};

} // namespace orvel
