#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace telvanor {

// The external serial updater in the workspace folder and the device description file in
// MASTER that it is told about.
inline constexpr std::string_view kUpdaterProgram = "Ser_40915_Update.exe";
inline constexpr std::string_view kDeviceDescriptionFile = "sim40915.sim";

// The four options of an update, each ticked or clear.
struct UpdateOptions {
    bool firmware = true;
    bool readFirmware = true;
    bool project = true;
    bool readProject = true;
};

// What the updater is told, part by part: the port, the four option tokens ("FW", "FR",
// "PW", "PR", or "NO" for a clear one), the device description file and the project's bin
// folder, which ends in the separator.
struct UpdaterArguments {
    std::string port;
    std::array<std::string, 4> tokens;
    std::string deviceDescription;
    std::string binFolder;

    // The arguments as the updater receives them, one part each, in that order.
    std::vector<std::string> list() const;

    // The one command-line text of the parts, to the character, as a Windows program reads
    // its command line: the port, one blank, each token followed by one blank, the quoted
    // device description path, one blank and the quoted bin folder; nothing follows.
    std::string parameterString() const;
};

// The parts for a port and the options, with the paths joined by the platform's separator
// (both folders are taken without a trailing one).
UpdaterArguments updaterArguments(std::string_view port, const UpdateOptions& options,
                                  const std::filesystem::path& masterDir, const std::filesystem::path& projectDir);

// The same parts for a Windows updater run through wine on Linux: the port is the COM name
// that wine gives the device, and the paths are told as wine's drive Z: sees them (Z: is
// the root folder in wine's default set-up), such as Z:\home\me\gw\MASTER\sim40915.sim.
UpdaterArguments wineUpdaterArguments(std::string_view comName, const UpdateOptions& options,
                                      const std::filesystem::path& masterDir, const std::filesystem::path& projectDir);

// An absolute Linux path as a Windows program under wine names it: Z: and backslashes.
std::string wineDrivePath(std::string_view linuxPath);

// Where the updater lies: the workspace folder, the separator and its file name.
std::filesystem::path updaterProgramPath(const std::filesystem::path& exeDir);

}  // namespace telvanor
