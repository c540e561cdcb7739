#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <system_error>

// What the Windows implementations share: UTF-8 and UTF-16 text, the last error, handles.
namespace telvanor::platform {

std::wstring wideText(std::string_view utf8);
std::string utf8Text(std::wstring_view wide);

// GetLastError() as an error code; the errors the callers test for compare equal to their
// std::errc (a name that is taken, one that is missing, a file in use).
std::error_code lastError();
std::error_code windowsError(DWORD code);

// Closes a handle however the caller leaves.
struct Handle {
    HANDLE handle = INVALID_HANDLE_VALUE;
    Handle() = default;
    explicit Handle(HANDLE opened) : handle(opened) {}
    ~Handle() {
        if (valid()) ::CloseHandle(handle);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle != INVALID_HANDLE_VALUE && handle != nullptr; }
};

}  // namespace telvanor::platform
