#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace telvanor {

// The port names the update window always offers, first and in this order: "COM1" to "COM10".
std::vector<std::string> fixedComPortNames();

// The serial device that a port name opens. On Windows every name is the device itself. On
// Linux "COMn" (n from 1) stands for the n-th built-in port, /dev/ttyS(n-1); any other name,
// such as /dev/ttyUSB0, is the device itself.
std::string serialDeviceOf(std::string_view portName);

}  // namespace telvanor
