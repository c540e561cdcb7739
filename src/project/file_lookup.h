#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace telvanor {

// Project files are named without regard to letter case ("Pargen.xml" and "pargen.xml" are
// the same file). Gives the entry in `folder` whose name matches `name` in any case, spelled
// as the folder lists it: the exact spelling when something stands there, otherwise a regular
// file before anything else, and the first match in name order. Folders, FIFOs, devices and links leading nowhere are
// found too, so that a reader refuses them by name instead of taking the file as absent.
std::optional<std::filesystem::path> findFileNoCase(const std::filesystem::path& folder, std::string_view name);

// The path a writer replaces: the existing file of that name in any case, so that a folder
// never ends up with two spellings of one file; otherwise `folder` / `name`.
std::filesystem::path writeTargetNoCase(const std::filesystem::path& folder, std::string_view name);

// The folder in `folder` named `name` in any letter case (a link to a folder counts), spelled as
// it stands: the exact spelling when it is a folder, otherwise the first in name order. Nothing
// when there is none.
std::optional<std::filesystem::path> findFolderNoCase(const std::filesystem::path& folder, std::string_view name);

// The same for a full path: looks up its file name in its folder.
std::optional<std::filesystem::path> findFileNoCase(const std::filesystem::path& file);
std::filesystem::path writeTargetNoCase(const std::filesystem::path& file);

}  // namespace telvanor
