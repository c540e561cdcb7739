#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace telvanor {

// Motorola S-records as the device's firmware file carries them: one text line per record.
inline constexpr std::size_t kS2DataBytes = 32;

// The S2 record of 32 data bytes at a 24-bit address: "S224", the address as 6 upper-case
// hexadecimal digits, the 32 bytes as 64 digits, and the checksum, the ones' complement of
// the low byte of the sum of the count byte 0x24, the three address bytes and the data bytes.
std::string S2Record(std::uint32_t address, std::span<const std::uint8_t, kS2DataBytes> data);

// The address of an S2 record line: the 6 hexadecimal digits behind "S2" and the count
// (characters 5 to 10); nothing when the line is not an S2 record or the digits are not hex.
std::optional<std::uint32_t> s2RecordAddress(std::string_view line);

}  // namespace telvanor
