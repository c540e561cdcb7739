#pragma once

#include <string>

#include <QSerialPort>

namespace telvanor {

enum class PortOpening { Opened, CannotOpen, CannotRaiseDtr };

// The serial port that the update window tests before an update: opened by device name for
// exclusive use at 9600 baud, 8 data bits, no parity, 1 stop bit, with DTR raised. No byte is
// sent or received. Replaceable for tests, since no pseudo-terminal has a DTR line.
class BootPort {
public:
    virtual ~BootPort() = default;
    // Leaves the port open only when both the opening and DTR succeed.
    virtual PortOpening open(const std::string& device) = 0;
    // Closes the port if it is open; does nothing otherwise.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
};

// The real port, through Qt Serial Port (a lock file and TIOCEXCL on Linux, an unshared
// handle on Windows keep others out while it is open).
class SerialBootPort : public BootPort {
public:
    PortOpening open(const std::string& device) override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }

private:
    QSerialPort port_;
};

}  // namespace telvanor
