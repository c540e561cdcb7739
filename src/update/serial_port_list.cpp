#include "update/serial_port_list.h"

#include <algorithm>

#include <QCollator>
#include <QSerialPortInfo>
#include <QStandardPaths>

#include "widgets/qt_text.h"

namespace telvanor {

std::vector<SystemPort> systemSerialPorts() {
    QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    QCollator natural;
    natural.setNumericMode(true);
    std::sort(infos.begin(), infos.end(), [&](const QSerialPortInfo& a, const QSerialPortInfo& b) {
        return natural.compare(a.systemLocation(), b.systemLocation()) < 0;
    });
    std::vector<SystemPort> ports;
    for (const QSerialPortInfo& info : infos) {
#ifdef Q_OS_WIN
        QString device = info.portName();
#else
        QString device = info.systemLocation();
#endif
        QString description = info.description().isEmpty() ? info.manufacturer() : info.description();
        ports.push_back({fromQt(device), fromQt(description), fromQt(info.serialNumber())});
    }
    return ports;
}

std::filesystem::path rememberedPortFile() {
    return pathFromQt(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)) / "update.ini";
}

}  // namespace telvanor
