#include "SetupForm.h"

#include "widgets/Fonts.h"
#include "widgets/FormWidgets.h"
#include "widgets/Palette.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStringListModel>
#include <QVBoxLayout>

namespace orvel {

namespace {

QLabel *label(QWidget *parent, const QString &name, const QString &text)
{
    return namedLabel(parent, name, text);
}

void paintRed(QLabel *label)
{
    paintText(label, kRed);
}

QPushButton *button(QWidget *parent, const QString &name, const QString &text)
{
    auto *result = namedButton(parent, name, text);
    // Enter presses the button that has the focus, as space does.
    result->setAutoDefault(true);
    result->setMinimumHeight(34);
    return result;
}

QFont sansSerif(int pointSize, bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

SetupForm::SetupForm(QMainWindow *window)
{
    auto *central = named(new QWidget(window), QStringLiteral("centralWidget"));
    window->setCentralWidget(central);
    auto *outer = new QVBoxLayout(central);
    outer->setContentsMargins(10, 10, 10, 6);
    outer->setSpacing(10);

    buildTitle(central);
    outer->addWidget(Frame1);

    auto *body = new QHBoxLayout;
    body->setSpacing(12);
    buildLeftPanel(central);
    buildList(central);
    buildFields(central);
    body->addWidget(Frame3);
    auto *middle = new QVBoxLayout;
    middle->addWidget(Label17);
    middle->addWidget(Liste_Activite, 1);
    body->addLayout(middle, 1);
    body->addWidget(Frame2);
    outer->addLayout(body, 1);

    buildMenu(window);
    folderLabel = named(new QLabel(window), QStringLiteral("folderLabel"));
    window->statusBar()->addWidget(folderLabel, 1);
    setTabOrder();
}

void SetupForm::buildTitle(QWidget *parent)
{
    Frame1 = named(new QFrame(parent), QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    Frame1->setFrameShadow(QFrame::Raised);
    Label2 =
        label(Frame1, QStringLiteral("Label2"), QStringLiteral("ENREGISTREMENT DES ACTIVATIONS"));
    Label2->setFont(sansSerif(12, true));
    Label2->setAlignment(Qt::AlignCenter);
    auto *layout = new QHBoxLayout(Frame1);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(Label2);
}

void SetupForm::buildLeftPanel(QWidget *parent)
{
    Frame3 = named(new QFrame(parent), QStringLiteral("Frame3"));
    Frame3->setFrameShape(QFrame::StyledPanel);
    Frame3->setFixedWidth(290);
    Label23 = label(Frame3, QStringLiteral("Label23"),
                    QStringLiteral("Ouvrez une activation existante ou ..."));
    Label23->setWordWrap(true);
    Creer = button(Frame3, QStringLiteral("Creer"),
                   QStringLiteral("Creer une ou plusieurs    activations"));
    Ajout = button(Frame3, QStringLiteral("Ajout"), QStringLiteral("Ajouter une activation"));
    Termine = button(Frame3, QStringLiteral("Termine"), QStringLiteral("Terminé"));
    Label24 = label(Frame3, QStringLiteral("Label24"), QStringLiteral("Nb Ref"));
    Nb_Multi = named(new QLineEdit(QStringLiteral("0"), Frame3), QStringLiteral("Nb_Multi"));
    Nb_Multi->setReadOnly(true);
    Nb_Multi->setFocusPolicy(Qt::NoFocus);
    Nb_Multi->setFont(sansSerif(12, true));
    Nb_Multi->setAlignment(Qt::AlignCenter);
    Nb_Multi->setFixedWidth(60);
    // The counter is read-only and disabled, yet must stay readable.
    QPalette counterPalette = Nb_Multi->palette();
    counterPalette.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
    Nb_Multi->setPalette(counterPalette);
    Saisie_des_QSO =
        button(Frame3, QStringLiteral("Saisie_des_QSO"), QStringLiteral("Saisie des QSO"));
    RAZ = button(Frame3, QStringLiteral("RAZ"), QStringLiteral("RAZ de l' activation"));

    auto *layout = new QVBoxLayout(Frame3);
    layout->setSpacing(8);
    layout->addWidget(Label23);
    layout->addWidget(Creer);
    layout->addWidget(Ajout);
    layout->addWidget(Termine);
    auto *count = new QHBoxLayout;
    count->addStretch(1);
    count->addWidget(Label24);
    count->addWidget(Nb_Multi);
    count->addStretch(1);
    layout->addLayout(count);
    layout->addSpacing(12);
    layout->addWidget(Saisie_des_QSO);
    layout->addWidget(RAZ);
    layout->addStretch(1);
}

void SetupForm::buildList(QWidget *parent)
{
    Label17 = label(parent, QStringLiteral("Label17"), QStringLiteral(" Activations existantes"));
    paintRed(Label17);
    Liste_Activite = named(new QListView(parent), QStringLiteral("Liste_Activite"));
    listModel = new QStringListModel(Liste_Activite);
    Liste_Activite->setModel(listModel);
    Liste_Activite->setUniformItemSizes(true);
    Liste_Activite->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Liste_Activite->setSelectionMode(QAbstractItemView::SingleSelection);
    Liste_Activite->setFont(letterGothic(8.25));
    Liste_Activite->setMinimumWidth(180);
    paintBackground(Liste_Activite, kLightYellow);
    Liste_Activite_Fin = named(new QListWidget(parent), QStringLiteral("Liste_Activite_Fin"));
    Liste_Activite_Fin->hide();
    Liste_Activite_Bis = named(new QListWidget(parent), QStringLiteral("Liste_Activite_Bis"));
    Liste_Activite_Bis->hide();
}

void SetupForm::buildFields(QWidget *parent)
{
    Frame2 = named(new QFrame(parent), QStringLiteral("Frame2"));
    Frame2->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(Frame2);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);

    struct Row {
        QString caption, captionText, example, exampleText;
        bool redExample;
    };
    const std::array<Row, kSetupFieldCount> rows = {{
        {"Label6", "Indicatif de l'activeur *", "Label15", "ex: Q4XYZ/P", false},
        {"Label21", "Logger (euse)", "Label20", "ex: Q4ABC", false},
        {"Label7", "N° de l'Activation *", "Label14", "ex: DFCF ", true},
        {"Label8", "Nom de l'Activation *", "Label13", "ex: Chateau de Sassenot", false},
        {"Label19", "N° du Canton", "Label18", "ex 7625", false},
        {"Label3", "N° du Code Postal *", "Label11", "ex: 76540", false},
        {"Label4", "Nom de la Commune *", "Label12", "ex: Sassenot sur seine", false},
        {"Label1", "Type de l'Activation *", "Label10", "ex: Activation/Réactivation", false},
        {"Label9", "Date de l'Activation *", "Label5", "ex: 12/11/05", false},
    }};
    const std::array<int, kSetupFieldCount> widths = {110, 110, 150, 260, 60, 70, 230, 140, 90};

    for (int i = 0; i < kSetupFieldCount; ++i) {
        const SetupField which = setupFieldAt(i);
        const QString name = setupFieldRule(which).objectName;
        QWidget *input = nullptr;
        if (which == SetupField::TypeActivite) {
            auto *combo = named(new QComboBox(Frame2), name);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            input = combo;
        } else {
            input = named(new QLineEdit(Frame2), name);
        }
        input->setFixedWidth(widths.at(i));
        paintBackground(input, kLightYellow);
        m_fields.at(i) = input;

        auto *caption = label(Frame2, rows.at(i).caption, rows.at(i).captionText);
        caption->setBuddy(input);
        auto *example = label(Frame2, rows.at(i).example, rows.at(i).exampleText);
        if (rows.at(i).redExample)
            paintRed(example);
        grid->addWidget(caption, i, 0, Qt::AlignRight);
        grid->addWidget(input, i, 1, Qt::AlignLeft);
        grid->addWidget(example, i, 2, Qt::AlignLeft);
    }
    Label16 =
        label(Frame2, QStringLiteral("Label16"), QStringLiteral(" (*)  Informations Obligatoires"));
    paintRed(Label16);
    grid->addWidget(Label16, kSetupFieldCount, 0, 1, 3, Qt::AlignLeft);
    grid->setRowStretch(kSetupFieldCount + 1, 1);
    grid->setColumnStretch(2, 1);

    Activeur = static_cast<QLineEdit *>(m_fields.at(0));
    Logger = static_cast<QLineEdit *>(m_fields.at(1));
    Num_Activite = static_cast<QLineEdit *>(m_fields.at(2));
    Nom_Activite = static_cast<QLineEdit *>(m_fields.at(3));
    Num_Canton = static_cast<QLineEdit *>(m_fields.at(4));
    Num_CP = static_cast<QLineEdit *>(m_fields.at(5));
    Nom_Commune = static_cast<QLineEdit *>(m_fields.at(6));
    Type_Activite = static_cast<QComboBox *>(m_fields.at(7));
    Date_Activite = static_cast<QLineEdit *>(m_fields.at(8));
}

void SetupForm::buildMenu(QMainWindow *window)
{
    Mnu_Sep = named(window->menuBar()->addMenu(QStringLiteral("&Séparateur date  \"/ \" Auto")),
                    QStringLiteral("Mnu_Sep"));
    Mnu_Sep_Oui = named(Mnu_Sep->addAction(QStringLiteral("&Oui")), QStringLiteral("Mnu_Sep_Oui"));
    Mnu_Sep_Non = named(Mnu_Sep->addAction(QStringLiteral("&Non")), QStringLiteral("Mnu_Sep_Non"));
    auto *group = new QActionGroup(Mnu_Sep);
    group->setExclusive(true);
    for (QAction *action : {Mnu_Sep_Oui, Mnu_Sep_Non}) {
        action->setCheckable(true);
        group->addAction(action);
    }
    Mnu_Sep_Oui->setChecked(true);
}

void SetupForm::setTabOrder()
{
    QList<QWidget *> chain = {Creer, Ajout, Termine, Saisie_des_QSO, RAZ, Liste_Activite};
    for (QWidget *input : m_fields)
        chain.append(input);
    chainTabOrder(chain);
}

QWidget *SetupForm::field(SetupField which) const
{
    return m_fields.at(static_cast<std::size_t>(which));
}

QLineEdit *SetupForm::lineEdit(SetupField which) const
{
    if (which == SetupField::TypeActivite)
        return Type_Activite->lineEdit();
    return static_cast<QLineEdit *>(field(which));
}

QString SetupForm::text(SetupField which) const
{
    return lineEdit(which)->text();
}

void SetupForm::setText(SetupField which, const QString &text)
{
    if (which == SetupField::TypeActivite)
        Type_Activite->setEditText(text);
    else
        lineEdit(which)->setText(text);
}

} // namespace orvel
