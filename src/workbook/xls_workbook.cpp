#include <freexl.h>

#include "platform/file_system.h"
#include "project/equal_no_case.h"
#include "project/workbook_limits.h"
#include "workbook/workbook_formats.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// An open .xls workbook, closed however the reading ends.
class XlsWorkbook {
public:
    explicit XlsWorkbook(const fs::path& file) : file_(file) {
        // FreeXL opens the file by a narrow name.
        std::optional<std::string> name = platform::pathForCLibrary(file);
        if (!name)
            workbookFails(file,
                          "the .xls reader cannot open a path with these characters on this system; copy the "
                          "workbook to a folder named in plain letters");
        int status = freexl_open(name->c_str(), &handle_);
        if (status != FREEXL_OK) fail("it is no readable .xls workbook", status);
    }
    ~XlsWorkbook() {
        if (handle_) freexl_close(handle_);
    }
    XlsWorkbook(const XlsWorkbook&) = delete;
    XlsWorkbook& operator=(const XlsWorkbook&) = delete;

    std::vector<std::string> sheetNames() const {
        unsigned int count = 0;
        if (int status = freexl_get_info(handle_, FREEXL_BIFF_SHEET_COUNT, &count); status != FREEXL_OK)
            fail("its list of worksheets cannot be read", status);
        std::vector<std::string> names;
        for (unsigned int i = 0; i < count && i <= 0xFFFF; ++i) {
            const char* name = nullptr;
            // A name that cannot be read keeps its place, so that positions stay sheet indexes.
            if (freexl_get_worksheet_name(handle_, static_cast<unsigned short>(i), &name) != FREEXL_OK) name = nullptr;
            names.emplace_back(name ? name : "");
        }
        return names;
    }

    Worksheet sheet(unsigned short index, std::string name) const {
        if (int status = freexl_select_active_worksheet(handle_, index); status != FREEXL_OK)
            fail("its worksheet " + name + " cannot be read", status);
        unsigned int rowCount = 0;
        unsigned short columnCount = 0;
        if (int status = freexl_worksheet_dimensions(handle_, &rowCount, &columnCount); status != FREEXL_OK)
            fail("its worksheet " + name + " cannot be read", status);
        SheetBuilder builder(file_, std::move(name));
        for (unsigned int row = 0; row < rowCount; ++row)
            for (unsigned short column = 0; column < columnCount; ++column)
                builder.set(row + 1, column, cellText(row, column));
        return builder.finish();
    }

private:
    std::string cellText(unsigned int row, unsigned short column) const {
        FreeXL_CellValue cell;
        if (freexl_get_cell_value(handle_, row, column, &cell) != FREEXL_OK) return "";
        switch (cell.type) {
            case FREEXL_CELL_INT:
                return std::to_string(cell.value.int_value);
            case FREEXL_CELL_DOUBLE:
                return numberCellText(cell.value.double_value);
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                return cell.value.text_value ? cell.value.text_value : "";
            default:
                return "";
        }
    }

    [[noreturn]] void fail(const std::string& what, int status) const {
        if (status == FREEXL_INSUFFICIENT_MEMORY)
            workbookFails(file_, "it needs more memory than the reader's limit of " +
                                     std::to_string(kReaderMemoryMegabytes) + " MB");
        workbookFails(file_, what + " (FreeXL error " + std::to_string(status) + ")");
    }

    const fs::path& file_;
    const void* handle_ = nullptr;
};

}  // namespace

WorkbookContent readXlsWorkbook(const fs::path& file, std::optional<std::string_view> sheetName) {
    XlsWorkbook book(file);
    WorkbookContent content;
    content.sheetNames = book.sheetNames();
    if (!sheetName) return content;
    for (std::size_t i = 0; i < content.sheetNames.size(); ++i)
        if (equalNoCase(content.sheetNames[i], *sheetName)) {
            content.sheet = book.sheet(static_cast<unsigned short>(i), content.sheetNames[i]);
            break;
        }
    return content;
}

}  // namespace telvanor
