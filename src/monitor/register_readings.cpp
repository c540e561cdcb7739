#include "monitor/register_readings.h"

namespace telvanor {

void RoundReadings::record(const RegisterBlock& block, const ReadOutcome& outcome) {
    bool read = outcome.error.empty();
    if (!read) ++failedReads_;
    for (std::uint16_t i = 0; i < block.count; ++i) {
        RegisterReading& reading = byRegister_[block.start + i];
        if (read)
            reading = {outcome.values[i], {}};
        else
            reading = {std::nullopt, outcome.error};
    }
}

const RegisterReading* RoundReadings::find(std::int32_t reg) const {
    auto found = byRegister_.find(reg);
    return found == byRegister_.end() ? nullptr : &found->second;
}

std::vector<std::int32_t> overviewRegisters(const RegisterOverview& overview) {
    std::vector<std::int32_t> registers;
    registers.reserve(overview.rows.size());
    for (const OverviewRow& row : overview.rows)
        if (row.registerValue) registers.push_back(*row.registerValue);
    return registers;
}

RoundReadings readRound(ModbusMaster& master, RegisterFunction function, const std::vector<RegisterBlock>& blocks,
                        const std::function<bool()>& stop) {
    RoundReadings round;
    for (const RegisterBlock& block : blocks) {
        if (stop && stop()) break;
        round.record(block, master.read(function, block));
    }
    return round;
}

RegisterReading readingOf(const OverviewRow& row, const RoundReadings& round) {
    if (!row.registerValue || *row.registerValue < 0 || *row.registerValue > 0xFFFF)
        return {std::nullopt, "not a register the device holds (0 to 65535)"};
    if (const RegisterReading* reading = round.find(*row.registerValue)) return *reading;
    return {std::nullopt, "not read"};
}

}  // namespace telvanor
