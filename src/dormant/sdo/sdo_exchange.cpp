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

// Fields joined by commas, each quoted where it needs to be.
void appendLine(std::string& csv, const std::array<std::string_view, sdo_xml::kAttributes.size()>& fields) {
    bool first = true;
    for (std::string_view field : fields) {
        if (!first) csv.push_back(',');
        appendCsvField(csv, field);
        first = false;
    }
    csv.append("\r\n");
}

// Record columns, counted from 0.
enum RecordColumn : std::size_t { Conf, AddrWord, SubindexA, ID, Index, SubIndex, NByte, Mnemonico };

}  // namespace

std::string sdoTableCsv(const std::vector<SdoRow>& rows) {
    std::string csv;
    appendLine(csv, sdo_xml::kAttributes);
    for (const SdoFileRow& fileRow : orderedSdoRows(rows)) appendLine(csv, fileRow.values());
    return csv;
}

void ExportSdoTable(const fs::path& projectDir, const std::vector<SdoRow>& rows) {
    // The text is made whole before the file is touched, so a conversion error writes nothing.
    std::string csv = sdoTableCsv(rows);
    writeFileAtomically(writeTargetNoCase(projectDir, std::string(sdo_xml::kRoot) + ".csv"), csv);
}

SdoImport ImportSdoTable(const fs::path& workbook) {
    ImportSheet read = readImportSheet(workbook, sdo_xml::kRoot);
    SdoImport result{unreadSummary(read, std::string(sdo_xml::kRoot), "rows", "the table"), {}};
    if (read.end != ImportEnd::Complete) return result;
    for (const SheetRow& cells : recordRows(read.sheet)) {
        SdoRow& row = result.rows.emplace_back();
        if (!cells.cell(Conf).empty()) unpackSdoConf(cells.cell(Conf), row);
        row.AddrWord = cells.cell(AddrWord);
        row.ID = cells.cell(ID);
        row.Index = cells.cell(Index);
        row.SubIndex = cells.cell(SubIndex);
        row.nByte = cells.cell(NByte);
        row.mnemonico = cells.cell(Mnemonico);
    }
    result.summary.imported = result.rows.size();
    return result;
}

}  // namespace telvanor
