#include "update/serial_port_list.h"

#include <algorithm>

#include <QCollator>
#include <QSerialPortInfo>
#include <QStandardPaths>

#include "project/settings_file.h"
#include "widgets/qt_text.h"

namespace telvanor {

namespace {

// Where the remembered port is kept in its file.
constexpr const char* kPortSection = "update";
constexpr const char* kPortKey = "port";

}  // namespace

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

std::optional<std::string> rememberedPort(const std::filesystem::path& file) {
    std::optional<std::string> port = readIniValue(file, kPortSection, kPortKey);
    if (port && port->empty()) return std::nullopt;
    return port;
}

void rememberPort(const std::filesystem::path& file, const std::string& port) {
    std::error_code ignored;  // a folder that cannot be made fails the write, which says so
    std::filesystem::create_directories(file.parent_path(), ignored);
    writeIniValue(file, kPortSection, kPortKey, port);
}

}  // namespace telvanor
