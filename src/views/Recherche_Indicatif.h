// The QSO search: by call sign (part of it), date or département over the entry window's list
// of the current log; a result picked is selected in the entry window.
#pragma once

#include "QsoSearch.h"

#include <QWidget>
#include <optional>
#include <utility>

class QLabel;
class QLineEdit;
class QListView;
class QModelIndex;
class QPushButton;
class QRadioButton;
class QStringListModel;

namespace orvel {

class Dialogs;
class Session;

class Recherche_Indicatif : public QWidget
{
    Q_OBJECT
public:
    Recherche_Indicatif(Dialogs &dialogs, Session &session, QWidget *parent = nullptr);

    QLabel *Label3 = nullptr;
    QRadioButton *Option1_1 = nullptr; // Indicatif
    QRadioButton *Option1_2 = nullptr; // Date
    QRadioButton *Option1_3 = nullptr; // Dpt
    QLineEdit *Indica = nullptr;
    QLineEdit *Data = nullptr;
    QLineEdit *Depa = nullptr;
    QListView *QSO_Effectues = nullptr;
    QLabel *Nb_QSO = nullptr; // "N QSO trouvé(s)"
    QPushButton *Command1 = nullptr;

signals:
    // The row of the entry window's list to select, as a click there does.
    void qsoPicked(int row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    QWidget *buildColumnHeaders();
    QLineEdit *boxOf(SearchOption option) const;
    QRadioButton *optionOf(SearchOption option) const;
    SearchOption selectedOption() const;
    void onBoxReturn(SearchOption box);
    void runSearch();
    void refreshResults();
    void onResultClicked(const QModelIndex &index);
    void showResults(const QStringList &entries);

    Dialogs &m_dialogs;
    Session &m_session;
    // The option and key of the search shown, run again when the log changes.
    std::optional<std::pair<SearchOption, QString>> m_lastSearch;
    QStringListModel *m_model = nullptr;
};

} // namespace orvel
