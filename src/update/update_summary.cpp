#include "update/update_summary.h"

#include <system_error>

#include "check/check_output.h"
#include "platform/path_text.h"
#include "project/atomic_file.h"
#include "project/formats/pargen_format.h"
#include "project/workspace.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

std::string counted(std::size_t count, const char* singular, const char* plural) {
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

}  // namespace

UpdateSummary PrepareUpdate(const fs::path& projectDir) {
    UpdateSummary summary;
    summary.projectDir = projectDir;
    summary.projectName = platform::utf8FromPath(projectDir.filename());
    std::error_code error;
    if (!fs::is_directory(projectDir, error)) {
        summary.errors.push_back(
            refused("The project folder " + platform::utf8FromPath(projectDir) + " is not there any more."));
        return summary;
    }

    ProjectCheck check = CheckProject(projectDir);
    for (CheckFinding& finding : check.findings)
        (finding.warning ? summary.warnings : summary.errors).push_back(std::move(finding));
    if (check.filesChecked == 0)
        summary.warnings.push_back(warned(noProjectFilesText(projectDir)));
    else if (check.image && !check.image->hasParameters) {
        CheckFinding noParameters =
            refusedAt({std::string(kPargenFile)}, "there is no " + std::string(kPargenFile) +
                                                      ", so the image has no parameters section; OK in " +
                                                      std::string(kPargenStep) + " writes it");
        noParameters.warning = true;
        summary.warnings.push_back(std::move(noParameters));
    }
    if (!summary.mayGoOn() || !check.image) return summary;

    const ConfigImage& image = *check.image;
    summary.binFolderCreated = makeProjectBinFolder(projectDir);
    WriteConfigImage(image, projectDir);
    summary.imageFile = configImagePath(projectDir);
    summary.imageSize = image.bytes.size();
    summary.receiveFrames = image.receiveFrames;
    summary.transmitFrames = image.transmitFrames;
    summary.receiveMappings = image.receiveMappings;
    summary.transmitMappings = image.transmitMappings;
    summary.hasParameters = image.hasParameters;
    return summary;
}

std::vector<SummaryFact> summaryFacts(const UpdateSummary& summary) {
    std::vector<SummaryFact> facts{
        {"Project", summary.projectName + " (" + platform::utf8FromPath(summary.projectDir) + ")"}};
    if (summary.imageFile.empty()) {
        facts.push_back({"Image", "not written"});
        return facts;
    }
    facts.push_back({"Image", platform::utf8FromPath(summary.imageFile) +
                                  (summary.binFolderCreated ? " (bin folder made now)" : "")});
    facts.push_back({"Size", counted(summary.imageSize, "byte", "bytes")});
    facts.push_back({"Receive", counted(summary.receiveFrames, "frame", "frames") + ", " +
                                    counted(summary.receiveMappings, "register mapping", "register mappings")});
    facts.push_back({"Transmit", counted(summary.transmitFrames, "frame", "frames") + ", " +
                                     counted(summary.transmitMappings, "register mapping", "register mappings")});
    facts.push_back(
        {"Parameters", summary.hasParameters ? "in the image" : "none: the image has no parameters section"});
    return facts;
}

std::string summaryHeadline(const UpdateSummary& summary) {
    if (!summary.mayGoOn())
        return "The device cannot be updated: " + counted(summary.errors.size(), "error", "errors") +
               " must be mended first. Nothing was written.";
    if (!summary.warnings.empty())
        return "The image is written, with " + counted(summary.warnings.size(), "warning", "warnings") +
               ". Go on to the update, or go back and mend them.";
    return "The image is written and check has nothing to say. Go on to the update.";
}

std::vector<std::string> summaryFindingLines(const UpdateSummary& summary) {
    std::vector<std::string> lines;
    for (const CheckFinding& finding : summary.errors) lines.push_back("Error: " + finding.message);
    for (const CheckFinding& finding : summary.warnings)
        lines.push_back("Warning: " + (finding.file.empty() ? "" : finding.file + ": ") + finding.message);
    return lines;
}

}  // namespace telvanor
