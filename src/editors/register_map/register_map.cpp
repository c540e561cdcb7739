#include "editors/register_map/register_map.h"

#include <algorithm>

#include "project/integer_text.h"
#include "project/text_order.h"

namespace telvanor {

namespace {

constexpr const char* kIndexNotValid = "Index or Subindex Not Valid";

// New in the receive map takes registers 0 to 65535; a text that is not an integer counts as
// this value, so it is dropped like any register out of range.
constexpr std::int32_t kHighestRegister = 65535;
constexpr std::int32_t kNotARegister = 100000;

// A 16-bit half of a receive PosComp names at most this byte.
constexpr std::int32_t kMostListBytes = 0xFFFF;

int clampToEightBytes(std::uint32_t number) {
    return static_cast<int>(std::min<std::uint32_t>(number, kOrdinaryFrameBytes));
}

std::uint32_t selectorValue(int position) { return position < 0 ? 0u : static_cast<std::uint32_t>(position); }

}  // namespace

std::size_t RegisterMap::mappingCount() const {
    std::size_t count = 0;
    for (const TClPdo& frame : frames) count += frame.mappings.size();
    return count;
}

std::string displayLine(MapKind kind, const TClPdo& frame) {
    if (kind == MapKind::Transmit)
        return frame.Priority + '\t' + frame.DataPage + '\t' + frame.PGN + '\t' + frame.ID_DEV;
    return frame.DataPage + '\t' + frame.PGN + '\t' + frame.ID_DEV;
}

bool usesByteLists(MapKind kind, const TClPdo& frame) { return kind == MapKind::Receive && frame.byteCount != 0; }

std::vector<std::string> byteListEntries(const TClPdo& frame) {
    std::int32_t count = std::clamp<std::int32_t>(frame.byteCount, 0, kMostListBytes);
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(count) + 1);
    entries.emplace_back("None");
    for (std::int32_t position = 1; position <= count; ++position) entries.push_back("Byte" + std::to_string(position));
    return entries;
}

std::string packPosComp(MapKind kind, BytePair bytes) {
    unsigned shift = kind == MapKind::Receive ? 16 : 4;
    // Unsigned arithmetic, written back as the signed 32-bit value the integer rule reads.
    std::uint32_t packed = (selectorValue(bytes.high) << shift) + selectorValue(bytes.low);
    return std::to_string(static_cast<std::int32_t>(packed));
}

BytePair radioChoicesFor(MapKind kind, std::string_view posComp) {
    auto v = static_cast<std::uint32_t>(integerText(posComp));
    unsigned shift = kind == MapKind::Receive ? 16 : 4;
    return {clampToEightBytes((v >> shift) & 0xF), clampToEightBytes(v & 0xF)};
}

BytePair listChoicesFor(std::string_view posComp, std::size_t listLength) {
    auto v = static_cast<std::uint32_t>(integerText(posComp));
    auto inList = [listLength](std::uint32_t position) {
        return position < listLength ? static_cast<int>(position) : -1;
    };
    return {inList(v >> 16), inList(v & 0xFFFF)};
}

int writeChoiceFor(std::string_view writeText) {
    std::int32_t value = integerText(writeText);
    return value == kWriteFalse || value == kWriteTrue ? value : -1;
}

TClIndMB mappingFrom(MapKind kind, const MapEdit& edit) {
    TClIndMB mapping{edit.Index, packPosComp(kind, edit.bytes), {}};
    if (kind == MapKind::Transmit)
        mapping.Write_J1939 = std::to_string(edit.writeChoice == kWriteTrue ? kWriteTrue : kWriteFalse);
    return mapping;
}

std::optional<std::string> CheckMapIndex(const RegisterMap& map, std::string_view typedIndex,
                                         std::optional<MappingRef> changing) {
    for (std::size_t frame = 0; frame < map.frames.size(); ++frame) {
        const std::vector<TClIndMB>& mappings = map.frames[frame].mappings;
        for (std::size_t position = 0; position < mappings.size(); ++position) {
            std::int32_t stored = integerText(mappings[position].Index);
            std::int32_t typed = integerText(typedIndex);
            if (stored == typed && changing != MappingRef{frame, position}) return kIndexNotValid;
        }
    }
    return std::nullopt;
}

MapChange NewMapping(RegisterMap& map, std::size_t frame, const MapEdit& edit) {
    if (std::optional<std::string> refusal = CheckMapIndex(map, edit.Index)) return {false, refusal};
    if (map.kind == MapKind::Receive) {
        std::int32_t value = parseIntegerText(edit.Index).value_or(kNotARegister);
        if (value < 0 || value > kHighestRegister) return {};
    }
    map.frames.at(frame).mappings.push_back(mappingFrom(map.kind, edit));
    return {true, std::nullopt};
}

MapChange ModifyMapping(RegisterMap& map, MappingRef mapping, const MapEdit& edit) {
    if (std::optional<std::string> refusal = CheckMapIndex(map, edit.Index, mapping)) return {false, refusal};
    map.frames.at(mapping.frame).mappings.at(mapping.position) = mappingFrom(map.kind, edit);
    return {true, std::nullopt};
}

void DeleteMapping(RegisterMap& map, MappingRef mapping) {
    std::vector<TClIndMB>& mappings = map.frames.at(mapping.frame).mappings;
    mappings.erase(mappings.begin() + static_cast<std::ptrdiff_t>(mapping.position));
}

void CopyMapping(MapCopyBuffer& buffer, MapKind kind, const MapEdit& edit) {
    TClIndMB copied = mappingFrom(kind, edit);
    buffer = {copied.Index, copied.PosComp, copied.Write_J1939};
}

std::vector<MappingRef> SaveOrder(const RegisterMap& map) {
    std::vector<std::string_view> indexes;
    std::vector<MappingRef> mappings;
    indexes.reserve(map.mappingCount());
    mappings.reserve(map.mappingCount());
    for (std::size_t frame = 0; frame < map.frames.size(); ++frame) {
        for (std::size_t position = 0; position < map.frames[frame].mappings.size(); ++position) {
            indexes.push_back(map.frames[frame].mappings[position].Index);
            mappings.push_back({frame, position});
        }
    }
    std::vector<MappingRef> order;
    order.reserve(mappings.size());
    for (std::size_t sequence : AscendingTextOrder(indexes)) order.push_back(mappings[sequence]);
    return order;
}

}  // namespace telvanor
