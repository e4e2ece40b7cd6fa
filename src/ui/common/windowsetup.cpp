#include "ui/common/windowsetup.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace tintwise {

QIcon applicationIcon()
{
    return QIcon(QStringLiteral(":/assets/tintwise.png"));
}

namespace {

void centreFrame(QWidget *window, const QSize &frameSize)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The frame, title bar included, is centred, but never placed above or left of the available area.
    window->move(placementOnScreen(frameSize, screen->availableGeometry()));
}

/// A window manager's frame is known only once the window is on screen: then the frame, title bar
/// included, is centred instead of the client area, once. Without a window manager nothing changes.
class FrameCentring : public QObject
{
public:
    explicit FrameCentring(QWidget *window)
        : QObject(window)
        , m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        QWindow *handle = m_window->windowHandle();
        if (watched == m_window && event->type() == QEvent::Show && handle)
            handle->installEventFilter(this);
        // The frame may become known with the first exposure or with the move into it.
        const bool settled = (watched == handle && event->type() == QEvent::Expose) ||
                             (watched == m_window && event->type() == QEvent::Move);
        if (settled && m_window->isVisible()) {
            const QSize frame = m_window->frameGeometry().size();
            if (frame != m_window->size()) {
                m_window->removeEventFilter(this);
                if (handle)
                    handle->removeEventFilter(this);
                deleteLater();
                centreFrame(m_window, frame);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_window;
};

} // namespace

void centreOnScreen(QWidget *window)
{
    window->adjustSize();
    centreFrame(window, window->size());
    new FrameCentring(window);
}

QPoint placementOnScreen(QSize size, const QRect &available)
{
    const auto start = [](int origin, int room, int extent) { return origin + std::max(0, (room - extent) / 2); };
    return {start(available.x(), available.width(), size.width()),
            start(available.y(), available.height(), size.height())};
}

} // namespace tintwise
