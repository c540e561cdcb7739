#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace telvanor {

// The port names the update window always offers, first and in this order: "COM1" to "COM10".
std::vector<std::string> fixedComPortNames();

// The number of a port name "COMn" (upper case, n from 1), or nothing for any other name.
std::optional<int> comPortNumber(std::string_view name);

// The serial device that a port name opens. On Windows every name is the device itself. On
// Linux "COMn" (n from 1) stands for the n-th built-in port, /dev/ttyS(n-1); any other name,
// such as /dev/ttyUSB0, is the device itself.
std::string serialDeviceOf(std::string_view portName);

// What tells two names of one device apart from names of two: a device path with its links
// resolved (a /dev/serial/by-id name and the /dev/ttyUSB0 it leads to are one device); any
// other name (a COM name on Windows) as it stands.
std::string portIdentity(std::string_view device);

}  // namespace telvanor
