#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "monitor/modbus_master.h"
#include "monitor/register_readings.h"

namespace telvanor {

// The monitor's reads on a thread of their own, so that a window stays responsive while the
// device takes its time: the line is opened, every block read, the interval waited, and so
// on until a stop is asked for. Writes asked for go between two rounds. What happened is
// collected with takeEvents().
class MonitorSession {
public:
    struct Round {
        std::chrono::system_clock::time_point time;
        RoundReadings readings;
    };
    struct Write {
        std::uint16_t address = 0;
        std::uint16_t value = 0;
        std::optional<std::string> error;  // nothing when the device took the value
    };
    struct Events {
        std::optional<std::string> openFailure;  // the line could not be opened
        std::vector<Round> rounds;
        std::vector<Write> writes;
        bool finished = false;  // the thread has ended and the line is closed
    };

    MonitorSession(SerialLine line, RegisterFunction function, std::vector<RegisterBlock> blocks,
                   std::chrono::milliseconds interval);
    // Asks the thread to stop and waits for it: at most the rest of one read.
    ~MonitorSession();
    MonitorSession(const MonitorSession&) = delete;
    MonitorSession& operator=(const MonitorSession&) = delete;

    // Ends the session after the read under way; the blocks after it are not read.
    void requestStop();
    // Writes `value` to register `address` (function 6) after the round under way.
    void requestWrite(std::uint16_t address, std::uint16_t value);
    // What happened since the last call.
    Events takeEvents();

private:
    void run();
    bool stopRequested() const { return stop_.load(); }

    const SerialLine line_;
    const RegisterFunction function_;
    const std::vector<RegisterBlock> blocks_;
    const std::chrono::milliseconds interval_;

    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::pair<std::uint16_t, std::uint16_t>> writesAsked_;
    Events events_;
    std::thread thread_;
};

}  // namespace telvanor
