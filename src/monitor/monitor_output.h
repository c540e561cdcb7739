#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "monitor/register_readings.h"
#include "overview/register_overview.h"

namespace telvanor {

// How `telvanor-cli monitor` prints its rounds.
enum class MonitorFormat { Text, Csv, Json };

// "text", "csv" or "json"; nothing for any other name.
std::optional<MonitorFormat> parseMonitorFormat(std::string_view name);

// What comes before the first round: CSV's title line of the column names (time, direction,
// register, register_hex, value, value_hex, high_byte, high_field, low_byte, low_field,
// error); nothing for text and JSON.
std::string monitorHeader(MonitorFormat format);

// One round, a line per row of the overview (both maps, as the overview orders them): the
// direction, the register, its value in decimal and hexadecimal with its high and low byte
// and the fields the overview names for them, or the error. A value is empty (CSV), null
// (JSON) or left out (text) when the read failed. JSON gives the round as one object on one
// line; text starts it with a line saying when and how many reads failed.
std::string monitorRound(MonitorFormat format, const RegisterOverview& overview, const RoundReadings& round,
                         std::chrono::system_clock::time_point time);

// "2026-01-15 12:00:03" in local time, or as `format` (strftime) says.
std::string localTimeText(std::chrono::system_clock::time_point time, const char* format = "%Y-%m-%d %H:%M:%S");

}  // namespace telvanor
