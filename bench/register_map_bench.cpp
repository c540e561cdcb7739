#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "editors/register_map/register_map.h"
#include "editors/register_map/register_map_exchange.h"
#include "editors/register_map/register_map_file.h"
#include "register_map_project.h"

namespace {

namespace fs = std::filesystem;
using telvanor::MapKind;

// A full receive map: every register 0 to 65535 mapped once, over 250 frames.
class FullMap : public benchmark::Fixture {
public:
    void SetUp(benchmark::State&) override {
        folder = fs::temp_directory_path() / "telvanor-bench-register-map";
        fs::remove_all(folder);
        telvanor::bench::writeFullRegisterMap(folder, 250);
    }
    void TearDown(benchmark::State&) override { fs::remove_all(folder); }

    fs::path folder;
};

BENCHMARK_DEFINE_F(FullMap, Load)(benchmark::State& state) {
    std::size_t mappings = 0;
    for (auto _ : state) {
        telvanor::RegisterMapLoad load = telvanor::LoadRegisterMap(folder, MapKind::Receive);
        mappings = load.map.mappingCount();
        benchmark::DoNotOptimize(load.map.frames.data());
    }
    state.counters["mappings"] = static_cast<double>(mappings);
}
BENCHMARK_REGISTER_F(FullMap, Load)->Unit(benchmark::kMillisecond);

BENCHMARK_DEFINE_F(FullMap, SaveOrder)(benchmark::State& state) {
    telvanor::RegisterMap map = telvanor::LoadRegisterMap(folder, MapKind::Receive).map;
    for (auto _ : state) {
        std::vector<telvanor::MappingRef> order = telvanor::SaveOrder(map);
        benchmark::DoNotOptimize(order.data());
    }
}
BENCHMARK_REGISTER_F(FullMap, SaveOrder)->Unit(benchmark::kMillisecond);

BENCHMARK_DEFINE_F(FullMap, Save)(benchmark::State& state) {
    telvanor::RegisterMap map = telvanor::LoadRegisterMap(folder, MapKind::Receive).map;
    for (auto _ : state) telvanor::SaveRegisterMap(map, folder);
    state.counters["file_bytes"] = static_cast<double>(fs::file_size(folder / "RInfoCob.xml"));
}
BENCHMARK_REGISTER_F(FullMap, Save)->Unit(benchmark::kMillisecond);

// What Import and then OK do with the export of that map, read back as CSV or as an .xlsx
// workbook: the reader process started, the rows read and turned into mappings, the map saved.
BENCHMARK_DEFINE_F(FullMap, ImportAndSave)(benchmark::State& state) {
    telvanor::RegisterMap map = telvanor::LoadRegisterMap(folder, MapKind::Receive).map;
    auto format = static_cast<telvanor::ExchangeFormat>(state.range(0));
    fs::path workbook = telvanor::ExportRegisterMap(folder, map, format);
    for (auto _ : state) {
        telvanor::ImportSummary summary = telvanor::ImportRegisterMap(workbook, map);
        if (summary.imported != 65536) state.SkipWithError(telvanor::importMessage(summary).c_str());
        telvanor::SaveRegisterMap(map, folder);
    }
}
BENCHMARK_REGISTER_F(FullMap, ImportAndSave)
    ->Arg(static_cast<int>(telvanor::ExchangeFormat::Csv))
    ->Arg(static_cast<int>(telvanor::ExchangeFormat::Xlsx))
    ->Unit(benchmark::kMillisecond);

}  // namespace
