// The controls of the setup window and their layout: title band, left button panel, list of
// the activations in the middle, the nine fields with their captions and examples on the
// right, and the date separator menu.
#pragma once

#include "SetupRules.h"

#include <QString>
#include <array>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QMainWindow;
class QMenu;
class QPushButton;
class QStringListModel;
class QWidget;

namespace orvel {

class SetupForm
{
public:
    // Creates every control as a child of window, with its name, caption and initial look.
    explicit SetupForm(QMainWindow *window);

    QWidget *field(SetupField which) const;
    QString text(SetupField which) const;
    void setText(SetupField which, const QString &text);
    // The line edit of a field; the type's is the combo box's own.
    QLineEdit *lineEdit(SetupField which) const;

    QFrame *Frame1;
    QLabel *Label2;
    QFrame *Frame3;
    QLabel *Label23;
    QPushButton *Creer;
    QPushButton *Ajout;
    QPushButton *Termine;
    QLabel *Label24;
    QLineEdit *Nb_Multi;
    QPushButton *Saisie_des_QSO;
    QPushButton *RAZ;
    QLabel *Label17;
    QListView *Liste_Activite;
    QStringListModel *listModel;
    QListWidget *Liste_Activite_Fin;
    QListWidget *Liste_Activite_Bis;
    QFrame *Frame2;
    QLabel *Label16;

    QLineEdit *Activeur;
    QLineEdit *Logger;
    QLineEdit *Num_Activite;
    QLineEdit *Nom_Activite;
    QLineEdit *Num_Canton;
    QLineEdit *Num_CP;
    QLineEdit *Nom_Commune;
    QComboBox *Type_Activite;
    QLineEdit *Date_Activite;

    QMenu *Mnu_Sep;
    QAction *Mnu_Sep_Oui;
    QAction *Mnu_Sep_Non;
    QLabel *folderLabel;

private:
    void buildTitle(QWidget *parent);
    void buildLeftPanel(QWidget *parent);
    void buildList(QWidget *parent);
    void buildFields(QWidget *parent);
    void buildMenu(QMainWindow *window);
    void setTabOrder();

    std::array<QWidget *, kSetupFieldCount> m_fields{};
};

} // namespace orvel
