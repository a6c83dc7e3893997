// The colours the windows share: the expected field or button, idle fields, the system's
// button face.
#pragma once

#include <QColor>

class QWidget;

namespace orvel {

inline const QColor kLightGreen(0xC0, 0xFF, 0xC0);
inline const QColor kLightYellow(0xFF, 0xFF, 0xC0);
inline const QColor kRed(0xFF, 0x00, 0x00);
inline const QColor kContactedGreen(0x80, 0xFF, 0x80);

// Paints the background of a field or button (autoFillBackground and the palette roles the
// style uses for it).
void paintBackground(QWidget *widget, const QColor &colour);
// Back to the system's button-face colour.
void paintButtonFace(QWidget *widget);
// The background colour a widget was given last.
QColor backgroundOf(const QWidget *widget);

} // namespace orvel
