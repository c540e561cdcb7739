#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "update/port_choices.h"

namespace telvanor {

using PortLister = std::function<std::vector<SystemPort>()>;

// The serial ports the system reports (on Linux by device path, such as /dev/ttyUSB0; on
// Windows by COM name), with their descriptions and serial numbers, in natural order.
std::vector<SystemPort> systemSerialPorts();

// The file in the user's configuration folder that remembers the port of the last update
// (not the workspace's settings file, which keeps the last project only).
std::filesystem::path rememberedPortFile();

// The port remembered in `file`, if any; the monitor offers it too, as the gateway's port.
// Throws FileError when the file is there but cannot be read.
std::optional<std::string> rememberedPort(const std::filesystem::path& file);
// Remembers `port` in `file`, making its folder; throws FileError when it cannot.
void rememberPort(const std::filesystem::path& file, const std::string& port);

}  // namespace telvanor
