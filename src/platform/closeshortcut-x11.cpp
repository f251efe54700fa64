#include "closeshortcut.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>

#include <QAbstractNativeEventFilter>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr xcb_keysym_t KeyF4 = 0xffc1;
constexpr xcb_keysym_t KeyAltL = 0xffe9;
constexpr xcb_keysym_t KeyAltR = 0xffea;
constexpr xcb_keysym_t KeyNumLock = 0xff7f;

xcb_connection_t *qtConnection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

template<typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

// Every key code that carries one of the key symbols.
std::vector<xcb_keycode_t> keycodesOf(xcb_connection_t *c, std::initializer_list<xcb_keysym_t> symbols)
{
    const xcb_setup_t *setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    Reply<xcb_get_keyboard_mapping_reply_t> reply(
        xcb_get_keyboard_mapping_reply(c, xcb_get_keyboard_mapping(c, setup->min_keycode, count), nullptr),
        &std::free);
    std::vector<xcb_keycode_t> codes;
    if (!reply)
        return codes;
    const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(reply.get());
    const int perCode = reply->keysyms_per_keycode;
    for (int i = 0; i < count; ++i) {
        for (int j = 0; j < perCode; ++j) {
            const xcb_keysym_t sym = syms[i * perCode + j];
            if (std::find(symbols.begin(), symbols.end(), sym) != symbols.end()) {
                codes.push_back(xcb_keycode_t(setup->min_keycode + i));
                break;
            }
        }
    }
    return codes;
}

// The modifier bit that Num Lock sets in key events (usually Mod2).
uint16_t numLockMask(xcb_connection_t *c)
{
    const std::vector<xcb_keycode_t> numLock = keycodesOf(c, {KeyNumLock});
    Reply<xcb_get_modifier_mapping_reply_t> reply(
        xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr), &std::free);
    if (!reply || numLock.empty())
        return 0;
    const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(reply.get());
    const int per = reply->keycodes_per_modifier;
    for (int mod = 0; mod < 8; ++mod)
        for (int k = 0; k < per; ++k)
            if (std::find(numLock.begin(), numLock.end(), codes[mod * per + k]) != numLock.end())
                return uint16_t(1u << mod);
    return 0;
}

} // namespace

struct CloseShortcutGuard::X11Grab
{
    xcb_connection_t *connection = nullptr;
    xcb_window_t root = 0;
    std::vector<std::pair<xcb_keycode_t, uint16_t>> grabs;

    void ungrab()
    {
        for (const auto &[code, mods] : grabs)
            xcb_ungrab_key(connection, code, root, mods);
        grabs.clear();
        xcb_flush(connection);
    }
};

// The raw key events of the X input extension reach a client that selects
// them on the root window whatever grabs are active, so they show Alt+F4
// even while the window manager holds the chord. The close request the
// manager sends carries the time of that key press.
class CloseShortcutGuard::KeyHistory : public QAbstractNativeEventFilter
{
public:
    static std::unique_ptr<KeyHistory> start(xcb_connection_t *c)
    {
        const xcb_query_extension_reply_t *input = xcb_get_extension_data(c, &xcb_input_id);
        if (!input || !input->present)
            return nullptr;
        auto history = std::unique_ptr<KeyHistory>(new KeyHistory);
        history->m_opcode = input->major_opcode;
        history->m_f4 = keycodesOf(c, {KeyF4});
        history->m_alt = keycodesOf(c, {KeyAltL, KeyAltR});
        Reply<xcb_intern_atom_reply_t> protocols(
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, 12, "WM_PROTOCOLS"), nullptr), &std::free);
        Reply<xcb_intern_atom_reply_t> deleteWindow(
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, 16, "WM_DELETE_WINDOW"), nullptr), &std::free);
        if (!protocols || !deleteWindow)
            return nullptr;
        history->m_protocols = protocols->atom;
        history->m_deleteWindow = deleteWindow->atom;

        struct
        {
            xcb_input_event_mask_t head;
            uint32_t mask;
        } selection = {{XCB_INPUT_DEVICE_ALL_MASTER, 1},
                       XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE};
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        if (auto *error = xcb_request_check(c, xcb_input_xi_select_events_checked(c, root, 1, &selection.head))) {
            std::free(error);
            return nullptr;
        }
        QAbstractEventDispatcher::instance()->installNativeEventFilter(history.get());
        return history;
    }

    ~KeyHistory() override
    {
        if (auto *dispatcher = QAbstractEventDispatcher::instance())
            dispatcher->removeNativeEventFilter(this);
    }

    // Takes the verdict on the close request handled last.
    bool takeChordClose() { return std::exchange(m_chordClose, false); }

    bool nativeEventFilter(const QByteArray &, void *message, qintptr *) override
    {
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        const uint8_t type = event->response_type & ~0x80;
        if (type == XCB_GE_GENERIC) {
            const auto *generic = reinterpret_cast<const xcb_ge_generic_event_t *>(event);
            if (generic->extension != m_opcode)
                return false;
            if (generic->event_type != XCB_INPUT_RAW_KEY_PRESS && generic->event_type != XCB_INPUT_RAW_KEY_RELEASE)
                return false;
            const auto *key = reinterpret_cast<const xcb_input_raw_key_press_event_t *>(event);
            const bool press = generic->event_type == XCB_INPUT_RAW_KEY_PRESS;
            const auto code = xcb_keycode_t(key->detail);
            if (std::find(m_alt.begin(), m_alt.end(), code) != m_alt.end())
                m_altDown = press;
            const bool f4 = std::find(m_f4.begin(), m_f4.end(), code) != m_f4.end();
            if (press && f4 && m_altDown) {
                m_chordFrom = key->time;
                m_chordHeld = true;
            } else if (!press && m_chordHeld && (f4 || !m_altDown)) {
                m_chordTo = key->time;
                m_chordHeld = false;
            }
            return false;
        }
        if (type == XCB_CLIENT_MESSAGE) {
            const auto *client = reinterpret_cast<const xcb_client_message_event_t *>(event);
            if (client->type == m_protocols && client->format == 32 && client->data.data32[0] == m_deleteWindow) {
                const xcb_timestamp_t time = client->data.data32[1];
                // The manager stamps the request with the key press's time;
                // a request without a time is judged by the chord alone.
                m_chordClose = m_chordFrom != 0
                    && (time == XCB_CURRENT_TIME ? m_chordHeld
                                                 : time >= m_chordFrom && (m_chordHeld || time <= m_chordTo));
            }
        }
        return false;
    }

private:
    KeyHistory() = default;

    uint8_t m_opcode = 0;
    std::vector<xcb_keycode_t> m_f4, m_alt;
    xcb_atom_t m_protocols = 0, m_deleteWindow = 0;
    bool m_altDown = false;
    bool m_chordHeld = false;
    xcb_timestamp_t m_chordFrom = 0, m_chordTo = 0;
    bool m_chordClose = false;
};

CloseShortcutGuard::CloseShortcutGuard(QObject *parent)
    : QObject(parent)
{
}

CloseShortcutGuard::~CloseShortcutGuard()
{
    release();
}

bool CloseShortcutGuard::engage()
{
    if (!m_filtering) {
        QCoreApplication::instance()->installEventFilter(this);
        m_filtering = true;
    }
    if (m_grab)
        return true;
    xcb_connection_t *c = qtConnection();
    if (!c)
        return false;

    auto grab = std::make_unique<X11Grab>();
    grab->connection = c;
    grab->root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint16_t num = numLockMask(c);
    const uint16_t locks[] = {0, XCB_MOD_MASK_LOCK, num, uint16_t(XCB_MOD_MASK_LOCK | num)};
    bool ok = true;
    for (xcb_keycode_t code : keycodesOf(c, {KeyF4})) {
        for (uint16_t lock : locks) {
            const uint16_t mods = XCB_MOD_MASK_1 | lock;
            if (std::find(grab->grabs.begin(), grab->grabs.end(), std::pair(code, mods)) != grab->grabs.end())
                continue;
            // A key already grabbed by another client (the window manager's
            // own Alt+F4) answers with an access error.
            xcb_generic_error_t *error = xcb_request_check(
                c, xcb_grab_key_checked(c, 1, grab->root, mods, code, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
            if (error) {
                std::free(error);
                ok = false;
                break;
            }
            grab->grabs.emplace_back(code, mods);
        }
        if (!ok)
            break;
    }
    if (!ok || grab->grabs.empty()) {
        grab->ungrab();
        if (!m_history)
            m_history = KeyHistory::start(c);
        return false;
    }
    m_grab = std::move(grab);
    return true;
}

void CloseShortcutGuard::release()
{
    if (m_grab) {
        // The connection is gone once the application object is destroyed.
        if (qGuiApp)
            m_grab->ungrab();
        m_grab.reset();
    }
}

bool CloseShortcutGuard::grabbed() const
{
    return m_grab != nullptr;
}

bool CloseShortcutGuard::shortcutHeld()
{
    xcb_connection_t *c = qtConnection();
    if (!c)
        return false;
    Reply<xcb_query_keymap_reply_t> keymap(xcb_query_keymap_reply(c, xcb_query_keymap(c), nullptr), &std::free);
    if (!keymap)
        return false;
    auto down = [&](xcb_keycode_t code) { return (keymap->keys[code / 8] >> (code % 8)) & 1; };
    bool f4 = false, alt = false;
    for (xcb_keycode_t code : keycodesOf(c, {KeyF4}))
        f4 = f4 || down(code);
    for (xcb_keycode_t code : keycodesOf(c, {KeyAltL, KeyAltR}))
        alt = alt || down(code);
    return f4 && alt;
}

bool CloseShortcutGuard::eventFilter(QObject *watched, QEvent *event)
{
    // A close request of the window system that comes with Alt+F4 held is
    // the window manager's Alt+F4: the program's windows stay.
    if (event->type() == QEvent::Close && event->spontaneous()
        && ((m_history && m_history->takeChordClose()) || shortcutHeld())) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
