#include "monitor/register_blocks.h"

#include <algorithm>
#include <cstdio>

namespace telvanor {

std::vector<RegisterBlock> planBlocks(const std::vector<std::int32_t>& registers) {
    std::vector<std::int32_t> sorted;
    sorted.reserve(registers.size());
    for (std::int32_t value : registers)
        if (value >= 0 && value <= 0xFFFF) sorted.push_back(value);
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());

    std::vector<RegisterBlock> blocks;
    for (std::int32_t value : sorted) {
        bool extends = !blocks.empty() && blocks.back().start + blocks.back().count == value &&
                       blocks.back().count < kMostRegistersPerRead;
        if (extends)
            ++blocks.back().count;
        else
            blocks.push_back({static_cast<std::uint16_t>(value), 1});
    }
    return blocks;
}

std::chrono::microseconds roundWireTime(const std::vector<RegisterBlock>& blocks, int baud, bool parity) {
    constexpr double kRequestBytes = 8;
    constexpr double kAnswerBytesBesideData = 5;
    const double bitsPerCharacter = parity ? 11 : 10;
    const double characterSeconds = bitsPerCharacter / baud;
    const double silenceSeconds = baud > 19200 ? 0.00175 : 3.5 * characterSeconds;
    double seconds = 0;
    for (const RegisterBlock& block : blocks)
        seconds += (kRequestBytes + kAnswerBytesBesideData + 2.0 * block.count) * characterSeconds + 2 * silenceSeconds;
    return std::chrono::microseconds(static_cast<std::int64_t>(seconds * 1e6));
}

std::string roundText(const std::vector<RegisterBlock>& blocks, int baud, bool parity) {
    double seconds = std::chrono::duration<double>(roundWireTime(blocks, baud, parity)).count();
    char text[64];
    std::snprintf(text, sizeof text, "%zu %s, at least %.2f s on the wire", blocks.size(),
                  blocks.size() == 1 ? "read" : "reads", seconds);
    return text;
}

}  // namespace telvanor
