#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QElapsedTimer>
#include <QObject>

#include "update/update_log.h"

class QProcess;

namespace telvanor {

// How a program is started: its arguments as a list on Linux, its command-line text as it
// stands on Windows; its input empty; its output and errors appended to a file.
struct ProcessStart {
    std::filesystem::path program;
    std::vector<std::string> arguments;
    std::string commandLine;
    std::filesystem::path outputFile;
    // Environment variables set for it unless the environment has them already.
    std::vector<std::pair<std::string, std::string>> environmentDefaults;
};

// The updater as a child of the tool, so that its exit code is known. Its output goes into
// a file rather than a pipe: it is kept whatever happens to the tool, and the updater never
// loses its output (or its life, to a broken pipe) when the tool ends first. The updater is
// never ended by the tool: when the object goes while it still runs, it is let be.
class UpdaterProcess : public QObject {
    Q_OBJECT
public:
    explicit UpdaterProcess(QObject* parent = nullptr);
    ~UpdaterProcess() override;

    // Starts the program unless one is running; gives the system's reason when it cannot be
    // started.
    std::optional<std::string> start(const ProcessStart& start);

    bool isRunning() const { return running_; }
    // Since the start; once ended, how long it ran.
    std::chrono::milliseconds elapsed() const;
    // How it ended; meaningful once it has.
    const UpdaterEnd& end() const { return end_; }

signals:
    void ended();

private:
    void finished();

    QProcess* process_ = nullptr;
    QElapsedTimer clock_;
    bool running_ = false;
    UpdaterEnd end_;
};

}  // namespace telvanor
