#include "x11embed.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

template<typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template<typename T>
Reply<T> reply(T *value)
{
    return Reply<T>(value, &std::free);
}

xcb_connection_t *connection()
{
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    auto r = reply(xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr));
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

struct Atoms
{
    xcb_atom_t wmPid = XCB_ATOM_NONE;
    xcb_atom_t wmProtocols = XCB_ATOM_NONE;
    xcb_atom_t wmDeleteWindow = XCB_ATOM_NONE;
};

const Atoms &atoms(xcb_connection_t *c)
{
    static Atoms cached = [c] {
        Atoms a;
        a.wmPid = atom(c, "_NET_WM_PID");
        a.wmProtocols = atom(c, "WM_PROTOCOLS");
        a.wmDeleteWindow = atom(c, "WM_DELETE_WINDOW");
        return a;
    }();
    return cached;
}

// The window's attributes; null for a window that does not exist, or without X.
Reply<xcb_get_window_attributes_reply_t> windowAttributes(xcb_window_t window)
{
    xcb_connection_t *c = connection();
    if (!c || window == 0)
        return reply<xcb_get_window_attributes_reply_t>(nullptr);
    xcb_generic_error_t *error = nullptr;
    auto attributes = reply(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), &error));
    std::free(error);
    return attributes;
}

} // namespace

class X11Embed::NativeFilter : public QAbstractNativeEventFilter
{
public:
    explicit NativeFilter(X11Embed *owner) : m_owner(owner) {}
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        return eventType == "xcb_generic_event_t" && m_owner->handleNative(message);
    }

private:
    X11Embed *m_owner;
};

X11Embed *X11Embed::instance()
{
    static X11Embed *embed = [] {
        auto *e = new X11Embed(qApp);
        if (connection())
            qApp->installNativeEventFilter(new NativeFilter(e));
        // Host clicks arrive through the input extension, not as core button
        // presses, so they are watched on the Qt side.
        qApp->installEventFilter(e);
        return e;
    }();
    return embed;
}

bool X11Embed::available()
{
    return connection() != nullptr;
}

X11Embed::X11Embed(QObject *parent) : QObject(parent) {}

X11Embed::Owner X11Embed::owner(WindowId window) const
{
    Owner result;
    xcb_connection_t *c = connection();
    if (!c || window == 0)
        return result;
    xcb_generic_error_t *error = nullptr;
    auto r = reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, atoms(c).wmPid, XCB_ATOM_CARDINAL, 0, 1), &error));
    if (error) {
        std::free(error);
        return result;
    }
    if (!r)
        return result;
    result.exists = true;
    if (r->format == 32 && xcb_get_property_value_length(r.get()) >= 4)
        result.pid = *static_cast<const uint32_t *>(xcb_get_property_value(r.get()));
    return result;
}

bool X11Embed::exists(WindowId window) const
{
    return windowAttributes(window) != nullptr;
}

bool X11Embed::embed(WindowId window, WindowId parent, const QRect &geometry, WindowId focusHome)
{
    xcb_connection_t *c = connection();
    if (!c || window == 0 || parent == 0)
        return false;
    // Structure events tell us when the simulator maps itself and when its
    // window goes; they are selected for our client only.
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    if (auto *error = xcb_request_check(c, xcb_change_window_attributes_checked(c, window, XCB_CW_EVENT_MASK, &mask))) {
        std::free(error);
        return false;
    }
    // Focus does not follow a click into a foreign child window, not even
    // under a window manager: the grab lets us set it and replay the click.
    xcb_grab_button(c, 0, window, XCB_EVENT_MASK_BUTTON_PRESS, XCB_GRAB_MODE_SYNC, XCB_GRAB_MODE_ASYNC,
                    XCB_NONE, XCB_NONE, XCB_BUTTON_INDEX_ANY, XCB_MOD_MASK_ANY);
    if (auto *error = xcb_request_check(
            c, xcb_reparent_window_checked(c, window, parent, int16_t(geometry.x()), int16_t(geometry.y())))) {
        std::free(error);
        return false;
    }
    const uint32_t values[] = {uint32_t(geometry.x()), uint32_t(geometry.y()), uint32_t(geometry.width()),
                               uint32_t(geometry.height())};
    xcb_configure_window(c, window,
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         values);
    xcb_flush(c);
    m_embedded.insert(window, focusHome);
    m_watched.insert(window);
    return true;
}

void X11Embed::release(WindowId window)
{
    m_embedded.remove(window);
    m_watched.remove(window);
    if (m_embedded.isEmpty())
        m_focusGivenFrom = 0;
}

void X11Embed::watch(WindowId window)
{
    xcb_connection_t *c = connection();
    if (!c || window == 0)
        return;
    // Adds structure events to what this client already selects on the window.
    const auto attributes = windowAttributes(window);
    if (!attributes)
        return;
    const uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, window, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
    m_watched.insert(window);
}

void X11Embed::sendDelete(WindowId window)
{
    xcb_connection_t *c = connection();
    if (!c || window == 0)
        return;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atoms(c).wmProtocols;
    event.data.data32[0] = atoms(c).wmDeleteWindow;
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&event));
    xcb_flush(c);
}

void X11Embed::notifyPosition(WindowId window)
{
    xcb_connection_t *c = connection();
    if (!c || window == 0)
        return;
    xcb_generic_error_t *error = nullptr;
    auto geometry = reply(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), &error));
    if (error || !geometry) {
        std::free(error);
        return;
    }
    auto translated = reply(xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, window, geometry->root, 0, 0), &error));
    if (error || !translated) {
        std::free(error);
        return;
    }
    char buffer[32] = {};
    auto *event = reinterpret_cast<xcb_configure_notify_event_t *>(buffer);
    event->response_type = XCB_CONFIGURE_NOTIFY;
    event->event = window;
    event->window = window;
    event->above_sibling = XCB_NONE;
    event->x = translated->dst_x;
    event->y = translated->dst_y;
    event->width = geometry->width;
    event->height = geometry->height;
    event->border_width = geometry->border_width;
    event->override_redirect = 0;
    xcb_send_event(c, 0, window, XCB_EVENT_MASK_STRUCTURE_NOTIFY, buffer);
    xcb_flush(c);
}

X11Embed::WindowId X11Embed::parentOf(WindowId window) const
{
    xcb_connection_t *c = connection();
    if (!c || window == 0)
        return 0;
    xcb_generic_error_t *error = nullptr;
    auto r = reply(xcb_query_tree_reply(c, xcb_query_tree(c, window), &error));
    std::free(error);
    return r ? r->parent : 0;
}

QRect X11Embed::geometryOf(WindowId window) const
{
    xcb_connection_t *c = connection();
    if (!c || window == 0)
        return {};
    xcb_generic_error_t *error = nullptr;
    auto r = reply(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), &error));
    std::free(error);
    return r ? QRect(r->x, r->y, r->width, r->height) : QRect();
}

bool X11Embed::isViewable(WindowId window) const
{
    const auto attributes = windowAttributes(window);
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

X11Embed::WindowId X11Embed::inputFocus() const
{
    xcb_connection_t *c = connection();
    if (!c)
        return 0;
    auto r = reply(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    return r ? r->focus : 0;
}

bool X11Embed::eventFilter(QObject *watched, QEvent *event)
{
    // A click on one of the host's own windows while a simulator holds the
    // keyboard focus: the focus goes back to the host's top-level window.
    if (m_focusGivenFrom != 0 && event->type() == QEvent::MouseButtonPress && watched->isWindowType()) {
        if (xcb_connection_t *c = connection()) {
            xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, m_focusGivenFrom, XCB_CURRENT_TIME);
            xcb_flush(c);
        }
        m_focusGivenFrom = 0;
    }
    return QObject::eventFilter(watched, event);
}

bool X11Embed::handleNative(void *message)
{
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    switch (event->response_type & ~0x80) {
    case XCB_BUTTON_PRESS: {
        const auto *press = reinterpret_cast<const xcb_button_press_event_t *>(event);
        const auto home = m_embedded.constFind(press->event);
        if (home == m_embedded.constEnd())
            return false;
        xcb_connection_t *c = connection();
        xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, press->event, press->time);
        xcb_allow_events(c, XCB_ALLOW_REPLAY_POINTER, press->time);
        xcb_flush(c);
        m_focusGivenFrom = home.value();
        return true;
    }
    case XCB_MAP_NOTIFY: {
        const auto *map = reinterpret_cast<const xcb_map_notify_event_t *>(event);
        if (map->event != map->window || !m_watched.contains(map->window))
            return false;
        // A simulator that has just shown itself in its panel takes the
        // keyboard at once (F5, Ctrl+S and typing work without a click
        // first), as long as the candidate is working in our window.
        if (const auto home = m_embedded.constFind(map->window);
            home != m_embedded.constEnd() && QGuiApplication::focusWindow()) {
            xcb_connection_t *c = connection();
            xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, map->window, XCB_CURRENT_TIME);
            xcb_flush(c);
            m_focusGivenFrom = home.value();
        }
        emit windowMapped(map->window);
        return false;
    }
    case XCB_CONFIGURE_NOTIFY: {
        // The host window moved (a real event without a window manager, the
        // manager's synthetic one with it): its simulators learn where they are.
        const auto *configure = reinterpret_cast<const xcb_configure_notify_event_t *>(event);
        for (auto it = m_embedded.cbegin(); it != m_embedded.cend(); ++it) {
            if (it.value() == configure->window)
                notifyPosition(it.key());
        }
        return false;
    }
    case XCB_REPARENT_NOTIFY: {
        const auto *reparent = reinterpret_cast<const xcb_reparent_notify_event_t *>(event);
        if (reparent->event == reparent->window && m_watched.contains(reparent->window))
            emit windowReparented(reparent->window, reparent->parent);
        return false;
    }
    case XCB_DESTROY_NOTIFY: {
        const auto *destroy = reinterpret_cast<const xcb_destroy_notify_event_t *>(event);
        // The note may come late, after a new window got the same id (the
        // server hands a closed client's ids to the next one): a window that
        // still exists was not destroyed.
        if (destroy->event == destroy->window && m_watched.contains(destroy->window) && !exists(destroy->window)) {
            release(destroy->window);
            emit windowGone(destroy->window);
        }
        return false;
    }
    default:
        return false;
    }
}
