#include "project/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#include "project/file_kind.h"

namespace telvanor {

namespace fs = std::filesystem;

std::string fileFailureText(std::string_view verb, const fs::path& file, int error) {
    return "Cannot " + std::string(verb) + " " + file.string() + ": " + std::strerror(error);
}

namespace {

[[noreturn]] void fail(std::string_view verb, const fs::path& file, int error) {
    throw FileError(fileFailureText(verb, file, error));
}

[[noreturn]] void failWith(std::string_view verb, const fs::path& file, const std::string& reason) {
    throw FileError("Cannot " + std::string(verb) + " " + file.string() + ": " + reason);
}

constexpr std::string_view kTemporaryMark = ".tmp";

std::string temporaryName(const fs::path& target) {
    static std::mt19937 generator{std::random_device{}()};
    return "." + target.filename().string() + std::string(kTemporaryMark) + std::to_string(generator() % 1000000);
}

// Whether `name` is a temporary file of ours for the file `target`: "." + its name + ".tmp"
// and digits.
bool isTemporaryOf(const std::string& name, const std::string& target) {
    std::string prefix = "." + target + std::string(kTemporaryMark);
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return false;
    return name.find_first_not_of("0123456789", prefix.size()) == std::string::npos;
}

// A save killed between writing its temporary file and renaming it leaves that file behind;
// the next save of the same file removes it.
void removeStaleTemporaries(const fs::path& folder, const std::string& target) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (isTemporaryOf(it->path().filename().string(), target) && it->is_regular_file(ignored) &&
            !it->is_symlink(ignored))
            fs::remove(it->path(), ignored);
    }
}

// Makes the rename itself durable: until the folder is synced, a power cut may bring back
// the old file, or no file at all.
void syncFolder(const fs::path& folder) {
    int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    ::fsync(descriptor);
    ::close(descriptor);
}

std::string tooLargeText(const fs::path& file, std::uintmax_t size, std::size_t maxBytes) {
    return "Cannot read " + file.string() + ": the file is " + byteSizeText(size) + ", larger than the limit of " +
           byteSizeText(maxBytes);
}

// The file a write replaces: `target`, or through a link the file it leads to, so that the
// link stays as it is. Anything but a regular file or a name not yet taken is refused.
fs::path replacedFile(const fs::path& target) {
    if (std::optional<std::string> reason = irregularFileReason(target)) failWith("write", target, *reason);
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(target, error))) return target;
    fs::path file = fs::canonical(target, error);
    if (error) fail("write", target, error.value());
    return file;
}

}  // namespace

int writeAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        // Nothing written and no error: the descriptor takes no more.
        if (written == 0) return EIO;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

void writeFileAtomically(const fs::path& target, std::string_view bytes) {
    const fs::path file = replacedFile(target);
    fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    fs::path temporary;
    int descriptor = -1;
    for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
        temporary = folder / temporaryName(file);
        descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (descriptor < 0 && errno != EEXIST) fail("write", target, errno);
    }
    if (descriptor < 0) fail("write", target, EEXIST);

    // A replaced file keeps its permissions, and its owner and group where the system lets
    // this process give them (root, or a group the user belongs to).
    struct stat existing {};
    if (::stat(file.c_str(), &existing) == 0) {
        ::fchmod(descriptor, existing.st_mode & 07777);
        if (::fchown(descriptor, existing.st_uid, existing.st_gid) != 0 &&
            ::fchown(descriptor, static_cast<uid_t>(-1), existing.st_gid) != 0) {
            // Only root may give a file away: the new file then belongs to this process's user.
        }
        // fchown may clear the set-id bits; the mode is set once more after it.
        ::fchmod(descriptor, existing.st_mode & 07777);
    }

    int error = writeAll(descriptor, bytes);
    if (error == 0 && ::fsync(descriptor) != 0) error = errno;
    if (::close(descriptor) != 0 && error == 0) error = errno;
    if (error == 0 && std::rename(temporary.c_str(), file.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        fail("write", target, error);
    }
    syncFolder(folder);
    removeStaleTemporaries(folder, file.filename().string());
}

void writeOutputFile(const fs::path& target, std::string_view bytes) {
    std::error_code error;
    fs::path resolved = target;
    if (fs::is_symlink(fs::symlink_status(target, error))) {
        resolved = fs::weakly_canonical(target, error);
        if (error) fail("write", target, error.value());
    }
    fs::file_status status = fs::status(resolved, error);
    if (!fs::exists(status) || fs::is_regular_file(status) || fs::is_directory(status)) {
        writeFileAtomically(resolved, bytes);
        return;
    }
    int descriptor = ::open(resolved.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) fail("write", target, errno);
    int failure = writeAll(descriptor, bytes);
    if (::close(descriptor) != 0 && failure == 0) failure = errno;
    if (failure != 0) fail("write", target, failure);
}

std::string readWholeFile(const fs::path& file, std::size_t maxBytes) {
    // Checked before opening: opening a FIFO waits for a writer, opening a device may act.
    if (std::optional<std::string> reason = irregularFileReason(file)) failWith("read", file, *reason);
    int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (descriptor < 0) fail("read", file, errno);
    auto refuse = [descriptor](const std::string& text) {
        ::close(descriptor);
        throw FileError(text);
    };
    // And again on what was opened, should something else have taken the file's place.
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode))
        refuse("Cannot read " + file.string() + ": it is not a regular file");
    if (static_cast<std::uintmax_t>(status.st_size) > maxBytes)
        refuse(tooLargeText(file, static_cast<std::uintmax_t>(status.st_size), maxBytes));
    std::string content;
    content.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            refuse(fileFailureText("read", file, errno));
        }
        if (got == 0) break;
        // A file that grows while it is read.
        if (content.size() + static_cast<std::size_t>(got) > maxBytes)
            refuse(tooLargeText(file, content.size() + static_cast<std::size_t>(got), maxBytes));
        content.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(descriptor);
    return content;
}

}  // namespace telvanor
