#include "update/s_record.h"

namespace telvanor {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void appendHexByte(std::string& line, std::uint8_t byte) {
    line += kHexDigits[byte >> 4];
    line += kHexDigits[byte & 0x0F];
}

int hexValue(char digit) {
    if (digit >= '0' && digit <= '9') return digit - '0';
    if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
    if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
    return -1;
}

}  // namespace

std::string S2Record(std::uint32_t address, std::span<const std::uint8_t, kS2DataBytes> data) {
    // The count covers the address, the data and the checksum.
    constexpr std::uint8_t count = 3 + kS2DataBytes + 1;
    const std::uint8_t addressBytes[] = {static_cast<std::uint8_t>(address >> 16),
                                         static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address)};
    std::string line = "S2";
    line.reserve(4 + 2 * count);
    appendHexByte(line, count);
    unsigned sum = count;
    for (std::uint8_t byte : addressBytes) {
        appendHexByte(line, byte);
        sum += byte;
    }
    for (std::uint8_t byte : data) {
        appendHexByte(line, byte);
        sum += byte;
    }
    appendHexByte(line, static_cast<std::uint8_t>(~sum & 0xFF));
    return line;
}

std::optional<std::uint32_t> s2RecordAddress(std::string_view line) {
    if (line.size() < 10 || !line.starts_with("S2")) return std::nullopt;
    std::uint32_t address = 0;
    for (char digit : line.substr(4, 6)) {
        int value = hexValue(digit);
        if (value < 0) return std::nullopt;
        address = address << 4 | static_cast<std::uint32_t>(value);
    }
    return address;
}

}  // namespace telvanor
