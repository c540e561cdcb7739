#include <system_error>

#include "check/project_check.h"
#include "cli/cli.h"
#include "cli/cli_commands.h"

namespace telvanor {

namespace fs = std::filesystem;

int checkCommand(const fs::path& projectDir, std::ostream& out, std::ostream& err) {
    std::error_code error;
    if (!fs::is_directory(projectDir, error)) {
        err << "telvanor-cli: " << projectDir.string() << " is not a project folder\n";
        return kExitFailure;
    }
    ProjectCheck check = CheckProject(projectDir);
    for (const CheckFinding& finding : check.findings)
        out << (finding.warning ? "warning: " : "") << finding.file << ": " << finding.message << "\n";
    out << "Checked " << check.filesChecked << (check.filesChecked == 1 ? " file; " : " files; ");
    if (check.filesRefused == 0)
        out << "none would be refused.\n";
    else
        out << check.filesRefused << " would be refused.\n";
    return check.filesRefused == 0 ? kExitSuccess : kExitFailure;
}

}  // namespace telvanor
