#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace telvanor {

// A text that had to be an integer and is not. what() is the text the user sees:
// "'<text>' is not a valid integer value".
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const std::string& text);
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// The one rule by which every number is read from a file, a cell or an edit box:
// optional leading blanks, an optional sign, then decimal digits, or hexadecimal digits
// after "$", "x", "X", "0x" or "0X"; nothing may follow. Decimal values must fit a signed
// 32-bit integer; up to eight hexadecimal digits are taken as the 32-bit pattern, so
// "$FFFFFFFF" reads as -1.
std::optional<std::int32_t> parseIntegerText(std::string_view text);

// As parseIntegerText, but a text that is not an integer throws ConversionError.
std::int32_t integerText(std::string_view text);

// Table flags are written "Y" or "N"; a reader upper-cases the text and compares it with "Y".
bool isYes(std::string_view flag);

}  // namespace telvanor
