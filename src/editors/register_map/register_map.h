#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace telvanor {

// The register maps say which Modbus register takes (receive) or feeds (transmit) which data
// bytes of which NMEA 2000 frame. Both windows share this model; the kind decides the few
// places where they differ: the frame table's texts, the packing of the byte positions, the
// range check of New and the Write_J1939 flag.
enum class MapKind { Receive, Transmit };

// One register mapping, its texts exactly as typed or read.
struct TClIndMB {
    // The Modbus register, as typed: 26, 0x1A and $1A are three texts for one register.
    std::string Index;
    // The decimal text of the packed byte positions H and L (1-based, 0 = none):
    // H × 65536 + L in the receive map, H × 16 + L in the transmit map.
    std::string PosComp;
    // Transmit map only: "0" or "1", the position chosen in "Write NMEA2000 Frame".
    std::string Write_J1939;

    bool operator==(const TClIndMB&) const = default;
};

// One frame of the frame table, with the mappings attached to it.
struct TClPdo {
    // The 1-based position of the frame's row in the frame table: the only link between a
    // mapping and its frame (NrPdo in the map file).
    std::size_t frameNumber = 0;
    // The frame row's texts shown in its line, as stored.
    std::string Priority;  // transmit frames only
    std::string DataPage;  // DataPage of RCobDef.xml, DP of TCobDef.xml
    std::string PGN;
    std::string ID_DEV;
    // For a received multi-frame message (MultiFrame "Y") its NByte; 0 for any other frame,
    // which has the eight bytes B1 to B8.
    std::int32_t byteCount = 0;
    // The byte of the message's data that B1 (or Byte1) stands for: the Start Byte of a
    // received multi- or fast-packet message, 1 for any other frame.
    std::int32_t firstDataByte = 1;
    std::vector<TClIndMB> mappings;

    bool operator==(const TClPdo&) const = default;
};

struct RegisterMap {
    MapKind kind = MapKind::Receive;
    // Whether a frame table file was read; without one the map has no frames.
    bool frameTableLoaded = false;
    std::vector<TClPdo> frames;

    std::size_t mappingCount() const;
    bool operator==(const RegisterMap&) const = default;
};

// A mapping by its frame entry (0-based position in RegisterMap::frames) and its position in
// that entry's list.
struct MappingRef {
    std::size_t frame = 0;
    std::size_t position = 0;

    bool operator==(const MappingRef&) const = default;
};

// The frame's line in the frame list: its texts joined by tab characters (receive: data
// page, PGN, source address; transmit: priority, data page, PGN, source address).
std::string displayLine(MapKind kind, const TClPdo& frame);

// Whether the frame's byte positions are chosen from the lists Byte1 to ByteN (a received
// multi-frame message) rather than from B1 to B8.
bool usesByteLists(MapKind kind, const TClPdo& frame);

// The entries of a multi-frame message's byte lists: "None", then "Byte1" to "ByteN". A byte
// count below 1 gives "None" alone; the list stops at 65535 bytes, the most a 16-bit half
// of PosComp can name.
std::vector<std::string> byteListEntries(const TClPdo& frame);

// The byte positions chosen in the selectors: list positions of the high and low byte
// selectors, 0 meaning "none".
struct BytePair {
    int high = 0;
    int low = 0;

    bool operator==(const BytePair&) const = default;
};

// Highest position of the choices "none", "B1" to "B8".
inline constexpr int kOrdinaryFrameBytes = 8;

// The PosComp text of a pair of positions: the decimal text of H × 65536 + L (receive) or
// H × 16 + L (transmit), taken as a 32-bit pattern. A selector without a choice (-1) counts
// as "none".
std::string packPosComp(MapKind kind, BytePair bytes);

// What the B1 to B8 groups show for a PosComp text: (v >> 16) & 0xF and v & 0xF (receive) or
// (v >> 4) & 0xF and v & 0xF (transmit), a number above 8 choosing "B8". Throws
// ConversionError when the text is not an integer.
BytePair radioChoicesFor(MapKind kind, std::string_view posComp);

// What the Byte1 to ByteN lists show for a receive PosComp text: v >> 16 and v & 0xFFFF; a
// position beyond a list of `listLength` entries gives -1 (no selection). Throws
// ConversionError.
BytePair listChoicesFor(std::string_view posComp, std::size_t listLength);

// Positions of the "Write NMEA2000 Frame" list.
inline constexpr int kWriteFalse = 0;
inline constexpr int kWriteTrue = 1;

// The "Write NMEA2000 Frame" position a Write_J1939 text selects: 0 or 1, or -1 for any other
// integer. Throws ConversionError when the text is not an integer.
int writeChoiceFor(std::string_view writeText);

// What the window's edit fields hold: the typed Index, the positions chosen in the byte
// selectors and, for the transmit map, the "Write NMEA2000 Frame" position.
struct MapEdit {
    std::string Index;
    BytePair bytes;
    int writeChoice = kWriteFalse;
};

// The mapping New or Modify stores for the edit fields. A "Write NMEA2000 Frame" list without
// a choice stores "0".
TClIndMB mappingFrom(MapKind kind, const MapEdit& edit);

// The index check of New and Modify: no other mapping of any frame may have the Index's value.
// Gives "Index or Subindex Not Valid" when one has, nothing when the Index may be used.
// Compares the stored Index, then the typed one, for each mapping in frame-then-list order, so
// a map without mappings parses nothing. Throws ConversionError for the first text met that is
// not an integer.
std::optional<std::string> CheckMapIndex(const RegisterMap& map, std::string_view typedIndex,
                                         std::optional<MappingRef> changing = std::nullopt);

// What New or Modify did.
struct MapChange {
    bool done = false;
    // The index check's refusal, to be shown; nothing when the map changed or New was
    // dropped silently.
    std::optional<std::string> message;
};

// Adds a mapping to the end of frame entry `frame`'s list. The receive map drops silently an
// Index outside 0 to 65535 (a text that is not an integer counts as outside); the transmit map
// takes any Index that passes the index check. Throws ConversionError from the index check.
MapChange NewMapping(RegisterMap& map, std::size_t frame, const MapEdit& edit);

// Changes a mapping's Index, PosComp and Write_J1939. Only the index check applies, with the
// mapping itself left out of it. Throws ConversionError from the index check.
MapChange ModifyMapping(RegisterMap& map, MappingRef mapping, const MapEdit& edit);

void DeleteMapping(RegisterMap& map, MappingRef mapping);

// The window's copy buffer: empty at program start, kept for the whole run.
struct MapCopyBuffer {
    std::string Index;
    std::string PosComp;
    std::string Write_J1939;
};

// Fills the copy buffer from the edit fields; creates no mapping.
void CopyMapping(MapCopyBuffer& buffer, MapKind kind, const MapEdit& edit);

// The order in which the save writes the mappings: ascending integer value of Index; among
// equal values the mapping that comes later in frame-then-list order first. Every value of
// the 32-bit range, negative or above 0x999999, takes its place in that order. Throws
// ConversionError for the first Index, in frame-then-list order, that is not an integer.
std::vector<MappingRef> SaveOrder(const RegisterMap& map);

}  // namespace telvanor
