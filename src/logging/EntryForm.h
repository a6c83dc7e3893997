// The controls of the QSO entry window, built and laid out in one place; the window and its
// key flow reach them by these members (each also carries its objectName).
#pragma once

#include "RetypeRule.h"

#include <QList>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QObject;
class QTableView;
class QPushButton;
namespace orvel {
class LogListModel;
}
class QWidget;

namespace orvel {

class DepartmentGrid;
class Dialogs;

struct EntryForm {
    // Entry fields, in entry order.
    QLineEdit *Num_Q = nullptr;
    QLineEdit *Ope_Q = nullptr;
    QLineEdit *Indi_Q = nullptr;
    QLineEdit *Dpt_Q = nullptr;
    QLineEdit *Prenom_Q = nullptr;
    QLineEdit *QRKR_Q = nullptr;
    QLineEdit *QRKE_Q = nullptr;
    QLineEdit *Observation_Q = nullptr;
    QLineEdit *Date_Q = nullptr;
    QLineEdit *Heure_Q = nullptr;
    QComboBox *Mode_Q = nullptr;
    QComboBox *Bande_Q = nullptr;

    QPushButton *Valide_Q = nullptr;
    QPushButton *Annule_Q = nullptr;
    QPushButton *Edite_QSO = nullptr;
    QPushButton *Efface_QSO = nullptr;
    QPushButton *Recupere = nullptr;
    QPushButton *Ajout_QSO = nullptr;
    QPushButton *Recherche = nullptr;

    QTableView *Liste_QSO = nullptr;
    LogListModel *listModel = nullptr; // set by the window, on its session
    QLabel *Entete = nullptr;
    QLineEdit *Tot_Oper = nullptr;

    QLabel *Label1 = nullptr;          // activation title
    QLabel *Label3 = nullptr;          // open references
    QLabel *Label8 = nullptr;          // canton
    QLabel *Label4 = nullptr;          // postal code
    QLabel *Label21 = nullptr;         // commune
    QLabel *Label37 = nullptr;         // UTC clock
    QLabel *Label34 = nullptr;         // local clock
    QLabel *Label33 = nullptr;         // Date_Courante
    QLabel *Label10 = nullptr;         // "Date"
    QLabel *Label6 = nullptr;          // "Heure"
    QLabel *insertIndicator = nullptr; // "Mode Ajout d'un QSO" while inserting

    DepartmentGrid *Dpt = nullptr;

    // The control of each field of the entry row, and the field of a control.
    QWidget *widget(EntryField field) const;
    std::optional<EntryField> fieldOf(const QObject *control) const;
    // The controls whose keys the entry hears: every field but the operator, and Valide_Q.
    QList<QWidget *> keyWidgets() const;

    // Builds every control into central, with the fields' character refusal reported through
    // dialogs.
    static EntryForm build(QWidget *central, Dialogs &dialogs);
};

} // namespace orvel
