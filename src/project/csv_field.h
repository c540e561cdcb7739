#pragma once

#include <string>
#include <string_view>

namespace telvanor {

// Appends `text` to a CSV line as one field, without separator. A text holding a comma, a
// quote or a line break is quoted as spreadsheets expect, its quotes doubled, so that it stays
// one field of its line; every other text is written as it stands.
void appendCsvField(std::string& line, std::string_view text);

// Appends `text` as one field followed by a comma, as the exports that end every field with
// one write it ("100,2,33,").
void appendCsvFieldAndComma(std::string& line, std::string_view text);

}  // namespace telvanor
