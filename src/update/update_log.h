#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "update/updater_command.h"

namespace telvanor {

// How long a run took, as the update window and its log say it: "42 s", "3 min 10 s".
std::string durationText(std::chrono::milliseconds duration);

// How an updater ended: with an exit code, or stopped without one (killed or crashed).
struct UpdaterEnd {
    bool crashed = false;
    int exitCode = 0;
    std::chrono::milliseconds duration{0};

    bool succeeded() const { return !crashed && exitCode == 0; }
};

// "Updater finished (code 0) after 42 s", "Updater ended with code 3 after 12 s", or for an
// updater that was killed or crashed "Updater stopped without an exit code after 12 s".
std::string updaterEndText(const UpdaterEnd& end);

// What the window says after "Time Out Error" while it goes on watching the updater:
// "Time Out Error: the updater is still running: 3 min 10 s".
std::string stillRunningText(std::chrono::milliseconds elapsed);

// The size and SHA-256 of the image the updater is to write: "1234 bytes, SHA-256 9f86...".
std::string imageFactsText(std::uintmax_t size, std::string_view sha256Hex);

// What the log records when a run begins.
struct UpdateLogStart {
    std::string time;
    std::filesystem::path updater;
    // wine, when the updater is a Windows program run through it; empty otherwise.
    std::filesystem::path wine;
    // The arguments exactly as the updater receives them.
    std::vector<std::string> arguments;
    // The port as chosen in the window, and the device that Connect tested.
    std::string port;
    std::string device;
    UpdateOptions options;
    // imageFactsText of bank.bin, or why they are not known.
    std::string image;
};

// The log of a project's updates: PROJECT/bin/update.log.
std::filesystem::path updateLogPath(const std::filesystem::path& projectDir);

// The lines that open a run's entry, one item a line, each argument on a line of its own so
// that blanks and quotes in it stay visible.
std::string updateLogStart(const UpdateLogStart& start);

// The line that heads what the updater itself writes (its standard output and error).
std::string updateLogOutputHeading();

// A line of its own for what happened: "==== TIME TEXT".
std::string updateLogEvent(std::string_view time, std::string_view text);

// Appends text to the end of a file, creating it when missing. Throws FileError naming the
// file and the system's reason.
void appendToFile(const std::filesystem::path& file, std::string_view text);

}  // namespace telvanor
