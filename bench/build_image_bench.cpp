#include <filesystem>

#include <benchmark/benchmark.h>

#include "image/config_image.h"
#include "maximal_project.h"

namespace {

namespace fs = std::filesystem;

// The largest project the device takes, compiled as Update Device does.
void BM_BuildConfigImage_MaximalProject(benchmark::State& state) {
    fs::path folder = fs::temp_directory_path() / "telvanor-bench-maximal";
    fs::remove_all(folder);
    telvanor::bench::writeMaximalProject(folder);
    std::size_t length = 0;
    for (auto _ : state) {
        telvanor::ConfigImage image = telvanor::BuildConfigImage(folder);
        length = image.bytes.size();
        benchmark::DoNotOptimize(image.bytes.data());
    }
    state.counters["image_bytes"] = static_cast<double>(length);
    fs::remove_all(folder);
}
BENCHMARK(BM_BuildConfigImage_MaximalProject)->Unit(benchmark::kMillisecond);

}  // namespace
