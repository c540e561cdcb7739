#include "platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>

#include "platform/posix/descriptor.h"

namespace telvanor::platform {

namespace fs = std::filesystem;

const std::string_view kProgramSuffix = "";

namespace {

std::error_code lastError() { return {errno, std::generic_category()}; }

// Writes all of `bytes`, going on after interruptions by signals.
std::error_code writeAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return lastError();
        }
        // Nothing written and no error: the descriptor takes no more.
        if (written == 0) return std::make_error_code(std::errc::io_error);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

// The new file keeps the model's permissions, and its owner and group where the system lets
// this process give them (root, or a group the user belongs to).
void takeOwnershipOf(int descriptor, const fs::path& model) {
    struct stat existing {};
    if (::stat(model.c_str(), &existing) != 0) return;
    ::fchmod(descriptor, existing.st_mode & 07777);
    if (::fchown(descriptor, existing.st_uid, existing.st_gid) != 0 &&
        ::fchown(descriptor, static_cast<uid_t>(-1), existing.st_gid) != 0) {
        // Only root may give a file away: the new file then belongs to this process's user.
    }
    // fchown may clear the set-id bits; the mode is set once more after it.
    ::fchmod(descriptor, existing.st_mode & 07777);
}

}  // namespace

std::error_code writeNewFile(const fs::path& file, std::string_view bytes, const fs::path& model) {
    Descriptor created{::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644)};
    if (created.fd < 0) return lastError();
    takeOwnershipOf(created.fd, model);
    std::error_code error = writeAll(created.fd, bytes);
    if (!error && ::fsync(created.fd) != 0) error = lastError();
    int descriptor = created.fd;
    created.fd = -1;
    if (::close(descriptor) != 0 && !error) error = lastError();
    if (error) ::unlink(file.c_str());
    return error;
}

std::error_code replaceFile(const fs::path& replacement, const fs::path& target) {
    if (std::rename(replacement.c_str(), target.c_str()) != 0) return lastError();
    return {};
}

void syncFolder(const fs::path& folder) {
    Descriptor opened{::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (opened.fd >= 0) ::fsync(opened.fd);
}

namespace {

// Opens `file` for writing with `flags`, writes `bytes` and closes it; a failed close (a full
// disk on a network share) counts as a failed write.
std::error_code openWriteAndClose(const fs::path& file, int flags, std::string_view bytes) {
    Descriptor opened{::open(file.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | flags, 0666)};
    if (opened.fd < 0) return lastError();
    std::error_code error = writeAll(opened.fd, bytes);
    int descriptor = opened.fd;
    opened.fd = -1;
    if (::close(descriptor) != 0 && !error) error = lastError();
    return error;
}

}  // namespace

std::error_code writeInPlace(const fs::path& file, std::string_view bytes) { return openWriteAndClose(file, 0, bytes); }

std::error_code appendToFile(const fs::path& file, std::string_view bytes) {
    return openWriteAndClose(file, O_APPEND | O_CREAT, bytes);
}

FileContent readRegularFile(const fs::path& file, std::size_t maxBytes) {
    FileContent content;
    Descriptor opened{::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK)};
    if (opened.fd < 0) {
        content.error = lastError();
        return content;
    }
    struct stat status {};
    if (::fstat(opened.fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        content.irregular = true;
        return content;
    }
    if (static_cast<std::uintmax_t>(status.st_size) > maxBytes) {
        content.tooLargeSize = static_cast<std::uintmax_t>(status.st_size);
        return content;
    }
    content.bytes.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t got = ::read(opened.fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            content.error = lastError();
            content.bytes.clear();
            return content;
        }
        if (got == 0) break;
        // A file that grows while it is read.
        if (content.bytes.size() + static_cast<std::size_t>(got) > maxBytes) {
            content.tooLargeSize = content.bytes.size() + static_cast<std::size_t>(got);
            content.bytes.clear();
            return content;
        }
        content.bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return content;
}

std::optional<std::string> pathForCLibrary(const fs::path& file) { return file.string(); }

bool mayCreateFilesIn(const fs::path& folder) { return ::access(folder.c_str(), W_OK) == 0; }

bool isExecutableFile(const fs::path& file) { return ::access(file.c_str(), X_OK) == 0; }

}  // namespace telvanor::platform
