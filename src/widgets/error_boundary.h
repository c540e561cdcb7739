#pragma once

#include <exception>
#include <utility>

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

// A slot that runs the window's `handler` through runGuarded, for connecting a control to it.
template <typename Window>
auto guardedSlot(MessageBoxes& messages, Window* window, void (Window::*handler)()) {
    return [&messages, window, handler] { runGuarded(messages, [window, handler] { (window->*handler)(); }); };
}

}  // namespace telvanor
