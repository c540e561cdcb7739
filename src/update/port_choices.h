#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace telvanor {

// A serial port as the system reports it: its device (on Linux the device path, such as
// /dev/ttyUSB0; on Windows the COM name), what it is, and its adapter's serial number where
// known.
struct SystemPort {
    std::string device;
    std::string description;
    std::string serialNumber;
};

// A port as the update window offers it: the name that the list shows, that Connect opens
// and that is remembered, and what it is (shown beside it).
struct PortChoice {
    std::string name;
    std::string description;
    bool present = true;
};

// Where Linux keeps stable names for serial adapters: links named after the adapter's
// maker, model and serial number, which stay the same whatever order the adapters are
// plugged in.
inline constexpr std::string_view kStablePortFolder = "/dev/serial/by-id";

// The offered ports: "COM1" to "COM10" first, each marked absent unless the system reports
// its device; then every other port the system reports, once per device (links resolved),
// under its stable name where `stableFolder` has a link to it, described by what it is, its
// serial number and its device.
std::vector<PortChoice> portChoices(const std::vector<SystemPort>& system, const std::filesystem::path& stableFolder);

// Why a typed port cannot be opened as a port, or nothing: it must be "COMn" or, on Linux,
// a device path from the root folder (such as /dev/ttyUSB0).
std::optional<std::string> portNameProblem(std::string_view name);

}  // namespace telvanor
