#include "WindowBasics.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWidget>

namespace orvel {

void centreOnScreen(QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    window.move(area.x() + (area.width() - window.width()) / 2,
                area.y() + (area.height() - window.height()) / 2);
}

bool isEnterKey(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

void endProgram()
{
    QCoreApplication::exit(0);
}

} // namespace orvel
