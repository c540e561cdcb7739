#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "image/image_format.h"

namespace telvanor {

// An image whose header does not hold together. what() says which part is wrong.
class ImageFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The sections of an image as its header gives them, checked against the file.
struct ImageLayout {
    std::array<std::uint32_t, kSectionCount> offsets{};
    std::size_t receiveFrames = 0;
    std::size_t transmitFrames = 0;
    std::size_t receiveMappings = 0;
    std::size_t transmitMappings = 0;
    bool hasParameters = false;
};

// Checks the header: offsets in order and inside the file, each section a whole number of
// records, the parameters' counts matching the sections, the length matching the identifier
// table. Throws ImageFormatError.
ImageLayout readImageLayout(const std::vector<std::uint8_t>& image);

// The image as a person would read it: header, frames, register maps, parameters in words,
// deleted frames and identifier table. Throws ImageFormatError.
std::string describeImage(const std::vector<std::uint8_t>& image);

}  // namespace telvanor
