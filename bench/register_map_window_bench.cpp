#include <QApplication>
#include <QListWidget>

#include <benchmark/benchmark.h>

#include "editors/register_map/receive_map_window.h"
#include "register_map_project.h"
#include "window_bench_project.h"

namespace {

using telvanor::bench::WindowBenchProject;

// 65,536 mappings, all on the first of 250 frames.
WindowBenchProject fullFrame() {
    return WindowBenchProject("telvanor-bench-map-window", [](const std::filesystem::path& folder) {
        telvanor::bench::writeRegisterMapOnOneFrame(folder, 250);
    });
}

// Showing the window on a map of 65,536 mappings: both files read, 250 frame lines.
void BM_ReceiveMapWindow_Show(benchmark::State& state) {
    WindowBenchProject project = fullFrame();
    telvanor::TFInfopdoMB window(project.workspace, project.messages);
    for (auto _ : state) {
        window.show();
        window.hide();
    }
}
BENCHMARK(BM_ReceiveMapWindow_Show)->Unit(benchmark::kMillisecond);

// Selecting the frame that holds all 65,536 mappings: one line per mapping.
void BM_ReceiveMapWindow_SelectFrameOf65536Mappings(benchmark::State& state) {
    WindowBenchProject project = fullFrame();
    telvanor::TFInfopdoMB window(project.workspace, project.messages);
    window.show();
    auto* frames = window.findChild<QListWidget*>("LPdoCanA");
    auto* mappings = window.findChild<QListWidget*>("LIndMbCanA");
    for (auto _ : state) {
        frames->setCurrentRow(0);
        benchmark::DoNotOptimize(mappings->count());
        state.PauseTiming();
        frames->setCurrentRow(1);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReceiveMapWindow_SelectFrameOf65536Mappings)->Unit(benchmark::kMillisecond);

}  // namespace
