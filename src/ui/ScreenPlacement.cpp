#include "ui/ScreenPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QMargins>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace huespan {

namespace {

QMargins frameOf(const QWidget& window)
{
    const QWindow* handle = window.windowHandle();
    return handle != nullptr && window.isVisible() ? handle->frameMargins() : QMargins();
}

// The frame of a window that the window manager has framed already; windows of one program
// wear the same decorations.
QMargins frameOfAnotherWindow(const QWidget& window)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (const QWidget* other : windows) {
        const QMargins margins = other != &window ? frameOf(*other) : QMargins();
        if (!margins.isNull())
            return margins;
    }
    return {};
}

void placeCentred(QWidget& window, const QMargins& frame)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    QRect outer = window.geometry().marginsAdded(frame);
    outer.moveCenter(screen->availableGeometry().center());
    // The client area is placed, inside the frame: a frame position given before the window
    // manager has framed the window would be taken for the client's, and the window would stand a
    // title bar too high until it moved. Placing marks the window as placed, so that a dialog no
    // longer centres itself on its owner.
    window.setGeometry(QRect(outer.topLeft() + QPoint(frame.left(), frame.top()), window.size()));
}

// Waits for the window manager's frame around one window, then centres the window on it once.
class FrameWatcher final : public QObject
{
public:
    FrameWatcher(QWidget& window, std::function<void()> framed)
        : QObject(&window)
        , m_window(window)
        , m_framed(std::move(framed))
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowActivate:
        case QEvent::UpdateRequest:
            break;
        default:
            return QObject::eventFilter(watched, event);
        }
        const QMargins frame = frameOf(m_window);
        if (frame.isNull())
            return QObject::eventFilter(watched, event);
        m_window.removeEventFilter(this);
        deleteLater();
        if (m_framed)
            m_framed();
        placeCentred(m_window, frame);
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& m_window;
    std::function<void()> m_framed;
};

} // namespace

void centreOnScreen(QWidget& window, std::function<void()> framed)
{
    const QMargins frame = frameOf(window);
    placeCentred(window, frame.isNull() ? frameOfAnotherWindow(window) : frame);
    if (frame.isNull())
        new FrameWatcher(window, std::move(framed));
}

} // namespace huespan
