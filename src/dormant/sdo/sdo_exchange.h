#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "dormant/sdo/sdo_table.h"
#include "project/import_summary.h"

namespace telvanor {

// The SDO table's exchange with spreadsheets, named after its root "sdo": a CSV export into
// the project folder and an import from a worksheet of a workbook (.xls, .xlsx or CSV). Both
// work on the rows in memory; only the window's OK writes sdo.xml.

// The CSV text of the table: the title line
// "conf,IndexA,SubindexA,devIDB,IndexB,SubindexB,nbyteB,mnemonico", then one line per row
// of the table in Addr Word order with those eight values (SubindexA "0"), joined by commas,
// lines ended by CR LF. A text holding a comma, a quote or a line break is quoted as
// spreadsheets expect, so that it stays one field of its line. Throws ConversionError when
// Hi Word, Lo Word or R/W of a row is not an integer.
std::string sdoTableCsv(const std::vector<SdoRow>& rows);

// Writes sdoTableCsv as "sdo.csv" in the project folder, replacing the file of that name in
// any letter case, atomically. Nothing is checked first. Throws ConversionError before
// anything is written, or FileError naming the file.
void ExportSdoTable(const std::filesystem::path& projectDir, const std::vector<SdoRow>& rows);

struct SdoImport {
    ImportSummary summary;     // when the table did not change, no rows
    std::vector<SdoRow> rows;  // one per record, in worksheet order
};

// The records of the workbook's worksheet "sdo" (in any letter case), below its title row
// (empty rows passed over), read by column position: column 1 decoded as conf into Hi Word,
// R/W and Lo Word when it is not empty (a text that is not an integer gives 0, 0, 0), column 2
// Addr Word, column 3 ignored, columns 4 to 8 ID, Index, SubIndex, nByte and mnemonico. Empty
// cells give empty texts; nothing is checked. A workbook that cannot be read or has no such
// worksheet gives no rows and a summary that says why.
SdoImport ImportSdoTable(const std::filesystem::path& workbook);

}  // namespace telvanor
