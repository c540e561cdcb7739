#include "dormant/emcy_translation/emcy_translation.h"

#include <algorithm>

#include "project/integer_text.h"

namespace telvanor {

const std::array<EmcyField, 11> kEmcyFields{{
    {"id_dev", &TClEmcy::id_dev},
    {"mask_eq_ec", &TClEmcy::mask_eq_ec},
    {"mask_eq_er", &TClEmcy::mask_eq_er},
    {"mask_eq_m1", &TClEmcy::mask_eq_m1},
    {"mask_eq_m2", &TClEmcy::mask_eq_m2},
    {"mask_eq_m3", &TClEmcy::mask_eq_m3},
    {"enmask_eq_ec", &TClEmcy::enmask_eq_ec},
    {"enmask_eq_er", &TClEmcy::enmask_eq_er},
    {"enmask_eq_m1", &TClEmcy::enmask_eq_m1},
    {"enmask_eq_m2", &TClEmcy::enmask_eq_m2},
    {"enmask_eq_m3", &TClEmcy::enmask_eq_m3},
}};

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

std::vector<std::size_t> AscendingTextOrder(const std::vector<std::string_view>& texts) {
    std::vector<std::int32_t> values;
    values.reserve(texts.size());
    for (std::string_view text : texts) values.push_back(integerText(text));
    std::vector<std::size_t> order(texts.size());
    for (std::size_t position = 0; position < order.size(); ++position) order[position] = position;
    // Positions are unique, so the order is total and needs no stable sort.
    std::sort(order.begin(), order.end(), [&values](std::size_t a, std::size_t b) {
        if (values[a] != values[b]) return values[a] < values[b];
        return a > b;
    });
    return order;
}

std::vector<std::size_t> EmcyDefSaveOrder(const std::vector<TClEmcy>& entries) {
    std::vector<std::string_view> ids;
    ids.reserve(entries.size());
    for (const TClEmcy& entry : entries) ids.push_back(entry.id_dev);
    return AscendingTextOrder(ids);
}

}  // namespace telvanor
