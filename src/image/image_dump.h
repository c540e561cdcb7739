#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/image_reader.h"

namespace telvanor {

// The image as a person would read it: header, frames, register maps, parameters in words,
// deleted frames and identifier table.
std::string describeImage(const ImageReader& image);

// The same for bytes not yet read. Throws ImageFormatError.
std::string describeImage(const std::vector<std::uint8_t>& image);

}  // namespace telvanor
