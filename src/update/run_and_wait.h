#pragma once

#include <chrono>
#include <functional>
#include <string>

#include <QPoint>

#include "update/process_wait.h"

namespace telvanor {

class MessageBoxes;
class UpdaterProcess;

enum class RunOutcome { Ended, TimedOut };

// Told, at every poll, how long the program has been running.
using RunProgress = std::function<void(std::chrono::milliseconds elapsed)>;

// Waits for a started updater to end, asking every 10 ms, at most `timeout` from its start;
// after the time-out the updater is left running.
//
// While it waits every window of the program is disabled, so that nothing (a key, a click, a
// shortcut, a screen reader or test tool pressing a button through the accessibility
// interface) can open another window or rebuild the image; close requests are refused, the
// cursor shows that the tool is busy, and the windows keep painting.
RunOutcome RunAndWait(const UpdaterProcess& process, const RunProgress& progress = {},
                      std::chrono::milliseconds timeout = kUpdaterTimeout);

// Where the "Time Out Error" box opens: 180 pixels left of the middle of the screen, 100
// pixels from its top.
QPoint timeOutBoxPosition(int screenWidth);

// Shows a message beginning with "Time Out Error" in the error box at that place.
void showTimeOutBox(MessageBoxes& messages, const std::string& text);

}  // namespace telvanor
