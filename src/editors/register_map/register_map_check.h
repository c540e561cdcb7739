#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace telvanor {

// One thing `telvanor-cli check` has to say about a register map file.
struct RegisterMapFinding {
    std::string file;     // the map file's own name, "RInfoCob.xml" or "TInfoCob.xml"
    std::string message;  // "row 4: NrPdo 5 names no frame (RCobDef.xml has 4 rows)"
    // A warning does not stop the window's OK nor the image build; anything else does, or
    // makes the window lose rows that the file holds.
    bool warning = false;

    bool operator==(const RegisterMapFinding&) const = default;
};

// What the register map windows and the image builder would make of the project's map file,
// read with the window's own rules. Errors: the window's load messages with the row and
// attribute behind them, a row whose NrPdo names no frame (the window drops it, the image
// build fails), an Index that is not an integer (OK writes nothing), a PosComp that is not
// an integer (the image build fails). Warnings: an Index outside 0 to 65535 (the device takes
// its low 16 bits), one register mapped twice, byte positions beyond the frame's bytes, a
// Write_J1939 that is neither 0 nor 1. Nothing when the map file is absent.
std::vector<RegisterMapFinding> CheckReceiveMap(const std::filesystem::path& projectDir);
std::vector<RegisterMapFinding> CheckTransmitMap(const std::filesystem::path& projectDir);

// The findings as another {file, message, warning} type, such as the project check's own.
template <typename Finding>
std::vector<Finding> findingsAs(const std::vector<RegisterMapFinding>& findings) {
    std::vector<Finding> converted;
    converted.reserve(findings.size());
    for (const RegisterMapFinding& finding : findings)
        converted.push_back(Finding{finding.file, finding.message, finding.warning});
    return converted;
}

}  // namespace telvanor
