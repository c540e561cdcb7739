#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editors/register_map/register_map.h"
#include "project/load_loss.h"

namespace telvanor {

// A map file row that the load left out because its NrPdo names a frame beyond the table.
struct DroppedMapRow {
    std::size_t row = 0;  // 1-based row of the map file
    std::int32_t frameNumber = 0;
    // The row's texts as stored; an attribute that is missing gives "".
    TClIndMB mapping;

    bool operator==(const DroppedMapRow&) const = default;
};

// The map file's row and attribute that stopped its reading, and what is wrong with it
// ("is missing"); the frame the row names, when it names one.
struct MapRowFault {
    std::size_t row = 0;
    std::string attribute;
    std::string problem;
    std::size_t frame = 0;
};

// What the register map windows show when the frame table, or the map file, cannot be read.
inline constexpr std::string_view kFrameTableReadError = "Error in reading file PDO XML";
inline constexpr std::string_view kMapReadError = "Error in reading file SDOPDO XML";

// What loading the register map gives. The window shows `messages`, at most one per file
// ("Error in reading file PDO XML" for the frame table, "Error in reading file SDOPDO XML"
// for the map); what was read before a failure stays in `map`.
struct RegisterMapLoad {
    RegisterMap map;
    std::vector<std::string> messages;

    // What lies behind the messages, for the project check: the row and attribute that
    // stopped each read ("row 3: attribute NByte is missing").
    bool frameTableFound = false;
    bool mapFileFound = false;
    std::size_t mapFileRows = 0;
    std::optional<std::string> frameTableFailure;
    std::optional<std::string> mapFailure;
    std::optional<MapRowFault> mapFault;  // where mapFailure lies, when a row's attribute is at fault
    std::vector<DroppedMapRow> droppedRows;
    // The map file's row of each loaded mapping, parallel to the frames' mapping lists.
    std::vector<std::vector<std::size_t>> mappingRows;
    // The map file's rows the load left out (after a failure, or naming no frame), which OK
    // would remove from the file.
    LoadLoss loss;
};

// The files of a map kind: the frame table and the map in the project folder.
std::string_view frameTableFileName(MapKind kind);  // "RCobDef.xml" or "TCobDef.xml"
std::string_view mapFileName(MapKind kind);         // "RInfoCob.xml" or "TInfoCob.xml"
// The map file's root element, which also names the map's CSV export and its worksheet.
std::string_view mapRootName(MapKind kind);  // "RInfoCob" or "TInfoCob"

// Rebuilds the map from the project folder: the frames of the frame table in table order,
// each with its byte count, then the map file's mappings attached to their frames by NrPdo.
// Files are found in any letter case; an absent file is no error. A map row whose NrPdo
// exceeds the frames is dropped without a load message, and named in the loss; a transmit row
// without Write_J1939 gets "0".
RegisterMapLoad LoadRegisterMap(const std::filesystem::path& projectDir, MapKind kind);

// "3 frames", "1 frame".
std::string framesText(std::size_t count);

// Why a map row whose NrPdo names a frame beyond the loaded frame table is left out:
// "NrPdo 5 names no frame (RCobDef.xml has 4 rows)".
std::string missingFrameText(const RegisterMapLoad& load, std::int32_t frameNumber);

// What the window shows after loading, one box per file: the load's message first
// ("Error in reading file PDO XML", "Error in reading file SDOPDO XML"), then the row and
// reason behind it and what the load left out of the map file, which OK asks about. A map
// whose rows all name frames and read whole gives none.
std::vector<std::string> loadNotices(const RegisterMapLoad& load);

// Whether the communication parameters enable writing NMEA on request: the low 8 bits of
// the text of Write_J1939 among the children of Pargen.xml's root (any letter case of the
// file name) are not 0. A file that is absent or unreadable, a missing element or a text
// that is not an integer leave the option off, silently.
bool LoadWriteNmeaOption(const std::filesystem::path& projectDir);

// Rewrites the map file whole, its mappings in SaveOrder: one row per mapping with Index,
// NrPdo (its frame's number) and PosComp, and for the transmit map Write_J1939. Nothing is
// written when an Index is not an integer (ConversionError) or the file cannot be written
// (FileError), so the old file stays whole.
void SaveRegisterMap(const RegisterMap& map, const std::filesystem::path& projectDir);

}  // namespace telvanor
