#pragma once

#include <string>
#include <vector>

#include "image/image_reader.h"

namespace telvanor {

// The differences between an old and a new image in the image's own terms, one line each:
// which frame (by number), register mapping (by register), parameter or identifier, and its old
// and new value ("receive frame #2: deleted: no -> yes"), or what was added or removed with its
// values. Empty when the images are the same.
std::vector<std::string> diffImages(const ImageReader& before, const ImageReader& after);

}  // namespace telvanor
