#include "UpdatePage.h"

#ifdef ORVEL_WEBENGINE
#include "Mise_a_Jour.h"

#include <QApplication>
#else
#include <QDesktopServices>
#endif

namespace orvel {

QWidget *openUpdatePage(const QUrl &page)
{
#ifdef ORVEL_WEBENGINE
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *open = qobject_cast<Mise_a_Jour *>(widget);
        if (open && open->isVisible()) {
            open->setWindowState(open->windowState() & ~Qt::WindowMinimized);
            open->raise();
            open->activateWindow();
            return nullptr;
        }
    }
    return new Mise_a_Jour(page);
#else
    QDesktopServices::openUrl(page);
    return nullptr;
#endif
}

} // namespace orvel
