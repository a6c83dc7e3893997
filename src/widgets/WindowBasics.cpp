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

namespace orvel {

namespace {

const QString kPlaceSection = QStringLiteral("Fenetres");

// The frame around the window as the window system reports it; nothing while the window has
// none yet (before the window manager took it, or on a platform without frames).
QMargins measuredFrame(const QWidget &window)
{
    const QRect inside = window.geometry();
    const QRect outer = window.frameGeometry();
    return {inside.left() - outer.left(), inside.top() - outer.top(),
            outer.right() - inside.right(), outer.bottom() - inside.bottom()};
}

// Follows one window: places it when it is first shown, places it again once its frame is
// known, and writes its place whenever it stops moving, is closed or the program ends.
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
        // The frame arrives from the window manager a moment after the window is shown (a
        // move tells it; the timer is for a window manager that moves nothing).
        m_frameTimer.setSingleShot(true);
        m_frameTimer.setInterval(300);
        connect(&m_frameTimer, &QTimer::timeout, this, [this] { place(current()); });
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
            if (!m_shown || !m_window->isVisible())
                break;
            // The window manager has just put its frame around the window: the window is
            // placed again with it, its title bar on the screen.
            if (!m_framed && !measuredFrame(*m_window).isNull())
                place(current());
            m_saveTimer.start();
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
    QString key() const { return m_window->objectName(); }

    WindowPlace current() const { return {m_window->pos(), m_window->size()}; }

    QMargins frame() const
    {
        const QMargins measured = measuredFrame(*m_window);
        return measured.isNull() && !m_framed ? expectedFrame() : measured;
    }

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
        if (m_shown) {
            place(current());
            return;
        }
        m_shown = true;
        std::optional<WindowPlace> remembered;
        if (m_settings && !key().isEmpty())
            remembered = placeOfText(m_settings->value(kAppMulti, kPlaceSection, key()));
        if (remembered) {
            // A place kept on another screen opens on the screen that holds it, if any.
            if (QScreen *screen = QGuiApplication::screenAt(remembered->framePosition))
                m_window->setScreen(screen);
            place(*remembered);
        } else {
            const QRect where = area();
            if (!where.isEmpty())
                apply(centredPlace(m_window->size(), frame(), minimum(), where));
        }
        m_frameTimer.start();
    }

    void place(const WindowPlace &wanted)
    {
        const QRect where = area();
        if (where.isEmpty())
            return;
        if (!measuredFrame(*m_window).isNull())
            m_framed = true;
        apply(fitPlace(wanted, frame(), minimum(), where));
    }

    void apply(const WindowPlace &place)
    {
        if (m_window->size() != place.size)
            m_window->resize(place.size);
        if (m_window->pos() != place.framePosition)
            m_window->move(place.framePosition);
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
    bool m_shown = false;
    bool m_framed = false;
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
