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
