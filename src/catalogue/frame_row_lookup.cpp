#include "catalogue/frame_row_lookup.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>

#include "project/integer_text.h"

namespace telvanor {

namespace {

// A PGN typed in hexadecimal without its prefix ("F200"), which the table refuses.
bool isBareHexadecimal(std::string_view text) {
    return !text.empty() && text.size() <= 4 &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c) != 0; });
}

}  // namespace

std::optional<std::uint32_t> rowFullPgn(std::string_view dataPage, std::string_view pgn) {
    if (std::optional<std::uint32_t> whole = pgnTypedWhole(pgn)) return whole;
    std::optional<std::int32_t> page = parseIntegerText(dataPage);
    std::optional<std::int32_t> number = parseIntegerText(pgn);
    if (!page || !number || *page < 0 || *page > 1 || *number < 0 || *number > 0xFFFF) return std::nullopt;
    return fullPgn(static_cast<std::uint32_t>(*page), static_cast<std::uint32_t>(*number));
}

const PgnInfo* lookUpRowPgn(std::string_view dataPage, std::string_view pgn, const PgnCatalogue& catalogue) {
    std::optional<std::uint32_t> full = rowFullPgn(dataPage, pgn);
    return full ? catalogue.find(*full) : nullptr;
}

std::string rowCatalogueLine(std::string_view dataPage, std::string_view pgn, const PgnCatalogue& catalogue) {
    std::optional<std::uint32_t> full = rowFullPgn(dataPage, pgn);
    if (!full && !parseIntegerText(pgn) && isBareHexadecimal(pgn))
        return "PGN " + std::string(pgn) + " is not a number: a hexadecimal PGN is written 0x" + std::string(pgn) +
               " or $" + std::string(pgn);
    if (!full) return "";
    const PgnInfo* info = catalogue.find(*full);
    std::string line = info ? info->summary() : "PGN " + std::to_string(*full) + " is not in the catalogue";
    if (std::string hint = rowPgnHint(pgn); !hint.empty()) line += "; " + hint;
    return line;
}

std::optional<std::uint32_t> pgnTypedWhole(std::string_view pgn) {
    std::optional<std::int32_t> number = parseIntegerText(pgn);
    if (!number || *number < 0x10000 || *number > 0x1FFFF) return std::nullopt;
    return static_cast<std::uint32_t>(*number);
}

std::string rowPgnHint(std::string_view pgn) {
    std::optional<std::uint32_t> whole = pgnTypedWhole(pgn);
    if (!whole) return "";
    char part[8];
    std::snprintf(part, sizeof part, "%04X", *whole & 0xFFFF);
    return "the table holds the PGN without its data page: Data Page " + std::to_string(*whole >> 16) + ", PGN 0x" +
           part;
}

std::optional<int> priorityToFill(std::string_view priority, std::string_view dataPage, std::string_view pgn,
                                  const PgnCatalogue& catalogue) {
    if (!priority.empty()) return std::nullopt;
    const PgnInfo* info = lookUpRowPgn(dataPage, pgn, catalogue);
    return info ? info->priority : std::nullopt;
}

std::string pgnWithName(const PgnInfo& info) {
    return "PGN " + std::to_string(info.pgn) + " (" + info.displayName() + ")";
}

}  // namespace telvanor
