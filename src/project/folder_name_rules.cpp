#include "project/folder_name_rules.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace telvanor {

namespace {

constexpr std::string_view kForbidden = "<>:\"|?*";
constexpr std::array<std::string_view, 4> kReservedNames = {"CON", "PRN", "AUX", "NUL"};
constexpr std::array<std::string_view, 2> kNumberedReservedNames = {"COM", "LPT"};

std::string upper(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), [](unsigned char c) { return std::toupper(c); });
    return result;
}

// A reserved device name, the part before the first dot compared, trailing blanks ignored
// as Windows ignores them.
std::optional<std::string> reservedDevice(std::string_view name) {
    std::string base = upper(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (std::string_view reserved : kReservedNames)
        if (base == reserved) return base;
    for (std::string_view reserved : kNumberedReservedNames)
        if (base.size() == 4 && base.starts_with(reserved) && base[3] >= '1' && base[3] <= '9') return base;
    return std::nullopt;
}

}  // namespace

std::optional<std::string> windowsFolderNameProblem(std::string_view name) {
    for (char c : name) {
        auto code = static_cast<unsigned char>(c);
        if (code < 0x20 || code == 0x7F)
            return "the name holds a control character (code " + std::to_string(code) +
                   "), which no folder name can hold";
        if (kForbidden.find(c) != std::string_view::npos)
            return std::string("Windows cannot hold the character ") + c + " in a folder name";
    }
    if (name.ends_with(' ')) return "a folder name cannot end in a blank on Windows";
    if (name.ends_with('.')) return "a folder name cannot end in a dot on Windows";
    if (std::optional<std::string> device = reservedDevice(name)) {
        if (upper(name) == *device) return *device + " is a device name that Windows reserves";
        return std::string(name) + " is the device name " + *device + " that Windows reserves, even with an extension";
    }
    return std::nullopt;
}

}  // namespace telvanor
