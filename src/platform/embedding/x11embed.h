#pragma once

#include <QHash>
#include <QObject>
#include <QRect>
#include <QSet>

// Embedding a question simulator's top-level X window into one of the host's
// native widget windows, and the few things the host does to it afterwards:
// the close message, focus hand-over and the news of a moved host window.
//
// Calls go over Qt's own xcb connection and are no-ops (returning "no
// window") on any other platform. Events for the embedded windows reach us
// through a native event filter: their destruction and mapping are announced
// as signals, and a passive button grab on each embedded window lets a click
// into it move the keyboard focus there (the click is then replayed to the
// simulator); a click on any of the host's own windows takes the focus back.
class X11Embed : public QObject
{
    Q_OBJECT

public:
    using WindowId = quint32;

    // The one instance; created on first use, lives as long as the application.
    static X11Embed *instance();
    static bool available();

    struct Owner
    {
        bool exists = false;
        qint64 pid = 0;  // the window's _NET_WM_PID, 0 when it has none
    };
    Owner owner(WindowId window) const;
    bool exists(WindowId window) const;

    // Re-parents `window` into `parent` and gives it `geometry` there. The
    // window is not mapped: the simulator maps itself when it sees itself
    // re-parented. `focusHome` is the host's top-level window, which gets the
    // keyboard focus back when the candidate clicks outside the simulator.
    // False when the server refused (the window vanished meanwhile).
    bool embed(WindowId window, WindowId parent, const QRect &geometry, WindowId focusHome);
    // Forgets an embedded window (after it was closed).
    void release(WindowId window);

    // Reports the structure events of any window (a simulator watches its own
    // window this way): re-parenting, mapping, destruction.
    void watch(WindowId window);

    // ICCCM WM_PROTOCOLS / WM_DELETE_WINDOW client message.
    void sendDelete(WindowId window);
    // Synthetic ConfigureNotify carrying the window's current root
    // coordinates, so that its pop-ups open at the right place. Sent by
    // itself after every move of the host window that embeds it.
    void notifyPosition(WindowId window);

    // Queries of the server's view, for the host's checks, tests and benchmarks.
    WindowId parentOf(WindowId window) const;
    QRect geometryOf(WindowId window) const;  // inside its parent
    bool isViewable(WindowId window) const;
    WindowId inputFocus() const;

signals:
    void windowGone(quint32 window);
    void windowMapped(quint32 window);
    void windowReparented(quint32 window, quint32 parent);

private:
    explicit X11Embed(QObject *parent = nullptr);
    bool eventFilter(QObject *watched, QEvent *event) override;

    class NativeFilter;
    friend class NativeFilter;
    bool handleNative(void *message);

    QHash<WindowId, WindowId> m_embedded;  // simulator window -> host top-level
    QSet<WindowId> m_watched;               // windows whose structure events are reported
    WindowId m_focusGivenFrom = 0;         // host top-level while a simulator holds the focus
};
