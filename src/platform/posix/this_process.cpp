#include "platform/this_process.h"

#include <sys/resource.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>

namespace telvanor::platform {

namespace fs = std::filesystem;

long currentProcessId() { return static_cast<long>(::getpid()); }

std::string hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return "localhost";
    return name;
}

bool processRuns(long processId) { return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM; }

std::optional<fs::path> runningProgramFolder() {
    std::error_code error;
    fs::path own = fs::read_symlink("/proc/self/exe", error);
    if (error) return std::nullopt;
    return own.parent_path();
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void useBinaryStandardStreams() {}

void useUtf8Console() {}

bool limitOwnMemory(std::size_t bytes) {
    rlimit memory{static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes)};
    return ::setrlimit(RLIMIT_AS, &memory) == 0;
}

}  // namespace telvanor::platform
