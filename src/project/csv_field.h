#pragma once

#include <string>
#include <string_view>

namespace telvanor {

// Appends `text` to a CSV line as one field, without separator. A text holding a comma, a
// quote or a line break is quoted as spreadsheets expect, its quotes doubled, so that it stays
// one field of its line; every other text is written as it stands.
void appendCsvField(std::string& line, std::string_view text);

}  // namespace telvanor
