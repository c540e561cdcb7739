#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace telvanor::platform {

// The environment variables that name the user's folders, when set.
struct UserFolderVariables {
    std::optional<std::string> xdgDataHome;  // POSIX
    std::optional<std::string> home;         // POSIX
    std::optional<std::string> appData;      // Windows
};

UserFolderVariables userFolderVariables();

// The program's folder among the user's data: POSIX $XDG_DATA_HOME/Telvanor (by default
// ~/.local/share/Telvanor), Windows %APPDATA%\Telvanor; the temporary folder's Telvanor when the
// variables name none.
std::filesystem::path userDataFolder(const UserFolderVariables& variables);

}  // namespace telvanor::platform
