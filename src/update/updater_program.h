#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace telvanor {

// How the updater is started: on its own, or (a Windows program on Linux) through wine,
// which then gets the updater's path as its first argument.
struct UpdaterLaunch {
    std::filesystem::path program;
    bool throughWine = false;
};

// What a look at the updater file found: how to start it, or why it cannot be started
// (for cannotStartMessage).
struct UpdaterLaunchPlan {
    std::optional<UpdaterLaunch> launch;
    std::string reason;
};

// Looks at the updater before it is started. It must exist and be a file. On Linux it must
// be a program Linux runs here (a script beginning with "#!", or an ELF program for this
// machine) with its execute permission set; a Windows program (beginning with "MZ") runs
// through `wine` when the PATH (`pathVariable`) has it, and is refused otherwise. On Windows
// any file beginning with "MZ" is a program.
UpdaterLaunchPlan planUpdaterLaunch(const std::filesystem::path& updater, std::string_view pathVariable);

// The first executable file of that name in the folders of a PATH value, if any.
std::optional<std::filesystem::path> findOnPath(std::string_view program, std::string_view pathVariable);

// "Cannot start the updater PATH: REASON".
std::string cannotStartMessage(const std::filesystem::path& updater, std::string_view reason);

}  // namespace telvanor
