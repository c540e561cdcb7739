#include "dormant/sdo/sdo_exchange.h"

#include <optional>
#include <string_view>

#include "project/atomic_file.h"
#include "project/csv_field.h"
#include "project/file_lookup.h"
#include "project/worksheet.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCsvFile = "sdo.csv";
constexpr std::string_view kTitleLine = "conf,IndexA,SubindexA,devIDB,IndexB,SubindexB,nbyteB,mnemonico";

// Record columns, counted from 0.
enum RecordColumn : std::size_t { Conf, AddrWord, SubindexA, ID, Index, SubIndex, NByte, Mnemonico, ColumnsRead };

}  // namespace

std::string sdoTableCsv(const std::vector<SdoRow>& rows) {
    std::string csv(kTitleLine);
    csv.append("\r\n");
    for (const SdoFileRow& fileRow : orderedSdoRows(rows)) {
        const SdoRow& row = *fileRow.row;
        const std::string_view fields[] = {fileRow.conf, row.AddrWord, "0",       row.ID,
                                           row.Index,    row.SubIndex, row.nByte, row.mnemonico};
        bool first = true;
        for (std::string_view field : fields) {
            if (!first) csv.push_back(',');
            appendCsvField(csv, field);
            first = false;
        }
        csv.append("\r\n");
    }
    return csv;
}

void ExportSdoTable(const fs::path& projectDir, const std::vector<SdoRow>& rows) {
    // The text is made whole before the file is touched, so a conversion error writes nothing.
    std::string csv = sdoTableCsv(rows);
    writeFileAtomically(writeTargetNoCase(projectDir, kCsvFile), csv);
}

SdoImport ImportSdoTable(const fs::path& workbook) {
    std::optional<WorksheetRows> sheet;
    try {
        sheet = readWorksheet(workbook, kSdoRoot);
    } catch (const WorkbookError&) {
        // An unreadable workbook ends the import silently.
        return {SdoImportEnd::WorkbookUnreadable, {}};
    }
    if (!sheet) return {SdoImportEnd::NoWorksheet, {}};
    if (sheet->columns < ColumnsRead) return {SdoImportEnd::TooFewColumns, {}};

    SdoImport result;
    result.rows.reserve(sheet->rows.size());
    for (std::vector<std::string>& cells : sheet->rows) {
        SdoRow& row = result.rows.emplace_back();
        if (!cells[Conf].empty()) unpackSdoConf(cells[Conf], row);
        row.AddrWord = std::move(cells[AddrWord]);
        row.ID = std::move(cells[ID]);
        row.Index = std::move(cells[Index]);
        row.SubIndex = std::move(cells[SubIndex]);
        row.nByte = std::move(cells[NByte]);
        row.mnemonico = std::move(cells[Mnemonico]);
    }
    return result;
}

}  // namespace telvanor
