#include "project/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <random>

#include "platform/file_system.h"
#include "platform/path_text.h"
#include "project/file_kind.h"

namespace telvanor {

namespace fs = std::filesystem;

std::string fileFailureText(std::string_view verb, const fs::path& file, int error) {
    return "Cannot " + std::string(verb) + " " + platform::utf8FromPath(file) + ": " + std::strerror(error);
}

std::string fileFailureText(std::string_view verb, const fs::path& file, std::error_code error) {
    return "Cannot " + std::string(verb) + " " + platform::utf8FromPath(file) + ": " + error.message();
}

namespace {

[[noreturn]] void fail(std::string_view verb, const fs::path& file, std::error_code error) {
    throw FileError(fileFailureText(verb, file, error));
}

[[noreturn]] void failWith(std::string_view verb, const fs::path& file, const std::string& reason) {
    throw FileError("Cannot " + std::string(verb) + " " + platform::utf8FromPath(file) + ": " + reason);
}

constexpr std::string_view kTemporaryMark = ".tmp";

std::string temporaryName(const fs::path& target) {
    static std::mt19937 generator{std::random_device{}()};
    return "." + platform::utf8FromPath(target.filename()) + std::string(kTemporaryMark) +
           std::to_string(generator() % 1000000);
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
        if (isTemporaryOf(platform::utf8FromPath(it->path().filename()), target) && it->is_regular_file(ignored) &&
            !it->is_symlink(ignored))
            fs::remove(it->path(), ignored);
    }
}

std::string tooLargeText(const fs::path& file, std::uintmax_t size, std::size_t maxBytes) {
    return "Cannot read " + platform::utf8FromPath(file) + ": the file is " + byteSizeText(size) +
           ", larger than the limit of " + byteSizeText(maxBytes);
}

// The file a write replaces: `target`, or through a link the file it leads to, so that the
// link stays as it is. Anything but a regular file or a name not yet taken is refused.
fs::path replacedFile(const fs::path& target) {
    if (std::optional<std::string> reason = irregularFileReason(target)) failWith("write", target, *reason);
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(target, error))) return target;
    fs::path file = fs::canonical(target, error);
    if (error) fail("write", target, error);
    return file;
}

}  // namespace

void writeFileAtomically(const fs::path& target, std::string_view bytes) {
    const fs::path file = replacedFile(target);
    fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    fs::path temporary;
    std::error_code error = std::make_error_code(std::errc::file_exists);
    for (int attempt = 0; attempt < 100 && error == std::errc::file_exists; ++attempt) {
        temporary = folder / platform::pathFromUtf8(temporaryName(file));
        error = platform::writeNewFile(temporary, bytes, file);
    }
    if (!error) error = platform::replaceFile(temporary, file);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        if (error == std::errc::device_or_resource_busy)
            failWith("write", target,
                     "another program has it open. Close it there and save again; the file on disk is as it was");
        fail("write", target, error);
    }
    platform::syncFolder(folder);
    removeStaleTemporaries(folder, platform::utf8FromPath(file.filename()));
}

void writeOutputFile(const fs::path& target, std::string_view bytes) {
    std::error_code error;
    fs::path resolved = target;
    if (fs::is_symlink(fs::symlink_status(target, error))) {
        resolved = fs::weakly_canonical(target, error);
        if (error) fail("write", target, error);
    }
    fs::file_status status = fs::status(resolved, error);
    if (!fs::exists(status) || fs::is_regular_file(status) || fs::is_directory(status)) {
        writeFileAtomically(resolved, bytes);
        return;
    }
    if (std::error_code failure = platform::writeInPlace(resolved, bytes)) fail("write", target, failure);
}

std::string readWholeFile(const fs::path& file, std::size_t maxBytes) {
    // Checked before opening: opening a FIFO waits for a writer, opening a device may act.
    if (std::optional<std::string> reason = irregularFileReason(file)) failWith("read", file, *reason);
    platform::FileContent content = platform::readRegularFile(file, maxBytes);
    // Checked again on what was opened, should something else have taken the file's place.
    if (content.irregular) failWith("read", file, "it is not a regular file");
    if (content.tooLargeSize > 0) throw FileError(tooLargeText(file, content.tooLargeSize, maxBytes));
    if (content.error) fail("read", file, content.error);
    return std::move(content.bytes);
}

}  // namespace telvanor
