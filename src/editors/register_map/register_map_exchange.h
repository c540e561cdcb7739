#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "editors/register_map/register_map.h"
#include "project/import_summary.h"

namespace telvanor {

// The register maps' exchange with spreadsheets: an export into the project folder as CSV or
// as an .xlsx workbook, and an import from a worksheet of an .xls or .xlsx workbook or from a
// CSV file. A row is one mapping: its Index text, its frame number, its PosComp text and, for
// the transmit map, its Write_J1939 flag. What one writes the other reads back whole, also
// after a spreadsheet has opened and saved it, with or without a title row. Both work on the
// map in memory; only the window's OK (or telvanor-cli import) writes the map file.

enum class ExchangeFormat { Csv, Xlsx };

// "TInfoCob.csv", "RInfoCob.xlsx": the export's file name in the project folder.
std::string exportFileName(MapKind kind, ExchangeFormat format);

// The CSV text of the map: one line per mapping, in frame order and within a frame in list
// order, lines ended by CR LF, no title line. Transmit: "100,2,33,1" (the fourth field the
// Write flag); receive: "100,2,131073," (the fourth field empty). A text holding a comma, a
// quote or a line break is quoted as spreadsheets expect.
std::string registerMapCsv(const RegisterMap& map);

// The map as an .xlsx workbook with one worksheet named as the map's root ("TInfoCob"): a
// title row, then the rows of registerMapCsv's fields, followed by the frame's PGN, its name
// in the PGN catalogue and its source address for the reader's eye, which the import ignores.
std::string registerMapXlsx(const RegisterMap& map);

std::string registerMapExport(const RegisterMap& map, ExchangeFormat format);

// Writes the export into the project folder as exportFileName, replacing the file of that name
// in any letter case, atomically, and gives its path. Throws FileError naming the file.
std::filesystem::path ExportRegisterMap(const std::filesystem::path& projectDir, const RegisterMap& map,
                                        ExchangeFormat format = ExchangeFormat::Csv);

// What an export says it did: "TInfoCob: 812 mappings exported to PATH".
std::string exportMessage(const RegisterMap& map, const std::filesystem::path& file);

// Replaces the map's mappings by the rows of the workbook's worksheet named as the map's root
// ("TInfoCob" in any letter case; a CSV file's only table), and says what it did. A first row
// whose first two cells are not both integers holds titles and is passed over. Each other row
// is read by column position: Index from column 1, the frame number from column 2, PosComp from
// column 3 and, for the transmit map, the Write flag from column 4 ("0" or "1"; an empty cell
// gives "0", any other value "0" with a note); further columns are ignored. A row is skipped,
// with its reason, when its frame number names no frame or its Index or PosComp is not an
// integer; empty rows are passed over. A workbook that cannot be read or has no such worksheet
// leaves the map as it was. Nothing else is checked (duplicates stay, as a map file may hold
// them) and the map is not sorted: OK orders it.
ImportSummary ImportRegisterMap(const std::filesystem::path& workbook, RegisterMap& map);

}  // namespace telvanor
