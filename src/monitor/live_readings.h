#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "monitor/register_readings.h"
#include "overview/register_overview.h"

namespace telvanor {

// What the monitor window shows of a row while it reads: the last value the device sent and
// when, how many reads of the register failed, and why the latest one did.
struct LiveReading {
    std::optional<std::uint16_t> value;
    std::optional<std::chrono::system_clock::time_point> lastGoodRead;
    std::size_t errors = 0;
    std::string lastError;  // the latest read's error; empty once a read succeeds
};

// The columns the monitor adds to the overview's.
enum class LiveColumn { Value, ValueHex, LastGoodRead, Errors, LastError };
inline constexpr std::size_t kLiveColumns = 5;

std::string liveColumnTitle(LiveColumn column);

// "1234", "0x04D2", "12:00:03", "2", "time-out"; empty where there is nothing to say.
std::string liveCell(const LiveReading& reading, LiveColumn column);

// Takes a round into the live readings of the overview's rows (one per row). A register the
// round did not ask for (not one the device holds, or a round stopped early) keeps its
// reading and its count.
void applyRound(const RegisterOverview& overview, const RoundReadings& round,
                std::chrono::system_clock::time_point time, std::vector<LiveReading>& live);

}  // namespace telvanor
