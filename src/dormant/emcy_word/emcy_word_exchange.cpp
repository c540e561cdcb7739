#include "dormant/emcy_word/emcy_word_exchange.h"

#include <optional>

#include "dormant/emcy_word/emcy_word_file.h"
#include "project/atomic_file.h"
#include "project/csv_field.h"
#include "project/equal_no_case.h"
#include "project/file_lookup.h"
#include "project/worksheet.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// The cell (from 0) that holds devid, in both layouts; in the short one it stands in the place
// of bit 0's poscomp.
constexpr std::size_t kDevidCell = 3;

// A cell's text; an empty cell gives "0".
std::string cellText(const SheetRow& row, std::size_t column) {
    const std::string& cell = row.cell(column);
    return cell.empty() ? std::string("0") : cell;
}

// Whether a title row is the export's: the attribute names of emcyword.xml.
bool exportTitles(const SheetRow& titles) {
    const auto& names = emcyWordAttributes();
    for (std::size_t column = 0; column < names.size(); ++column)
        if (!equalNoCase(titles.cell(column), names[column])) return false;
    return true;
}

// A word from a row of the export's layout.
TClWEmcy exportedWord(const SheetRow& row) {
    TClWEmcy word;
    word.index_addrm = cellText(row, 0);
    word.devid = cellText(row, kDevidCell);
    std::size_t cell = kDevidCell + 1;
    for (ClEbm& bit : word.bits)
        for (std::string* text : {&bit.b0, &bit.b1, &bit.poscomp}) *text = cellText(row, cell++);
    return word;
}

// A word from a row of the short layout.
TClWEmcy shortWord(const SheetRow& row) {
    TClWEmcy word;
    word.index_addrm = cellText(row, 0);
    word.devid = cellText(row, kDevidCell);
    // The bit texts in order, from cell 2 on, stepping over the devid cell.
    std::size_t cell = 1;
    for (ClEbm& bit : word.bits)
        for (std::string* text : {&bit.b0, &bit.b1, &bit.poscomp}) {
            if (cell == kDevidCell) {
                ++cell;
                continue;  // bit 0's poscomp stays empty
            }
            *text = cellText(row, cell++);
        }
    return word;
}

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

ImportSummary ImportEmcyWords(const fs::path& workbook, EmcyWordTable& table) {
    ImportSheet read = readImportSheet(workbook, emcyword_xml::kRoot);
    ImportSummary summary = unreadSummary(read, std::string(emcyword_xml::kRoot), "words", "the table");
    if (read.end != ImportEnd::Complete) return summary;
    table = {};
    bool exportLayout = !read.sheet.rows.empty() && exportTitles(read.sheet.rows.front());
    for (const SheetRow& row : recordRows(read.sheet))
        table.appendNumbered(exportLayout || row.cells.size() >= kEmcyWordAttributeCount ? exportedWord(row)
                                                                                         : shortWord(row));
    summary.imported = table.words.size();
    return summary;
}

}  // namespace telvanor
