#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "project/worksheet.h"

namespace telvanor {

// The readers of the three kinds of workbook, for readWorkbookContent. Each throws
// WorkbookError.

WorkbookContent readXlsWorkbook(const std::filesystem::path& file, std::optional<std::string_view> sheetName);
WorkbookContent readXlsxWorkbook(const std::filesystem::path& file, std::string_view bytes,
                                 std::optional<std::string_view> sheetName);
// A CSV text holds one worksheet, named after the file, which every sheet name finds.
WorkbookContent readCsvWorkbook(const std::filesystem::path& file, std::string_view bytes,
                                std::optional<std::string_view> sheetName);

// Collects a worksheet's rows as a reader meets its cells: rows in sheet order, cells of a row
// in any order. Leaves out empty cells at the end of a row and rows without any cell, and
// refuses a sheet whose rows hold more than kMaxSheetCells cells.
class SheetBuilder {
public:
    SheetBuilder(const std::filesystem::path& file, std::string name);

    // The cell of 1-based `row` and 0-based `column`; an empty text is no cell.
    void set(std::size_t row, std::size_t column, std::string text);
    Worksheet finish();

private:
    void endRow();

    const std::filesystem::path& file_;
    Worksheet sheet_;
    SheetRow row_;
    std::size_t cells_ = 0;
};

// "PATH cannot be read: " + why.
[[noreturn]] void workbookFails(const std::filesystem::path& file, std::string_view why);

}  // namespace telvanor
