#include "project/workspace_lock.h"

#include <sstream>
#include <system_error>

#include "platform/file_system.h"
#include "platform/path_text.h"
#include "platform/this_process.h"
#include "project/atomic_file.h"
#include "project/file_kind.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxLockBytes = 4096;

fs::path lockPath(const fs::path& workspaceDir) { return workspaceDir / std::string(kWorkspaceLockFile); }

std::string lockText(long processId, const std::string& host) { return std::to_string(processId) + " " + host + "\n"; }

struct LockHolder {
    long processId = 0;
    std::string host;
};

LockHolder readHolder(const std::string& text) {
    LockHolder holder;
    std::istringstream in(text);
    in >> holder.processId >> holder.host;
    return holder;
}

// Whether the process runs: on this host the system says so; on another host nobody can
// tell, so it is taken as running.
bool isRunning(const LockHolder& holder, const std::string& host) {
    if (holder.processId <= 0) return false;
    if (holder.host != host) return true;
    return platform::processRuns(holder.processId);
}

}  // namespace

WorkspaceLock lockWorkspace(const fs::path& workspaceDir, long processId, const std::string& host) {
    WorkspaceLock lock;
    const fs::path file = lockPath(workspaceDir);
    std::error_code created = platform::writeNewFile(file, lockText(processId, host), fs::path());
    if (!created) return lock;
    if (created != std::errc::file_exists && !entryExists(file)) {
        lock.state = WorkspaceLock::State::Unknown;
        lock.failure = fileFailureText("write", file, created);
        return lock;
    }
    try {
        LockHolder holder = readHolder(readWholeFile(file, kMaxLockBytes));
        bool ours = holder.processId == processId && holder.host == host;
        if (!ours && isRunning(holder, host)) {
            lock.state = WorkspaceLock::State::HeldByOther;
            lock.otherProcess = holder.processId;
            lock.otherHost = holder.host;
            return lock;
        }
        writeFileAtomically(file, lockText(processId, host));
        if (!ours) {
            lock.state = WorkspaceLock::State::TakenOverStale;
            lock.otherProcess = holder.processId;
            lock.otherHost = holder.host;
        }
    } catch (const FileError& error) {
        lock.state = WorkspaceLock::State::Unknown;
        lock.failure = error.what();
    }
    return lock;
}

WorkspaceLock lockWorkspace(const fs::path& workspaceDir) {
    return lockWorkspace(workspaceDir, platform::currentProcessId(), platform::hostName());
}

void unlockWorkspace(const fs::path& workspaceDir, long processId, const std::string& host) {
    const fs::path file = lockPath(workspaceDir);
    try {
        LockHolder holder = readHolder(readWholeFile(file, kMaxLockBytes));
        std::error_code ignored;
        if (holder.processId == processId && holder.host == host) fs::remove(file, ignored);
    } catch (const FileError&) {
        // No lock, or none of ours to remove.
    }
}

void unlockWorkspace(const fs::path& workspaceDir) {
    unlockWorkspace(workspaceDir, platform::currentProcessId(), platform::hostName());
}

std::optional<std::string> workspaceLockNotice(const WorkspaceLock& lock, const fs::path& workspaceDir) {
    switch (lock.state) {
        case WorkspaceLock::State::Taken:
        case WorkspaceLock::State::TakenOverStale:
            return std::nullopt;
        case WorkspaceLock::State::HeldByOther:
            return "Another copy of Firmware Telvanor (process " + std::to_string(lock.otherProcess) + " on " +
                   lock.otherHost + ") is using the workspace " + platform::utf8FromPath(workspaceDir) +
                   ".\n\nBoth copies may change the same project files. Each editor asks before its OK saves over "
                   "a file that changed on disk since the editor read it.";
        case WorkspaceLock::State::Unknown:
            return "Firmware Telvanor cannot tell whether another copy is using the workspace " +
                   platform::utf8FromPath(workspaceDir) + ": " + lock.failure +
                   ".\n\nEach editor still asks before its OK saves over a file that changed on disk since the "
                   "editor read it.";
    }
    return std::nullopt;
}

}  // namespace telvanor
