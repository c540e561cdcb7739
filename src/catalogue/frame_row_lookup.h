#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "catalogue/pgn_catalogue.h"

namespace telvanor {

// The full PGN a frame table row's Data Page and PGN texts stand for: both numbers of the
// ranges the table allows, or a PGN typed whole (pgnTypedWhole); nothing otherwise.
std::optional<std::uint32_t> rowFullPgn(std::string_view dataPage, std::string_view pgn);

// The catalogue entry of a frame table row, from its Data Page and PGN texts as typed, or
// nullptr when either is not a number (by the integer text rule) or the PGN is unknown. A PGN
// typed whole (127488, 0x1F200), which the table refuses, names the PGN it stands for.
const PgnInfo* lookUpRowPgn(std::string_view dataPage, std::string_view pgn,
                            const PgnCatalogue& catalogue = PgnCatalogue::builtIn());

// The line a frame table shows for its current row: the entry's summary, "PGN 12345 is not
// in the catalogue", a hint for a hexadecimal PGN typed without its prefix ("F200"), or ""
// while the Data Page or the PGN is not a number. A PGN typed whole is named, followed by
// rowPgnHint.
std::string rowCatalogueLine(std::string_view dataPage, std::string_view pgn,
                             const PgnCatalogue& catalogue = PgnCatalogue::builtIn());

// A PGN text holding the data page above the table's 16 bits (0x10000 to 0x1FFFF, such as
// 127488 or 0x1F200): the full PGN it stands for.
std::optional<std::uint32_t> pgnTypedWhole(std::string_view pgn);

// For a PGN typed whole, what the table wants instead: "the table holds the PGN without its
// data page: Data Page 1, PGN 0xF200"; "" for any other text.
std::string rowPgnHint(std::string_view pgn);

// The catalogue's priority for a transmit row whose Priority is still empty, or nothing: a
// typed priority is never replaced.
std::optional<int> priorityToFill(std::string_view priority, std::string_view dataPage, std::string_view pgn,
                                  const PgnCatalogue& catalogue = PgnCatalogue::builtIn());

// "PGN 129029 (GNSS Position Data)": how warnings name a catalogue entry.
std::string pgnWithName(const PgnInfo& info);

}  // namespace telvanor
