// The alphanumeric log: the current log sorted by call sign, each QSO line once, numbered,
// and its listing saved to one file per open activation, named after the activation date.
#pragma once

#include <QWidget>

class QLabel;
class QListView;
class QPushButton;

namespace orvel {

class ListingModel;
class Session;
struct Services;

class Log_Alpha : public QWidget
{
    Q_OBJECT
public:
    Log_Alpha(Services &services, Session &session, QWidget *parent = nullptr);

    QLabel *Label3 = nullptr;
    QLabel *Label2 = nullptr;
    QListView *Log_Alphanum = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QPushButton *Enregistrer = nullptr;

private:
    void build();
    void load();
    void onQsoAppended(const QString &line);
    void onEnregistrerClicked();

    Services &m_services;
    Session &m_session;
    ListingModel *m_model = nullptr;
};

} // namespace orvel
