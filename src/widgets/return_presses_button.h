#pragma once

namespace telvanor {

// Return and keypad Enter press the push button or tool button that has the focus, in every
// window, as Space does: Qt leaves them to a dialog's default button, and outside dialogs to
// nothing. Other controls keep their own use of Return (a grid ends an edit, a dialog presses
// its default button). Installed once for the application; later calls do nothing.
void installReturnPressesFocusedButton();

}  // namespace telvanor
