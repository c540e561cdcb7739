#include "platform/user_folders.h"

#include <cstdlib>

#include "platform/windows/wide_text.h"

namespace telvanor::platform {

namespace fs = std::filesystem;

UserFolderVariables userFolderVariables() {
    UserFolderVariables variables;
    if (const wchar_t* appData = ::_wgetenv(L"APPDATA")) variables.appData = utf8Text(appData);
    return variables;
}

fs::path userDataFolder(const UserFolderVariables& variables) {
    if (variables.appData && fs::path(wideText(*variables.appData)).is_absolute())
        return fs::path(wideText(*variables.appData)) / "Telvanor";
    return fs::temp_directory_path() / "Telvanor";
}

}  // namespace telvanor::platform
