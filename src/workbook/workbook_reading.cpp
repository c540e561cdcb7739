#include "workbook/workbook_reading.h"

#include <fstream>
#include <system_error>

#include "platform/path_text.h"
#include "project/equal_no_case.h"
#include "project/workbook_limits.h"
#include "workbook/workbook_formats.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kXlsSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr std::string_view kZipSignature = "PK\x03\x04";

std::string readWorkbookFile(const fs::path& file) {
    std::error_code error;
    if (fs::is_directory(file, error)) workbookFails(file, "it is a folder");
    std::ifstream in(file, std::ios::binary);
    if (!in) workbookFails(file, "it does not exist or may not be read");
    const std::size_t limit = kMaxWorkbookFileMegabytes * kMegabyte;
    std::uintmax_t size = fs::file_size(file, error);
    std::string tooLarge =
        "it is larger than the reader's limit of " + std::to_string(kMaxWorkbookFileMegabytes) + " MB";
    if (!error && size > limit) workbookFails(file, tooLarge);
    std::string bytes;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > limit) workbookFails(file, tooLarge);
    }
    return bytes;
}

}  // namespace

void workbookFails(const fs::path& file, std::string_view why) {
    throw WorkbookError(platform::utf8FromPath(file) + " cannot be read: " + std::string(why));
}

SheetBuilder::SheetBuilder(const fs::path& file, std::string name) : file_(file) { sheet_.name = std::move(name); }

void SheetBuilder::set(std::size_t row, std::size_t column, std::string text) {
    if (text.empty()) return;
    if (row != row_.number) {
        endRow();
        row_.number = row;
    }
    if (column >= row_.cells.size()) {
        std::size_t added = column + 1 - row_.cells.size();
        if (added > kMaxSheetCells - cells_)
            workbookFails(file_, "its worksheet " + sheet_.name + " holds more than the reader's limit of " +
                                     std::to_string(kMaxSheetCells) + " cells");
        cells_ += added;
        row_.cells.resize(column + 1);
    }
    row_.cells[column] = std::move(text);
}

void SheetBuilder::endRow() {
    if (!row_.cells.empty()) sheet_.rows.push_back(std::move(row_));
    row_ = {};
}

Worksheet SheetBuilder::finish() {
    endRow();
    return std::move(sheet_);
}

WorkbookContent readWorkbookContent(const fs::path& file, std::optional<std::string_view> sheetName) {
    std::string bytes = readWorkbookFile(file);
    if (bytes.starts_with(kXlsSignature)) return readXlsWorkbook(file, sheetName);
    if (bytes.starts_with(kZipSignature)) return readXlsxWorkbook(file, bytes, sheetName);
    // An empty file is an empty CSV table only where its name says it is one: the export of an
    // empty map is such a file, while an empty .xls is a workbook that was never written.
    if (bytes.empty() && !equalNoCase(platform::utf8FromPath(file.extension()), ".csv"))
        workbookFails(file, "the file is empty; it is no .xls or .xlsx workbook");
    return readCsvWorkbook(file, bytes, sheetName);
}

}  // namespace telvanor
