#include "project/file_kind.h"

#include <sys/stat.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace telvanor {

namespace fs = std::filesystem;

namespace {

std::string kindText(mode_t mode) {
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a FIFO (named pipe)";
    if (S_ISSOCK(mode)) return "a socket";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    return "not a file";
}

}  // namespace

std::optional<std::string> irregularFileReason(const fs::path& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) return std::nullopt;  // nothing there: the caller says so
    if (S_ISLNK(status.st_mode) && ::stat(path.c_str(), &status) != 0) {
        if (errno != ENOENT) return std::string("it is a link that cannot be followed: ") + std::strerror(errno);
        std::error_code error;
        fs::path target = fs::read_symlink(path, error);
        return "it is a link to " + target.string() + ", which does not exist";
    }
    if (S_ISREG(status.st_mode)) return std::nullopt;
    return "it is " + kindText(status.st_mode) + ", not a regular file";
}

bool entryExists(const fs::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
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
