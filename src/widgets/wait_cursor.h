#pragma once

#include <QApplication>

namespace telvanor {

// A wait cursor over the whole program while a step runs on the user-interface thread, put
// back however the step ends; message boxes come after it.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace telvanor
