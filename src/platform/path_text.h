#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The core keeps every text in UTF-8. A std::filesystem::path made from a narrow string, or read
// back as one, goes through the system's code page on Windows (byte by byte with MinGW), which
// holds few of the names people give their folders; so a text becomes a path, and a path a text,
// through these two.
namespace telvanor::platform {

std::filesystem::path pathFromUtf8(std::string_view text);

// The path as UTF-8 text, for messages, stored names and comparisons; a name that is no valid
// UTF-16 on Windows keeps its readable rest, the rest replaced by U+FFFD.
std::string utf8FromPath(const std::filesystem::path& path);

}  // namespace telvanor::platform
