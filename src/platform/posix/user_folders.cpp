#include "platform/user_folders.h"

#include <cstdlib>

namespace telvanor::platform {

namespace fs = std::filesystem;

namespace {

std::optional<std::string> variable(const char* name) {
    if (const char* value = std::getenv(name)) return std::string(value);
    return std::nullopt;
}

}  // namespace

UserFolderVariables userFolderVariables() { return {variable("XDG_DATA_HOME"), variable("HOME"), std::nullopt}; }

fs::path userDataFolder(const UserFolderVariables& variables) {
    if (variables.xdgDataHome && fs::path(*variables.xdgDataHome).is_absolute())
        return fs::path(*variables.xdgDataHome) / "Telvanor";
    if (variables.home && !variables.home->empty()) return fs::path(*variables.home) / ".local" / "share" / "Telvanor";
    return fs::temp_directory_path() / "Telvanor";
}

}  // namespace telvanor::platform
