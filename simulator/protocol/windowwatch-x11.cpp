#include "windowwatch.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

WindowWatch::WindowWatch(quint64 windowId, QObject *parent)
    : QObject(parent), m_window(windowId)
{
    if (QGuiApplication::platformName() != u"xcb")
        return;
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t *connection = x11->connection();
    const xcb_setup_t *setup = xcb_get_setup(connection);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    // Our window lives on its parent's screen; find the root it was created on.
    xcb_query_tree_reply_t *tree = xcb_query_tree_reply(connection, xcb_query_tree(connection, xcb_window_t(m_window)), nullptr);
    m_root = tree ? tree->root : (screens.rem ? screens.data->root : 0);
    free(tree);
    qApp->installNativeEventFilter(this);
    m_active = true;
}

WindowWatch::~WindowWatch()
{
    if (m_active)
        qApp->removeNativeEventFilter(this);
}

void WindowWatch::destroyNow(QWindow *window)
{
    if (!window)
        return;
    window->destroy();
    if (!m_active)
        return;
    if (auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>(); x11 && x11->connection())
        xcb_flush(x11->connection());
}

bool WindowWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    switch (event->response_type & ~0x80) {
    case XCB_REPARENT_NOTIFY: {
        const auto *reparent = reinterpret_cast<const xcb_reparent_notify_event_t *>(event);
        if (reparent->window == m_window && reparent->parent != m_root)
            emit reparented();
        break;
    }
    case XCB_DESTROY_NOTIFY: {
        const auto *destroy = reinterpret_cast<const xcb_destroy_notify_event_t *>(event);
        if (destroy->window == m_window)
            emit windowDestroyed();
        break;
    }
    default:
        break;
    }
    // Qt still handles every event itself.
    return false;
}
