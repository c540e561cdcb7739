#include <QApplication>
#include <QListWidget>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include "editors/register_map/receive_map_window.h"
#include "editors/register_map/register_map_exchange.h"
#include "editors/register_map/register_map_file.h"
#include "register_map_project.h"
#include "widgets/open_excel.h"
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
    telvanor::OpenExcelDialog openExcel;
    telvanor::TFInfopdoMB window(project.workspace, project.messages, openExcel);
    for (auto _ : state) {
        window.show();
        window.hide();
    }
}
BENCHMARK(BM_ReceiveMapWindow_Show)->Unit(benchmark::kMillisecond);

// Selecting the frame that holds all 65,536 mappings: one line per mapping.
void BM_ReceiveMapWindow_SelectFrameOf65536Mappings(benchmark::State& state) {
    WindowBenchProject project = fullFrame();
    telvanor::OpenExcelDialog openExcel;
    telvanor::TFInfopdoMB window(project.workspace, project.messages, openExcel);
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

// Import of the map's own export (65,536 rows, CSV or .xlsx) and OK, as the user does it: the
// reader program started, the map replaced, its message, the map file written.
void BM_ReceiveMapWindow_ImportThenOk(benchmark::State& state) {
    WindowBenchProject project = fullFrame();
    auto format = static_cast<telvanor::ExchangeFormat>(state.range(0));
    std::filesystem::path workbook = telvanor::ExportRegisterMap(
        project.folder, telvanor::LoadRegisterMap(project.folder, telvanor::MapKind::Receive).map, format);
    telvanor::OpenExcelDialog openExcel;
    openExcel.setChooser([&](QWidget*, const std::filesystem::path&) { return std::optional(workbook); });
    telvanor::TFInfopdoMB window(project.workspace, project.messages, openExcel);
    auto* import = window.findChild<QPushButton*>("bitbtn4");
    auto* ok = window.findChild<QPushButton*>("bitbtn1");
    for (auto _ : state) {
        state.PauseTiming();
        window.show();
        state.ResumeTiming();
        import->click();
        ok->click();
    }
}
BENCHMARK(BM_ReceiveMapWindow_ImportThenOk)
    ->Arg(static_cast<int>(telvanor::ExchangeFormat::Csv))
    ->Arg(static_cast<int>(telvanor::ExchangeFormat::Xlsx))
    ->Unit(benchmark::kMillisecond);

}  // namespace
