#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include <QPoint>

#include "update/process_wait.h"

namespace telvanor {

class MessageBoxes;

enum class RunOutcome { NotStarted, Ended, TimedOut };

// Told, at every poll, how long the program has been running.
using RunProgress = std::function<void(std::chrono::milliseconds elapsed)>;

// Starts `program` with the parameter string and waits for it to end, asking every 10 ms, at
// most `timeout`. A program that cannot be started gives no message and no wait. After the
// time-out the error box "Time Out Error" is shown near the top of the screen and the
// program is left running; a normal end gives no message.
//
// While it waits the windows keep painting but take no input: key presses, mouse clicks and
// close requests are dropped, not kept for later, and the cursor shows that the tool is busy.
RunOutcome RunAndWait(const std::filesystem::path& program, const std::string& parameters, bool hidden,
                      MessageBoxes& messages, const RunProgress& progress = {},
                      std::chrono::milliseconds timeout = kUpdaterTimeout);

// Where the "Time Out Error" box opens: 180 pixels left of the middle of the screen, 100
// pixels from its top.
QPoint timeOutBoxPosition(int screenWidth);

}  // namespace telvanor
