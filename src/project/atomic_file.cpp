#include "project/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace telvanor {

namespace fs = std::filesystem;

std::string fileFailureText(std::string_view verb, const fs::path& file, int error) {
    return "Cannot " + std::string(verb) + " " + file.string() + ": " + std::strerror(error);
}

namespace {

[[noreturn]] void fail(std::string_view verb, const fs::path& file, int error) {
    throw FileError(fileFailureText(verb, file, error));
}

std::string temporaryName(const fs::path& target) {
    static std::mt19937 generator{std::random_device{}()};
    return "." + target.filename().string() + ".tmp" + std::to_string(generator() % 1000000);
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
    std::error_code ignored;
    if (fs::is_directory(target, ignored)) fail("write", target, EISDIR);
    fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    fs::path temporary;
    int descriptor = -1;
    for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
        temporary = folder / temporaryName(target);
        descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (descriptor < 0 && errno != EEXIST) fail("write", target, errno);
    }
    if (descriptor < 0) fail("write", target, EEXIST);

    // A replaced file keeps its permissions.
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) ::fchmod(descriptor, existing.st_mode & 07777);

    int error = writeAll(descriptor, bytes);
    if (error == 0 && ::fsync(descriptor) != 0) error = errno;
    if (::close(descriptor) != 0 && error == 0) error = errno;
    if (error == 0 && std::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        fail("write", target, error);
    }
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
    int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) fail("read", file, errno);
    std::string content;
    char buffer[65536];
    for (;;) {
        ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            int error = errno;
            ::close(descriptor);
            fail("read", file, error);
        }
        if (got == 0) break;
        if (content.size() + static_cast<std::size_t>(got) > maxBytes) {
            ::close(descriptor);
            throw FileError("Cannot read " + file.string() + ": the file is larger than " +
                            std::to_string(maxBytes / (1024 * 1024)) + " MB");
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(descriptor);
    return content;
}

}  // namespace telvanor
