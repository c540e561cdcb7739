#include "project/file_kind.h"

#include <cstdio>
#include <system_error>

#include "platform/path_text.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

std::string kindText(fs::file_type type) {
    switch (type) {
        case fs::file_type::directory:
            return "a folder";
        case fs::file_type::fifo:
            return "a FIFO (named pipe)";
        case fs::file_type::socket:
            return "a socket";
        case fs::file_type::character:
            return "a character device";
        case fs::file_type::block:
            return "a block device";
        case fs::file_type::regular:
            return "a regular file";
        default:
            return "not a file";
    }
}

}  // namespace

std::optional<std::string> irregularFileReason(const fs::path& path) {
    std::error_code error;
    fs::file_status entry = fs::symlink_status(path, error);
    if (!fs::exists(entry)) return std::nullopt;  // nothing there: the caller says so
    fs::file_status status = entry;
    if (fs::is_symlink(entry)) {
        status = fs::status(path, error);
        if (status.type() == fs::file_type::not_found) {
            fs::path target = fs::read_symlink(path, error);
            return "it is a link to " + platform::utf8FromPath(target) + ", which does not exist";
        }
        if (error) return "it is a link that cannot be followed: " + error.message();
    }
    if (fs::is_regular_file(status)) return std::nullopt;
    return "it is " + kindText(status.type()) + ", not a regular file";
}

std::optional<std::string> notFolderReason(const fs::path& path) {
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    if (!error && fs::exists(status)) {
        if (fs::is_directory(status)) return std::nullopt;
        return "it is " + kindText(status.type()) + ", not a folder";
    }
    if (entryExists(path)) return irregularFileReason(path);  // a link that leads nowhere
    return std::string("there is no such folder");
}

bool entryExists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

std::string byteSizeText(std::uintmax_t bytes) {
    constexpr std::uintmax_t kMegabyte = 1024 * 1024;
    if (bytes < kMegabyte) return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    if (bytes % kMegabyte == 0) return std::to_string(bytes / kMegabyte) + " MB";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / kMegabyte);
    return text;
}

}  // namespace telvanor
