#include <exception>
#include <system_error>

#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/command_output.h"
#include "platform/path_text.h"
#include "report/project_report.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

std::string reportText(const ProjectReport& report, ReportFormat format, char separator) {
    switch (format) {
        case ReportFormat::Csv:
            return csvReport(report, separator);
        case ReportFormat::Markdown:
            return markdownReport(report);
        case ReportFormat::Html:
            break;
    }
    return htmlReport(report);
}

}  // namespace

int reportCommand(const fs::path& projectDir, const ReportOptions& options, std::ostream& out, std::ostream& err) {
    std::error_code error;
    if (!fs::is_directory(projectDir, error)) {
        err << "telvanor-cli: " << platform::utf8FromPath(projectDir) << " is not a project folder\n";
        return kExitFailure;
    }
    if (options.output && refusedAsProjectFile(projectDir, *options.output, false, err)) return kExitFailure;
    try {
        ProjectReport report = BuildProjectReport(projectDir);
        std::string text = reportText(report, options.format, options.separator);
        if (!options.output || *options.output == "-") {
            out << text;
            return kExitSuccess;
        }
        writeCommandOutput(*options.output, text, out);
        out << options.output->string() << ": report of " << report.projectName;
        if (!report.problems.empty())
            out << ", " << report.problems.size() << (report.problems.size() == 1 ? " problem" : " problems")
                << " listed at its top";
        out << "\n";
        return kExitSuccess;
    } catch (const std::exception& failure) {
        err << "telvanor-cli: " << failure.what() << "\n";
        return kExitFailure;
    }
}

}  // namespace telvanor
