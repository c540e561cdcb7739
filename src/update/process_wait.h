#pragma once

#include <chrono>
#include <functional>

namespace telvanor {

// How long the tool waits for the updater, and how often it asks whether it still runs.
inline constexpr std::chrono::milliseconds kUpdaterTimeout{150000};
inline constexpr std::chrono::milliseconds kPollInterval{10};

enum class WaitEnd { Ended, TimedOut };

// What the wait needs of the platform: whether the process still runs, the time since the
// wait began, and a pause of one poll interval (in which the windows keep painting).
struct WaitServices {
    std::function<bool()> stillRunning;
    std::function<std::chrono::milliseconds()> elapsed;
    std::function<void()> pause;
};

// Asks every poll interval whether the process still runs, until it has ended or the
// time-out has passed. A process found ended is never reported as timed out, even when its
// end is noticed only at the time-out.
WaitEnd WaitForProcessEnd(const WaitServices& services, std::chrono::milliseconds timeout);

}  // namespace telvanor
