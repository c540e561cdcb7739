#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "project/workspace.h"
#include "widgets/message_boxes.h"

namespace telvanor::bench {

// Message boxes that nobody has to close; the benchmarks' projects show none.
class SilentMessageBoxes : public MessageBoxes {
public:
    void plain(const std::string&) override {}
    void error(const std::string&) override {}
    void information(const std::string&) override {}
    bool confirm(const std::string&) override { return false; }
    std::string ask(const std::string&, const std::vector<std::string>&, const std::string& defaultButton) override {
        return defaultButton;
    }
};

// A project folder for the window benchmarks, written by `write` into the temporary folder
// and removed afterwards, with what a window needs: the workspace and message boxes.
struct WindowBenchProject {
    WindowBenchProject(const std::string& name, const std::function<void(const std::filesystem::path&)>& write)
        : folder(std::filesystem::temp_directory_path() / name) {
        std::filesystem::remove_all(folder);
        write(folder);
        workspace.ProjectDir = folder;
    }
    ~WindowBenchProject() { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
    WorkspaceState workspace;
    SilentMessageBoxes messages;
};

}  // namespace telvanor::bench
