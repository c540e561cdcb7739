#include "project/workspace_location.h"

#include <system_error>

#include "platform/file_system.h"
#include "platform/path_text.h"
#include "platform/user_folders.h"
#include "project/atomic_file.h"
#include "project/file_kind.h"

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

fs::path prepareWorkspaceDir(const fs::path& requested) {
    std::error_code error;
    fs::path folder = fs::absolute(requested, error).lexically_normal();
    // Links are resolved as far as the path exists; a folder that cannot be looked at keeps
    // its plain form, and the creation below says why.
    if (fs::path real = fs::weakly_canonical(folder, error); !error) folder = real.lexically_normal();
    if (!folder.has_filename() && folder.has_relative_path()) folder = folder.parent_path();
    if (fs::is_directory(folder, error)) return folder;
    if (entryExists(folder))
        throw FileError("Cannot use " + platform::utf8FromPath(folder) +
                        " as the workspace: " + notFolderReason(folder).value_or(""));
    fs::create_directories(folder, error);
    if (error)
        throw FileError("Cannot create the workspace folder " + platform::utf8FromPath(folder) + ": " +
                        error.message());
    return folder;
}

std::optional<fs::path> sampleProjectsDir(const fs::path& exeDir) {
    fs::path folder =
        exeDir / (isInstalledCopy(exeDir) ? TELVANOR_SAMPLES_INSTALLED_FROM_BIN : TELVANOR_SAMPLES_BUILT_FROM_BIN);
    std::error_code ignored;
    if (!fs::is_directory(folder, ignored)) return std::nullopt;
    return folder.lexically_normal();
}

WorkspaceEnvironment processWorkspaceEnvironment(const fs::path& exeDir) {
    platform::UserFolderVariables variables = platform::userFolderVariables();
    return {exeDir, variables.xdgDataHome, variables.home, platform::mayCreateFilesIn, variables.appData};
}

}  // namespace telvanor
