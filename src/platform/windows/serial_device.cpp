#include "platform/serial_device.h"

#include "platform/windows/wide_text.h"

#include <algorithm>
#include <cctype>
#include <cerrno>

namespace telvanor::platform {

std::string serialDeviceName(const std::string& port) {
    bool comPort = port.size() > 3 && (port[0] == 'C' || port[0] == 'c') && (port[1] == 'O' || port[1] == 'o') &&
                   (port[2] == 'M' || port[2] == 'm') &&
                   std::all_of(port.begin() + 3, port.end(), [](unsigned char c) { return std::isdigit(c); });
    return comPort ? "\\\\.\\" + port : port;
}

std::error_code holdSerialLineExclusively(int) { return {}; }

void clearSerialFailure() {
    errno = 0;
    ::SetLastError(ERROR_SUCCESS);
}

std::string serialFailureText() {
    if (errno != 0) return std::generic_category().message(errno);
    switch (DWORD code = ::GetLastError()) {
        case ERROR_SUCCESS:
            return "the system gave no reason";
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return "this computer has no such port";
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return "another program has it open, or this user may not open it";
        default:
            return windowsError(code).message();
    }
}

}  // namespace telvanor::platform
