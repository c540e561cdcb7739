#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "dormant/emcy_translation/emcy_translation.h"
#include "project/import_summary.h"

namespace telvanor {

// The EMCY translation table's exchange with spreadsheets: a CSV export into the project
// folder and an import from the "emcydef" worksheet of a workbook (.xls, .xlsx or CSV). Both
// work on the entries in memory; only the window's OK writes emcydef.xml.

// The CSV text: the title line of the twelve attribute names, then one line per entry in list
// order, the eleven texts each followed by a comma, then bypass_set in decimal; lines ended by
// CR LF. A text holding a comma, a quote or a line break is quoted.
std::string emcyDefCsv(const std::vector<TClEmcy>& entries);

// Writes emcyDefCsv as emcydef.csv in the project folder, replacing the file of that name in
// any letter case. The write is atomic; a failure throws FileError naming the file.
void ExportEmcyDef(const std::filesystem::path& projectDir, const std::vector<TClEmcy>& entries);

// Replaces the entries by the rows of the workbook's "emcydef" worksheet (any letter case), and
// says what it did. A workbook that cannot be read or has no such worksheet leaves the entries
// as they are. The first row holds titles; each row below is one entry whose eleven texts are
// its first eleven cells by position (an empty cell an empty text), with bypass_set 0. Empty
// rows are passed over; nothing is checked, not even duplicate IDs.
ImportSummary ImportEmcyDef(const std::filesystem::path& workbook, std::vector<TClEmcy>& entries);

}  // namespace telvanor
