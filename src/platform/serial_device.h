#pragma once

#include <string>
#include <system_error>

namespace telvanor::platform {

// The name under which the system opens the serial port `port`: on Windows "COM10" becomes
// "\\.\COM10" (the short form reaches COM1 to COM9 only); other names stay.
std::string serialDeviceName(const std::string& port);

// Keeps other programs from opening the serial line open as `handle` (libmodbus's socket) while
// this one talks on it. POSIX needs TIOCEXCL; Windows opens serial ports for one program anyway.
std::error_code holdSerialLineExclusively(int handle);

// Forgets the reason of an earlier failure, so that the reason after the next libmodbus call on a
// serial line is that call's own.
void clearSerialFailure();

// Why the last libmodbus call on a serial line failed, in words: errno's on POSIX; on Windows
// from the system's last error where libmodbus left it there without setting errno (whose 0
// would read "Success").
std::string serialFailureText();

}  // namespace telvanor::platform
