#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "monitor/modbus_master.h"
#include "monitor/register_blocks.h"
#include "overview/register_overview.h"

namespace telvanor {

// What one read said of one register: its value, or why there is none. A value is only ever
// one the device sent.
struct RegisterReading {
    std::optional<std::uint16_t> value;
    std::string error;
};

// The readings of one round of reads, by register.
class RoundReadings {
public:
    // Takes what the read of `block` gave for each of its registers.
    void record(const RegisterBlock& block, const ReadOutcome& outcome);

    // The reading of a register, or nothing when no read asked for it.
    const RegisterReading* find(std::int32_t reg) const;
    std::size_t failedReads() const { return failedReads_; }

private:
    std::unordered_map<std::int32_t, RegisterReading> byRegister_;
    std::size_t failedReads_ = 0;
};

// The registers of the overview's rows, for planBlocks.
std::vector<std::int32_t> overviewRegisters(const RegisterOverview& overview);

// Reads every block once, in order. `stop`, asked between blocks, ends the round early; the
// blocks not read have no readings.
RoundReadings readRound(ModbusMaster& master, RegisterFunction function, const std::vector<RegisterBlock>& blocks,
                        const std::function<bool()>& stop = {});

// What a row of the overview shows of a round: the reading of its register, or why it has
// none ("not read", or a register the device cannot hold).
RegisterReading readingOf(const OverviewRow& row, const RoundReadings& round);

}  // namespace telvanor
