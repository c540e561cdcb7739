#pragma once

#include <cstdint>
#include <string_view>

namespace telvanor {

// The lenient number rule of the EMCY windows: blanks and control characters around the text
// are dropped, then every character that is not a decimal digit, wherever it stands; what is
// left is read as a decimal number, nothing left giving 0. So "ID 12a" gives 12 and "0x1A"
// gives 1. A run of digits beyond the signed 32-bit range throws ConversionError naming the
// digits.
std::int32_t DigitsOnlyValue(std::string_view text);

}  // namespace telvanor
