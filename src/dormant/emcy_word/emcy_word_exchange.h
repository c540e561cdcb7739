#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "dormant/emcy_translation/emcy_translation_exchange.h"
#include "dormant/emcy_word/emcy_word.h"

namespace telvanor {

// The EMCY word table's exchange with spreadsheets: a CSV export into the project folder and an
// import from the "emcyword" worksheet of an ".xls" workbook. Both work on the table in memory;
// only the window's OK writes emcyword.xml.

// The CSV text: the title line of the 52 attribute names joined by commas, then one line per
// word in list order: index_addrm, ",0,0,", devid and a comma, then for each bit b0, b1 and
// poscomp each followed by a comma; lines ended by CR LF. A text holding a comma, a quote or
// a line break is quoted.
std::string emcyWordCsv(const std::vector<TClWEmcy>& words);

// Writes emcyWordCsv as emcyword.csv in the project folder, replacing the file of that name in
// any letter case. The write is atomic; a failure throws FileError naming the file.
void ExportEmcyWords(const std::filesystem::path& projectDir, const std::vector<TClWEmcy>& words);

// How many fields of a record the import reads.
inline constexpr std::size_t kEmcyWordImportFields = 49;

// Replaces the table by the records of the workbook's "emcyword" worksheet (any letter case),
// each word numbered by its position. The table is emptied first, whatever follows. The first
// row holds titles; each row below is one word from its first 49 cells by position: cell 1 is
// index_addrm, cell 4 devid, and cells 2, 3 and 5 to 49 are the bit texts b0, b1, poscomp of
// bit 0, bit 1 and so on, cell 4 standing in the place of bit 0's poscomp, which stays empty.
// An empty cell gives "0". Nothing is checked.
EmcyImport ImportEmcyWords(const std::filesystem::path& workbook, EmcyWordTable& table);

}  // namespace telvanor
