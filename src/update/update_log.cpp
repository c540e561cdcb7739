#include "update/update_log.h"

#include <system_error>

#include "platform/file_system.h"
#include "platform/path_text.h"
#include "project/atomic_file.h"
#include "project/workspace.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr const char* kLogFile = "update.log";

std::string yesNo(bool ticked) { return ticked ? "yes" : "no"; }

std::string optionsText(const UpdateOptions& options) {
    return "Firmware " + yesNo(options.firmware) + ", Read Firmware when finish " + yesNo(options.readFirmware) +
           ", Project " + yesNo(options.project) + ", Read Project when finish " + yesNo(options.readProject);
}

std::string item(std::string_view name, std::string_view value) {
    std::string line(name);
    line += ':';
    line.append(line.size() < 13 ? 13 - line.size() : 1, ' ');
    return line + std::string(value) + '\n';
}

}  // namespace

std::string durationText(std::chrono::milliseconds duration) {
    auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration).count();
    if (seconds < 60) return std::to_string(seconds) + " s";
    return std::to_string(seconds / 60) + " min " + std::to_string(seconds % 60) + " s";
}

std::string updaterEndText(const UpdaterEnd& end) {
    std::string after = " after " + durationText(end.duration);
    if (end.crashed) return "Updater stopped without an exit code" + after;
    if (end.exitCode == 0) return "Updater finished (code 0)" + after;
    return "Updater ended with code " + std::to_string(end.exitCode) + after;
}

std::string stillRunningText(std::chrono::milliseconds elapsed) {
    return "Time Out Error: the updater is still running: " + durationText(elapsed);
}

std::string imageFactsText(std::uintmax_t size, std::string_view sha256Hex) {
    return std::to_string(size) + " bytes, SHA-256 " + std::string(sha256Hex);
}

fs::path updateLogPath(const fs::path& projectDir) { return projectBinFolder(projectDir) / kLogFile; }

std::string updateLogStart(const UpdateLogStart& start) {
    std::string text = updateLogEvent(start.time, "update started");
    text += item("updater", platform::utf8FromPath(start.updater));
    if (!start.wine.empty()) text += item("run through", platform::utf8FromPath(start.wine));
    for (std::size_t i = 0; i < start.arguments.size(); ++i)
        text += item("argument " + std::to_string(i + 1), start.arguments[i]);
    text += item("port", start.port + (start.device == start.port ? "" : " (device " + start.device + ")"));
    text += item("options", optionsText(start.options));
    text += item("bank.bin", start.image);
    return text;
}

std::string updateLogOutputHeading() { return "---- output of the updater (standard output and error):\n"; }

std::string updateLogEvent(std::string_view time, std::string_view text) {
    return "==== " + std::string(time) + ' ' + std::string(text) + '\n';
}

void appendToFile(const fs::path& file, std::string_view text) {
    if (std::error_code error = platform::appendToFile(file, text))
        throw FileError("Cannot write " + platform::utf8FromPath(file) + ": " + error.message());
}

}  // namespace telvanor
