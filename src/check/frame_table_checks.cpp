#include "check/file_checks.h"
#include "editors/receive_frames/receive_frames.h"
#include "editors/receive_frames/receive_framing_warnings.h"
#include "editors/transmit_frames/transmit_frames.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// The frame table windows' own check, as findings: the refusal first, then the warnings.
std::vector<CheckFinding> findingsOf(const FrameTableCheck& check) {
    std::vector<CheckFinding> findings;
    if (check.refusal) findings.push_back(refused(*check.refusal));
    for (const std::string& warning : check.warnings) findings.push_back(warned(warning));
    return findings;
}

}  // namespace

std::vector<CheckFinding> checkReceiveFramesFile(const fs::path& file, const fs::path& projectDir) {
    std::vector<CheckFinding> findings = findingsOf(CheckReceiveFrames(projectDir));
    // Framing that contradicts the PGN catalogue, for the rows that could be read.
    for (std::string& warning : receiveTableFramingWarnings(LoadReceiveFrames(file).rows))
        findings.push_back(warned(std::move(warning)));
    return findings;
}

std::vector<CheckFinding> checkTransmitFramesFile(const fs::path&, const fs::path& projectDir) {
    return findingsOf(CheckTransmitFrames(projectDir));
}

}  // namespace telvanor
