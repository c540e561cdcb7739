#include "platform/helper_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

#include "platform/posix/descriptor.h"

extern char** environ;

namespace telvanor::platform {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void cannotStart(const fs::path& program, int error) {
    throw std::runtime_error("Cannot start " + program.string() + ": " + std::strerror(error));
}

}  // namespace

HelperRun runHelper(const fs::path& program, const std::vector<std::string>& arguments,
                    std::chrono::milliseconds timeLimit, std::size_t maxOutputBytes) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) cannotStart(program, errno);
    Descriptor reading{ends[0]};
    Descriptor writing{ends[1]};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, writing.fd, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> texts{program.string()};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts) argv.push_back(text.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    int started = ::posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) cannotStart(program, started);
    ::close(writing.fd);
    writing.fd = -1;

    HelperRun run;
    bool stopped = false;
    auto deadline = std::chrono::steady_clock::now() + timeLimit;
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            run.ending = HelperRun::Ending::TimedOut;
            stopped = true;
            break;
        }
        pollfd waiting{reading.fd, POLLIN, 0};
        int ready = ::poll(&waiting, 1, static_cast<int>(left.count()));
        if (ready <= 0) continue;  // interrupted, or the time is up (checked above)
        char buffer[65536];
        ssize_t got = ::read(reading.fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        run.output.append(buffer, static_cast<std::size_t>(got));
        if (run.output.size() > maxOutputBytes) {
            run.ending = HelperRun::Ending::OutputTooLarge;
            stopped = true;
            break;
        }
    }
    if (stopped) ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!stopped) {
        bool signalled = WIFSIGNALED(status);
        run.ending = signalled ? HelperRun::Ending::Crashed : HelperRun::Ending::Exited;
        run.status = signalled ? WTERMSIG(status) : WEXITSTATUS(status);
    }
    return run;
}

}  // namespace telvanor::platform
