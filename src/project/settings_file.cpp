#include "project/settings_file.h"

#include <vector>

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
    std::string content = readWholeFile(file, kMaxSettingsBytes);
    bool inSection = false;
    for (const std::string& line : splitLines(content)) {
        if (auto name = sectionHeader(line)) {
            inSection = equalNoCase(*name, section);
        } else if (inSection) {
            if (auto entry = keyOf(line); entry && equalNoCase(entry->first, key))
                return parseValue(std::string_view(line).substr(entry->second));
        }
    }
    return std::nullopt;
}

void writeIniValue(const std::filesystem::path& file, std::string_view section, std::string_view key,
                   std::string_view value) {
    // A line break would end the value early and turn its rest into another line.
    if (value.find_first_of("\r\n") != std::string_view::npos)
        throw FileError("Cannot write " + file.string() + ": the value of " + std::string(key) + " holds a line break");
    // A missing file is made; one that cannot be read is not replaced, so its other lines stay.
    std::vector<std::string> lines;
    if (entryExists(file)) lines = splitLines(readWholeFile(file, kMaxSettingsBytes));
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
