#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace telvanor {

// How the monitor reaches the gateway: the serial device, its line settings (8 data bits and
// 1 stop bit always) and the gateway's Modbus device ID.
struct SerialLine {
    std::string device;
    int baud = 9600;
    char parity = 'N';  // 'N', 'E' or 'O'
    int deviceId = 1;
    // How long a request waits for the device's answer before it counts as a time-out.
    std::chrono::milliseconds responseTimeout{1000};
};

// Modbus device IDs a slave can have.
inline constexpr int kLowestDeviceId = 1;
inline constexpr int kHighestDeviceId = 247;

// Whether a serial line can be set to `baud`: the standard rates from 300 to 921,600.
bool isSupportedBaud(int baud);

// The parity letter of "N", "E", "O" or the project's "NONE", "EVEN", "ODD" (any letter case).
std::optional<char> parityLetter(std::string_view text);

// "9600 baud, 8N1, device ID 1".
std::string lineText(const SerialLine& line);

// The line settings the project gives the gateway (pargen.xml's baud rate, parity and device
// ID). A setting the file does not give usably is left empty, with a note saying why; a
// missing file gives the settings a new project starts with, with a note saying so.
struct ProjectLine {
    std::optional<int> baud;
    std::optional<char> parity;
    std::optional<int> deviceId;
    std::vector<std::string> notes;
};
ProjectLine projectSerialLine(const std::filesystem::path& projectDir);

}  // namespace telvanor
