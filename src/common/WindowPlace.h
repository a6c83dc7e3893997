// Where a window stands on a screen: the rule that keeps it whole inside the part of the screen
// windows may use, and the text that remembers its place between two runs.
#pragma once

#include <QMargins>
#include <QRect>
#include <QString>
#include <optional>

namespace orvel {

// A window's place: the top-left corner of its frame (title bar and borders) and the size of
// its inside, as the toolkit moves and sizes windows.
struct WindowPlace {
    QPoint framePosition;
    QSize size;

    bool operator==(const WindowPlace &) const = default;
};

// The place nearest to wanted whose frame (the inside grown by frame) lies within area: the size
// is cut to what the area leaves, never below minimum, and the frame is slid inside. A window
// whose minimum is larger than the area keeps its top-left corner on the area's.
WindowPlace fitPlace(const WindowPlace &wanted, const QMargins &frame, const QSize &minimum,
                     const QRect &area);

// The place of a window of size centred in area, its frame included (whole units, the fraction
// dropped), then fitted.
WindowPlace centredPlace(const QSize &size, const QMargins &frame, const QSize &minimum,
                         const QRect &area);

// The inside rectangle that puts a window's frame at place.framePosition, and back: the frame
// is counted here once, from the frame the window has (or the best guess while it has none),
// so that a place read back from where it was put is the place that was put.
QRect insideRect(const WindowPlace &place, const QMargins &frame);
WindowPlace placeOfInside(const QRect &inside, const QMargins &frame);

// "x,y,width,height" and back; nothing for a text that is not four whole numbers or whose size
// is not positive.
QString placeText(const WindowPlace &place);
std::optional<WindowPlace> placeOfText(const QString &text);

} // namespace orvel
