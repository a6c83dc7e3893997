// The alphanumeric log: the current log sorted by call sign, each QSO line once, numbered,
// and its listing saved to one file per open activation, named after the activation date. A
// long log is sorted on a thread of its own: the window shows at once and stays usable, and
// the list takes the sorted log in one go.
#pragma once

#include <QWidget>

class QLabel;
class QListView;
class QPushButton;

namespace orvel {

class OrderedLogModel;
class Session;
struct Services;

class Log_Alpha : public QWidget
{
    Q_OBJECT
public:
    Log_Alpha(Services &services, Session &session, QWidget *parent = nullptr);

    // Whether the log is still being sorted.
    bool isLoading() const { return m_sorting != 0; }

    // Up to this many QSOs the log is sorted at once, in less time than a thread takes to be
    // worth it.
    static constexpr qsizetype kSortedAtOnce = 20000;

    QLabel *Label3 = nullptr;
    QLabel *Label2 = nullptr;
    QListView *Log_Alphanum = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QPushButton *Enregistrer = nullptr;

private:
    void build();
    void load();
    void onQsoAppended();
    void onEnregistrerClicked();

    Services &m_services;
    Session &m_session;
    OrderedLogModel *m_model = nullptr;
    // Each sort is numbered; only the last one started is shown.
    quint64 m_generation = 0;
    quint64 m_sorting = 0;
};

} // namespace orvel
