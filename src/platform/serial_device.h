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

// Why opening a serial line through libmodbus just failed, in words: errno's on POSIX; on
// Windows from the system's last error, which libmodbus leaves there without setting errno
// (whose 0 would read "Success").
std::string serialOpenFailureText();

}  // namespace telvanor::platform
