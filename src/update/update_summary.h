#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "check/project_check.h"

namespace telvanor {

// What Update Device shows between building the image and the serial update window: what
// was written, and everything `check` says of the project.
struct UpdateSummary {
    std::filesystem::path projectDir;
    std::string projectName;          // the project folder's name
    std::filesystem::path imageFile;  // where bank.bin was written; empty when it was not
    bool binFolderCreated = false;    // the project had no bin folder, so one was made
    std::size_t imageSize = 0;
    std::size_t receiveFrames = 0;
    std::size_t transmitFrames = 0;
    std::size_t receiveMappings = 0;
    std::size_t transmitMappings = 0;
    bool hasParameters = false;        // the image holds the parameters section
    std::vector<CheckFinding> errors;  // each one keeps the update from going on
    std::vector<CheckFinding> warnings;

    bool mayGoOn() const { return errors.empty(); }
};

// Checks the project as `check` does, the image build included. When nothing is refused,
// writes bin/bank.bin, making the bin folder first when the project has none; when something
// is, writes nothing. Throws FileError when the folder or the image cannot be written.
UpdateSummary PrepareUpdate(const std::filesystem::path& projectDir);

// One line of the summary: what it is about and what it says.
struct SummaryFact {
    std::string label;
    std::string text;
};

// The summary's facts in the order shown: project, image file, size and counts, parameters.
std::vector<SummaryFact> summaryFacts(const UpdateSummary& summary);

// The sentence over the facts: whether the update may go on, and if not, why.
std::string summaryHeadline(const UpdateSummary& summary);

// The errors, then the warnings, one line each: "Error: MESSAGE" (an error's message names its
// file already), "Warning: FILE: MESSAGE".
std::vector<std::string> summaryFindingLines(const UpdateSummary& summary);

}  // namespace telvanor
