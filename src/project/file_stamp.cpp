#include "project/file_stamp.h"

#include <chrono>
#include <system_error>

#include "project/atomic_file.h"
#include "project/file_kind.h"
#include "project/file_lookup.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// FNV-1a, 64 bits: enough to tell two versions of a small file apart.
std::uint64_t hashOf(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : bytes) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    return hash;
}

constexpr std::size_t kMaxHashedBytes = 256u * 1024 * 1024;

}  // namespace

FileStamp stampFile(const fs::path& path) {
    FileStamp stamp;
    std::optional<fs::path> file = findFileNoCase(path);
    if (!file) return stamp;
    stamp.exists = true;
    std::error_code error;
    fs::file_time_type changed = fs::last_write_time(*file, error);
    if (error) return stamp;
    stamp.changedNanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(changed.time_since_epoch()).count();
    std::uintmax_t size = fs::file_size(*file, error);
    if (!error) stamp.size = size;
    if (irregularFileReason(*file)) return stamp;
    try {
        stamp.hash = hashOf(readWholeFile(*file, kMaxHashedBytes));
    } catch (const FileError&) {
        // Unreadable: the size and time stand for it.
    }
    return stamp;
}

std::optional<std::string> replaceRefusal(const fs::path& path, std::uintmax_t maxBytes) {
    std::optional<fs::path> file = findFileNoCase(path);
    if (!file) return std::nullopt;
    std::string refusal = file->string() + " is not replaced: ";
    if (std::optional<std::string> reason = irregularFileReason(*file)) return refusal + *reason + ".";
    std::error_code error;
    std::uintmax_t size = fs::file_size(*file, error);
    if (!error && size > maxBytes)
        return refusal + "the file is " + byteSizeText(size) + ", larger than the limit of " + byteSizeText(maxBytes) +
               ", so the window could not read it. Move it out of the project folder to save a new one.";
    return std::nullopt;
}

}  // namespace telvanor
