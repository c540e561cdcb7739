#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace telvanor {

// A workbook that cannot be opened or read.
class WorkbookError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The rows of one worksheet below its title row, each cell as text: an empty cell as "",
// a number as its text (an integral number without decimals), dates and times as FreeXL
// writes them. Every row has `columns` cells.
struct WorksheetRows {
    std::size_t columns = 0;
    std::vector<std::vector<std::string>> rows;
};

// The worksheet names of an ".xls" workbook (BIFF5 or BIFF8), in workbook order.
std::vector<std::string> worksheetNames(const std::filesystem::path& workbook);

// The rows of the worksheet whose name matches `sheetName` without regard to letter case,
// or nothing when the workbook has no such worksheet. Throws WorkbookError when the
// workbook cannot be read.
std::optional<WorksheetRows> readWorksheet(const std::filesystem::path& workbook, std::string_view sheetName);

// How an import from a worksheet ended. None of the endings is reported to the user.
enum class ImportEnd {
    WorkbookUnreadable,  // the workbook cannot be read
    NoWorksheet,         // the workbook has no worksheet of the table's name in any letter case
    Complete,            // every record was read
    TooFewColumns,       // the worksheet has fewer columns than a record is read from
    BadFrameNumber,      // a register map record's frame number is empty or not an integer
};

// The worksheet an import reads: its rows when `end` is Complete, otherwise why there are
// none (WorkbookUnreadable or NoWorksheet).
struct ImportSheet {
    ImportEnd end = ImportEnd::Complete;
    WorksheetRows sheet;
};
ImportSheet readImportSheet(const std::filesystem::path& workbook, std::string_view sheetName);

// The text of a number cell.
std::string numberCellText(double value);

}  // namespace telvanor
