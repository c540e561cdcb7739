#include "project/integer_text.h"

namespace telvanor {

ConversionError::ConversionError(const std::string& text)
    : std::runtime_error("'" + text + "' is not a valid integer value"), text_(text) {}

namespace {

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::size_t hexPrefixLength(std::string_view rest) {
    if (rest.starts_with("0x") || rest.starts_with("0X")) return 2;
    if (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X')) return 1;
    return 0;
}

}  // namespace

std::optional<std::int32_t> parseIntegerText(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    std::string_view rest = text.substr(pos);
    if (std::size_t prefix = hexPrefixLength(rest); prefix != 0) {
        std::string_view digits = rest.substr(prefix);
        if (digits.empty() || digits.size() > 8) return std::nullopt;
        std::uint32_t pattern = 0;
        for (char c : digits) {
            int value = hexDigitValue(c);
            if (value < 0) return std::nullopt;
            pattern = pattern << 4 | static_cast<std::uint32_t>(value);
        }
        if (negative) pattern = 0u - pattern;
        return static_cast<std::int32_t>(pattern);
    }
    if (rest.empty()) return std::nullopt;
    // Accumulate the magnitude in 64 bits; one digit more than 2^31 already overflows.
    std::int64_t magnitude = 0;
    for (char c : rest) {
        if (c < '0' || c > '9') return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > 2147483648LL) return std::nullopt;
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::int32_t integerText(std::string_view text) {
    if (auto value = parseIntegerText(text)) return *value;
    throw ConversionError(std::string(text));
}

bool isYes(std::string_view flag) { return flag.size() == 1 && (flag[0] == 'Y' || flag[0] == 'y'); }

}  // namespace telvanor
