#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include <QObject>
#include <QString>
#include <QTimer>

#include "update/process_wait.h"
#include "update/updater_command.h"
#include "update/updater_process.h"

namespace telvanor {

class MessageBoxes;

// What an update is asked to do.
struct UpdateRequest {
    // Ser_40915_Update.exe in the workspace folder.
    std::filesystem::path updater;
    std::filesystem::path masterDir;
    std::filesystem::path projectDir;
    // The port as chosen in the window, and the device that Connect tested.
    std::string port;
    std::string device;
    UpdateOptions options;
};

// The runs of the serial updater, one at a time. A run looks at the updater, writes the
// start of its entry in the project's update log, starts the updater with its arguments as a
// list (its output going into the log), waits for it at most the time-out and says how it
// ended: in the status line, in the log and, for anything but a good end, in an error box.
// After a time-out it goes on watching the updater, the status line counting, and refuses
// another run until the updater has ended. While the updater runs its port is noted as used
// in the program's port registry.
class UpdaterRun : public QObject {
    Q_OBJECT
public:
    // Who uses the port in the port registry while the updater runs.
    static constexpr const char* kPortUser = "the serial updater";

    UpdaterRun(MessageBoxes& messages, QObject* parent = nullptr);
    ~UpdaterRun() override;

    // Runs the updater; returns once it has ended or the time-out has passed. Refused, with a
    // message saying why, while an earlier updater still runs. Throws FileError when the log
    // cannot be written; the updater is not started then.
    void execute(const UpdateRequest& request);

    // How long the updater has been running, while one runs.
    std::optional<std::chrono::milliseconds> runningFor() const;

    void setTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }

signals:
    // The status line: how the run stands or how it ended.
    void statusChanged(const QString& text);

private:
    void refuse(const std::string& reason);
    void timedOut();
    void finish();
    void log(const std::string& text);
    std::string imageFacts() const;

    MessageBoxes& messages_;
    UpdaterProcess process_;
    UpdateRequest request_;
    std::filesystem::path logFile_;
    std::chrono::milliseconds timeout_ = kUpdaterTimeout;
    bool waiting_ = false;
    QTimer watch_;
};

}  // namespace telvanor
