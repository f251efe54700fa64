#pragma once

#include <QString>

#include <exception>
#include <utility>

class QWidget;

// The standard error box. Screens do not catch: a store or platform error
// ends the rest of the event handler, the box shows the underlying message
// (the engine's text, the path and the system's reason) and the program
// goes on. Every handler is connected through guarded(), so no exception
// ever crosses a Qt frame.
namespace ErrorBox {

// A critical message box titled with the application title.
void show(QWidget *parent, const QString &message);

// The message of the exception in flight; call inside a catch block.
QString currentMessage();

// While held, store errors end their handler without a box: the candidate
// has been told once already that the bank cannot be used.
void holdStoreErrors(bool hold);
// Shows the box for the exception in flight, unless store errors are held.
void showCurrent(QWidget *parent);

// Runs a handler; an error it raises is shown in the standard error box.
// Returns whether the handler ran to its end.
template<typename Handler>
bool run(QWidget *parent, Handler &&handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (...) {
        showCurrent(parent);
        return false;
    }
}

// A slot for connect(): the handler wrapped in run().
template<typename Handler>
auto guarded(QWidget *parent, Handler handler)
{
    return [parent, handler = std::move(handler)]() { run(parent, handler); };
}

} // namespace ErrorBox
