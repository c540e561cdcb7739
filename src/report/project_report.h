#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "check/project_check.h"
#include "editors/pargen/comm_params.h"
#include "editors/register_map/register_map.h"

namespace telvanor {

// A project described for the engineer who wires a PLC or SCADA system to the gateway: what
// the project files hold, in words, ready for a writer to lay out. Every text is plain (not
// yet escaped for any format); a value that is not a number is shown as it is stored.

struct ReportReceiveFrame {
    std::size_t number = 0;  // the frame number, from 1
    std::string dataPage;    // as stored
    std::string pgnHex;      // full PGN, data page included: "0x1F801"; the stored text if not a number or out of range
    std::string pgnDecimal;  // "129025", or empty when the PGN is not a number
    std::string name;        // the catalogue's name, or empty when it does not know the PGN
    std::string sourceAddress;  // as stored
    std::string framing;        // "single frame", "fast packet", "multi-packet", "multi-packet + fast packet"
    std::string bytes;          // "8", or for a multi- or fast-packet message "43 from byte 1"
    bool deleted = false;
    std::string mnemonic;
};

struct ReportTransmitFrame {
    std::size_t number = 0;
    std::string priority;
    std::string dataPage;
    std::string pgnHex;
    std::string pgnDecimal;
    std::string name;
    std::string sourceAddress;
    // The CAN identifier "0x0DF80224", marked when a part is out of range; empty when a part
    // is not a number.
    std::string identifier;
    std::string mnemonic;
};

// One byte of a mapping: where it comes from (receive) or goes to (transmit).
struct ReportByte {
    std::string position;  // "byte 2" or "none"
    std::string field;     // what the catalogue places in that byte of the PGN, or empty
};

struct ReportRegister {
    MapKind kind = MapKind::Receive;
    std::string registerDecimal;  // "100"; the stored text when it is not a number
    std::string registerHex;      // "0x0064", or empty
    std::size_t frameNumber = 0;
    std::string frameMnemonic;
    std::string pgn;  // "129025 Position, Rapid Update", or the frame's PGN in hex when not in the catalogue
    ReportByte high;
    ReportByte low;
    std::string write;  // "Write NMEA2000 Frame" of a transmit mapping: "yes", "no" or the stored text
};

// What a register list calls the frames of a map, by frame number from 1.
struct MapFrameTexts {
    std::string mnemonic;
    std::string pgn;  // as ReportRegister::pgn
};

// The frames of the project's frame table of `kind` as the register lists name them; the rows
// read whole, so a table that fails to load gives the frames before the failure.
std::vector<MapFrameTexts> mapFrameTexts(const std::filesystem::path& projectDir, MapKind kind);

// How the register lists show a mapping, piece by piece (shared with the register overview).

// A register: "100" and "0x0064", or the Index as stored and "" when it is not a number.
struct RegisterTexts {
    std::string decimal;
    std::string hex;
    std::optional<std::int32_t> value;
};
RegisterTexts registerTexts(const std::string& index);

// The frame byte positions (from 1, 0 for none) of the register's high and low byte that a
// PosComp names: H × 65536 + L (receive) or H × 16 + L (transmit); nothing when it is not a
// number.
struct BytePositions {
    std::uint32_t high = 0;
    std::uint32_t low = 0;
};
std::optional<BytePositions> bytePositions(MapKind kind, const std::string& posComp);

// What both bytes show when the PosComp is not a number: "'x' (not a number)".
std::string positionsNotANumber(const std::string& posComp);

// Frame byte `position` of the frame with the field the catalogue places there, counted from
// the frame's first data byte; "none" for 0.
ReportByte frameByte(const TClPdo& frame, std::uint32_t position);

// "Write NMEA2000 Frame" in words: "yes", "no", or the text as stored.
std::string writeFlagText(const std::string& write);

struct ProjectReport {
    std::string projectName;
    // The modification date of the newest project file, "YYYY-MM-DD" in UTC; empty when the
    // project has none of its files.
    std::string date;
    // What `check` says about the project: refusals and warnings, in its order.
    std::vector<CheckFinding> problems;
    // The communication parameters in words; nothing when there is no pargen.xml or it
    // cannot be read.
    std::optional<std::string> parameters;
    std::vector<ReportReceiveFrame> receiveFrames;
    std::vector<ReportTransmitFrame> transmitFrames;
    // Sorted by register value; registers that are not numbers last, in file order.
    std::vector<ReportRegister> receiveRegisters;
    std::vector<ReportRegister> transmitRegisters;
};

// Reads the project folder with the editors' loaders. A project that `check` refuses still
// gives a report: what could be read, with the problems listed.
ProjectReport BuildProjectReport(const std::filesystem::path& projectDir);

// The communication parameters in words: "CAN 250 kbit/s, 29-bit identifiers; RS485 9600 baud,
// parity NONE, Modbus device ID 1; ...".
std::string describeCommParams(const CommParams& params);

// The project's name as the reports give it: its folder's name, also for "." or a path ending
// in a separator.
std::string projectFolderName(const std::filesystem::path& projectDir);

// "YYYY-MM-DD" of the newest modification time among the project files that exist, in UTC.
std::string newestProjectFileDate(const std::filesystem::path& projectDir);

}  // namespace telvanor
