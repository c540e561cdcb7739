#include "platform/serial_device.h"

#include <sys/ioctl.h>
#include <cerrno>

namespace telvanor::platform {

std::string serialDeviceName(const std::string& port) { return port; }

std::error_code holdSerialLineExclusively(int handle) {
    if (::ioctl(handle, TIOCEXCL) == -1) return {errno, std::generic_category()};
    return {};
}

void clearSerialFailure() { errno = 0; }

std::string serialFailureText() { return std::generic_category().message(errno); }

}  // namespace telvanor::platform
