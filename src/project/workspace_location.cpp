#include "project/workspace_location.h"

#include <unistd.h>
#include <cstdlib>
#include <system_error>

namespace telvanor {

namespace fs = std::filesystem;

namespace {

bool isInstalledCopy(const fs::path& exeDir) {
    std::error_code ignored;
    return fs::is_directory(exeDir.parent_path() / "share" / "telvanor", ignored);
}

fs::path userDataFolder(const WorkspaceEnvironment& environment) {
    if (environment.xdgDataHome && fs::path(*environment.xdgDataHome).is_absolute())
        return fs::path(*environment.xdgDataHome) / "Telvanor";
    if (environment.home && !environment.home->empty())
        return fs::path(*environment.home) / ".local" / "share" / "Telvanor";
    return fs::temp_directory_path() / "Telvanor";
}

std::optional<std::string> variable(const char* name) {
    if (const char* value = std::getenv(name)) return std::string(value);
    return std::nullopt;
}

}  // namespace

fs::path chooseWorkspaceDir(const WorkspaceEnvironment& environment) {
    if (!isInstalledCopy(environment.exeDir) && environment.isWritable(environment.exeDir)) return environment.exeDir;
    fs::path data = userDataFolder(environment);
    std::error_code ignored;
    fs::create_directories(data, ignored);
    return data;
}

WorkspaceEnvironment processWorkspaceEnvironment(const fs::path& exeDir) {
    return {exeDir, variable("XDG_DATA_HOME"), variable("HOME"),
            [](const fs::path& folder) { return ::access(folder.c_str(), W_OK) == 0; }};
}

}  // namespace telvanor
