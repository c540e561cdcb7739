#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace telvanor {

// What the choice of the workspace folder depends on, so that it can be decided in tests.
struct WorkspaceEnvironment {
    // The folder of the running executable.
    std::filesystem::path exeDir;
    // $XDG_DATA_HOME and $HOME, when set.
    std::optional<std::string> xdgDataHome;
    std::optional<std::string> home;
    // Whether the program may create files in a folder.
    std::function<bool(const std::filesystem::path&)> isWritable;
    // %APPDATA% on Windows, when set.
    std::optional<std::string> appData = std::nullopt;
};

// The workspace: the executable's own folder when the program runs from a folder it may write
// (a build tree, or a copy on a stick), otherwise the user's data folder
// ($XDG_DATA_HOME/Telvanor, by default ~/.local/share/Telvanor; on Windows
// %APPDATA%\Telvanor). An installed copy (one whose
// prefix holds share/telvanor) always uses the data folder, so that running it as root does not
// fill /usr/bin with projects.
std::filesystem::path chooseWorkspaceDir(const WorkspaceEnvironment& environment);

// The environment of this process.
WorkspaceEnvironment processWorkspaceEnvironment(const std::filesystem::path& exeDir);

}  // namespace telvanor
