#include "Palette.h"

#include <QApplication>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace orvel {

namespace {
constexpr const char *kColourProperty = "orvelBackground";
}

void paintBackground(QWidget *widget, const QColor &colour)
{
    // A widget painted so already is left alone: the départements grid is coloured again,
    // cell by cell, after every QSO, and a new palette costs each cell a round of events.
    const QPalette &current = widget->palette();
    const QVariant recorded = widget->property(kColourProperty);
    if (widget->autoFillBackground() && recorded.isValid() && recorded.value<QColor>() == colour &&
        current.color(QPalette::Base) == colour && current.color(QPalette::Button) == colour &&
        current.color(QPalette::Window) == colour)
        return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Button, colour);
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    widget->setProperty(kColourProperty, colour);
}

void paintButtonFace(QWidget *widget)
{
    widget->setPalette(QApplication::palette(widget));
    widget->setAutoFillBackground(false);
    widget->setProperty(kColourProperty, QApplication::palette(widget).color(QPalette::Button));
}

QColor backgroundOf(const QWidget *widget)
{
    const QVariant colour = widget->property(kColourProperty);
    if (colour.isValid())
        return colour.value<QColor>();
    return widget->palette().color(QPalette::Button);
}

} // namespace orvel
