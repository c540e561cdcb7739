#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace telvanor {

// A second copy of the program on the same workspace is told at start: the first copy keeps
// a lock file in the workspace holding its process id and host name, "1234 host". A lock
// whose process no longer runs on this host is stale and taken over.
inline constexpr std::string_view kWorkspaceLockFile = "telvanor.lock";

struct WorkspaceLock {
    enum class State {
        Taken,           // the lock is this process's now
        TakenOverStale,  // a lock of a process that no longer runs was replaced
        HeldByOther,     // another copy runs (or ran on another host) and holds it
        Unknown,         // the lock could be neither read nor written
    };
    State state = State::Taken;
    long otherProcess = 0;  // HeldByOther, TakenOverStale: the process id in the lock
    std::string otherHost;
    std::string failure;  // Unknown: why
};

// Takes the workspace's lock for the process `processId` on `host`, unless a running process
// holds it.
WorkspaceLock lockWorkspace(const std::filesystem::path& workspaceDir, long processId, const std::string& host);
// The same for this process.
WorkspaceLock lockWorkspace(const std::filesystem::path& workspaceDir);

// Removes the lock when `processId` on `host` holds it; another copy's lock stays.
void unlockWorkspace(const std::filesystem::path& workspaceDir, long processId, const std::string& host);
void unlockWorkspace(const std::filesystem::path& workspaceDir);

// What the program tells at start about the lock; nothing when it simply took it.
std::optional<std::string> workspaceLockNotice(const WorkspaceLock& lock, const std::filesystem::path& workspaceDir);

}  // namespace telvanor
