#pragma once

#include <functional>

#include <QPointF>

class QWidget;

// Moving a borderless window by a strip of it. The window manager moves the
// window where it can; without one the window follows the mouse until the
// button is released. `done` runs once the window has come to rest.
namespace WindowDrag {

// `pressGlobal` is the screen position of the mouse press on the strip.
void start(QWidget *strip, QPointF pressGlobal, std::function<void()> done = {});

// How long the window must stay still before a drag by the window manager
// counts as ended (the manager does not report the release).
constexpr int SettleMs = 200;

} // namespace WindowDrag
