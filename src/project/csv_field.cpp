#include "project/csv_field.h"

namespace telvanor {

void appendCsvField(std::string& line, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        line.append(text);
        return;
    }
    line.push_back('"');
    for (char c : text) {
        if (c == '"') line.push_back('"');
        line.push_back(c);
    }
    line.push_back('"');
}

void appendCsvFieldAndComma(std::string& line, std::string_view text) {
    appendCsvField(line, text);
    line.push_back(',');
}

}  // namespace telvanor
