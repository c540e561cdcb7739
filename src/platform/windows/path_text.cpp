#include "platform/path_text.h"

#include "platform/windows/wide_text.h"

namespace telvanor::platform {

// Windows names are UTF-16.
std::filesystem::path pathFromUtf8(std::string_view text) { return std::filesystem::path(wideText(text)); }

std::string utf8FromPath(const std::filesystem::path& path) { return utf8Text(path.native()); }

}  // namespace telvanor::platform
