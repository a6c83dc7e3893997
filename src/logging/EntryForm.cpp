#include "EntryForm.h"

#include "DepartmentGrid.h"
#include "EntryLineEdit.h"
#include "EntryRules.h"
#include "widgets/ColumnHeading.h"
#include "widgets/Fonts.h"
#include "widgets/FormWidgets.h"
#include "widgets/LongList.h"
#include "widgets/Palette.h"
#include "records/QsoLine.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace orvel {

namespace {

const QString kStoreKeysTip = QStringLiteral(
    "Si tout est correct, appuyez sur la touche \"+\", F10\", \"F11\", F12\", \"F13\"  ou sur le "
    "bouton validez");

QLabel *label(QWidget *parent, const char *name, const QString &caption = {})
{
    return namedLabel(parent, QLatin1String(name), caption);
}

// A field wide enough for its longest value in the window's font.
QLineEdit *field(QWidget *parent, const char *name, int characters, Dialogs &dialogs)
{
    auto *edit = named(new QLineEdit(parent), name);
    edit->setMinimumWidth(
        edit->fontMetrics().horizontalAdvance(QString(characters + 1, QLatin1Char('W'))) + 8);
    refuseUnwritableCharacters(edit, dialogs);
    paintBackground(edit, kLightYellow);
    return edit;
}

QComboBox *list(QWidget *parent, const char *name, const QStringList &items, Dialogs &dialogs)
{
    auto *combo = named(new QComboBox(parent), name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    refuseUnwritableCharacters(combo->lineEdit(), dialogs);
    paintBackground(combo, kLightYellow);
    return combo;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption,
                    const QString &tip = {})
{
    auto *push = namedButton(parent, QLatin1String(name), caption);
    push->setToolTip(tip);
    push->setAutoDefault(false);
    return push;
}

} // namespace

QWidget *EntryForm::widget(EntryField field) const
{
    switch (field) {
    case EntryField::Call:
        return Indi_Q;
    case EntryField::Department:
        return Dpt_Q;
    case EntryField::FirstName:
        return Prenom_Q;
    case EntryField::ReportReceived:
        return QRKR_Q;
    case EntryField::ReportSent:
        return QRKE_Q;
    case EntryField::Remarks:
        return Observation_Q;
    case EntryField::Date:
        return Date_Q;
    case EntryField::Time:
        return Heure_Q;
    case EntryField::Operator:
        return Ope_Q;
    case EntryField::Mode:
        return Mode_Q;
    case EntryField::Band:
        return Bande_Q;
    case EntryField::Store:
        return Valide_Q;
    }
    return nullptr;
}

std::optional<EntryField> EntryForm::fieldOf(const QObject *control) const
{
    for (int i = 0; i <= int(EntryField::Store); ++i) {
        if (widget(EntryField(i)) == control)
            return EntryField(i);
    }
    return std::nullopt;
}

QList<QWidget *> EntryForm::keyWidgets() const
{
    return {Indi_Q, Dpt_Q, Prenom_Q, QRKR_Q, QRKE_Q, Observation_Q, Date_Q, Heure_Q,
            Mode_Q, Bande_Q, Valide_Q};
}

EntryForm EntryForm::build(QWidget *central, Dialogs &dialogs)
{
    EntryForm f;
    auto *top = new QVBoxLayout(central);

    // Activation and clocks.
    auto *header = new QHBoxLayout;
    auto *frame1 = named(new QGroupBox(central), "Frame1");
    auto *frame1Layout = new QVBoxLayout(frame1);
    f.Label1 = label(frame1, "Label1");
    QFont titleFont = f.Label1->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    f.Label1->setFont(titleFont);
    frame1Layout->addWidget(f.Label1);
    header->addWidget(frame1, 3);

    auto *frame2 = named(new QGroupBox(QStringLiteral("Activité(s)"), central), "Frame2");
    auto *frame2Layout = new QGridLayout(frame2);
    f.Label3 = label(frame2, "Label3");
    f.Label3->setWordWrap(true);
    frame2Layout->addWidget(f.Label3, 0, 0, 1, 6);
    frame2Layout->addWidget(label(frame2, "Label9", QStringLiteral("N° du Canton :")), 1, 0);
    f.Label8 = label(frame2, "Label8");
    frame2Layout->addWidget(f.Label8, 1, 1);
    frame2Layout->addWidget(label(frame2, "Label7", QStringLiteral("N° du C P :")), 1, 2);
    f.Label4 = label(frame2, "Label4");
    frame2Layout->addWidget(f.Label4, 1, 3);
    frame2Layout->addWidget(label(frame2, "Label19", QStringLiteral("Commune :")), 1, 4);
    f.Label21 = label(frame2, "Label21");
    frame2Layout->addWidget(f.Label21, 1, 5);
    header->addWidget(frame2, 3);

    auto *clocks = new QVBoxLayout;
    QFont clockFont = f.Label1->font();
    f.Label37 = label(central, "Label37");
    f.Label34 = label(central, "Label34");
    f.Label33 = label(central, "Label33");
    for (QLabel *clock : {f.Label37, f.Label34, f.Label33}) {
        clock->setFont(clockFont);
        clock->setMinimumWidth(
            clock->fontMetrics().horizontalAdvance(QStringLiteral("00:00 Utc ")));
        clocks->addWidget(clock);
    }
    QLabel *signature = label(central, "Label18", QStringLiteral("Q1BRV"));
    signature->setEnabled(false);
    clocks->addWidget(signature);
    header->addLayout(clocks, 1);
    top->addLayout(header);

    // The row of entry fields under their captions.
    auto *entry = new QGridLayout;
    int column = 0;
    auto addField = [&](const char *captionName, const QString &caption, QWidget *widget) {
        QLabel *captionLabel = label(central, captionName, caption);
        entry->addWidget(captionLabel, 0, column);
        entry->addWidget(widget, 1, column);
        ++column;
        return captionLabel;
    };
    f.Num_Q = field(central, "Num_Q", 5, dialogs);
    f.Num_Q->setReadOnly(true);
    f.Num_Q->setFocusPolicy(Qt::NoFocus);
    f.Ope_Q = field(central, "Ope_Q", 8, dialogs);
    f.Indi_Q = field(central, "Indi_Q", 9, dialogs);
    f.Dpt_Q = field(central, "Dpt_Q", 2, dialogs);
    f.Prenom_Q = field(central, "Prenom_Q", 10, dialogs);
    f.QRKR_Q = field(central, "QRKR_Q", 3, dialogs);
    f.QRKE_Q = field(central, "QRKE_Q", 3, dialogs);
    f.Observation_Q = field(central, "Observation_Q", 16, dialogs);
    f.Date_Q = field(central, "Date_Q", 7, dialogs);
    f.Heure_Q = field(central, "Heure_Q", 5, dialogs);
    f.Mode_Q = list(central, "Mode_Q", entryModes(), dialogs);
    f.Bande_Q = list(central, "Bande_Q", entryBands(), dialogs);
    for (QLineEdit *tipped : {f.Prenom_Q, f.Dpt_Q, f.QRKR_Q, f.QRKE_Q})
        tipped->setToolTip(kStoreKeysTip);
    f.QRKR_Q->setText(QStringLiteral("59"));
    f.QRKE_Q->setText(QStringLiteral("59"));
    for (QLineEdit *idle : {f.Dpt_Q, f.Prenom_Q, f.QRKR_Q, f.QRKE_Q, f.Observation_Q})
        idle->setEnabled(false);

    addField("Label11", QStringLiteral("N° QSO"), f.Num_Q);
    addField("Label23", QStringLiteral("Operateur"), f.Ope_Q);
    addField("Label12", QStringLiteral("Indicatif"), f.Indi_Q);
    addField("Label15", QStringLiteral("Dpt"), f.Dpt_Q);
    addField("Label16", QStringLiteral("Prénom"), f.Prenom_Q);
    addField("Label14", QStringLiteral("Rst R"), f.QRKR_Q);
    addField("Label13", QStringLiteral("Rst E"), f.QRKE_Q);
    addField("Activation", QStringLiteral("Observations"), f.Observation_Q);
    f.Label10 = addField("Label10", QStringLiteral("Date"), f.Date_Q);
    f.Label6 = addField("Label6", QStringLiteral("Heure"), f.Heure_Q);
    addField("Label17", QStringLiteral("Mode"), f.Mode_Q);
    addField("Label2", QStringLiteral("Bande (Mhz)"), f.Bande_Q);
    entry->setColumnStretch(column, 1);
    for (QWidget *hidden : {static_cast<QWidget *>(f.Date_Q), static_cast<QWidget *>(f.Heure_Q),
                            static_cast<QWidget *>(f.Label10), static_cast<QWidget *>(f.Label6)})
        hidden->setVisible(false);
    top->addLayout(entry);

    // Buttons, insert indicator and operators contacted. The correction buttons answer Alt and
    // a letter of their caption that no menu of the bar takes (Alt+S is Setup, Alt+I the
    // labels).
    auto *buttons = new QHBoxLayout;
    f.Valide_Q = button(central, "Valide_Q", QStringLiteral("Validez"),
                        QStringLiteral("Valide le QSO entré"));
    f.Valide_Q->setEnabled(false);
    f.Annule_Q = button(central, "Annule_Q", QStringLiteral("Annuler  une saisie"),
                        QStringLiteral("Annule les saisies en cours"));
    f.Edite_QSO =
        button(central, "Edite_QSO", QStringLiteral("&Editer un QSO"),
               QStringLiteral("Selectionnez un QSO dans la liste des QSO puis cliquer sur "
                              "le bouton \"Editer un QSO\""));
    f.Efface_QSO = button(central, "Efface_QSO", QStringLiteral("Su&pprimer un QSO"),
                          QStringLiteral("Selectionnez un QSO dans la liste des QSO puis cliquer "
                                         "sur le bouton \"Supprimer un QSO\""));
    f.Recupere = button(central, "Recupere", QStringLiteral("&Recuperer un QSO"));
    f.Recupere->setEnabled(false);
    f.Ajout_QSO = button(central, "Ajout_QSO", QStringLiteral("I&nserer un QSO"));
    f.Recherche = button(central, "Recherche", QStringLiteral("Rechercher un QSO"),
                         QStringLiteral("Permet la recherche d'un QSO par Indicatif, Date ou "
                                        "Departement"));
    for (QPushButton *push :
         {f.Valide_Q, f.Annule_Q, f.Edite_QSO, f.Efface_QSO, f.Recupere, f.Ajout_QSO, f.Recherche})
        buttons->addWidget(push);
    f.insertIndicator = label(central, "Mode_Ajout");
    QFont indicatorFont = f.insertIndicator->font();
    indicatorFont.setBold(true);
    indicatorFont.setPointSizeF(indicatorFont.pointSizeF() * 1.3);
    f.insertIndicator->setFont(indicatorFont);
    // Red, so that an operator never takes an insertion for an ordinary entry.
    paintText(f.insertIndicator, kRed);
    buttons->addWidget(f.insertIndicator, 1);
    buttons->addWidget(label(central, "Label22", QStringLiteral("Opérateurs")));
    buttons->addWidget(label(central, "Label20", QStringLiteral("contactés")));
    f.Tot_Oper = named(new QLineEdit(central), "Tot_Oper");
    f.Tot_Oper->setReadOnly(true);
    f.Tot_Oper->setFocusPolicy(Qt::NoFocus);
    f.Tot_Oper->setMaximumWidth(
        f.Tot_Oper->fontMetrics().horizontalAdvance(QStringLiteral(" 00000")) + 12);
    buttons->addWidget(f.Tot_Oper);
    top->addLayout(buttons);

    // The list of the log under its column header, beside the département indicators.
    auto *bottom = new QHBoxLayout;
    auto *frame4 = named(new QGroupBox(QStringLiteral("Liste des QSO"), central), "Frame4");
    auto *frame4Layout = new QVBoxLayout(frame4);
    frame4Layout->setSpacing(0);
    const QFont fixed = letterGothic(9);
    auto *list = named(new LongList(frame4), "Liste_QSO");
    list->setLeadColumns(qsocol::kListPrefixLength);
    f.Liste_QSO = list;
    f.Liste_QSO->setFont(fixed);
    f.Liste_QSO->setToolTip(QStringLiteral("Cliquez sur un QSO pour l'editer ou l'effacer"));
    f.Liste_QSO->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto *heading = new ColumnHeading(f.Liste_QSO, frame4);
    f.Entete = label(heading, "Entete");
    heading->addLabel(f.Entete, 1);
    frame4Layout->addWidget(heading);
    frame4Layout->addWidget(f.Liste_QSO, 1);
    frame4->setMinimumWidth(
        f.Liste_QSO->fontMetrics().horizontalAdvance(QString(126, QLatin1Char('0'))) + 30);
    bottom->addWidget(frame4, 1);
    f.Dpt = new DepartmentGrid(central);
    bottom->addWidget(f.Dpt, 0, Qt::AlignTop);
    top->addLayout(bottom, 1);

    // The keyboard reaches the fields in entry order.
    chainTabOrder({f.Ope_Q, f.Indi_Q, f.Dpt_Q, f.Prenom_Q, f.QRKR_Q, f.QRKE_Q, f.Observation_Q,
                   f.Date_Q, f.Heure_Q, f.Valide_Q, f.Mode_Q, f.Bande_Q, f.Annule_Q, f.Edite_QSO,
                   f.Efface_QSO, f.Recupere, f.Ajout_QSO, f.Recherche, f.Liste_QSO});
    return f;
}

} // namespace orvel
