#include "dormant/emcy_word/emcy_word_exchange.h"

#include <optional>

#include "dormant/emcy_word/emcy_word_file.h"
#include "project/atomic_file.h"
#include "project/csv_field.h"
#include "project/file_lookup.h"
#include "project/worksheet.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// The cell (from 0) that holds devid, in the place of bit 0's poscomp.
constexpr std::size_t kDevidCell = 3;

// A cell's text; an empty cell gives "0".
std::string cellText(std::string& cell) { return cell.empty() ? std::string("0") : std::move(cell); }

}  // namespace

std::string emcyWordCsv(const std::vector<TClWEmcy>& words) {
    std::string csv;
    const auto& names = emcyWordAttributes();
    for (std::size_t attribute = 0; attribute < names.size(); ++attribute) {
        if (attribute > 0) csv.push_back(',');
        csv.append(names[attribute]);
    }
    csv.append("\r\n");
    for (const TClWEmcy& word : words) {
        appendCsvField(csv, word.index_addrm);
        csv.append(",0,0,");
        appendCsvFieldAndComma(csv, word.devid);
        for (const ClEbm& bit : word.bits) {
            appendCsvFieldAndComma(csv, bit.b0);
            appendCsvFieldAndComma(csv, bit.b1);
            appendCsvFieldAndComma(csv, bit.poscomp);
        }
        csv.append("\r\n");
    }
    return csv;
}

void ExportEmcyWords(const fs::path& projectDir, const std::vector<TClWEmcy>& words) {
    writeFileAtomically(writeTargetNoCase(projectDir, std::string(emcyword_xml::kRoot) + ".csv"), emcyWordCsv(words));
}

EmcyImport ImportEmcyWords(const fs::path& workbook, EmcyWordTable& table) {
    table = {};
    ImportSheet read = readImportSheet(workbook, emcyword_xml::kRoot);
    if (read.end != ImportEnd::Complete) return {read.end};
    if (!read.sheet.rows.empty() && read.sheet.columns < kEmcyWordImportFields) return {ImportEnd::TooFewColumns};
    for (std::vector<std::string>& cells : read.sheet.rows) {
        TClWEmcy word;
        word.index_addrm = cellText(cells[0]);
        word.devid = cellText(cells[kDevidCell]);
        // The bit texts in order, from cell 2 on, stepping over the devid cell.
        std::size_t cell = 1;
        for (ClEbm& bit : word.bits)
            for (std::string* text : {&bit.b0, &bit.b1, &bit.poscomp}) {
                if (cell == kDevidCell) {
                    ++cell;
                    continue;  // bit 0's poscomp stays empty
                }
                *text = cellText(cells[cell++]);
            }
        table.appendNumbered(std::move(word));
    }
    return {ImportEnd::Complete, table.words.size()};
}

}  // namespace telvanor
