#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace telvanor {

// The most registers one Modbus read (function 3 or 4) may ask for.
inline constexpr int kMostRegistersPerRead = 125;

// Contiguous registers read by one request.
struct RegisterBlock {
    std::uint16_t start = 0;
    std::uint16_t count = 0;

    bool operator==(const RegisterBlock&) const = default;
};

// The fewest requests that read `registers` and nothing else: each run of contiguous registers
// in blocks of at most 125, never across a gap, since a register the device does not hold
// would fail the whole request. Registers given twice are read once; values outside 0 to 65535
// are no registers and are left out.
std::vector<RegisterBlock> planBlocks(const std::vector<std::int32_t>& registers);

// How long a round of reads of `blocks` keeps the line busy at the least: each read's request
// (8 bytes) and answer (5 bytes and 2 per register), each after the silence that ends an RTU
// frame (3.5 characters, 1.75 ms above 19,200 baud), a character being 10 bits, 11 with a
// parity bit. The device's own time to answer comes on top.
std::chrono::microseconds roundWireTime(const std::vector<RegisterBlock>& blocks, int baud, bool parity);

// "32 reads, at least 9.00 s on the wire" for a round of `blocks` at `baud`.
std::string roundText(const std::vector<RegisterBlock>& blocks, int baud, bool parity);

}  // namespace telvanor
