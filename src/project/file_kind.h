#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace telvanor {

// The program reads and replaces regular files only: opening a FIFO would wait for a writer
// for ever, a device may answer anything, and a link that leads nowhere is a file that is
// missing, not one that is absent.

// Why `path` cannot be read or replaced as a regular file, following links: "it is a FIFO
// (named pipe), not a regular file", "it is a folder, not a regular file", "it is a link to
// /x/y, which does not exist". Nothing for a regular file, or for a path where nothing is.
std::optional<std::string> irregularFileReason(const std::filesystem::path& path);

// Why `path` cannot be used as a folder, following links: "there is no such folder", "it is a
// regular file, not a folder", "it is a FIFO (named pipe), not a folder", "it is a link to /x/y,
// which does not exist". Nothing for a folder.
std::optional<std::string> notFolderReason(const std::filesystem::path& path);

// Whether anything stands at `path`, a link leading nowhere included.
bool entryExists(const std::filesystem::path& path);

// A size in words: "532 bytes", "32 MB", "52.4 MB".
std::string byteSizeText(std::uintmax_t bytes);

}  // namespace telvanor
