// "L'historique des activations": every registered activation with the number of QSOs in its
// log, the newest registration first. Read-only; it follows every change the session makes or
// sees to the open logs.
#pragma once

#include <QWidget>

class QLabel;
class QTableWidget;
class QTimer;

namespace orvel {

class Session;

class Histo_Acti : public QWidget
{
    Q_OBJECT

public:
    explicit Histo_Acti(Session &session, QWidget *parent = nullptr);

    // Reads the list file and the logs again.
    void reload();

private:
    // Changes that come together (an import, a deletion in three logs) are read once.
    void reloadSoon();

    QString m_folder;
    QTimer *m_reload;
    QTableWidget *m_table;
    QLabel *m_summary;
};

} // namespace orvel
