#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

// Starting a helper program of the project and reading back what it writes on its standard
// output, within a time and a size limit. POSIX spawns the program (posix_spawn, never a fork of
// this process, which may run threads); Windows starts it with CreateProcessW in a job object,
// which ends it with the job. Its standard input and error are the null device.
namespace telvanor::platform {

// How a helper run ended.
struct HelperRun {
    enum class Ending {
        Exited,          // it ended by itself; `status` is its exit code
        Crashed,         // it was ended by a signal or an exception; `status` is its number
        TimedOut,        // it ran past the time limit and was stopped
        OutputTooLarge,  // it wrote more than the size limit and was stopped
    };
    Ending ending = Ending::Exited;
    int status = 0;
    std::string output;
};

// Runs `program` with `arguments` (UTF-8) and waits for its end. Throws std::runtime_error naming
// the program when it cannot be started.
HelperRun runHelper(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    std::chrono::milliseconds timeLimit, std::size_t maxOutputBytes);

}  // namespace telvanor::platform
