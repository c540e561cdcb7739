#include "update/detached_process.h"

#include <QProcess>
#include <QStringList>

#include "update/updater_command.h"
#include "widgets/qt_text.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <fstream>
#include <string>
#endif

namespace telvanor {

namespace {

#ifdef Q_OS_WIN

std::intptr_t openHandle(std::int64_t processId) {
    return reinterpret_cast<std::intptr_t>(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(processId)));
}

void closeHandle(std::intptr_t handle) {
    if (handle) CloseHandle(reinterpret_cast<HANDLE>(handle));
}

bool handleRunning(std::intptr_t handle, std::int64_t) {
    // A process that has ended is signalled; its exit code (even 259) does not matter.
    return handle && WaitForSingleObject(reinterpret_cast<HANDLE>(handle), 0) == WAIT_TIMEOUT;
}

#else

std::intptr_t openHandle(std::int64_t processId) {
#ifdef SYS_pidfd_open
    return static_cast<std::intptr_t>(::syscall(SYS_pidfd_open, static_cast<pid_t>(processId), 0));
#else
    (void)processId;
    return -1;
#endif
}

void closeHandle(std::intptr_t handle) {
    if (handle >= 0) ::close(static_cast<int>(handle));
}

// Without a pidfd: the process exists and is not a zombie. A detached process is not our
// child, and its new parent may be slow to reap it.
bool processIdRunning(std::int64_t processId) {
    if (::kill(static_cast<pid_t>(processId), 0) != 0 && errno != EPERM) return false;
    std::ifstream stat("/proc/" + std::to_string(processId) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return true;
    std::size_t nameEnd = line.rfind(')');
    if (nameEnd == std::string::npos || nameEnd + 2 >= line.size()) return true;
    char state = line[nameEnd + 2];
    return state != 'Z' && state != 'X';
}

bool handleRunning(std::intptr_t handle, std::int64_t processId) {
    if (handle < 0) return processIdRunning(processId);
    // A pidfd becomes readable when its process has ended, reaped or not.
    pollfd watch{static_cast<int>(handle), POLLIN, 0};
    return ::poll(&watch, 1, 0) == 0;
}

#endif

}  // namespace

std::unique_ptr<DetachedProcess> DetachedProcess::start(const std::filesystem::path& program,
                                                        const std::string& parameters, bool hidden) {
    QProcess process;
    process.setProgram(toQtPath(program));
#ifdef Q_OS_WIN
    process.setNativeArguments(toQt(parameters));
    if (hidden) {
        process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* arguments) {
            arguments->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
            arguments->startupInfo->wShowWindow = SW_HIDE;
        });
    }
#else
    (void)hidden;  // a process has no window of its own here
    QStringList arguments;
    for (const std::string& argument : splitCommandLine(parameters)) arguments << toQt(argument);
    process.setArguments(arguments);
#endif
    qint64 processId = 0;
    if (!process.startDetached(&processId) || processId <= 0) return nullptr;
    return std::unique_ptr<DetachedProcess>(new DetachedProcess(processId));
}

DetachedProcess::DetachedProcess(std::int64_t processId) : processId_(processId), handle_(openHandle(processId)) {}

DetachedProcess::~DetachedProcess() { closeHandle(handle_); }

bool DetachedProcess::stillRunning() const { return handleRunning(handle_, processId_); }

}  // namespace telvanor
