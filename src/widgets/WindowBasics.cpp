#include "WindowBasics.h"

#include "common/WindowPlace.h"
#include "platform/Settings.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace orvel {

namespace {

const QString kPlaceSection = QStringLiteral("Fenetres");

// The frame around the window as the window system reports it now; nothing while the window
// has none (before an X11 window manager has framed it, or on a platform without frames).
QMargins measuredFrame(const QWidget &window)
{
    // Asked of the window itself: the widget's own copy of the frame is only brought up to date
    // when the window moves, and a window manager framing a window need not move it.
    if (const QWindow *handle = window.windowHandle())
        return handle->frameMargins();
    const QRect inside = window.geometry();
    const QRect outer = window.frameGeometry();
    return {inside.left() - outer.left(), inside.top() - outer.top(),
            outer.right() - inside.right(), outer.bottom() - inside.bottom()};
}

// Only an X11 window manager puts its frame around a window after the window is shown; other
// platforms know the frame when they create the window, or have none.
bool framedAfterShowing()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// Follows one window: places it when it is shown, places it again once its frame is known,
// and writes its place whenever it stops moving, is closed or the program ends.
//
// The window is always given its inside rectangle, never a position the toolkit would read as
// the frame's or the inside's depending on whether the window manager has framed the window
// yet: the frame is counted once, here. Until the frame is known the expected one stands in;
// when it arrives, the place wanted is fitted again with it, so that a window comes back
// exactly where it was left, however many times the program is started.
class PlaceKeeper : public QObject
{
public:
    PlaceKeeper(QWidget &window, Settings *settings)
        : QObject(&window)
        , m_window(&window)
        , m_settings(settings)
    {
        window.installEventFilter(this);
        m_saveTimer.setSingleShot(true);
        m_saveTimer.setInterval(500);
        connect(&m_saveTimer, &QTimer::timeout, this, &PlaceKeeper::save);
        // A window manager may frame a window without moving it, so nothing tells when the
        // frame arrives: it is looked for a few times after the window is shown.
        m_frameTimer.setInterval(200);
        connect(&m_frameTimer, &QTimer::timeout, this, [this] {
            if (++m_frameLooks >= kFrameLooks || frameKnown())
                m_frameTimer.stop();
            if (frame() != m_placedFrame)
                placeAgain();
        });
        if (QCoreApplication *app = QCoreApplication::instance())
            connect(app, &QCoreApplication::aboutToQuit, this, &PlaceKeeper::save);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_window)
            return false;
        switch (event->type()) {
        case QEvent::Show:
            onShow();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (m_shown && m_window->isVisible())
                onMoved();
            break;
        case QEvent::Close:
            // Not on hiding: a window being destroyed hides, and what it was given may be gone.
            save();
            break;
        default:
            break;
        }
        return false;
    }

private:
    static constexpr int kFrameLooks = 25;

    QString key() const { return m_window->objectName(); }

    bool frameKnown() const { return !m_knownFrame.isNull() || !framedAfterShowing(); }

    // The frame the window stands in: as measured once the window manager has put one around
    // it (the last one measured while the window is hidden); until then the expected one.
    QMargins frame()
    {
        if (m_window->isVisible()) {
            const QMargins measured = measuredFrame(*m_window);
            if (!measured.isNull())
                m_knownFrame = measured;
        }
        return frameKnown() ? m_knownFrame : expectedFrame();
    }

    WindowPlace current() { return placeOfInside(m_window->geometry(), frame()); }

    QRect area() const
    {
        const QScreen *screen = m_window->screen();
        return screen ? screen->availableGeometry() : QRect();
    }

    QSize minimum() const
    {
        return m_window->minimumSizeHint().expandedTo(m_window->minimumSize()).boundedTo(
            m_window->maximumSize());
    }

    void onShow()
    {
        if (!m_shown) {
            m_shown = true;
            placeFirstTime();
        } else {
            placeAgain();
        }
        m_frameLooks = 0;
        if (!frameKnown())
            m_frameTimer.start();
    }

    void placeFirstTime()
    {
        std::optional<WindowPlace> remembered;
        if (m_settings && !key().isEmpty())
            remembered = placeOfText(m_settings->value(kAppMulti, kPlaceSection, key()));
        if (remembered) {
            // A place kept on another screen opens on the screen that holds it, if any.
            if (QScreen *screen = QGuiApplication::screenAt(remembered->framePosition))
                m_window->setScreen(screen);
            place(*remembered);
            return;
        }
        m_askedSize = m_window->size();
        m_centred = true;
        placeCentred();
    }

    // The first time, centred at the size the window asked for, as far as the frame lets it.
    void placeCentred()
    {
        const QRect where = area();
        const bool centred = m_centred;
        place(where.isEmpty() ? current() : centredPlace(m_askedSize, frame(), minimum(), where));
        m_centred = centred;
    }

    void onMoved()
    {
        if (frame() != m_placedFrame) {
            // The window manager has just framed the window: the place wanted is fitted again
            // with the real frame, title bar on the screen.
            placeAgain();
        } else if (frameKnown() && m_window->geometry() != m_placedInside) {
            // Moved or resized by the user (or the window manager): that is the place now.
            // Before its frame the window cannot be moved by hand: what moves it then is the
            // window system catching up with the places it was given.
            m_wanted = current();
            m_placedInside = m_window->geometry();
            m_centred = false;
        }
        m_saveTimer.start();
    }

    void placeAgain()
    {
        if (m_centred)
            placeCentred();
        else
            place(m_wanted);
    }

    void place(const WindowPlace &wanted)
    {
        m_centred = false;
        m_wanted = wanted;
        m_placedFrame = frame();
        const QRect where = area();
        const WindowPlace fitted =
            where.isEmpty() ? wanted : fitPlace(wanted, m_placedFrame, minimum(), where);
        m_placedInside = insideRect(fitted, m_placedFrame);
        if (m_window->geometry() != m_placedInside)
            m_window->setGeometry(m_placedInside);
    }

    void save()
    {
        m_saveTimer.stop();
        if (!m_settings || !m_shown || key().isEmpty() || !m_window)
            return;
        if (m_window->isMaximized() || m_window->isFullScreen() || m_window->isMinimized())
            return;
        m_settings->setValue(kAppMulti, kPlaceSection, key(), placeText(current()));
    }

    QPointer<QWidget> m_window;
    Settings *m_settings;
    QTimer m_saveTimer;
    QTimer m_frameTimer;
    int m_frameLooks = 0;
    bool m_shown = false;
    QMargins m_knownFrame;
    // Centred the first time and not moved since: centred again with the real frame.
    bool m_centred = false;
    QSize m_askedSize;
    // The place the window is to hold, the frame it was placed with and the inside rectangle
    // that gave it.
    WindowPlace m_wanted;
    QMargins m_placedFrame;
    QRect m_placedInside;
};

} // namespace

void keepOnScreen(QWidget &window, Settings *settings)
{
    new PlaceKeeper(window, settings);
}

QMargins expectedFrame()
{
    return {8, 38, 8, 8};
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
