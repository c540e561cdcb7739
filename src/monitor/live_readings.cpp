#include "monitor/live_readings.h"

#include <array>
#include <cstdio>

#include "monitor/monitor_output.h"

namespace telvanor {

std::string liveColumnTitle(LiveColumn column) {
    static const std::array<const char*, kLiveColumns> titles = {"Value", "Value hex", "Last good read", "Errors",
                                                                 "Last error"};
    return titles[static_cast<std::size_t>(column)];
}

std::string liveCell(const LiveReading& reading, LiveColumn column) {
    switch (column) {
        case LiveColumn::Value:
            return reading.value ? std::to_string(*reading.value) : "";
        case LiveColumn::ValueHex: {
            if (!reading.value) return "";
            char text[8];
            std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(*reading.value));
            return text;
        }
        case LiveColumn::LastGoodRead:
            return reading.lastGoodRead ? localTimeText(*reading.lastGoodRead, "%H:%M:%S") : "";
        case LiveColumn::Errors:
            return std::to_string(reading.errors);
        case LiveColumn::LastError:
            return reading.lastError;
    }
    return "";
}

void applyRound(const RegisterOverview& overview, const RoundReadings& round,
                std::chrono::system_clock::time_point time, std::vector<LiveReading>& live) {
    live.resize(overview.rows.size());
    for (std::size_t row = 0; row < overview.rows.size(); ++row) {
        const std::optional<std::int32_t>& reg = overview.rows[row].registerValue;
        const RegisterReading* reading = reg ? round.find(*reg) : nullptr;
        if (!reading) continue;
        LiveReading& shown = live[row];
        if (reading->value) {
            shown.value = reading->value;
            shown.lastGoodRead = time;
            shown.lastError.clear();
        } else {
            ++shown.errors;
            shown.lastError = reading->error;
        }
    }
}

}  // namespace telvanor
