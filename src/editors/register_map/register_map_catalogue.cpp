#include "editors/register_map/register_map_catalogue.h"

#include "catalogue/frame_row_lookup.h"

namespace telvanor {

std::string frameCatalogueName(const TClPdo& frame, const PgnCatalogue& catalogue) {
    const PgnInfo* info = lookUpRowPgn(frame.DataPage, frame.PGN, catalogue);
    std::string name = info ? info->displayName() : std::string();
    std::string hint = rowPgnHint(frame.PGN);
    if (hint.empty()) return name;
    return name.empty() ? hint : name + "; " + hint;
}

std::string frameByteField(const TClPdo& frame, int position, const PgnCatalogue& catalogue) {
    const PgnInfo* info = lookUpRowPgn(frame.DataPage, frame.PGN, catalogue);
    if (!info || position < 1) return "";
    const std::int64_t dataByte = std::int64_t{frame.firstDataByte} + position - 1;
    if (dataByte < 1 || dataByte > 0xFFFF) return "";
    return describeDataByte(*info, static_cast<std::uint32_t>(dataByte));
}

}  // namespace telvanor
