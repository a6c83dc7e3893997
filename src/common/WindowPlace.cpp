#include "WindowPlace.h"

#include <QStringList>

#include <algorithm>

namespace orvel {

namespace {

// The start of a span of length inside [areaStart, areaStart + areaLength): at wanted when it
// fits there, else pushed in; at areaStart when the span is longer than the area.
int slideInside(int wanted, int length, int areaStart, int areaLength)
{
    const int last = areaStart + areaLength - length;
    if (last < areaStart)
        return areaStart;
    return std::clamp(wanted, areaStart, last);
}

} // namespace

WindowPlace fitPlace(const WindowPlace &wanted, const QMargins &frame, const QSize &minimum,
                     const QRect &area)
{
    const QSize room = area.size().shrunkBy(frame);
    const QSize size = wanted.size.boundedTo(room).expandedTo(minimum).expandedTo(QSize(1, 1));
    const QSize outer = size.grownBy(frame);
    return {QPoint(slideInside(wanted.framePosition.x(), outer.width(), area.x(), area.width()),
                   slideInside(wanted.framePosition.y(), outer.height(), area.y(), area.height())),
            size};
}

WindowPlace centredPlace(const QSize &size, const QMargins &frame, const QSize &minimum,
                         const QRect &area)
{
    const QSize room = area.size().shrunkBy(frame);
    const QSize fitted = size.boundedTo(room).expandedTo(minimum);
    const QSize outer = fitted.grownBy(frame);
    const QPoint corner(area.x() + (area.width() - outer.width()) / 2,
                        area.y() + (area.height() - outer.height()) / 2);
    return fitPlace({corner, fitted}, frame, minimum, area);
}

QRect insideRect(const WindowPlace &place, const QMargins &frame)
{
    return {place.framePosition + QPoint(frame.left(), frame.top()), place.size};
}

WindowPlace placeOfInside(const QRect &inside, const QMargins &frame)
{
    return {inside.topLeft() - QPoint(frame.left(), frame.top()), inside.size()};
}

QString placeText(const WindowPlace &place)
{
    return QStringLiteral("%1,%2,%3,%4")
        .arg(place.framePosition.x())
        .arg(place.framePosition.y())
        .arg(place.size.width())
        .arg(place.size.height());
}

std::optional<WindowPlace> placeOfText(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    int numbers[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = parts.at(i).trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    if (numbers[2] <= 0 || numbers[3] <= 0)
        return std::nullopt;
    return WindowPlace{QPoint(numbers[0], numbers[1]), QSize(numbers[2], numbers[3])};
}

} // namespace orvel
