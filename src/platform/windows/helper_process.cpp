#include "platform/helper_process.h"

#include <stdexcept>

#include "platform/windows/wide_text.h"

namespace telvanor::platform {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void cannotStart(const fs::path& program, std::error_code error) {
    throw std::runtime_error("Cannot start " + utf8Text(program.native()) + ": " + error.message());
}

// One argument as the program's CommandLineToArgvW reads it back: quoted when it holds spaces
// or quotes, backslashes doubled where a quote follows them.
void appendQuoted(std::wstring& line, const std::wstring& argument) {
    if (!line.empty()) line += L' ';
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        line += argument;
        return;
    }
    line += L'"';
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

HANDLE nullDevice(DWORD access) {
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return ::CreateFileW(L"NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0, nullptr);
}

// Whether starting a program failed for good: it is missing, forbidden or no program. Other
// failures pass (Wine and a hard-pressed Windows now and then fail a start with "Internal
// error"), and the start is tried again.
bool failsForGood(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_ACCESS_DENIED:
        case ERROR_BAD_EXE_FORMAT:
        case ERROR_EXE_MACHINE_TYPE_MISMATCH:
        case ERROR_INVALID_NAME:
        case ERROR_DIRECTORY:
            return true;
        default:
            return false;
    }
}

// Exit codes from 0xC0000000 are exceptions that ended the program (an access violation).
bool isCrash(DWORD code) { return code >= 0xC0000000u; }

}  // namespace

HelperRun runHelper(const fs::path& program, const std::vector<std::string>& arguments,
                    std::chrono::milliseconds timeLimit, std::size_t maxOutputBytes) {
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    Handle reading, writing;
    if (!::CreatePipe(&reading.handle, &writing.handle, &inherited, 0)) cannotStart(program, lastError());
    ::SetHandleInformation(reading.handle, HANDLE_FLAG_INHERIT, 0);
    Handle input{nullDevice(GENERIC_READ)};
    Handle errors{nullDevice(GENERIC_WRITE)};

    std::wstring line;
    appendQuoted(line, program.wstring());
    for (const std::string& argument : arguments) appendQuoted(line, wideText(argument));

    // The job ends the helper with this process, and at once when the limits are passed.
    Handle job{::CreateJobObjectW(nullptr, nullptr)};
    if (!job.valid()) cannotStart(program, lastError());
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(job.handle, JobObjectExtendedLimitInformation, &limits, sizeof limits);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.handle;
    startup.hStdOutput = writing.handle;
    startup.hStdError = errors.handle;
    PROCESS_INFORMATION started{};
    constexpr int kStartAttempts = 3;
    for (int attempt = 1;; ++attempt) {
        // CreateProcessW may write into the command line it is given: each attempt has its own.
        std::wstring attemptLine = line;
        if (::CreateProcessW(program.c_str(), attemptLine.data(), nullptr, nullptr, TRUE,
                             CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &startup, &started))
            break;
        DWORD error = ::GetLastError();
        if (failsForGood(error) || attempt == kStartAttempts) cannotStart(program, windowsError(error));
        ::Sleep(100 * attempt);
    }
    Handle process{started.hProcess};
    Handle thread{started.hThread};
    ::AssignProcessToJobObject(job.handle, process.handle);
    ::ResumeThread(thread.handle);
    ::CloseHandle(writing.handle);
    writing.handle = INVALID_HANDLE_VALUE;

    HelperRun run;
    bool stopped = false;
    auto deadline = std::chrono::steady_clock::now() + timeLimit;
    for (;;) {
        if (std::chrono::steady_clock::now() >= deadline) {
            run.ending = HelperRun::Ending::TimedOut;
            stopped = true;
            break;
        }
        DWORD waiting = 0;
        if (!::PeekNamedPipe(reading.handle, nullptr, 0, nullptr, &waiting, nullptr)) break;  // the helper closed it
        if (waiting == 0) {
            // Nothing yet: wait a little for the helper, or for its end.
            ::WaitForSingleObject(process.handle, 10);
            continue;
        }
        char buffer[65536];
        DWORD got = 0;
        if (!::ReadFile(reading.handle, buffer, std::min<DWORD>(waiting, sizeof buffer), &got, nullptr) || got == 0)
            break;
        run.output.append(buffer, got);
        if (run.output.size() > maxOutputBytes) {
            run.ending = HelperRun::Ending::OutputTooLarge;
            stopped = true;
            break;
        }
    }
    if (stopped) {
        ::TerminateJobObject(job.handle, 1);
        ::TerminateProcess(process.handle, 1);  // should it have stayed outside the job
    }
    ::WaitForSingleObject(process.handle, INFINITE);
    if (!stopped) {
        DWORD code = 0;
        ::GetExitCodeProcess(process.handle, &code);
        run.ending = isCrash(code) ? HelperRun::Ending::Crashed : HelperRun::Ending::Exited;
        run.status = static_cast<int>(code);
    }
    return run;
}

}  // namespace telvanor::platform
