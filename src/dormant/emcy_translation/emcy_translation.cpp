#include "dormant/emcy_translation/emcy_translation.h"

#include <algorithm>

#include "project/integer_text.h"

namespace telvanor {

namespace {

constexpr const char* kIndexNotValid = "Index Not Valid";

}  // namespace

std::string OneAboveLargest(const std::vector<std::string_view>& texts) {
    // Wide enough that 2147483647 is followed by 2147483648, which the save then refuses,
    // rather than by a negative number that would quietly sort first.
    std::int64_t largest = 0;
    for (std::string_view text : texts) largest = std::max<std::int64_t>(largest, parseIntegerText(text).value_or(0));
    return std::to_string(largest + 1);
}

std::string NextEmcyId(const std::vector<TClEmcy>& entries) {
    std::vector<std::string_view> ids;
    ids.reserve(entries.size());
    for (const TClEmcy& entry : entries) ids.push_back(entry.id_dev);
    return OneAboveLargest(ids);
}

std::optional<std::string> CheckEmcyIdChange(const std::vector<TClEmcy>& entries, std::size_t selected,
                                             std::string_view typedId) {
    if (selected < entries.size() && entries[selected].id_dev == typedId) return std::nullopt;
    // The first failure only: an empty ID is refused once, whatever the other lines hold.
    if (typedId.empty()) return kIndexNotValid;
    for (const TClEmcy& entry : entries)
        if (entry.id_dev == typedId) return kIndexNotValid;
    return std::nullopt;
}

std::vector<std::size_t> EmcyDefSaveOrder(const std::vector<TClEmcy>& entries) {
    std::vector<std::string_view> ids;
    ids.reserve(entries.size());
    for (const TClEmcy& entry : entries) ids.push_back(entry.id_dev);
    return AscendingTextOrder(ids);
}

}  // namespace telvanor
