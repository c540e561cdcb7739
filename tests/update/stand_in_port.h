#pragma once

#include <string>
#include <vector>

#include "update/boot_port.h"

namespace telvanor::testing {

// Answers every opening as told and remembers what it was asked: a pseudo-terminal has no
// DTR line, so a successful Connect needs a stand-in.
class StandInPort : public BootPort {
public:
    struct Log {
        PortOpening answer = PortOpening::Opened;
        std::vector<std::string> opened;
        bool open = false;
    };
    explicit StandInPort(Log& log) : log_(log) {}
    PortOpening open(const std::string& device) override {
        log_.opened.push_back(device);
        log_.open = log_.answer == PortOpening::Opened;
        return log_.answer;
    }
    void close() override { log_.open = false; }
    bool isOpen() const override { return log_.open; }

private:
    Log& log_;
};

}  // namespace telvanor::testing
