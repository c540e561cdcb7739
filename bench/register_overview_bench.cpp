#include <QApplication>
#include <QLineEdit>
#include <QTableView>

#include <benchmark/benchmark.h>

#include "maximal_project.h"
#include "overview/register_overview.h"
#include "overview/register_overview_window.h"
#include "register_map_project.h"
#include "window_bench_project.h"

namespace {

using telvanor::bench::WindowBenchProject;

// The largest project with its receive map filled up: 65,536 receive mappings over 250
// frames, 4,000 transmit mappings over 250 frames.
WindowBenchProject fullMaps() {
    return WindowBenchProject("telvanor-bench-overview", [](const std::filesystem::path& folder) {
        telvanor::bench::writeMaximalProject(folder);
        telvanor::bench::writeFullRegisterMap(folder, 250);
    });
}

// The window shown on the full maps, for what the user does in it.
struct OpenOverview {
    OpenOverview() : window(project.workspace, project.messages) {
        window.show();
        QApplication::processEvents();
    }

    WindowBenchProject project = fullMaps();
    telvanor::RegisterOverviewWindow window;
};

// The overview's model: both maps read, every row named, the findings marked.
void BM_BuildRegisterOverview(benchmark::State& state) {
    WindowBenchProject project = fullMaps();
    for (auto _ : state) benchmark::DoNotOptimize(telvanor::BuildRegisterOverview(project.folder).rows.size());
}
BENCHMARK(BM_BuildRegisterOverview)->Unit(benchmark::kMillisecond);

// Opening the window: the model built and handed to the table, the window laid out.
void BM_RegisterOverviewWindow_Open(benchmark::State& state) {
    WindowBenchProject project = fullMaps();
    telvanor::RegisterOverviewWindow window(project.workspace, project.messages);
    for (auto _ : state) {
        window.show();
        QApplication::processEvents();
        window.hide();
    }
}
BENCHMARK(BM_RegisterOverviewWindow_Open)->Unit(benchmark::kMillisecond);

// A click on a column's header, by register (numbers) and by name (texts); and a keystroke
// in the filter box, which searches every row's texts. Each round undoes the last.
void BM_RegisterOverviewWindow_Sort(benchmark::State& state) {
    OpenOverview open;
    auto* table = open.window.findChild<QTableView*>("overviewTable");
    bool ascending = false;
    for (auto _ : state) {
        table->sortByColumn(static_cast<int>(state.range(0)), ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        QApplication::processEvents();
        ascending = !ascending;
    }
}
BENCHMARK(BM_RegisterOverviewWindow_Sort)
    ->Arg(static_cast<int>(telvanor::OverviewColumn::Register))
    ->Arg(static_cast<int>(telvanor::OverviewColumn::Name))
    ->Unit(benchmark::kMillisecond);

void BM_RegisterOverviewWindow_Filter(benchmark::State& state) {
    OpenOverview open;
    auto* filter = open.window.findChild<QLineEdit*>("filterEdit");
    bool shorter = false;
    for (auto _ : state) {
        filter->setText(shorter ? "Frame 1" : "Frame 12");
        QApplication::processEvents();
        shorter = !shorter;
    }
}
BENCHMARK(BM_RegisterOverviewWindow_Filter)->Unit(benchmark::kMillisecond);

}  // namespace
