#include "check/project_check.h"

#include <exception>
#include <optional>

#include "check/file_checks.h"
#include "project/file_lookup.h"
#include "project/formats/pargen_format.h"
#include "project/formats/receive_frames_format.h"
#include "project/formats/register_map_format.h"
#include "project/formats/transmit_frames_format.h"

namespace telvanor {

namespace fs = std::filesystem;

const std::vector<ProjectFileChecker>& projectFileCheckers() {
    // One line per project file, in the order of the main window's steps.
    static const std::vector<ProjectFileChecker> checkers = {
        {kPargenFile, checkPargenFile},          {kRCobDefFile, checkReceiveFramesFile},
        {kTCobDefFile, checkTransmitFramesFile}, {kRInfoCobFile, checkReceiveMapFile},
        {kTInfoCobFile, checkTransmitMapFile},
    };
    return checkers;
}

ProjectCheck CheckProject(const fs::path& projectDir, const std::vector<ProjectFileChecker>& checkers) {
    ProjectCheck result;
    for (const ProjectFileChecker& checker : checkers) {
        std::optional<fs::path> file = findFileNoCase(projectDir, checker.fileName);
        if (!file) continue;
        ++result.filesChecked;
        std::vector<CheckFinding> findings;
        try {
            findings = checker.check(*file, projectDir);
        } catch (const std::exception& failure) {
            findings.push_back(refused(failure.what()));
        }
        bool refusedFile = false;
        for (CheckFinding& finding : findings) {
            finding.file = std::string(checker.fileName);
            refusedFile = refusedFile || !finding.warning;
            result.findings.push_back(std::move(finding));
        }
        if (refusedFile) ++result.filesRefused;
    }
    return result;
}

}  // namespace telvanor
