#include <system_error>

#include "check/check_output.h"
#include "check/project_check.h"
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "platform/path_text.h"

namespace telvanor {

namespace fs = std::filesystem;

int checkCommand(const fs::path& projectDir, CheckFormat format, std::ostream& out, std::ostream& err) {
    std::error_code error;
    if (!fs::is_directory(projectDir, error)) {
        err << "telvanor-cli: " << platform::utf8FromPath(projectDir) << " is not a project folder\n";
        return kExitFailure;
    }
    ProjectCheck check = CheckProject(projectDir);
    if (format == CheckFormat::Json)
        out << checkJson(check, projectDir);
    else if (check.filesChecked > 0)
        out << checkText(check);
    if (check.filesChecked == 0) err << "telvanor-cli: " << noProjectFilesText(projectDir) << "\n";
    return checkPassed(check) ? kExitSuccess : kExitFailure;
}

}  // namespace telvanor
