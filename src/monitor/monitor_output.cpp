#include "monitor/monitor_output.h"

#include <cstdio>
#include <ctime>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/local_time.h"
#include "report/report_writers.h"

namespace telvanor {

namespace {

std::string hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

// A row's fields in the CSV columns' order, after the time.
std::vector<std::string> fields(const OverviewRow& row, const RegisterReading& reading) {
    std::vector<std::string> fields = {row.cell(OverviewColumn::Direction), row.registerText, row.hexText};
    if (reading.value) {
        unsigned value = *reading.value;
        fields.insert(fields.end(),
                      {std::to_string(value), hex(value, 4), hex(value >> 8, 2), row.cell(OverviewColumn::HighByte),
                       hex(value & 0xFF, 2), row.cell(OverviewColumn::LowByte), ""});
    } else {
        fields.insert(fields.end(), {"", "", "", row.cell(OverviewColumn::HighByte), "",
                                     row.cell(OverviewColumn::LowByte), reading.error});
    }
    return fields;
}

nlohmann::ordered_json jsonRow(const OverviewRow& row, const RegisterReading& reading) {
    nlohmann::ordered_json json;
    json["direction"] = row.cell(OverviewColumn::Direction);
    if (row.registerValue)
        json["register"] = *row.registerValue;
    else
        json["register"] = row.registerText;
    json["value"] = nullptr;
    json["high_byte"] = nullptr;
    json["high_field"] = row.cell(OverviewColumn::HighByte);
    json["low_byte"] = nullptr;
    json["low_field"] = row.cell(OverviewColumn::LowByte);
    json["error"] = nullptr;
    if (reading.value) {
        json["value"] = *reading.value;
        json["high_byte"] = *reading.value >> 8;
        json["low_byte"] = *reading.value & 0xFF;
    } else {
        json["error"] = reading.error;
    }
    return json;
}

std::string textRow(const OverviewRow& row, const RegisterReading& reading) {
    std::string line = row.cell(OverviewColumn::Direction) + "  register " + row.registerText;
    if (!row.hexText.empty()) line += " (" + row.hexText + ")";
    if (!reading.value) return line + "  error: " + reading.error;
    unsigned value = *reading.value;
    return line + "  = " + std::to_string(value) + " (" + hex(value, 4) + ")  high " + hex(value >> 8, 2) + " " +
           row.cell(OverviewColumn::HighByte) + "  low " + hex(value & 0xFF, 2) + " " +
           row.cell(OverviewColumn::LowByte);
}

}  // namespace

std::optional<MonitorFormat> parseMonitorFormat(std::string_view name) {
    if (name == "text") return MonitorFormat::Text;
    if (name == "csv") return MonitorFormat::Csv;
    if (name == "json") return MonitorFormat::Json;
    return std::nullopt;
}

std::string monitorHeader(MonitorFormat format) {
    if (format != MonitorFormat::Csv) return "";
    return csvLine({"time", "direction", "register", "register_hex", "value", "value_hex", "high_byte", "high_field",
                    "low_byte", "low_field", "error"});
}

std::string monitorRound(MonitorFormat format, const RegisterOverview& overview, const RoundReadings& round,
                         std::chrono::system_clock::time_point time) {
    std::string when = localTimeText(time);
    std::string text;
    if (format == MonitorFormat::Json) {
        nlohmann::ordered_json json;
        json["time"] = when;
        json["registers"] = nlohmann::ordered_json::array();
        for (const OverviewRow& row : overview.rows) json["registers"].push_back(jsonRow(row, readingOf(row, round)));
        return json.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
    }
    if (format == MonitorFormat::Text)
        text = when + "  " + std::to_string(overview.rows.size()) + " mappings, " +
               std::to_string(round.failedReads()) + " failed reads\n";
    for (const OverviewRow& row : overview.rows) {
        RegisterReading reading = readingOf(row, round);
        if (format == MonitorFormat::Text) {
            text += textRow(row, reading) + "\n";
            continue;
        }
        std::vector<std::string> line = fields(row, reading);
        line.insert(line.begin(), when);
        text += csvLine(line);
    }
    return text;
}

std::string localTimeText(std::chrono::system_clock::time_point time, const char* format) {
    std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local = platform::localTime(seconds);
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

}  // namespace telvanor
