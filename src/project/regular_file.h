#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace telvanor {

// What stands at `path` when it is not a regular file: "a folder", "a symbolic link to
// nothing", "a FIFO", "a socket", "a device" or "not a regular file". Nothing when it is a
// regular file (or a link to one) or when nothing is there. Only the file system's entry is
// looked at, never its content, so a FIFO cannot leave the caller waiting for a writer.
std::optional<std::string> irregularFileKind(const std::filesystem::path& path);

// A project file's name taken by something that is not a regular file.
struct IrregularFile {
    std::filesystem::path path;
    std::string kind;  // as irregularFileKind gives it
};

// "RCobDef.xml is a folder, not a regular file".
std::string notRegularFileText(std::string_view name, const IrregularFile& file);

// Looks for `name` in `folder` in any letter case, as findFileNoCase does. When no regular
// file answers to it but something else does (a folder, a dangling link, a FIFO), gives that.
std::optional<IrregularFile> findIrregularFileNoCase(const std::filesystem::path& folder, std::string_view name);

}  // namespace telvanor
