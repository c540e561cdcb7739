#include "editors/register_map/mapping_line.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "project/integer_text.h"

namespace telvanor {

namespace {

constexpr std::int32_t kHighestRegister = 65535;
constexpr const char* kGap = "   ";

std::string byteName(bool lists, std::uint32_t position) {
    if (position == 0) return lists ? "None" : "none";
    return (lists ? "Byte" : "B") + std::to_string(position);
}

}  // namespace

std::string mappingDetails(MapKind kind, const TClPdo& frame, const TClIndMB& mapping) {
    std::string text = mapping.Index;
    if (std::optional<std::int32_t> index = parseIntegerText(mapping.Index)) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%X", static_cast<std::uint32_t>(*index));
        text = std::to_string(*index) + " (" + hex + ")";
    }
    text += kGap;
    std::optional<std::int32_t> packed = parseIntegerText(mapping.PosComp);
    if (!packed) return text + "'" + mapping.PosComp + "'";
    auto v = static_cast<std::uint32_t>(*packed);
    bool lists = usesByteLists(kind, frame);
    std::uint32_t high = kind == MapKind::Receive ? v >> 16 : v >> 4 & 0xF;
    std::uint32_t low = kind == MapKind::Receive ? v & 0xFFFF : v & 0xF;
    return text + byteName(lists, high) + " / " + byteName(lists, low);
}

std::optional<std::int32_t> nextFreeRegister(const RegisterMap& map) {
    std::vector<bool> used(kHighestRegister + 1, false);
    std::int32_t highest = -1;
    for (const TClPdo& frame : map.frames)
        for (const TClIndMB& mapping : frame.mappings) {
            std::optional<std::int32_t> index = parseIntegerText(mapping.Index);
            if (!index || *index < 0 || *index > kHighestRegister) continue;
            used[static_cast<std::size_t>(*index)] = true;
            highest = std::max(highest, *index);
        }
    if (highest < kHighestRegister) return highest + 1;
    for (std::int32_t candidate = 0; candidate <= kHighestRegister; ++candidate)
        if (!used[static_cast<std::size_t>(candidate)]) return candidate;
    return std::nullopt;
}

}  // namespace telvanor
