#include "project/xlsx_writer.h"

#include <random>
#include <system_error>

#include <xlsxwriter.h>

#include "platform/file_system.h"
#include "platform/path_text.h"
#include "project/atomic_file.h"
#include "project/integer_text.h"
#include "project/worksheet.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr double kColumnWidth = 14;

// A file of its own in the temporary folder, removed however the writing ends.
class TemporaryFile {
public:
    TemporaryFile() {
        static std::mt19937 generator{std::random_device{}()};
        std::error_code error = std::make_error_code(std::errc::file_exists);
        for (int attempt = 0; attempt < 100 && error == std::errc::file_exists; ++attempt) {
            path_ = fs::temp_directory_path() / ("telvanor-export-" + std::to_string(generator() % 1000000000));
            error = platform::writeNewFile(path_, {}, fs::path());
        }
        if (error) throw FileError(fileFailureText("write", path_, error));
    }
    ~TemporaryFile() {
        std::error_code ignored;
        fs::remove(path_, ignored);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

bool isPlainInteger(const std::string& text) {
    std::optional<std::int32_t> value = parseIntegerText(text);
    return value && numberCellText(*value) == text;
}

void writeCell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const std::string& text, lxw_format* format) {
    if (text.empty()) return;
    if (isPlainInteger(text))
        worksheet_write_number(sheet, row, column, *parseIntegerText(text), format);
    else
        worksheet_write_string(sheet, row, column, text.c_str(), format);
}

}  // namespace

std::string xlsxWorkbook(std::string_view sheetName, const std::vector<std::string>& titles,
                         const std::vector<std::vector<std::string>>& rows) {
    TemporaryFile file;
    // libxlsxwriter opens the file by a narrow name.
    std::optional<std::string> name = platform::pathForCLibrary(file.path());
    if (!name)
        throw FileError("Cannot write " + platform::utf8FromPath(file.path()) +
                        ": the workbook writer cannot open a path with these characters on this system");
    lxw_workbook* book = workbook_new(name->c_str());
    if (!book) throw FileError("Cannot write " + platform::utf8FromPath(file.path()) + ": the workbook cannot be made");
    lxw_worksheet* sheet = workbook_add_worksheet(book, std::string(sheetName).c_str());
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    worksheet_freeze_panes(sheet, 1, 0);
    worksheet_set_column(sheet, 0, static_cast<lxw_col_t>(titles.empty() ? 0 : titles.size() - 1), kColumnWidth,
                         nullptr);
    for (std::size_t column = 0; column < titles.size(); ++column)
        writeCell(sheet, 0, static_cast<lxw_col_t>(column), titles[column], bold);
    for (std::size_t row = 0; row < rows.size(); ++row)
        for (std::size_t column = 0; column < rows[row].size(); ++column)
            writeCell(sheet, static_cast<lxw_row_t>(row + 1), static_cast<lxw_col_t>(column), rows[row][column],
                      nullptr);
    if (lxw_error error = workbook_close(book); error != LXW_NO_ERROR)
        throw FileError("Cannot write " + platform::utf8FromPath(file.path()) + ": " + lxw_strerror(error));
    return readWholeFile(file.path(), std::size_t{1} << 30);
}

}  // namespace telvanor
