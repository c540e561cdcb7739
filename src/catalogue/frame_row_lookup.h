#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "catalogue/pgn_catalogue.h"

namespace telvanor {

// The catalogue entry of a frame table row, from its Data Page and PGN texts as typed, or
// nullptr when either is not a number (by the integer text rule) or the PGN is unknown.
const PgnInfo* lookUpRowPgn(std::string_view dataPage, std::string_view pgn,
                            const PgnCatalogue& catalogue = PgnCatalogue::builtIn());

// The line a frame table shows for its current row: the entry's summary, "PGN 12345 is not
// in the catalogue", a hint for a hexadecimal PGN typed without its prefix ("F200"), or ""
// while the Data Page or the PGN is not a number.
std::string rowCatalogueLine(std::string_view dataPage, std::string_view pgn,
                             const PgnCatalogue& catalogue = PgnCatalogue::builtIn());

// The catalogue's priority for a transmit row whose Priority is still empty, or nothing: a
// typed priority is never replaced.
std::optional<int> priorityToFill(std::string_view priority, std::string_view dataPage, std::string_view pgn,
                                  const PgnCatalogue& catalogue = PgnCatalogue::builtIn());

// "PGN 129029 (GNSS Position Data)": how warnings name a catalogue entry.
std::string pgnWithName(const PgnInfo& info);

}  // namespace telvanor
