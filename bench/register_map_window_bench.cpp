#include <filesystem>

#include <QApplication>
#include <QListWidget>

#include <benchmark/benchmark.h>

#include "editors/register_map/receive_map_window.h"
#include "register_map_project.h"
#include "widgets/message_boxes.h"

namespace {

namespace fs = std::filesystem;

// Message boxes that nobody has to close; a full map shows none.
class SilentMessageBoxes : public telvanor::MessageBoxes {
public:
    void plain(const std::string&) override {}
    void error(const std::string&) override {}
    void information(const std::string&) override {}
    std::string ask(const std::string&, const std::vector<std::string>&, const std::string& defaultButton) override {
        return defaultButton;
    }
};

struct WindowOnFullFrame {
    WindowOnFullFrame() : folder(fs::temp_directory_path() / "telvanor-bench-map-window") {
        fs::remove_all(folder);
        telvanor::bench::writeRegisterMapOnOneFrame(folder, 250);
        workspace.ProjectDir = folder;
    }
    ~WindowOnFullFrame() { fs::remove_all(folder); }

    fs::path folder;
    telvanor::WorkspaceState workspace;
    SilentMessageBoxes messages;
};

// Showing the window on a map of 65,536 mappings: both files read, 250 frame lines.
void BM_ReceiveMapWindow_Show(benchmark::State& state) {
    WindowOnFullFrame setup;
    telvanor::TFInfopdoMB window(setup.workspace, setup.messages);
    for (auto _ : state) {
        window.show();
        window.hide();
    }
}
BENCHMARK(BM_ReceiveMapWindow_Show)->Unit(benchmark::kMillisecond);

// Selecting the frame that holds all 65,536 mappings: one line per mapping.
void BM_ReceiveMapWindow_SelectFrameOf65536Mappings(benchmark::State& state) {
    WindowOnFullFrame setup;
    telvanor::TFInfopdoMB window(setup.workspace, setup.messages);
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

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
