// The menu bar of the QSO entry window: every item with its name and caption, in order, and the
// three option pairs of the Setup menu as radio items.
#pragma once

#include <QStringList>

class QAction;
class QMenuBar;

namespace orvel {

struct EntryMenus {
    QAction *Mnu_Quitter = nullptr;
    QAction *Mnu_UTC_Oui = nullptr;
    QAction *Mnu_UTC_Non = nullptr;
    QAction *Mnu_Diff_Non = nullptr;
    QAction *Mnu_Diff_Oui = nullptr;
    QAction *Mnu_Refrappe_Non = nullptr;
    QAction *Mnu_Refrappe_Oui = nullptr;
    QAction *Mnu_Radio = nullptr;

    // The items that open another window (or show a help text): their objectNames.
    static QStringList windowItems();

    // Builds the menus into bar; every item of windowItems() is reachable by its objectName.
    static EntryMenus build(QMenuBar *bar);
};

} // namespace orvel
