#include "project/settings_file.h"

#include <vector>

#include "platform/path_text.h"
#include "project/atomic_file.h"
#include "project/equal_no_case.h"
#include "project/file_kind.h"

namespace telvanor {

namespace {

constexpr std::size_t kMaxSettingsBytes = 1024 * 1024;

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

// Notepad and other Windows editors may begin the file with UTF-8's byte order mark; it is
// read past, and the file is written back without it.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string settingsContent(const std::filesystem::path& file) {
    std::string content = readWholeFile(file, kMaxSettingsBytes);
    if (content.starts_with(kByteOrderMark)) content.erase(0, kByteOrderMark.size());
    // UTF-16 (and UTF-32) are not read as bytes of another text, nor written over.
    if (content.starts_with("\xFF\xFE") || content.starts_with("\xFE\xFF"))
        throw FileError("Cannot read " + platform::utf8FromPath(file) +
                        ": it is UTF-16 or UTF-32 text; save it as UTF-8");
    return content;
}

// The first control character of a value (NUL, a line break, ...), which no folder name holds
// and which would end or cut the value in the file or in the program.
std::optional<unsigned char> controlCharacterIn(std::string_view value) {
    for (char c : value)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return static_cast<unsigned char>(c);
    return std::nullopt;
}

std::string controlCharacterText(unsigned char c) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return std::string("a control character (0x") + kDigits[c >> 4] + kDigits[c & 0xF] + ")";
}

std::vector<std::string> splitLines(const std::string& content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// The section name of a "[name]" line.
std::optional<std::string_view> sectionHeader(std::string_view line) {
    line = trimBlanks(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
    return trimBlanks(line.substr(1, line.size() - 2));
}

// The key of a "key=value" line and where its value starts.
std::optional<std::pair<std::string_view, std::size_t>> keyOf(std::string_view line) {
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return std::pair{trimBlanks(line.substr(0, equals)), equals + 1};
}

std::string formatValue(std::string_view value) {
    bool needsQuotes =
        !value.empty() && (value.front() == ' ' || value.back() == ' ' || value.front() == '\t' ||
                           value.back() == '\t' || (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
    if (needsQuotes) return "\"" + std::string(value) + "\"";
    return std::string(value);
}

std::string parseValue(std::string_view raw) {
    std::string_view value = trimBlanks(raw);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    return std::string(value);
}

}  // namespace

std::optional<std::string> readIniValue(const std::filesystem::path& file, std::string_view section,
                                        std::string_view key) {
    if (!entryExists(file)) return std::nullopt;
    bool inSection = false;
    for (const std::string& line : splitLines(settingsContent(file))) {
        if (auto name = sectionHeader(line)) {
            inSection = equalNoCase(*name, section);
        } else if (inSection) {
            if (auto entry = keyOf(line); entry && equalNoCase(entry->first, key)) {
                std::string value = parseValue(std::string_view(line).substr(entry->second));
                if (auto c = controlCharacterIn(value))
                    throw FileError("Cannot read " + platform::utf8FromPath(file) + ": the value of " +
                                    std::string(key) + " holds " + controlCharacterText(*c));
                return value;
            }
        }
    }
    return std::nullopt;
}

void writeIniValue(const std::filesystem::path& file, std::string_view section, std::string_view key,
                   std::string_view value) {
    // A line break would end the value early and turn its rest into another line; a NUL or
    // another control character could not be read back.
    if (auto c = controlCharacterIn(value))
        throw FileError("Cannot write " + platform::utf8FromPath(file) + ": the value of " + std::string(key) +
                        " holds " +
                        (*c == '\n' || *c == '\r' ? std::string("a line break") : controlCharacterText(*c)));
    // A missing file is made; one that cannot be read is not replaced, so its other lines stay.
    std::vector<std::string> lines;
    if (entryExists(file)) lines = splitLines(settingsContent(file));
    std::string entry = std::string(key) + "=" + formatValue(value);
    bool inSection = false;
    bool written = false;
    std::size_t sectionEnd = lines.size();
    for (std::size_t i = 0; i < lines.size() && !written; ++i) {
        if (auto name = sectionHeader(lines[i])) {
            if (inSection) {
                sectionEnd = i;
                break;
            }
            inSection = equalNoCase(*name, section);
            if (inSection) sectionEnd = lines.size();
        } else if (inSection) {
            if (auto found = keyOf(lines[i]); found && equalNoCase(found->first, key)) {
                lines[i] = entry;
                written = true;
            }
        }
    }
    if (!written) {
        if (inSection) {
            while (sectionEnd > 0 && trimBlanks(lines[sectionEnd - 1]).empty()) --sectionEnd;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(sectionEnd), entry);
        } else {
            lines.push_back("[" + std::string(section) + "]");
            lines.push_back(entry);
        }
    }
    std::string content;
    for (const std::string& line : lines) content += line + "\n";
    writeFileAtomically(file, content);
}

}  // namespace telvanor
