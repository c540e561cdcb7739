#include "dormant/emcy_translation/emcy_translation_exchange.h"

#include <optional>

#include "project/atomic_file.h"
#include "project/csv_field.h"
#include "project/file_lookup.h"
#include "project/worksheet.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTableName = "emcydef";

}  // namespace

std::string emcyDefCsv(const std::vector<TClEmcy>& entries) {
    std::string csv;
    for (const EmcyField& field : kEmcyFields) {
        csv.append(field.name);
        csv.push_back(',');
    }
    csv.append(kBypassSet);
    csv.append("\r\n");
    for (const TClEmcy& entry : entries) {
        for (const EmcyField& field : kEmcyFields) {
            appendCsvField(csv, entry.*field.text);
            csv.push_back(',');
        }
        csv.append(std::to_string(entry.bypass_set));
        csv.append("\r\n");
    }
    return csv;
}

void ExportEmcyDef(const fs::path& projectDir, const std::vector<TClEmcy>& entries) {
    writeFileAtomically(writeTargetNoCase(projectDir, std::string(kTableName) + ".csv"), emcyDefCsv(entries));
}

EmcyImport ImportEmcyDef(const fs::path& workbook, std::vector<TClEmcy>& entries) {
    entries.clear();
    std::optional<WorksheetRows> sheet;
    try {
        sheet = readWorksheet(workbook, kTableName);
    } catch (const WorkbookError&) {
        return {EmcyImportEnd::WorkbookUnreadable};
    }
    if (!sheet) return {EmcyImportEnd::NoWorksheet};
    if (!sheet->rows.empty() && sheet->columns < kEmcyFields.size()) return {EmcyImportEnd::TooFewColumns};
    entries.reserve(sheet->rows.size());
    for (std::vector<std::string>& cells : sheet->rows) {
        TClEmcy& entry = entries.emplace_back();
        for (std::size_t column = 0; column < kEmcyFields.size(); ++column)
            entry.*kEmcyFields[column].text = std::move(cells[column]);
    }
    return {EmcyImportEnd::Complete, entries.size()};
}

}  // namespace telvanor
