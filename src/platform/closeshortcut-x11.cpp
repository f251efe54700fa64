#include "closeshortcut.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
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
    if (event->type() == QEvent::Close && event->spontaneous() && shortcutHeld()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
