#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace telvanor {

// A program started on its own, not as a child that QProcess would end: it goes on running
// when the tool stops waiting for it and when the tool exits. The object only watches it.
class DetachedProcess {
public:
    // Starts `program` with the parameter string: on Windows as the one command-line text,
    // elsewhere split into arguments as a shell would. No working folder is set, so the
    // tool's current folder applies; `hidden` asks for no window where the platform has
    // windows. Gives nothing when the program cannot be started.
    static std::unique_ptr<DetachedProcess> start(const std::filesystem::path& program, const std::string& parameters,
                                                  bool hidden);

    ~DetachedProcess();
    DetachedProcess(const DetachedProcess&) = delete;
    DetachedProcess& operator=(const DetachedProcess&) = delete;

    bool stillRunning() const;
    std::int64_t processId() const { return processId_; }

private:
    explicit DetachedProcess(std::int64_t processId);

    std::int64_t processId_;
    // A handle that stays tied to this very process, so that a reused process id cannot be
    // mistaken for it: a pidfd on Linux, a process handle on Windows; -1 or null without.
    std::intptr_t handle_;
};

}  // namespace telvanor
