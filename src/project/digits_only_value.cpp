#include "project/digits_only_value.h"

#include <limits>
#include <string>

#include "project/integer_text.h"

namespace telvanor {

std::int32_t DigitsOnlyValue(std::string_view text) {
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9') digits.push_back(c);
    // Blanks and control characters are no digits, so dropping them first changes nothing.
    std::int64_t value = 0;
    for (char digit : digits) {
        value = value * 10 + (digit - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) throw ConversionError(digits);
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace telvanor
