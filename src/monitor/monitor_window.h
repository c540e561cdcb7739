#pragma once

#include <memory>
#include <optional>
#include <string>

#include <QString>

#include "monitor/monitor_session.h"
#include "update/serial_port_list.h"
#include "widgets/project_window.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableView;
class QTimer;

namespace telvanor {

class MonitorTableModel;

// "Monitor": reads the gateway's registers over Modbus RTU while the window is open and shows
// them in the register overview's table with their live values, the time of the last good
// read and the error count. The reads run on a thread of their own; the window looks for
// their results in small steps of the event loop, so it never waits on the device. Start and
// Stop; the port chosen as in the serial update window, with the line settings of the
// project, and never one another part of the program holds (PortRegistry); a transmit
// register written (function 6) after a confirmation.
class MonitorWindow : public ProjectWindow {
    Q_OBJECT
public:
    // Who holds a port in the port registry while the monitor reads on it.
    static constexpr const char* kPortUser = "the monitor";

    MonitorWindow(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent = nullptr);
    ~MonitorWindow() override;

    void setPortLister(PortLister lister) { listSystemPorts_ = std::move(lister); }
    // The file that remembers the port of the last update, which the monitor offers first.
    void setRememberedPortFile(const std::filesystem::path& file) { rememberedPortFile_ = file; }
    // How long a read waits for the device's answer; a second unless a test wants it shorter.
    void setResponseTimeout(std::chrono::milliseconds timeout) { responseTimeout_ = timeout; }

    bool running() const { return session_ != nullptr; }

protected:
    void FormShow() override;
    // Every way out stops the reads; the line is closed once the read under way has ended.
    void done(int result) override;

private:
    void StartClick();
    void StopClick();
    void WriteClick();
    void pollSession();
    // Enables the controls for reads under way or none.
    void showState(bool reading);
    void buildLayout();
    std::optional<std::size_t> selectedRow() const;

    // Ends the session once its thread has ended, and gives its port back.
    void endSession();

    PortLister listSystemPorts_;
    std::filesystem::path rememberedPortFile_;
    bool portRestored_ = false;  // the remembered port is offered at the first showing only
    std::string device_;         // the port of the session under way
    std::chrono::milliseconds responseTimeout_{1000};
    std::unique_ptr<MonitorSession> session_;
    std::size_t blocks_ = 0;  // the reads of a round of the session under way
    QString lastRound_;       // what the status said of the last round
    QTimer* poll_;

    MonitorTableModel* model_;
    QComboBox* port_;
    QComboBox* baud_;
    QComboBox* parity_;
    QSpinBox* deviceId_;
    QComboBox* function_;
    QSpinBox* interval_;
    QPushButton* start_;
    QPushButton* stop_;
    QLabel* status_;
    QLineEdit* filter_;
    QTableView* table_;
    QLineEdit* writeValue_;
    QPushButton* write_;
};

}  // namespace telvanor
