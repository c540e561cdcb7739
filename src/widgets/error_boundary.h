#pragma once

#include <exception>
#include <optional>
#include <string>
#include <utility>

#include <QObject>

#include "widgets/message_boxes.h"

namespace telvanor {

// The one place where a window catches: a handler's fault is shown in the error box and
// the handler is abandoned at that point, as the program's default error handler does.
template <typename Handler>
void runGuarded(MessageBoxes& messages, Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& fault) {
        messages.error(fault.what());
    }
}

// Runs `action` and gives the text of the fault it threw, or nothing: for a handler that goes
// on after a fault it can name, such as a check failing in a row the window does not show.
template <typename Action>
std::optional<std::string> faultOf(Action&& action) {
    try {
        std::forward<Action>(action)();
    } catch (const std::exception& fault) {
        return std::string(fault.what());
    }
    return std::nullopt;
}

// A slot that runs the window's `handler` through runGuarded, for connecting a control to it.
template <typename Window>
auto guardedSlot(MessageBoxes& messages, Window* window, void (Window::*handler)()) {
    return [&messages, window, handler] { runGuarded(messages, [window, handler] { (window->*handler)(); }); };
}

// Connects a control's signal to a handler of its window, run through runGuarded. Every
// handler of the program's windows is connected this way, so that a fault in any of them is
// shown the same way and never reaches the event loop.
template <typename Sender, typename Signal, typename Window>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, MessageBoxes& messages, Window* window,
                                       void (Window::*handler)()) {
    return QObject::connect(sender, signal, window, guardedSlot(messages, window, handler));
}

// The same for a handler that needs more than the window, such as the control that was pressed.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, MessageBoxes& messages, QObject* context,
                                       Handler handler) {
    return QObject::connect(sender, signal, context,
                            [&messages, handler] { runGuarded(messages, [&handler] { handler(); }); });
}

}  // namespace telvanor
