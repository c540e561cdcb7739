#include "check/project_check.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "check/file_checks.h"
#include "project/file_lookup.h"
#include "project/formats/pargen_format.h"
#include "project/formats/receive_frames_format.h"
#include "project/formats/register_map_format.h"
#include "project/formats/transmit_frames_format.h"
#include "project/regular_file.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

bool samePlace(const CheckFinding& finding, const ProjectPlace& place) {
    return !finding.warning && finding.file == place.file && finding.row == place.row &&
           finding.attribute == place.attribute;
}

// The image builder's warnings about values it cuts, after the file's own findings; a value these
// name already (refused, or warned about in the editor's words) is not told twice.
void addImageWarnings(std::vector<CheckFinding>& findings, std::string_view fileName,
                      const std::vector<ImageWarning>& warnings) {
    std::vector<CheckFinding> added;
    for (const ImageWarning& warning : warnings)
        if (warning.place.file == fileName &&
            std::none_of(findings.begin(), findings.end(), [&](const CheckFinding& finding) {
                return finding.row == warning.place.row && finding.attribute == warning.place.attribute;
            }))
            added.push_back(warnedAt(warning.place, warning.problem));
    std::move(added.begin(), added.end(), std::back_inserter(findings));
}

// The checker's findings of a file that is there: a name taken by something other than a
// regular file is refused as such, and never opened.
std::vector<CheckFinding> checkFile(const ProjectFileChecker& checker, const fs::path& file, const fs::path& projectDir,
                                    const std::optional<IrregularFile>& irregular) {
    ProjectPlace wholeFile{std::string(checker.fileName)};
    if (irregular) return {refusedAt(wholeFile, notRegularFileText(checker.fileName, *irregular))};
    try {
        return checker.check(file, projectDir);
    } catch (const std::exception& failure) {
        return {refusedAt(wholeFile, failure.what())};
    }
}

}  // namespace

CheckFinding refusedAt(const ProjectPlace& place, std::string_view problem) {
    return {place.file, placedMessage(place, problem), false, place.row, place.attribute, place.frame};
}

CheckFinding warnedAt(const ProjectPlace& place, std::string_view problem) {
    return {place.file, placedMessage(place, problem), true, place.row, place.attribute, place.frame};
}

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
    // The builder's own reading decides what Update Device refuses; it stops at its first fault.
    std::optional<CheckFinding> buildRefusal;
    try {
        result.image = BuildConfigImage(projectDir);
    } catch (const ImageBuildError& failure) {
        buildRefusal = CheckFinding{failure.place().file,      failure.what(),       false, failure.place().row,
                                    failure.place().attribute, failure.place().frame};
    }

    for (const ProjectFileChecker& checker : checkers) {
        std::optional<IrregularFile> irregular = findIrregularFileNoCase(projectDir, checker.fileName);
        std::optional<fs::path> file = findFileNoCase(projectDir, checker.fileName);
        if (!file && !irregular) continue;
        ++result.filesChecked;
        std::vector<CheckFinding> findings =
            checkFile(checker, file.value_or(irregular ? irregular->path : fs::path()), projectDir, irregular);
        for (CheckFinding& finding : findings) finding.file = std::string(checker.fileName);
        if (result.image) addImageWarnings(findings, checker.fileName, result.image->warnings);
        if (buildRefusal && buildRefusal->file == checker.fileName) {
            ProjectPlace place = buildRefusal->place();
            if (std::none_of(findings.begin(), findings.end(), [&](const auto& f) { return samePlace(f, place); }))
                findings.push_back(std::move(*buildRefusal));
            buildRefusal.reset();
        }
        bool refusedFile = std::any_of(findings.begin(), findings.end(), [](const auto& f) { return !f.warning; });
        if (refusedFile) ++result.filesRefused;
        std::move(findings.begin(), findings.end(), std::back_inserter(result.findings));
    }
    // A refusal of a file that no checker here knows.
    if (buildRefusal) {
        result.findings.push_back(std::move(*buildRefusal));
        ++result.filesRefused;
    }
    return result;
}

}  // namespace telvanor
