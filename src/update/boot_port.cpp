#include "update/boot_port.h"

#include "widgets/qt_text.h"

namespace telvanor {

PortOpening SerialBootPort::open(const std::string& device) {
    close();
    port_.setPortName(toQt(device));
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) return PortOpening::CannotOpen;
    if (!port_.setDataTerminalReady(true)) {
        // A port whose DTR cannot be raised is of no use for the update: let others have it.
        port_.close();
        return PortOpening::CannotRaiseDtr;
    }
    return PortOpening::Opened;
}

void SerialBootPort::close() {
    if (port_.isOpen()) port_.close();
}

}  // namespace telvanor
