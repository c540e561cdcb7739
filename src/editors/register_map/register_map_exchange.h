#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "editors/register_map/register_map.h"
#include "project/worksheet.h"

namespace telvanor {

// The register map's exchange with spreadsheets: a CSV export into the project folder and an
// import from a worksheet of an ".xls" workbook. Both use the same three columns: the
// mapping's Index text, its frame number and its PosComp text. Write_J1939 is left out. Both
// work on the map in memory; only the window's OK writes the map file.

// The CSV text of the map: one line per mapping, in frame order and within a frame in list
// order, each text followed by a comma ("100,2,33,"), lines ended by CR LF, no title line.
// A text holding a comma, a quote or a line break is quoted as spreadsheets expect, so that
// it stays one field of its line.
std::string registerMapCsv(const RegisterMap& map);

// Writes registerMapCsv into the project folder as the map's root name with ".csv"
// ("TInfoCob.csv"), replacing the file of that name in any letter case. The write is atomic;
// a failure throws FileError naming the file and leaves an earlier export whole.
void ExportRegisterMap(const std::filesystem::path& projectDir, const RegisterMap& map);

struct MapImport {
    // WorkbookUnreadable and NoWorksheet leave the map as it was; TooFewColumns (fewer than
    // three) leaves it emptied; BadFrameNumber keeps the records before the one at stoppedAt.
    ImportEnd end = ImportEnd::Complete;
    std::size_t imported = 0;
    // Records whose frame number names no frame (its low 7 bits are 0 or beyond the frames).
    std::size_t skipped = 0;
    // The 1-based record (the row below the title row) that ended the import, or 0.
    std::size_t stoppedAt = 0;
};

// Replaces the map's mappings by the records of the workbook's worksheet named as the map's
// root name ("TInfoCob", in any letter case). The worksheet's first row holds titles; each
// row below it is a record read by column position: Index from column 1, the frame number
// from column 2 by the integer text rule, kept to its low 7 bits, PosComp from column 3; a
// fourth or later column is ignored. Once the worksheet is found every mapping is dropped,
// even when no record follows. A record naming no frame is skipped. Imported texts are not
// checked and get an empty Write_J1939; the map is not sorted.
MapImport ImportRegisterMap(const std::filesystem::path& workbook, RegisterMap& map);

}  // namespace telvanor
