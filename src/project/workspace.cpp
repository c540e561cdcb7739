#include "project/workspace.h"

#include <cerrno>
#include <system_error>

#include "platform/path_text.h"
#include "project/atomic_file.h"
#include "project/file_kind.h"
#include "project/file_lookup.h"
#include "project/formats/emcy_def_format.h"
#include "project/formats/emcy_word_format.h"
#include "project/formats/pargen_format.h"
#include "project/formats/receive_frames_format.h"
#include "project/formats/sdo_format.h"
#include "project/formats/transmit_frames_format.h"
#include "project/settings_file.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

fs::path settingsPath(const WorkspaceState& state) { return state.ExeDir / std::string(kSettingsFileName); }

// A folder path without trailing separator, as every folder of the workspace state is held.
fs::path withoutTrailingSeparator(fs::path folder) {
    std::string text = platform::utf8FromPath(folder);
    while (text.size() > 1 && (text.back() == '/' || text.back() == '\\')) text.pop_back();
    return platform::pathFromUtf8(text);
}

// The path of `folder` behind `base` ("." for base itself); nothing when it lies elsewhere.
std::optional<fs::path> pathBehind(const fs::path& folder, const fs::path& base) {
    fs::path behind = withoutTrailingSeparator(folder).lexically_relative(withoutTrailingSeparator(base));
    if (behind.empty() || *behind.begin() == "..") return std::nullopt;
    return behind;
}

}  // namespace

fs::path projectBinFolder(const fs::path& projectDir) {
    return findFolderNoCase(projectDir, kBinFolder).value_or(projectDir / std::string(kBinFolder));
}

bool makeProjectBinFolder(const fs::path& projectDir) {
    fs::path bin = projectBinFolder(projectDir);
    std::error_code error;
    if (fs::is_directory(bin, error)) return false;
    if (!fs::create_directory(bin, error) || error)
        throw FileError(fileFailureText("create the folder", bin, error ? error.value() : EEXIST));
    return true;
}

fs::path projectFolderOf(const fs::path& projectsDir, std::string_view projectName) {
    fs::path folder = projectsDir;
    std::size_t start = 0;
    bool anyPart = false;
    while (start <= projectName.size()) {
        std::size_t end = projectName.find_first_of("\\/", start);
        if (end == std::string_view::npos) end = projectName.size();
        std::string_view part = projectName.substr(start, end - start);
        if (part == "..") return {};
        if (!part.empty() && part != ".") {
            folder /= platform::pathFromUtf8(part);
            anyPart = true;
        }
        start = end + 1;
    }
    if (!anyPart) return {};
    return folder;
}

WorkspaceStart InitWorkspace(const fs::path& workspaceDir) {
    WorkspaceStart start;
    WorkspaceState& state = start.state;
    state.ExeDir = withoutTrailingSeparator(workspaceDir);
    state.MasterDir = state.ExeDir / "MASTER";
    state.ProjectsDir = state.ExeDir / std::string(kProjectsFolder);
    std::error_code ignored;
    fs::create_directory(state.MasterDir, ignored);
    fs::create_directory(state.ProjectsDir, ignored);

    try {
        state.ProjectName = readIniValue(settingsPath(state), kSettingsSection, kSettingsKey).value_or("");
    } catch (const FileError& error) {
        start.notices.push_back(std::string(error.what()) + "\n\nThe program starts without its last project.");
    }
    state.ProjectDir = state.ProjectsDir;
    if (fs::path candidate = projectFolderOf(state.ProjectsDir, state.ProjectName);
        !candidate.empty() && fs::is_directory(candidate, ignored)) {
        state.ProjectDir = candidate;
        start.projectRestored = true;
    }
    SetProjectPaths(state);
    return start;
}

void SetProjectPaths(WorkspaceState& state) {
    const fs::path& folder = state.ProjectDir;
    state.PargenPath = folder / std::string(kPargenFile);
    state.RCobDefPath = folder / std::string(kRCobDefFile);
    state.TCobDefPath = folder / std::string(kTCobDefFile);
    state.SdoPath = folder / std::string(kSdoFile);
    state.SdoPdoPath = folder / std::string(kSdoPdoFile);
    state.EmcyDefPath = folder / std::string(kEmcyDefFile);
    state.EmcyWordPath = folder / std::string(kEmcyWordFile);
}

void SaveWorkspace(const WorkspaceState& state) {
    writeIniValue(settingsPath(state), kSettingsSection, kSettingsKey, state.ProjectName);
}

void OpenProject(WorkspaceState& state, const fs::path& chosenFolder) {
    state.ProjectDir = chosenFolder.empty() ? fs::path() : withoutTrailingSeparator(chosenFolder);
    std::string folder = platform::utf8FromPath(state.ProjectDir);
    std::string projects = platform::utf8FromPath(state.ProjectsDir);
    state.ProjectName = folder.size() > projects.size() ? folder.substr(projects.size()) : std::string();
    SetProjectPaths(state);
}

std::optional<std::string> OpenProjectFolder(WorkspaceState& state, const fs::path& folder) {
    std::error_code error;
    fs::path given = fs::absolute(folder, error).lexically_normal();
    if (std::optional<std::string> reason = notFolderReason(given))
        return "Cannot open the project " + platform::utf8FromPath(given) + ": " + *reason;
    // As written first, as the folder chooser gives it, then with links resolved on both
    // sides, so that a project reached through a link to the workspace is found under PROJECTS.
    std::optional<fs::path> behind = pathBehind(given, state.ProjectsDir);
    std::error_code projectsError;
    if (!behind) {
        fs::path real = fs::canonical(given, error);
        fs::path projects = fs::canonical(state.ProjectsDir, projectsError);
        if (!error && !projectsError) behind = pathBehind(real, projects);
    }
    if (!behind)
        return "Cannot open the project " + platform::utf8FromPath(given) + ": it does not lie under " +
               platform::utf8FromPath(state.ProjectsDir) +
               ", the PROJECTS folder of the workspace.\n\nCopy the project folder there, or start the program with "
               "--workspace on the workspace that holds it.";
    OpenProject(state, *behind == "." ? state.ProjectsDir : state.ProjectsDir / *behind);
    return std::nullopt;
}

std::string projectTitle(const WorkspaceState& state) { return std::string(kTitlePrefix) + state.ProjectName; }

}  // namespace telvanor
