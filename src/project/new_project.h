#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "project/workspace.h"

namespace telvanor {

inline constexpr std::string_view kDestinationNotValid = "directory destination not valid";
inline constexpr std::string_view kProjectNameNotValid = "Name project not valid";
inline constexpr std::string_view kProjectAlreadyExists = "Name project not valid because directory already exists";

struct NewProjectResult {
    // The project folder and its bin folder were made and the project is current.
    bool created = false;
    // What to show, in this order, each in a plain message box. Empty on success, and also
    // when the folder could not be created (the window just stays open).
    std::vector<std::string> messages;
};

// The OK of the new project window: creates the folder `name` (taken as typed) beneath
// `destination`, with its empty bin folder, and makes it the current project of `workspace`.
// "\" and "/" in the name both mean the separator. A name that would lead outside the
// destination (rooted, or with a "." or ".." part) is refused as not valid; so is a name
// that Windows could not hold as a folder, with a message that says which character or name.
NewProjectResult CreateProject(const std::filesystem::path& destination, const std::string& name,
                               WorkspaceState& workspace);

}  // namespace telvanor
