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

// The workspace folder as every later use needs it: absolute, without "." or ".." parts,
// symbolic links or a trailing separator (so the folder chooser's root is the real PROJECTS and
// a project's path behind it is its name), and made with its parents when missing. Throws
// FileError naming the folder and the reason when something else stands there or it cannot be
// made.
std::filesystem::path prepareWorkspaceDir(const std::filesystem::path& requested);

// The folder of the sample projects shipped with the program, seen from the executable's
// folder: share/telvanor/examples of an installed copy, or the source tree's examples/ for a
// build tree. Nothing when neither is there.
std::optional<std::filesystem::path> sampleProjectsDir(const std::filesystem::path& exeDir);

}  // namespace telvanor
