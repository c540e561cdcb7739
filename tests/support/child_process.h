#pragma once

#include <sys/types.h>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace telvanor::testing {

// A program the test runs beside it (socat, a Modbus slave), ended with the object: asked to
// terminate, killed if it does not within three seconds. Its standard output can be read line
// by line; its standard error goes to the test's.
class ChildProcess {
public:
    // Starts the command; its first word is looked up on the PATH.
    explicit ChildProcess(const std::vector<std::string>& command);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line the program writes, without its line end; nothing when none comes within
    // `timeout` or the program ends first.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout);

private:
    pid_t pid_ = -1;
    int output_ = -1;
    std::string buffered_;
};

}  // namespace telvanor::testing
