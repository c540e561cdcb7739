#include "platform/windows/wide_text.h"

namespace telvanor::platform {

std::wstring wideText(std::string_view utf8) {
    if (utf8.empty()) return {};
    int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

std::string utf8Text(std::wstring_view wide) {
    if (wide.empty()) return {};
    int length =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length, nullptr,
                          nullptr);
    return utf8;
}

namespace {

// The system's own reason, in English where the system has it.
class WindowsCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "windows"; }
    std::string message(int code) const override {
        wchar_t* text = nullptr;
        DWORD length = ::FormatMessageW(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
            static_cast<DWORD>(code), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), reinterpret_cast<wchar_t*>(&text),
            0, nullptr);
        if (length == 0)
            length = ::FormatMessageW(
                FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
        if (length == 0) return "Windows error " + std::to_string(code);
        std::wstring_view wide(text, length);
        // The system ends its texts with a full stop and a line end; the callers add their own.
        while (!wide.empty() &&
               (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L'.' || wide.back() == L' '))
            wide.remove_suffix(1);
        std::string message = utf8Text(wide);
        ::LocalFree(text);
        return message;
    }
    std::error_condition default_error_condition(int code) const noexcept override {
        switch (code) {
            case ERROR_FILE_EXISTS:
            case ERROR_ALREADY_EXISTS:
                return std::errc::file_exists;
            case ERROR_FILE_NOT_FOUND:
            case ERROR_PATH_NOT_FOUND:
                return std::errc::no_such_file_or_directory;
            case ERROR_ACCESS_DENIED:
                return std::errc::permission_denied;
            case ERROR_SHARING_VIOLATION:
            case ERROR_LOCK_VIOLATION:
            case ERROR_UNABLE_TO_REMOVE_REPLACED:
            case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
                return std::errc::device_or_resource_busy;
            default:
                return {code, *this};
        }
    }
};

}  // namespace

std::error_code windowsError(DWORD code) {
    static const WindowsCategory category;
    return {static_cast<int>(code), category};
}

std::error_code lastError() { return windowsError(::GetLastError()); }

}  // namespace telvanor::platform
