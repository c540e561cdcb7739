#include <array>

#include "platform/path_text.h"
#include "workbook/workbook_formats.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Whether `text` is valid UTF-8.
bool isUtf8(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        auto byte = static_cast<unsigned char>(text[at]);
        std::size_t length = byte < 0x80           ? 1
                             : (byte >> 5) == 0x6  ? 2
                             : (byte >> 4) == 0xE  ? 3
                             : (byte >> 3) == 0x1E ? 4
                                                   : 0;
        if (length == 0 || at + length > text.size()) return false;
        for (std::size_t i = 1; i < length; ++i)
            if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return false;
        at += length;
    }
    return true;
}

void appendUtf8(std::string& text, char32_t code) {
    if (code < 0x80) {
        text.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        text.push_back(static_cast<char>(0xC0 | (code >> 6)));
        text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        text.push_back(static_cast<char>(0xE0 | (code >> 12)));
        text.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// A text in the Windows western code page (what a spreadsheet on Windows saves as "CSV" when
// it does not write UTF-8), as UTF-8.
std::string fromWindows1252(std::string_view text) {
    static constexpr std::array<char32_t, 32> kHigh = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                                       0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    std::string utf8;
    utf8.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        appendUtf8(utf8, byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte);
    }
    return utf8;
}

// A text file holds no control characters but tab, line breaks and form feed (and an old
// end-of-file mark); anything else is binary.
bool looksLikeText(std::string_view text) {
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\x1A') return false;
    }
    return true;
}

// The separator of the first record: the most frequent of comma, semicolon and tab outside
// quotes, the comma when there is none.
char separatorOf(std::string_view text) {
    std::size_t commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n' || c == '\r') break;
        commas += c == ',';
        semicolons += c == ';';
        tabs += c == '\t';
    }
    if (semicolons > commas && semicolons >= tabs) return ';';
    if (tabs > commas && tabs > semicolons) return '\t';
    return ',';
}

}  // namespace

WorkbookContent readCsvWorkbook(const fs::path& file, std::string_view bytes,
                                std::optional<std::string_view> sheetName) {
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    if (!looksLikeText(bytes)) workbookFails(file, "it is neither an .xls nor an .xlsx workbook, nor a CSV text");
    std::string converted;
    if (!isUtf8(bytes)) {
        converted = fromWindows1252(bytes);
        bytes = converted;
    }
    WorkbookContent content;
    std::string name = platform::utf8FromPath(file.stem());
    content.sheetNames = {name};
    if (!sheetName) return content;

    SheetBuilder builder(file, name);
    const char separator = separatorOf(bytes);
    std::size_t row = 1;
    std::size_t column = 0;
    std::string field;
    std::size_t at = 0;
    auto endField = [&] {
        builder.set(row, column++, std::move(field));
        field.clear();
    };
    while (at < bytes.size()) {
        char c = bytes[at++];
        if (c == '"' && field.empty()) {
            // A quoted field: up to the lone closing quote, doubled quotes standing for one.
            while (at < bytes.size()) {
                char q = bytes[at++];
                if (q != '"') {
                    field.push_back(q);
                } else if (at < bytes.size() && bytes[at] == '"') {
                    field.push_back('"');
                    ++at;
                } else {
                    break;
                }
            }
        } else if (c == separator) {
            endField();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && at < bytes.size() && bytes[at] == '\n') ++at;
            endField();
            ++row;
            column = 0;
        } else if (c != '\x1A' || at < bytes.size()) {
            field.push_back(c);
        }
    }
    endField();
    content.sheet = builder.finish();
    return content;
}

}  // namespace telvanor
