#include "platform/path_text.h"

namespace telvanor::platform {

// POSIX names are bytes; the core's UTF-8 goes to the system as it is, and back.
std::filesystem::path pathFromUtf8(std::string_view text) { return std::filesystem::path(text); }

std::string utf8FromPath(const std::filesystem::path& path) { return path.native(); }

}  // namespace telvanor::platform
