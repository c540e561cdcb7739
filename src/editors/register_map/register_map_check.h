#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace telvanor {

// One thing `telvanor-cli check` has to say about a register map file.
struct RegisterMapFinding {
    std::string file;  // the map file's own name, "RInfoCob.xml" or "TInfoCob.xml"
    // An error says where the user mends it, in the window's words and the file's: "Define
    // NMEA (receive), Correlated frame 5 does not exist: ... (RInfoCob.xml row 4, NrPdo)"; a
    // warning names the row: "row 2: Index 70000 lies outside 0 to 65535; ...".
    std::string message;
    // A warning does not stop the window's OK nor the image build; anything else does, or
    // makes the window lose rows that the file holds.
    bool warning = false;
    // Where an error lies: the map file's row (from 1; 0 for the whole file), the attribute,
    // and the frame the row names (0 when it names none).
    std::size_t row = 0;
    std::string attribute = {};
    std::size_t frame = 0;

    bool operator==(const RegisterMapFinding&) const = default;
};

// What the register map windows would make of the project's map file, read with the
// window's own rules. Errors: the window's load messages with the row and attribute behind
// them, a row whose NrPdo names no frame (the window drops it), an Index that is not an
// integer (OK writes nothing). Warnings: an Index outside 0 to 65535 (the device takes its
// low 16 bits), one register mapped twice, byte positions beyond the frame's bytes, a
// Write_J1939 that is neither 0 nor 1. Nothing when the map file is absent. What the image
// builder refuses besides is the builder's to say.
std::vector<RegisterMapFinding> CheckReceiveMap(const std::filesystem::path& projectDir);
std::vector<RegisterMapFinding> CheckTransmitMap(const std::filesystem::path& projectDir);

}  // namespace telvanor
