#pragma once

#include <functional>
#include <vector>

#include <QString>

namespace telvanor {

// A port as the update window lists it: the name that is opened and that goes into the
// updater's command line, and what it is (shown beside it in the drop-down list).
struct ListedPort {
    QString name;
    QString description;
};

using PortLister = std::function<std::vector<ListedPort>()>;

// The fixed names "COM1" to "COM10", each described by the device it opens where that
// differs from its name (on Linux /dev/ttyS0 to /dev/ttyS9).
std::vector<ListedPort> fixedPorts();

// The serial ports the system reports (on Linux by device path, such as /dev/ttyUSB0; on
// Windows by COM name), with their descriptions, in natural order of their names.
std::vector<ListedPort> systemSerialPorts();

}  // namespace telvanor
