#pragma once

#include <string>

#include "catalogue/pgn_catalogue.h"
#include "editors/register_map/register_map.h"

namespace telvanor {

// The catalogue's name of a frame entry's PGN ("Engine Parameters, Rapid Update"), or "". A
// PGN typed whole is named too, with the hint of what the table wants instead.
std::string frameCatalogueName(const TClPdo& frame, const PgnCatalogue& catalogue = PgnCatalogue::builtIn());

// What the frame's byte choice `position` (B1 = 1, or Byte1 = 1 of a byte list) holds by the
// catalogue: "Speed, low byte, 0.25 rpm", or "" when unknown.
std::string frameByteField(const TClPdo& frame, int position, const PgnCatalogue& catalogue = PgnCatalogue::builtIn());

}  // namespace telvanor
