// "L'historique des activations": every registered activation with the number of QSOs in its
// log, the newest registration first. Read-only.
#pragma once

#include <QWidget>

class QLabel;
class QTableWidget;

namespace orvel {

class Histo_Acti : public QWidget
{
    Q_OBJECT

public:
    explicit Histo_Acti(const QString &workingDirectory, QWidget *parent = nullptr);

    // Reads the list file and the logs again.
    void reload();

private:
    QString m_folder;
    QTableWidget *m_table;
    QLabel *m_summary;
};

} // namespace orvel
