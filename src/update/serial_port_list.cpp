#include "update/serial_port_list.h"

#include <algorithm>

#include <QCollator>
#include <QSerialPortInfo>

#include "update/com_port_names.h"
#include "widgets/qt_text.h"

namespace telvanor {

std::vector<ListedPort> fixedPorts() {
    std::vector<ListedPort> ports;
    for (const std::string& name : fixedComPortNames()) {
        std::string device = serialDeviceOf(name);
        ports.push_back({toQt(name), device == name ? QString() : toQt(device)});
    }
    return ports;
}

std::vector<ListedPort> systemSerialPorts() {
    std::vector<ListedPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
        QString name = info.portName();
#else
        QString name = info.systemLocation();
#endif
        QString description = info.description().isEmpty() ? info.manufacturer() : info.description();
        ports.push_back({name, description});
    }
    QCollator natural;
    natural.setNumericMode(true);
    std::sort(ports.begin(), ports.end(),
              [&](const ListedPort& a, const ListedPort& b) { return natural.compare(a.name, b.name) < 0; });
    return ports;
}

}  // namespace telvanor
