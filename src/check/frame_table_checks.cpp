#include "check/file_checks.h"
#include "editors/receive_frames/receive_frames.h"
#include "editors/receive_frames/receive_framing_warnings.h"
#include "editors/transmit_frames/transmit_frames.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// What the window says of a row it cannot read, or of a value its OK refuses.
std::string refusalProblem(const FrameTableCheck& check) {
    const TableRefusal& refusal = *check.refusal;
    if (!check.loadFailed) return "is refused: \"" + refusal.message + "\"";
    if (refusal.row != 0) return "is missing, so the window stops reading there: \"" + refusal.message + "\"";
    return refusal.message;
}

// The frame table windows' own check, as findings: the refusal first, then the warnings.
std::vector<CheckFinding> findingsOf(std::string_view fileName, const FrameTableCheck& check) {
    std::vector<CheckFinding> findings;
    if (check.refusal)
        findings.push_back(
            refusedAt({std::string(fileName), check.refusal->row, check.refusal->attribute}, refusalProblem(check)));
    for (const std::string& warning : check.warnings) findings.push_back(warned(warning));
    return findings;
}

}  // namespace

std::vector<CheckFinding> checkReceiveFramesFile(const fs::path& file, const fs::path& projectDir) {
    std::vector<CheckFinding> findings = findingsOf(kRCobDefFile, CheckReceiveFrames(projectDir));
    // Framing that contradicts the PGN catalogue, for the rows that could be read.
    // They name their row, which the JSON form gives as a field of its own.
    for (RowFramingWarning& warning : receiveTableFramingWarnings(LoadReceiveFrames(file).rows)) {
        CheckFinding finding = warned(std::move(warning.text));
        finding.row = warning.row;
        findings.push_back(std::move(finding));
    }
    return findings;
}

std::vector<CheckFinding> checkTransmitFramesFile(const fs::path&, const fs::path& projectDir) {
    return findingsOf(kTCobDefFile, CheckTransmitFrames(projectDir));
}

}  // namespace telvanor
