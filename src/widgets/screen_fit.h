#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace telvanor {

// The frame a window manager puts around a window (title bar and borders), as far as the
// program allows for it: before the window is first shown the real frame is not known, and
// some platforms tell a thinner one than a desktop draws.
inline constexpr QMargins kAssumedWindowFrame{4, 32, 4, 4};

// The frame allowed around `window`: on each side the real one where the window system tells
// a larger one, else the assumed.
QMargins windowFrame(const QWidget& window);

// Where the window stands with its frame: from its position (the frame's corner) over its size
// grown by the frame.
QRect outerGeometry(const QWidget& window);

// The largest size of the window's client area that lets it and its frame lie wholly on the
// available area of its screen (without task bars); empty when it has no screen.
QSize roomOnScreen(const QWidget& window);

// Shrinks the window to the room its screen has (never below its minimum size) and puts it, with
// its frame, in the middle of the screen's available area; a window still larger is put at the
// area's top-left corner, so that its title bar stays within reach. Never at negative
// coordinates of the screen.
void centreOnScreen(QWidget& window);

}  // namespace telvanor
