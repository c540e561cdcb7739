#pragma once

#include <array>
#include <string_view>

namespace telvanor {

// The fixed lists of the communication parameters; a project file stores the position.
inline constexpr std::array<std::string_view, 8> kCanBitRates = {"20", "50", "100", "125", "250", "500", "800", "1000"};
inline constexpr std::array<std::string_view, 8> kSerialBaudRates = {"1200",  "2400",  "4800",  "9600",
                                                                     "19200", "38400", "57600", "115200"};
inline constexpr std::array<std::string_view, 3> kParities = {"NONE", "EVEN", "ODD"};

}  // namespace telvanor
