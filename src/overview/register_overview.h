#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "editors/register_map/register_map.h"

namespace telvanor {

// What the register overview marks on a mapping's row and counts above the table.
enum class OverviewFinding : std::uint8_t {
    MappedTwice,            // another mapping of the same map uses the register
    FeedsNeitherByte,       // "none" for both the high and the low byte
    BeyondFrameBytes,       // a byte position beyond the frame's bytes
    BeyondFirstEightBytes,  // transmit, fast-packet PGN: a byte beyond the first 8 of the message
    FrameGone,              // its frame number names no row of the frame table
    RegisterOutOfRange,     // a register outside 0 to 65535, or not a number
    PositionsNotANumber,    // the byte positions (PosComp) are not a number
};
inline constexpr std::size_t kOverviewFindingKinds = 7;

// The overview's columns, in the order the table shows them.
enum class OverviewColumn : std::uint8_t {
    Direction,
    Register,
    Hex,
    TypedAs,
    Frame,
    Pgn,
    Name,
    SourceAddress,
    HighByte,
    LowByte,
    Write,
    Mnemonic,
    Findings,
};
inline constexpr std::size_t kOverviewColumns = 13;

// What every mapping of one frame shows alike. A frame that is gone (named by the map file,
// not in the frame table) has its number and nothing else.
struct OverviewFrame {
    MapKind kind = MapKind::Receive;
    std::size_t number = 0;
    bool gone = false;
    std::optional<std::uint32_t> fullPgn;
    std::string numberText;  // the Frame column
    std::string pgn;         // "129025 (DP 1, PGN 0xF801)"
    std::string name;        // the catalogue's name
    std::string sourceAddress;
    std::string mnemonic;
    // The High and Low byte columns by frame byte position, for the positions the frame's
    // mappings use: "none", "byte 2: Latitude, byte 2 of 4, 1e-07 deg".
    std::map<std::uint32_t, std::string> byteTexts;
};

// One mapping of either map. The texts it shares with its frame's other mappings are its
// frame's, so that a map of 65,536 mappings makes few texts of its own.
struct OverviewRow {
    MapKind kind = MapKind::Receive;
    const OverviewFrame* frame = nullptr;
    // Where the map holds the mapping (frame entry from 0, position in its list); not set for a
    // mapping whose frame is gone, which only the map file holds.
    MappingRef ref;
    bool frameGone = false;
    std::size_t frameNumber = 0;
    std::optional<std::int32_t> registerValue;
    std::optional<std::uint32_t> fullPgn;
    // The frame byte positions of the high and low byte (0 for none); nothing when PosComp is
    // not a number.
    std::optional<std::uint32_t> highByte;
    std::optional<std::uint32_t> lowByte;
    std::uint8_t findings = 0;  // one bit per OverviewFinding
    std::string registerText;
    std::string hexText;
    std::string typedAs;        // the Index as stored, when it was typed otherwise
    std::string positionsText;  // both bytes' text when PosComp is not a number
    std::string write;
    std::string findingsText;

    const std::string& cell(OverviewColumn column) const;
    bool has(OverviewFinding finding) const { return findings & (1u << static_cast<unsigned>(finding)); }
};

struct RegisterOverview {
    RegisterOverview() = default;
    // Rows point into `frames`: moving keeps them right, a copy would not.
    RegisterOverview(RegisterOverview&&) = default;
    RegisterOverview& operator=(RegisterOverview&&) = default;
    RegisterOverview(const RegisterOverview&) = delete;
    RegisterOverview& operator=(const RegisterOverview&) = delete;

    std::string projectName;
    std::deque<OverviewFrame> frames;
    // The receive mappings, then the transmit mappings, each in register order.
    std::vector<OverviewRow> rows;
    // What could not be read: "RCobDef.xml: row 3: attribute NByte is missing".
    std::vector<std::string> problems;
    // Rows marked with each finding.
    std::array<std::size_t, kOverviewFindingKinds> findingCounts{};
};

// Every mapping of both register maps of the project folder, read as the map windows read
// them, with the rows of the map files whose frame is gone. `edited`, when given, is the map
// of its kind as a window holds it (unsaved changes included) and takes the place of that
// map's file.
RegisterOverview BuildRegisterOverview(const std::filesystem::path& projectDir, const RegisterMap* edited = nullptr);

std::string overviewColumnTitle(OverviewColumn column);

// "register mapped twice", "feeds neither byte", ...: how the findings are counted.
std::string findingName(OverviewFinding finding);

// The counts above the table: "3 rows with findings: register mapped twice 2, feeds neither
// byte 1", or "No findings".
std::string findingsSummary(const RegisterOverview& overview);

}  // namespace telvanor
