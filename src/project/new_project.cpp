#include "project/new_project.h"

#include <optional>
#include <system_error>

#include "platform/path_text.h"
#include "project/folder_name_rules.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

// Longest folder name and path the file systems the program runs on take.
constexpr std::size_t kMaxNameBytes = 255;
constexpr std::size_t kMaxPathBytes = 4000;

// The folder a typed name stands for beneath `destination`, or nothing when the name would
// lead elsewhere: rooted ("/x", "\\x"), or with a "." or ".." part. Empty parts, as in "a//b"
// or a trailing separator, are only doubled separators. A part that Windows could not hold
// as a folder, or too long for a folder, is refused as well; `problem` then says why.
std::optional<fs::path> folderBeneath(const fs::path& destination, std::string_view name, std::string& problem) {
    if (name.empty() || isSeparator(name.front())) return std::nullopt;
    fs::path folder = destination;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = start;
        while (end < name.size() && !isSeparator(name[end])) ++end;
        std::string_view part = name.substr(start, end - start);
        if (part == "." || part == ".." || part.size() > kMaxNameBytes) return std::nullopt;
        if (std::optional<std::string> windowsProblem = windowsFolderNameProblem(part)) {
            problem = *windowsProblem;
            return std::nullopt;
        }
        if (!part.empty()) {
            fs::path piece = platform::pathFromUtf8(part);
            if (piece.has_root_path()) return std::nullopt;
            folder /= piece;
        }
        start = end + 1;
    }
    if (platform::utf8FromPath(folder).size() > kMaxPathBytes) return std::nullopt;
    return folder;
}

}  // namespace

NewProjectResult CreateProject(const fs::path& destination, const std::string& name, WorkspaceState& workspace) {
    NewProjectResult result;
    std::string problem;
    std::optional<fs::path> folder = folderBeneath(destination, name, problem);
    if (destination.empty()) result.messages.emplace_back(kDestinationNotValid);
    if (!folder) result.messages.push_back(std::string(kProjectNameNotValid) + (problem.empty() ? "" : ": " + problem));
    if (!result.messages.empty()) return result;

    std::error_code error;
    if (fs::exists(fs::symlink_status(*folder, error))) {
        result.messages.emplace_back(kProjectAlreadyExists);
        return result;
    }
    // One level only: a name such as a/b whose first part does not exist is not created.
    if (!fs::create_directory(*folder, error) || error) return result;
    // A project without bin cannot receive its image, but it is a project all the same.
    fs::create_directories(*folder / std::string(kBinFolder), error);

    workspace.ProjectName = name;
    workspace.ProjectDir = *folder;
    SetProjectPaths(workspace);
    result.created = true;
    return result;
}

}  // namespace telvanor
