#include "project/workspace_location.h"

#include <system_error>

#include "platform/file_system.h"
#include "platform/user_folders.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

bool isInstalledCopy(const fs::path& exeDir) {
    std::error_code ignored;
    return fs::is_directory(exeDir.parent_path() / "share" / "telvanor", ignored);
}

}  // namespace

fs::path chooseWorkspaceDir(const WorkspaceEnvironment& environment) {
    if (!isInstalledCopy(environment.exeDir) && environment.isWritable(environment.exeDir)) return environment.exeDir;
    fs::path data = platform::userDataFolder({environment.xdgDataHome, environment.home, environment.appData});
    std::error_code ignored;
    fs::create_directories(data, ignored);
    return data;
}

WorkspaceEnvironment processWorkspaceEnvironment(const fs::path& exeDir) {
    platform::UserFolderVariables variables = platform::userFolderVariables();
    return {exeDir, variables.xdgDataHome, variables.home, platform::mayCreateFilesIn, variables.appData};
}

}  // namespace telvanor
