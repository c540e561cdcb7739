#pragma once

#include <cstddef>
#include <cstdint>

namespace telvanor {

// The layout of the configuration image bank.bin, as the device reads it. Multi-byte fields
// are little-endian.
inline constexpr std::size_t kHeaderSize = 28;  // seven 32-bit section offsets
inline constexpr std::size_t kSectionCount = 7;
inline constexpr std::size_t kReceiveFrameSize = 11;    // per RCobDef.xml row
inline constexpr std::size_t kTransmitFrameSize = 4;    // per TCobDef.xml row: the CAN identifier
inline constexpr std::size_t kReceiveMappingSize = 8;   // per RInfoCob.xml row
inline constexpr std::size_t kTransmitMappingSize = 5;  // per TInfoCob.xml row
inline constexpr std::size_t kParametersSize = 34;      // from pargen.xml, with the four counts
inline constexpr std::size_t kDeletedSetSize = 32;      // 256 bits, one per receive frame
inline constexpr std::size_t kIdentifierSize = 4;       // per receive frame, sorted

inline constexpr std::size_t kMaxReceiveFrames = 250;
inline constexpr std::size_t kMaxImageSize = 65535;  // the device's write position is 16 bits

// Frame flags of a receive frame record.
inline constexpr std::uint8_t kMultiPacketFlag = 0x01;
inline constexpr std::uint8_t kFastPacketFlag = 0x02;

// Data length of a single frame.
inline constexpr std::uint32_t kSingleFrameLength = 8;

}  // namespace telvanor
