#include "platform/file_system.h"

#include "platform/windows/wide_text.h"

namespace telvanor::platform {

namespace fs = std::filesystem;

const std::string_view kProgramSuffix = ".exe";

namespace {

std::error_code writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) return lastError();
        if (written == 0) return std::make_error_code(std::errc::io_error);
        bytes.remove_prefix(written);
    }
    return {};
}

bool isBusy(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

// Windows answers "access denied" when the file to replace is open in another program without
// leave to delete it: an open that shares nothing tells that case from a real lack of rights.
DWORD replaceFailure(const fs::path& target, DWORD error) {
    if (error != ERROR_ACCESS_DENIED) return error;
    Handle probe{
        ::CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!probe.valid() && isBusy(::GetLastError())) return ERROR_SHARING_VIOLATION;
    return error;
}

// The text in the system's code page, unless a character has no place in it.
std::optional<std::string> inCodePage(std::wstring_view wide) {
    if (wide.empty()) return std::string();
    BOOL lossy = FALSE;
    int size = static_cast<int>(wide.size());
    int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr, &lossy);
    if (length == 0 || lossy) return std::nullopt;
    std::string text(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

}  // namespace

std::error_code writeNewFile(const fs::path& file, std::string_view bytes, const fs::path&) {
    // Permissions on Windows come with the folder; the replaced file's are kept by the rename.
    Handle created{::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!created.valid()) return lastError();
    std::error_code error = writeAll(created.handle, bytes);
    if (!error && !::FlushFileBuffers(created.handle)) error = lastError();
    if (error) {
        ::CloseHandle(created.handle);
        created.handle = INVALID_HANDLE_VALUE;
        ::DeleteFileW(file.c_str());
    }
    return error;
}

std::error_code replaceFile(const fs::path& replacement, const fs::path& target) {
    // MoveFileExW replaces in one step on NTFS. ReplaceFileW is not used: some of its failures
    // leave the target's name empty, with the old file under another name.
    DWORD error = ERROR_SUCCESS;
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (::MoveFileExW(replacement.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return {};
        error = replaceFailure(target, ::GetLastError());
        // A virus scanner or an indexer holds a new file for a moment; a program that keeps it
        // open does not let go.
        if (!isBusy(error)) break;
        ::Sleep(50);
    }
    return windowsError(error);
}

void syncFolder(const fs::path&) {}

std::error_code writeInPlace(const fs::path& file, std::string_view bytes) {
    Handle opened{::CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!opened.valid()) return lastError();
    return writeAll(opened.handle, bytes);
}

std::error_code appendToFile(const fs::path& file, std::string_view bytes) {
    // FILE_APPEND_DATA alone: every write lands at the end, whatever else writes there.
    Handle opened{::CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!opened.valid()) return lastError();
    return writeAll(opened.handle, bytes);
}

FileContent readRegularFile(const fs::path& file, std::size_t maxBytes) {
    FileContent content;
    Handle opened{::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!opened.valid()) {
        content.error = lastError();
        return content;
    }
    LARGE_INTEGER size{};
    if (::GetFileType(opened.handle) != FILE_TYPE_DISK || !::GetFileSizeEx(opened.handle, &size)) {
        content.irregular = true;
        return content;
    }
    if (static_cast<std::uintmax_t>(size.QuadPart) > maxBytes) {
        content.tooLargeSize = static_cast<std::uintmax_t>(size.QuadPart);
        return content;
    }
    content.bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(opened.handle, buffer, sizeof buffer, &got, nullptr)) {
            content.error = lastError();
            content.bytes.clear();
            return content;
        }
        if (got == 0) break;
        // A file that grows while it is read.
        if (content.bytes.size() + got > maxBytes) {
            content.tooLargeSize = content.bytes.size() + got;
            content.bytes.clear();
            return content;
        }
        content.bytes.append(buffer, got);
    }
    return content;
}

std::optional<std::string> pathForCLibrary(const fs::path& file) {
    if (std::optional<std::string> text = inCodePage(file.native())) return text;
    DWORD length = ::GetShortPathNameW(file.c_str(), nullptr, 0);
    if (length == 0) return std::nullopt;
    std::wstring shortName(length, L'\0');
    length = ::GetShortPathNameW(file.c_str(), shortName.data(), length);
    if (length == 0 || length >= shortName.size()) return std::nullopt;
    shortName.resize(length);
    return inCodePage(shortName);
}

bool mayCreateFilesIn(const fs::path& folder) {
    // Windows' rights are lists that only an attempt reads right.
    fs::path probe = folder / (".telvanor-probe-" + std::to_string(::GetCurrentProcessId()));
    Handle created{::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr)};
    return created.valid();
}

bool isExecutableFile(const fs::path& file) {
    std::error_code error;
    return fs::is_regular_file(file, error);
}

}  // namespace telvanor::platform
