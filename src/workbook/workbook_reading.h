#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "project/worksheet.h"

namespace telvanor {

// Reads a workbook in this process: the worksheet names and, when `sheetName` is given, the
// worksheet of that name in any letter case. The kind of file is told by its content: an
// .xls workbook (read with FreeXL), an .xlsx workbook (its zip container read with libzip, the
// sheet XML and shared strings with pugixml) or a CSV text. Throws WorkbookError naming the
// file and the reason, also when a limit of workbook_limits.h is reached.
//
// FreeXL trusts the file it reads; this runs in the workbook reader process only (and in the
// fuzz harness), never in the program itself.
WorkbookContent readWorkbookContent(const std::filesystem::path& file, std::optional<std::string_view> sheetName);

}  // namespace telvanor
