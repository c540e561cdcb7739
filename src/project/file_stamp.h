#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace telvanor {

// What a file was when an editor read it, so that OK can tell whether another program (or
// another copy of this one) changed it since: whether it was there, its size, its time of
// change and a hash of its bytes. The time alone misses a change within the file system's
// clock step; the hash alone misses nothing but costs a read, which the size and time save
// when they already differ.
struct FileStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::int64_t changedNanoseconds = 0;
    std::uint64_t hash = 0;

    bool operator==(const FileStamp&) const = default;
};

// Stamps the file at `path`, found in any letter case. A file that is there but cannot be
// read (or is no regular file) is stamped by what can be seen of it.
FileStamp stampFile(const std::filesystem::path& path);

// Why a save must not replace the file at `path` (found in any letter case): it is no regular
// file, or it is larger than `maxBytes`, so the editor could not have read it. Gives
// "PATH is not replaced: " and the reason; nothing when it may be replaced or is absent.
std::optional<std::string> replaceRefusal(const std::filesystem::path& path, std::uintmax_t maxBytes);

}  // namespace telvanor
