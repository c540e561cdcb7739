#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace telvanor {

// How a PGN's data travels on the bus.
enum class PgnFraming { Single, FastPacket, IsoTransport, Mixed };

struct PgnField {
    std::uint32_t bitOffset = 0;
    std::uint32_t bitLength = 0;
    std::string resolution;  // as the database writes it: "1", "0.25", "1e-16"
    std::string unit;        // may be empty
    std::string name;
};

// One PGN of the catalogue: the canboat project's community database, reverse-engineered, not
// the official NMEA list.
struct PgnInfo {
    std::uint32_t pgn = 0;
    std::string name;
    std::optional<int> priority;
    PgnFraming framing = PgnFraming::Single;
    std::uint32_t length = 0;
    bool minimumLength = false;  // the message is at least `length` bytes (repeating fields)
    int variants = 1;            // entries of this PGN told apart by a field's value
    std::vector<PgnField> fields;

    // The name, with "(n variants)" when the PGN has several.
    std::string displayName() const;
    // "single frame", "fast packet", "multi-packet (ISO transport)".
    std::string framingText() const;
    // "127488 Engine Parameters, Rapid Update, priority 2, single frame, 8 bytes".
    std::string summary() const;
};

class PgnCatalogue {
public:
    // Reads the catalogue's text form (data/pgn-catalogue/pgns.tsv); lines it does not
    // understand are skipped.
    static PgnCatalogue parse(std::string_view text);

    // The catalogue built into the program.
    static const PgnCatalogue& builtIn();

    // Looks a full PGN up; for PDU1 PGNs (PDU format below 240) the low byte is a destination
    // address and is ignored.
    const PgnInfo* find(std::uint32_t pgn) const;

    std::size_t size() const { return entries_.size(); }

private:
    std::vector<PgnInfo> entries_;  // sorted by PGN
};

// The full PGN of a frame table row: data page above the 16-bit PGN.
std::uint32_t fullPgn(std::uint32_t dataPage, std::uint32_t pgn);

// What byte `position` (1-based) of the PGN's data holds: "Speed, low byte, 0.25 rpm",
// "Instance", or "" when the catalogue does not place a field there.
std::string describeDataByte(const PgnInfo& info, std::uint32_t position);

}  // namespace telvanor
