#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/image_reader.h"

namespace telvanor {

// The image as a person would read it: header, frames (PGNs with their data page and catalogue
// names), register maps, parameters in words, deleted frames and identifier table.
std::string describeImage(const ImageReader& image);

// The same for bytes not yet read. Throws ImageFormatError.
std::string describeImage(const std::vector<std::uint8_t>& image);

// The image as one JSON object: length, offsets (the seven header offsets in order),
// receive_frames, transmit_frames, receive_map, transmit_map, parameters (null when the image
// has none), deleted (frame numbers) and identifiers. Record fields keep the layout's names
// and their stored values; a few derived values (full_pgn, name, framing, frames) are added.
std::string imageJson(const ImageReader& image);

}  // namespace telvanor
