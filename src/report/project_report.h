#pragma once

#include <cstddef>
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

// "YYYY-MM-DD" of the newest modification time among the project files that exist, in UTC.
std::string newestProjectFileDate(const std::filesystem::path& projectDir);

}  // namespace telvanor
