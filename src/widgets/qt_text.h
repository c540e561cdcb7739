#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include <QString>

#include "platform/path_text.h"

namespace telvanor {

// The models hold UTF-8 texts and std::filesystem paths; the windows hold QStrings.
inline QString toQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline QString toQtPath(const std::filesystem::path& path) { return toQt(platform::utf8FromPath(path)); }
inline std::string fromQt(const QString& text) { return text.toStdString(); }
inline std::filesystem::path pathFromQt(const QString& text) { return platform::pathFromUtf8(text.toStdString()); }

}  // namespace telvanor
