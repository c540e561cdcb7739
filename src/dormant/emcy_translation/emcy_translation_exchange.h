#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "dormant/emcy_translation/emcy_translation.h"
#include "project/worksheet.h"

namespace telvanor {

// The EMCY translation table's exchange with spreadsheets: a CSV export into the project
// folder and an import from the "emcydef" worksheet of an ".xls" workbook. Both work on the
// entries in memory; only the window's OK writes emcydef.xml.

// The CSV text: the title line of the twelve attribute names, then one line per entry in list
// order, the eleven texts each followed by a comma, then bypass_set in decimal; lines ended by
// CR LF. A text holding a comma, a quote or a line break is quoted.
std::string emcyDefCsv(const std::vector<TClEmcy>& entries);

// Writes emcyDefCsv as emcydef.csv in the project folder, replacing the file of that name in
// any letter case. The write is atomic; a failure throws FileError naming the file.
void ExportEmcyDef(const std::filesystem::path& projectDir, const std::vector<TClEmcy>& entries);

struct EmcyImport {
    // WorkbookUnreadable and NoWorksheet leave the table empty; TooFewColumns: the worksheet
    // has fewer columns than a record needs, and nothing was taken.
    ImportEnd end = ImportEnd::Complete;
    std::size_t imported = 0;
};

// Replaces the entries by the records of the workbook's "emcydef" worksheet (any letter case).
// The entries are dropped first, whatever follows. The first row holds titles; each row below
// is one entry whose eleven texts are its first eleven cells by position (an empty cell an
// empty text), with bypass_set 0. Nothing is checked, not even duplicate IDs.
EmcyImport ImportEmcyDef(const std::filesystem::path& workbook, std::vector<TClEmcy>& entries);

}  // namespace telvanor
