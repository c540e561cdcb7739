#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace telvanor {

// An .xlsx workbook of one worksheet, written with libxlsxwriter: a bold title row that stays
// in view while scrolling, then the rows. A text that is a plain decimal integer ("100", "-5",
// not "007" or "0x10") becomes a number cell, so that the spreadsheet calculates with it and
// gives the same text back; every other text stays a text cell. Gives the file's bytes;
// throws FileError when the workbook cannot be made.
std::string xlsxWorkbook(std::string_view sheetName, const std::vector<std::string>& titles,
                         const std::vector<std::vector<std::string>>& rows);

}  // namespace telvanor
