#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace telvanor {

// A workbook that cannot be opened or read. what() names the file and the reason.
class WorkbookError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One row of a worksheet that holds something: its 1-based number in the sheet (the number a
// spreadsheet shows beside it) and its cells by column position up to its last non-empty one.
// An empty cell is "", a number its text (an integral number without decimals), a text cell
// as it stands (UTF-8).
struct SheetRow {
    std::size_t number = 0;
    std::vector<std::string> cells;

    // The cell at 0-based `column`, "" beyond the row's last cell.
    const std::string& cell(std::size_t column) const;
    bool operator==(const SheetRow&) const = default;
};

// The rows of one worksheet that hold at least one non-empty cell, in sheet order. Empty rows
// are left out, so a stray cell far away costs one row, not the space up to it.
struct Worksheet {
    std::string name;
    std::vector<SheetRow> rows;
};

// The rows below a worksheet's title row, which is its first row that holds something.
std::span<const SheetRow> recordRows(const Worksheet& sheet);

// What a workbook holds: the names of its worksheets in workbook order (a CSV file holds one,
// named after the file) and, when one was asked for and found, that worksheet.
struct WorkbookContent {
    std::vector<std::string> sheetNames;
    std::optional<Worksheet> sheet;
};

// The kinds of file a workbook may be, told apart by their content, not their name: an Excel
// 97-2003 workbook (.xls), an Office Open XML workbook (.xlsx), or a CSV text. A CSV file holds
// one worksheet, which any sheet name finds.
//
// Every reading runs in the workbook reader process (telvanor-workbook-reader), with limits on
// the time it takes, the memory it uses and the size of what it reads, so that a damaged or
// hostile file cannot take the program down; a limit that stops the reading is named in the
// error.

// The worksheet names of a workbook. Throws WorkbookError.
std::vector<std::string> worksheetNames(const std::filesystem::path& workbook);

// The worksheet whose name matches `sheetName` without regard to letter case, or nothing when
// the workbook has none. Throws WorkbookError when the workbook cannot be read.
std::optional<Worksheet> readWorksheet(const std::filesystem::path& workbook, std::string_view sheetName);

// How reading the worksheet of an import went.
enum class ImportEnd {
    WorkbookUnreadable,  // the workbook cannot be read
    NoWorksheet,         // the workbook has no worksheet of the table's name in any letter case
    Complete,            // the worksheet was read
};

// The worksheet an import reads: the sheet when `end` is Complete; otherwise `problem` says
// why there is none, naming the file ("PATH has no worksheet TInfoCob; its worksheets are
// Sheet1, Notes").
struct ImportSheet {
    ImportEnd end = ImportEnd::Complete;
    std::string problem;
    Worksheet sheet;
};
ImportSheet readImportSheet(const std::filesystem::path& workbook, std::string_view sheetName);

// The text of a number cell: an integral value without decimals, otherwise up to 15
// significant digits.
std::string numberCellText(double value);

}  // namespace telvanor
