#pragma once

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

// The updater's parameter string, to the character: the port as named, one blank, the four
// option tokens ("FW ", "FR ", "PW ", "PR ", or "NO " for a clear one), the quoted device
// description path followed by one blank, and the quoted bin folder of the project ending in
// the separator before the closing quote. Nothing follows. Paths are joined with the
// platform's separator; both folders are taken without a trailing one.
std::string updaterParameters(std::string_view port, const UpdateOptions& options,
                              const std::filesystem::path& masterDir, const std::filesystem::path& projectDir);

// Where the updater lies: the workspace folder, the separator and its file name.
std::filesystem::path updaterProgramPath(const std::filesystem::path& exeDir);

// Splits a command-line text into arguments as a POSIX shell splits words, without any
// expansion: blanks, tabs and line ends separate words outside quotes; single quotes keep
// everything up to the next single quote; double quotes keep everything up to the next
// unescaped double quote, a backslash in them escaping only $ ` " \ and a line end; a
// backslash outside quotes escapes the next character. The quotes themselves are removed;
// "" is an empty argument. A quote left open runs to the end of the text.
std::vector<std::string> splitCommandLine(std::string_view text);

}  // namespace telvanor
