#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace telvanor {

// Starting a helper program of the project and reading back what it writes on its standard
// output, within a time and a size limit. This is the only platform-bound part of the
// workbook reading: the POSIX variant spawns the program (posix_spawn, never a fork of this
// process, which may run threads) with its standard input and error on the null device.

// How a helper run ended.
struct HelperRun {
    enum class Ending {
        Exited,          // it ended by itself; `status` is its exit code
        Crashed,         // it was ended by a signal; `status` is the signal
        TimedOut,        // it ran past the time limit and was stopped
        OutputTooLarge,  // it wrote more than the size limit and was stopped
    };
    Ending ending = Ending::Exited;
    int status = 0;
    std::string output;
};

// Runs `program` with `arguments` and waits for its end. Throws std::runtime_error naming the
// program when it cannot be started.
HelperRun runHelper(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    std::chrono::milliseconds timeLimit, std::size_t maxOutputBytes);

// The folder of the running program's executable, when the system tells it.
std::optional<std::filesystem::path> runningProgramFolder();

}  // namespace telvanor
