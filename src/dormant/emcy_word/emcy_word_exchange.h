#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "dormant/emcy_word/emcy_word.h"
#include "project/import_summary.h"

namespace telvanor {

// The EMCY word table's exchange with spreadsheets: a CSV export into the project folder and an
// import from the "emcyword" worksheet of a workbook (.xls, .xlsx or CSV). Both work on the
// table in memory; only the window's OK writes emcyword.xml.

// The CSV text: the title line of the 52 attribute names joined by commas, then one line per
// word in list order: index_addrm, ",0,0,", devid and a comma, then for each bit b0, b1 and
// poscomp each followed by a comma; lines ended by CR LF. A text holding a comma, a quote or
// a line break is quoted.
std::string emcyWordCsv(const std::vector<TClWEmcy>& words);

// Writes emcyWordCsv as emcyword.csv in the project folder, replacing the file of that name in
// any letter case. The write is atomic; a failure throws FileError naming the file.
void ExportEmcyWords(const std::filesystem::path& projectDir, const std::vector<TClWEmcy>& words);

// Replaces the table by the rows of the workbook's "emcyword" worksheet (any letter case), each
// word numbered by its position, and says what it did. A workbook that cannot be read or has
// no such worksheet leaves the table as it is. The first row holds titles; each row below is
// one word, in one of two layouts:
// - the export's 52 fields, the attribute order of emcyword.xml: index_addrm, subindex and
//   extdata (ignored), devid, then b0, b1 and poscomp of bit 0 to bit 15. A row is read so when
//   the title row is the export's, or the row holds 52 fields or more;
// - otherwise the short layout of 49 fields (a 50th or 51st is ignored): index_addrm, then the
//   bit texts b0, b1, poscomp of bit 0, bit 1 and so on, with devid in field 4, in the place
//   of bit 0's poscomp, which stays empty.
// An empty cell gives "0"; empty rows are passed over. Nothing is checked.
ImportSummary ImportEmcyWords(const std::filesystem::path& workbook, EmcyWordTable& table);

}  // namespace telvanor
