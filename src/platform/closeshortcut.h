#pragma once

#include <QObject>

#include <memory>

// Keeps Alt+F4 from closing anything while the program runs.
//
// On X11 the program grabs Alt+F4 on the root window, with every combination
// of the lock modifiers (Caps Lock, Num Lock), so the key press comes to the
// program and is dropped instead of reaching the window manager or another
// program. Where no grab is possible (no X11, or the window manager holds the
// key itself) the program's own windows refuse a close request that the
// window manager sent for Alt+F4, even when the program, busy, handles it
// after the keys are up again; a close from the taskbar or the window menu
// still goes through.
class CloseShortcutGuard : public QObject
{
public:
    explicit CloseShortcutGuard(QObject *parent = nullptr);
    ~CloseShortcutGuard() override;

    // Grabs the key and installs the refusal of the program's windows.
    // Returns whether the system-wide grab was taken.
    bool engage();
    // Gives the key back; the refusal stays until the object goes.
    void release();

    bool grabbed() const;

    // Whether Alt and F4 are held down right now (X11 only).
    static bool shortcutHeld();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct X11Grab;
    std::unique_ptr<X11Grab> m_grab;
    // Where the window manager holds the key: the keyboard's raw events tell
    // when Alt+F4 went down and up, and the close request's own time tells
    // whether it came from that chord, however late the program handles it.
    class KeyHistory;
    std::unique_ptr<KeyHistory> m_history;
    bool m_filtering = false;
};
