#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "monitor/register_blocks.h"
#include "monitor/serial_line.h"

struct _modbus;

namespace telvanor {

// The serial line cannot be opened; what() names the device and the reason.
class MonitorError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Which registers a read asks for.
enum class RegisterFunction { Holding = 3, Input = 4 };

// What one read gave: the values, or why there are none.
struct ReadOutcome {
    std::vector<std::uint16_t> values;
    std::string error;  // "time-out", "CRC error", "exception 2 (illegal data address)", ...
};

// A Modbus RTU master on a serial line, through libmodbus: framing, CRC, time-outs and the
// device's exception answers are the library's. The line is held for exclusive use while the
// object lives. Not for use by two threads at once.
class ModbusMaster {
public:
    // Opens the line; throws MonitorError when it cannot (no such device, in use, no rights,
    // a baud rate the line cannot take).
    explicit ModbusMaster(const SerialLine& line);
    ~ModbusMaster();
    ModbusMaster(const ModbusMaster&) = delete;
    ModbusMaster& operator=(const ModbusMaster&) = delete;

    const SerialLine& line() const { return line_; }

    // Reads a block of registers. A device that does not answer costs the line's response
    // time-out, never more.
    ReadOutcome read(RegisterFunction function, RegisterBlock block);

    // Writes one register (function 6); gives the error, or nothing when the device took it.
    std::optional<std::string> writeRegister(std::uint16_t address, std::uint16_t value);

private:
    std::string lastError() const;

    SerialLine line_;
    _modbus* context_ = nullptr;
};

// The text of a libmodbus error number: "time-out", "CRC error", "exception 2 (illegal data
// address)", or the library's own text.
std::string modbusErrorText(int error);

}  // namespace telvanor
