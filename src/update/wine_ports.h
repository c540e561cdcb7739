#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace telvanor {

// The wine prefix a Windows program runs in: WINEPREFIX when set, otherwise ~/.wine.
std::filesystem::path winePrefix(const char* winePrefixVariable, const char* homeVariable);

// The COM name under which wine offers a serial device (a device path, links resolved) to
// the Windows programs of a prefix, looked up in this order: a value such as
// "COM5"="/dev/ttyUSB0" under HKLM\Software\Wine\Ports in the prefix's system.reg (the
// names the user set); a comN link to the device in the prefix's dosdevices folder (the
// names wine gave); wine's default, COMn for /dev/ttyS(n-1). Nothing when none applies.
std::optional<std::string> wineComName(const std::filesystem::path& device, const std::filesystem::path& prefix);

}  // namespace telvanor
