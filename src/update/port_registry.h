#pragma once

#include <map>
#include <optional>
#include <string>

namespace telvanor {

// The serial devices that parts of this program are using at the moment, and who uses each,
// so that one window never opens a port that another one holds: the update window while
// Connect has a port open and while its updater runs; the monitor. Devices are compared with
// their links resolved, so a /dev/serial/by-id name and the device it leads to are one port.
// One registry for the whole program, used on the user-interface thread only.
class PortRegistry {
public:
    static PortRegistry& program();

    // Notes that `user` (such as "the serial updater") uses the device.
    void hold(const std::string& device, const std::string& user);
    // Forgets the device's use, if `user` is the one noted for it.
    void release(const std::string& device, const std::string& user);
    // Who uses the device, if anyone.
    std::optional<std::string> userOf(const std::string& device) const;

private:
    std::map<std::string, std::string> users_;
};

}  // namespace telvanor
