#include "monitor/modbus_master.h"

#include <modbus.h>

#include <cerrno>
#include <cstring>

#include "platform/serial_device.h"

namespace telvanor {

namespace {

// The exceptions a Modbus device answers with, by code.
std::string exceptionName(int code) {
    switch (code) {
        case MODBUS_EXCEPTION_ILLEGAL_FUNCTION:
            return "illegal function";
        case MODBUS_EXCEPTION_ILLEGAL_DATA_ADDRESS:
            return "illegal data address";
        case MODBUS_EXCEPTION_ILLEGAL_DATA_VALUE:
            return "illegal data value";
        case MODBUS_EXCEPTION_SLAVE_OR_SERVER_FAILURE:
            return "server device failure";
        case MODBUS_EXCEPTION_ACKNOWLEDGE:
            return "acknowledge";
        case MODBUS_EXCEPTION_SLAVE_OR_SERVER_BUSY:
            return "server device busy";
        case MODBUS_EXCEPTION_NEGATIVE_ACKNOWLEDGE:
            return "negative acknowledge";
        case MODBUS_EXCEPTION_MEMORY_PARITY:
            return "memory parity error";
        case MODBUS_EXCEPTION_GATEWAY_PATH:
            return "gateway path unavailable";
        case MODBUS_EXCEPTION_GATEWAY_TARGET:
            return "gateway target device failed to respond";
        default:
            return "unknown exception";
    }
}

}  // namespace

std::string modbusErrorText(int error) {
    if (error == ETIMEDOUT) return "time-out";
    if (error == EMBBADCRC) return "CRC error";
    if (error > MODBUS_ENOBASE && error <= EMBXGTAR) {
        int code = error - MODBUS_ENOBASE;
        return "exception " + std::to_string(code) + " (" + exceptionName(code) + ")";
    }
    if (error == EMBBADSLAVE) return "answer from another device";
    return modbus_strerror(error);
}

ModbusMaster::ModbusMaster(const SerialLine& line) : line_(line) {
    auto refuse = [&line](const std::string& reason) {
        return MonitorError("Cannot open " + line.device + ": " + reason);
    };
    // libmodbus would take an unknown rate as 9600 without a word.
    if (!isSupportedBaud(line.baud)) throw refuse(std::to_string(line.baud) + " is no baud rate a serial line takes");
    if (line.deviceId < kLowestDeviceId || line.deviceId > kHighestDeviceId)
        throw refuse("device ID " + std::to_string(line.deviceId) + " is not from 1 to 247");
    context_ = modbus_new_rtu(platform::serialDeviceName(line.device).c_str(), line.baud, line.parity, 8, 1);
    if (!context_) throw refuse(std::strerror(errno));
    modbus_set_slave(context_, line.deviceId);
    auto timeout = line.responseTimeout.count();
    modbus_set_response_timeout(context_, static_cast<std::uint32_t>(timeout / 1000),
                                static_cast<std::uint32_t>(timeout % 1000 * 1000));
    platform::clearSerialFailure();
    if (modbus_connect(context_) == -1) {
        std::string reason = platform::serialFailureText();
        modbus_free(context_);
        throw refuse(reason);
    }
    // Nobody else may open the line while the monitor talks on it.
    if (std::error_code error = platform::holdSerialLineExclusively(modbus_get_socket(context_))) {
        std::string reason = error.message();
        modbus_close(context_);
        modbus_free(context_);
        throw refuse("it cannot be held for exclusive use: " + reason);
    }
}

ModbusMaster::~ModbusMaster() {
    modbus_close(context_);
    modbus_free(context_);
}

std::string ModbusMaster::lastError() const {
    // libmodbus's own failures (a time-out, a CRC error, an exception) come in errno everywhere;
    // the system's, on Windows, only in its last error.
    if (errno != 0) return modbusErrorText(errno);
    return platform::serialFailureText();
}

ReadOutcome ModbusMaster::read(RegisterFunction function, RegisterBlock block) {
    ReadOutcome outcome;
    outcome.values.resize(block.count);
    // An answer that came after its request's time-out must not pass for this one's.
    modbus_flush(context_);
    platform::clearSerialFailure();
    int read = function == RegisterFunction::Input
                   ? modbus_read_input_registers(context_, block.start, block.count, outcome.values.data())
                   : modbus_read_registers(context_, block.start, block.count, outcome.values.data());
    if (read != block.count) {
        outcome.error = read == -1 ? lastError() : "the device answered with " + std::to_string(read) + " registers";
        outcome.values.clear();
    }
    return outcome;
}

std::optional<std::string> ModbusMaster::writeRegister(std::uint16_t address, std::uint16_t value) {
    modbus_flush(context_);
    platform::clearSerialFailure();
    if (modbus_write_register(context_, address, value) == -1) return lastError();
    return std::nullopt;
}

}  // namespace telvanor
