#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "support/child_process.h"
#include "support/pseudo_terminal_pair.h"
#include "support/temp_dir.h"

namespace telvanor::testing {

// A real Modbus RTU slave (pymodbus, tests/support/modbus_slave.py) on one end of a socat
// pseudo-terminal pair; the program under test talks on `port`, the other end. Registers are
// given as "26=1234,27=0x0102"; those not given are not held. A pseudo-terminal has neither
// line speed nor parity, so the master may set any: the slave stays at 9600 8N1 (pyserial
// strips the eighth bit of what it reads once parity is on).
class ModbusSlave {
public:
    struct Options {
        std::string holding;
        std::string input;
        int deviceId = 1;
    };

    ModbusSlave(const std::filesystem::path& folder, const Options& options) : pair_(folder), port(pair_.first) {
        std::string python = std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
        slave_ = std::make_unique<ChildProcess>(
            std::vector<std::string>{python, (testDataDir().parent_path() / "support" / "modbus_slave.py").string(),
                                     "--port", pair_.second.string(), "--id", std::to_string(options.deviceId),
                                     "--holding", options.holding, "--input", options.input});
        if (slave_->readLine(std::chrono::seconds(20)) != "ready")
            ADD_FAILURE() << "the Modbus slave did not start; scripts/install-packages installs python3-pymodbus";
    }

private:
    PseudoTerminalPair pair_;
    std::unique_ptr<ChildProcess> slave_;

public:
    // The serial device the master opens.
    const std::filesystem::path port;
};

}  // namespace telvanor::testing
