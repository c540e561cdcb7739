#include "platform/serial_device.h"

#include <algorithm>
#include <cctype>

namespace telvanor::platform {

std::string serialDeviceName(const std::string& port) {
    bool comPort = port.size() > 3 && (port[0] == 'C' || port[0] == 'c') && (port[1] == 'O' || port[1] == 'o') &&
                   (port[2] == 'M' || port[2] == 'm') &&
                   std::all_of(port.begin() + 3, port.end(), [](unsigned char c) { return std::isdigit(c); });
    return comPort ? "\\\\.\\" + port : port;
}

std::error_code holdSerialLineExclusively(int) { return {}; }

}  // namespace telvanor::platform
