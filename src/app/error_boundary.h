#pragma once

#include <exception>
#include <utility>

#include "app/message_boxes.h"

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

}  // namespace telvanor
