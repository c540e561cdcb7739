#include <string>
#include <vector>

#include "image/image_dump.h"

// The image reader behind `telvanor-cli dump` on any bytes: refuses or describes, never reads
// outside the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    try {
        (void)telvanor::describeImage(bytes);
    } catch (const telvanor::ImageFormatError&) {
    }
    return 0;
}
