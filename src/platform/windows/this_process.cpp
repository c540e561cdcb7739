#include "platform/this_process.h"

// windows.h comes first: shellapi.h builds on it.
#include "platform/windows/wide_text.h"

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>

namespace telvanor::platform {

namespace fs = std::filesystem;

long currentProcessId() { return static_cast<long>(::GetCurrentProcessId()); }

std::string hostName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    if (!::GetComputerNameW(name, &length)) return "localhost";
    return utf8Text(std::wstring_view(name, length));
}

bool processRuns(long processId) {
    Handle process{::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(processId))};
    if (!process.valid()) return ::GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    return ::GetExitCodeProcess(process.handle, &code) && code == STILL_ACTIVE;
}

std::optional<fs::path> runningProgramFolder() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) return std::nullopt;
        if (length < name.size()) {
            name.resize(length);
            return fs::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

std::vector<std::string> commandLineArguments(int, char**) {
    int count = 0;
    wchar_t** words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int index = 1; words && index < count; ++index) arguments.push_back(utf8Text(words[index]));
    ::LocalFree(words);
    return arguments;
}

void useBinaryStandardStreams() {
    std::fflush(stdout);
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
}

namespace {

UINT consoleCodePageAtStart = 0;

void giveBackConsoleCodePage() { ::SetConsoleOutputCP(consoleCodePageAtStart); }

// Ctrl+C and Ctrl+Break end the process without its atexit functions; the code page goes back
// first, then the signal takes its course (FALSE: the next handler, or the end).
BOOL WINAPI giveBackOnInterrupt(DWORD) {
    giveBackConsoleCodePage();
    return FALSE;
}

}  // namespace

void useUtf8Console() {
    UINT current = ::GetConsoleOutputCP();
    // 0: no console to show the text.
    if (current == 0 || current == CP_UTF8 || !::SetConsoleOutputCP(CP_UTF8)) return;
    consoleCodePageAtStart = current;
    std::atexit(giveBackConsoleCodePage);
    ::SetConsoleCtrlHandler(giveBackOnInterrupt, TRUE);
}

bool limitOwnMemory(std::size_t bytes) {
    // A job of its own, which lives as long as the process: its handle is never closed.
    HANDLE job = ::CreateJobObjectW(nullptr, nullptr);
    if (!job) return false;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_PROCESS_MEMORY;
    limits.ProcessMemoryLimit = bytes;
    return ::SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits) &&
           ::AssignProcessToJobObject(job, ::GetCurrentProcess());
}

}  // namespace telvanor::platform
