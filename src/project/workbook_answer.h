#pragma once

#include <string>
#include <string_view>

#include "project/worksheet.h"

namespace telvanor {

// What the workbook reader process writes on its standard output, and how the program reads
// it back: either the workbook's content or the reason it could not be read. Texts travel as a
// length and their bytes, so any byte of a cell comes through.

std::string encodeWorkbookAnswer(const WorkbookContent& content);
std::string encodeWorkbookRefusal(std::string_view reason);

// The content of an answer; throws WorkbookError with the refusal's reason, or when the
// answer is cut short or malformed.
WorkbookContent decodeWorkbookAnswer(std::string_view answer);

}  // namespace telvanor
