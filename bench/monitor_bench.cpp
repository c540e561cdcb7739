#include <algorithm>
#include <filesystem>
#include <numeric>
#include <random>
#include <vector>

#include <benchmark/benchmark.h>

#include "maximal_project.h"
#include "monitor/register_blocks.h"
#include "monitor/register_readings.h"
#include "overview/register_overview.h"

namespace {

namespace fs = std::filesystem;

// The fewest reads there can be: each run of contiguous registers in reads of 125 at most,
// counted here without the planner.
std::size_t leastReads(std::vector<std::int32_t> registers) {
    std::sort(registers.begin(), registers.end());
    registers.erase(std::unique(registers.begin(), registers.end()), registers.end());
    std::size_t reads = 0;
    for (std::size_t start = 0; start < registers.size();) {
        std::size_t end = start + 1;
        while (end < registers.size() && registers[end] == registers[end - 1] + 1) ++end;
        reads += (end - start + telvanor::kMostRegistersPerRead - 1) / telvanor::kMostRegistersPerRead;
        start = end;
    }
    return reads;
}

std::vector<std::int32_t> registersOf(int layout) {
    std::vector<std::int32_t> registers;
    if (layout == 0) {
        // 4,000 contiguous registers, mapped in no particular order.
        registers.resize(4000);
        std::iota(registers.begin(), registers.end(), 0);
        std::shuffle(registers.begin(), registers.end(), std::mt19937(1));
    } else if (layout == 1) {
        // 4,000 registers in 40 runs of 100, a gap of 10 after each.
        for (std::int32_t run = 0; run < 40; ++run)
            for (std::int32_t i = 0; i < 100; ++i) registers.push_back(run * 110 + i);
    } else {
        // The largest project: 4,000 receive and 4,000 transmit registers, both maps.
        fs::path folder = fs::temp_directory_path() / "telvanor-bench-monitor";
        fs::remove_all(folder);
        telvanor::bench::writeMaximalProject(folder);
        registers = telvanor::overviewRegisters(telvanor::BuildRegisterOverview(folder));
        fs::remove_all(folder);
    }
    return registers;
}

// Plans a round's reads; the counters say how many requests, the least there can be, and the
// time a round keeps the line busy at 9,600 and 115,200 baud, 8N1, the device's own answer
// time left out.
void BM_PlanReads(benchmark::State& state) {
    std::vector<std::int32_t> registers = registersOf(static_cast<int>(state.range(0)));
    std::vector<telvanor::RegisterBlock> blocks;
    for (auto _ : state) benchmark::DoNotOptimize(blocks = telvanor::planBlocks(registers));
    using std::chrono::duration;
    state.counters["registers"] = static_cast<double>(registers.size());
    state.counters["requests"] = static_cast<double>(blocks.size());
    state.counters["least"] = static_cast<double>(leastReads(registers));
    state.counters["wire_s_9600"] = duration<double>(telvanor::roundWireTime(blocks, 9600, false)).count();
    state.counters["wire_s_115200"] = duration<double>(telvanor::roundWireTime(blocks, 115200, false)).count();
}
BENCHMARK(BM_PlanReads)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
