#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

class QWindow;

// Watches the simulator's own top-level X window on Qt's xcb connection.
//
// The host re-parents the window into its panel: the simulator must not map
// itself before that (a window manager would leave a window mapped on the
// root window unmapped after the move), so it waits for its ReparentNotify.
// When the host ends, the X server destroys the embedded window with the
// host's panel; the simulator then has no reason to live on.
class WindowWatch : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit WindowWatch(quint64 windowId, QObject *parent = nullptr);
    ~WindowWatch() override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

    // False when the application does not run on X11 (nothing is watched).
    bool isActive() const { return m_active; }

    // Destroys the window on the display at once: the host waits for it to
    // go before it starts the next question, so it must not wait behind the
    // bank work of shutting down.
    void destroyNow(QWindow *window);

signals:
    void reparented();        // into a window other than the root window
    void windowDestroyed();

private:
    quint64 m_window = 0;
    quint64 m_root = 0;
    bool m_active = false;
};
