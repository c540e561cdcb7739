#include "support/child_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <thread>

namespace telvanor::testing {

ChildProcess::ChildProcess(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    int pipeEnds[2];
    if (::pipe(pipeEnds) == -1) throw std::runtime_error("cannot make a pipe for " + command.front());
    pid_ = ::fork();
    if (pid_ == -1) throw std::runtime_error("cannot start " + command.front());
    if (pid_ == 0) {
        ::dup2(pipeEnds[1], STDOUT_FILENO);
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    output_ = pipeEnds[0];
}

ChildProcess::~ChildProcess() {
    ::kill(pid_, SIGTERM);
    int status = 0;
    for (int i = 0; i < 300 && ::waitpid(pid_, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (::waitpid(pid_, &status, WNOHANG) == 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
    }
    ::close(output_);
}

std::optional<std::string> ChildProcess::readLine(std::chrono::milliseconds timeout) {
    auto due = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (std::size_t end = buffered_.find('\n'); end != std::string::npos) {
            std::string line = buffered_.substr(0, end);
            buffered_.erase(0, end + 1);
            return line;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(due - std::chrono::steady_clock::now());
        if (left.count() <= 0) return std::nullopt;
        pollfd wanted{output_, POLLIN, 0};
        if (::poll(&wanted, 1, static_cast<int>(left.count())) <= 0) continue;
        char chunk[256];
        ssize_t read = ::read(output_, chunk, sizeof chunk);
        if (read <= 0) return std::nullopt;
        buffered_.append(chunk, static_cast<std::size_t>(read));
    }
}

}  // namespace telvanor::testing
