#include "EntryMenus.h"

#include "widgets/FormWidgets.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace orvel {

namespace {

QMenu *submenu(QWidget *parent, const char *name, const QString &caption)
{
    auto *menu = named(new QMenu(caption, parent), QLatin1String(name));
    named(menu->menuAction(), QLatin1String(name));
    return menu;
}

QAction *item(QMenu *menu, const char *name, const QString &caption)
{
    return named(menu->addAction(caption), QLatin1String(name));
}

// A pair of exclusive check items.
void radioPair(QMenu *menu, QAction *&first, const char *firstName, const QString &firstCaption,
               QAction *&second, const char *secondName, const QString &secondCaption)
{
    auto *group = new QActionGroup(menu);
    first = item(menu, firstName, firstCaption);
    second = item(menu, secondName, secondCaption);
    for (QAction *action : {first, second}) {
        action->setCheckable(true);
        group->addAction(action);
    }
}

} // namespace

QStringList EntryMenus::windowItems()
{
    return {QStringLiteral("Mnu_ADIF"),          QStringLiteral("Mnu_C_Trafic"),
            QStringLiteral("Mnu_Aff_Log"),       QStringLiteral("Mnu_Log_Alpha"),
            QStringLiteral("Mnu_Pays_Contacte"), QStringLiteral("Histo_Acti"),
            QStringLiteral("Mnu_Liste_Op"),      QStringLiteral("Mnu_Etiquettes"),
            QStringLiteral("Mnu_Dpt_Cont"),      QStringLiteral("Mnu_Historique"),
            QStringLiteral("Mnu_Mode_Emploi"),   QStringLiteral("Mnu_Maj"),
            QStringLiteral("Mnu_A_Propos")};
}

EntryMenus EntryMenus::build(QMenuBar *bar)
{
    EntryMenus m;
    QMenu *files = submenu(bar, "Mnu_Fichier", QStringLiteral("&Fichiers"));
    item(files, "Mnu_ADIF", QStringLiteral("Exporter au format &ADIF"));
    item(files, "Mnu_C_Trafic", QStringLiteral("Exporter au format C_&Trafic"));
    item(files, "Mnu_Import_ADIF", QStringLiteral("&Importer un fichier ADIF…"));
    m.Mnu_Quitter = item(files, "Mnu_Quitter", QStringLiteral("&Quitter"));
    bar->addMenu(files);

    QMenu *setup = submenu(bar, "Mnu_Setup", QStringLiteral("&Setup"));
    QMenu *qtr = submenu(setup, "Mnu_QTR", QStringLiteral("&QTR"));
    radioPair(qtr, m.Mnu_UTC_Oui, "Mnu_UTC_Oui", QStringLiteral("Heure &UTC"), m.Mnu_UTC_Non,
              "Mnu_UTC_Non", QStringLiteral("Heure &Locale"));
    m.Mnu_UTC_Oui->setChecked(true);
    setup->addMenu(qtr);
    QMenu *deferred = submenu(setup, "Mnu_Differee", QStringLiteral("Saisie &differée"));
    radioPair(deferred, m.Mnu_Diff_Non, "Mnu_Diff_Non", QStringLiteral("&NON"), m.Mnu_Diff_Oui,
              "Mnu_Diff_Oui", QStringLiteral("&OUI"));
    m.Mnu_Diff_Non->setChecked(true);
    setup->addMenu(deferred);
    QMenu *retype = submenu(setup, "Mnu_Refrappe", QStringLiteral("Mode &Refrappe"));
    radioPair(retype, m.Mnu_Refrappe_Non, "Mnu_Refrappe_Non", QStringLiteral("&NON"),
              m.Mnu_Refrappe_Oui, "Mnu_Refrappe_Oui", QStringLiteral("&OUI"));
    m.Mnu_Refrappe_Non->setChecked(true);
    setup->addMenu(retype);
    m.Mnu_Radio = item(setup, "Mnu_Radio", QStringLiteral("Rad&io"));
    bar->addMenu(setup);

    QMenu *show = submenu(bar, "Mnu_Afficher", QStringLiteral("&Afficher"));
    item(show, "Mnu_Aff_Log", QStringLiteral("le &log de l'activité"));
    item(show, "Mnu_Log_Alpha", QStringLiteral("le log alpha&numérique de l'activité"));
    item(show, "Mnu_Pays_Contacte", QStringLiteral("les &pays contactés"));
    item(show, "Histo_Acti", QStringLiteral("L'&historique des activations"));
    item(show, "Mnu_Liste_Op", QStringLiteral("La liste des &opérateurs"));
    bar->addMenu(show);

    named(bar->addAction(QStringLiteral("&Imprimer les étiquettes pour QSL")),
          QStringLiteral("Mnu_Etiquettes"));

    QMenu *map = submenu(bar, "Mnu_Carte", QStringLiteral("&Carte"));
    item(map, "Mnu_Dpt_Cont", QStringLiteral("&Départements contactés"));
    bar->addMenu(map);

    QMenu *help = submenu(bar, "Mnu_Help", QStringLiteral("Ai&de"));
    item(help, "Mnu_Historique", QStringLiteral("&Historique"));
    item(help, "Mnu_Mode_Emploi", QStringLiteral("&Mode d'emploi"));
    item(help, "Mnu_Maj", QStringLiteral("Mise a &jour du programme"));
    item(help, "Mnu_A_Propos", QStringLiteral("&A Ppropos"));
    bar->addMenu(help);
    return m;
}

} // namespace orvel
