#include "update/wine_ports.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <string_view>
#include <system_error>

#include "platform/path_text.h"
#include "update/com_port_names.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// The key of the ports as wine's registry file writes it, backslashes doubled.
constexpr std::string_view kPortsKey = R"([Software\\Wine\\Ports])";
constexpr std::string_view kTtyS = "/dev/ttyS";

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// "COM" and a number from 1, in any case, as wine's registry and links write it.
bool isComName(const std::string& name) { return comPortNumber(upper(name)).has_value(); }

// A quoted registry string from `at`, its escapes (\\ and \") undone; `at` moves past it.
std::optional<std::string> quoted(std::string_view line, std::size_t& at) {
    if (at >= line.size() || line[at] != '"') return std::nullopt;
    std::string text;
    for (++at; at < line.size(); ++at) {
        if (line[at] == '"') {
            ++at;
            return text;
        }
        if (line[at] == '\\' && at + 1 < line.size()) ++at;
        text += line[at];
    }
    return std::nullopt;
}

std::optional<std::string> fromRegistry(const std::string& device, const fs::path& prefix) {
    std::ifstream in(prefix / "system.reg");
    bool inPorts = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with('[')) {
            inPorts = upper(line.substr(0, kPortsKey.size())) == upper(std::string(kPortsKey));
            continue;
        }
        if (!inPorts) continue;
        std::size_t at = 0;
        std::optional<std::string> name = quoted(line, at);
        if (!name || at >= line.size() || line[at++] != '=') continue;
        std::optional<std::string> target = quoted(line, at);
        if (target && isComName(*name) && portIdentity(*target) == device) return upper(*name);
    }
    return std::nullopt;
}

std::optional<std::string> fromDosDevices(const std::string& device, const fs::path& prefix) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(prefix / "dosdevices", error)) {
        std::string name = platform::utf8FromPath(entry.path().filename());
        if (isComName(name) && entry.is_symlink(error) && portIdentity(platform::utf8FromPath(entry.path())) == device)
            return upper(name);
    }
    return std::nullopt;
}

std::optional<std::string> byDefault(const std::string& path) {
    if (!path.starts_with(kTtyS)) return std::nullopt;
    std::string digits = path.substr(kTtyS.size());
    if (digits.empty() || digits.size() > 3 || !std::all_of(digits.begin(), digits.end(), isDigit)) return std::nullopt;
    return "COM" + std::to_string(std::stoi(digits) + 1);
}

}  // namespace

fs::path winePrefix(const char* winePrefixVariable, const char* homeVariable) {
    if (winePrefixVariable && *winePrefixVariable) return platform::pathFromUtf8(winePrefixVariable);
    return platform::pathFromUtf8(homeVariable ? homeVariable : "") / ".wine";
}

std::optional<std::string> wineComName(const fs::path& device, const fs::path& prefix) {
    std::string target = portIdentity(platform::utf8FromPath(device));
    if (auto name = fromRegistry(target, prefix)) return name;
    if (auto name = fromDosDevices(target, prefix)) return name;
    return byDefault(target);
}

}  // namespace telvanor
