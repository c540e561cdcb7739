#include <cstdlib>
#include <string>

#include "project/integer_text.h"

// The integer text rule on any text: never crashes, and every value it gives reads back the
// same from its decimal form.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    if (auto value = telvanor::parseIntegerText(text)) {
        if (telvanor::parseIntegerText(std::to_string(*value)) != value) std::abort();
    }
    return 0;
}
