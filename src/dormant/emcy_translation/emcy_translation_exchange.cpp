#include "dormant/emcy_translation/emcy_translation_exchange.h"

#include <optional>

#include "project/atomic_file.h"
#include "project/csv_field.h"
#include "project/file_lookup.h"
#include "project/worksheet.h"

namespace telvanor {

namespace fs = std::filesystem;

std::string emcyDefCsv(const std::vector<TClEmcy>& entries) {
    std::string csv;
    for (const RowField<TClEmcy>& field : kEmcyFields) appendCsvFieldAndComma(csv, field.name);
    csv.append(kBypassSet);
    csv.append("\r\n");
    for (const TClEmcy& entry : entries) {
        for (const RowField<TClEmcy>& field : kEmcyFields) appendCsvFieldAndComma(csv, entry.*field.text);
        csv.append(std::to_string(entry.bypass_set));
        csv.append("\r\n");
    }
    return csv;
}

void ExportEmcyDef(const fs::path& projectDir, const std::vector<TClEmcy>& entries) {
    writeFileAtomically(writeTargetNoCase(projectDir, std::string(emcydef_xml::kRoot) + ".csv"), emcyDefCsv(entries));
}

ImportSummary ImportEmcyDef(const fs::path& workbook, std::vector<TClEmcy>& entries) {
    ImportSheet read = readImportSheet(workbook, emcydef_xml::kRoot);
    ImportSummary summary = unreadSummary(read, std::string(emcydef_xml::kRoot), "entries", "the table");
    if (read.end != ImportEnd::Complete) return summary;
    entries.clear();
    for (const SheetRow& row : recordRows(read.sheet)) {
        TClEmcy& entry = entries.emplace_back();
        for (std::size_t column = 0; column < kEmcyFields.size(); ++column)
            entry.*kEmcyFields[column].text = row.cell(column);
    }
    summary.imported = entries.size();
    return summary;
}

}  // namespace telvanor
