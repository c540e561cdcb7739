#include "project/frame_table_file.h"

#include "project/file_lookup.h"
#include "project/integer_text.h"

namespace telvanor {

std::string rowError(std::size_t rowNumber, std::string_view checkText) {
    return "Error in row " + std::to_string(rowNumber) + std::string(checkText);
}

std::int32_t cellNumber(std::string_view text) { return parseIntegerText(text).value_or(-1); }

bool isBlank(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) > ' ') return false;
    return true;
}

namespace frame_table_detail {

std::string droppedRows(std::size_t first, std::size_t last, std::string_view endColumn) {
    std::string rows = first == last ? "row " + std::to_string(first)
                                     : "rows " + std::to_string(first) + " to " + std::to_string(last);
    return "row " + std::to_string(first) + " has an empty " + std::string(endColumn) +
           ": the table ends there, so OK would drop " + rows + " of the file";
}

void saveTable(const std::filesystem::path& path, const XmlDocument& document) {
    document.save(writeTargetNoCase(path));
}

}  // namespace frame_table_detail

}  // namespace telvanor
