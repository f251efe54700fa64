#include "windowdrag.h"

#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// Follows the mouse while the button is held (no window manager).
class FollowMouse : public QObject
{
public:
    FollowMouse(QWidget *strip, QPointF pressGlobal, std::function<void()> done)
        : QObject(strip), m_window(strip->window()), m_pressGlobal(pressGlobal),
          m_startPos(strip->window()->pos()), m_done(std::move(done))
    {
        strip->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseMove) {
            const auto *move = static_cast<QMouseEvent *>(event);
            m_window->move(m_startPos + (move->globalPosition() - m_pressGlobal).toPoint());
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            auto done = std::move(m_done);
            deleteLater();
            if (done)
                done();
            return true;
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
    QPointF m_pressGlobal;
    QPoint m_startPos;
    std::function<void()> m_done;
};

// Waits for the window to come to rest after a move by the window manager.
class WatchRest : public QObject
{
public:
    WatchRest(QWidget *window, std::function<void()> done)
        : QObject(window), m_done(std::move(done))
    {
        m_timer.setSingleShot(true);
        m_timer.setInterval(WindowDrag::SettleMs);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto done = std::move(m_done);
            deleteLater();
            if (done)
                done();
        });
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Move)
            m_timer.start();
        return false;
    }

private:
    QTimer m_timer;
    std::function<void()> m_done;
};

} // namespace

namespace WindowDrag {

void start(QWidget *strip, QPointF pressGlobal, std::function<void()> done)
{
    QWidget *window = strip->window();
    // A drag still being watched is replaced by the new one.
    QList<WatchRest *> earlier;
    for (QObject *child : window->children())
        if (auto *watcher = dynamic_cast<WatchRest *>(child))
            earlier.append(watcher);
    qDeleteAll(earlier);
    QWindow *handle = window->windowHandle();
    if (handle && handle->startSystemMove()) {
        new WatchRest(window, std::move(done));
        return;
    }
    new FollowMouse(strip, pressGlobal, std::move(done));
}

} // namespace WindowDrag
