#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace telvanor {

// The first start of a new workspace (one without PROJECTS) makes PROJECTS and copies each
// sample project of `samplesDir` into it, so that a newcomer finds a project to open at once.
// Only a project's XML files are copied, with an empty bin folder as New project makes one;
// an image or backups left in the sample are not. A workspace that has PROJECTS is left alone.
// Gives what could not be made or copied, each naming the file and the reason.
std::vector<std::string> copySampleProjects(const std::filesystem::path& workspaceDir,
                                            const std::filesystem::path& samplesDir);

}  // namespace telvanor
