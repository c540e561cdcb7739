#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include <QDialog>

#include "update/boot_port.h"
#include "update/serial_port_list.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QWidget;

namespace telvanor {

class MessageBoxes;
class UpdaterRun;
struct WorkspaceState;

// "Update Firmware from Serial (RS232)": walks the user through preparing the device, tests
// that the chosen port opens, offers the four update options and runs the serial updater
// from the workspace folder (UpdaterRun), telling it the device that Connect tested. Created
// once; the port choice and the options are kept from one showing to the next, while every
// showing starts again on the steps page, untested. The port of the last successful Connect
// is remembered for the next start of the program.
//
// Other parts of the program ask the port registry (PortRegistry::program()) whether this
// window holds a port (from a successful Connect until Next or closing) or its updater
// uses one, and this window for whether an updater runs.
class TFBootSer : public QDialog {
    Q_OBJECT
public:
    TFBootSer(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent = nullptr);
    ~TFBootSer() override;

    // Who holds a port in the port registry from a successful Connect until it is closed.
    static constexpr const char* kPortUser = "the serial update window";

    // How long the updater has been running, while one runs (after a time-out as well).
    std::optional<std::chrono::milliseconds> updaterRunningFor() const;

    // Replaceable for tests: the port that Connect opens, the ports the system reports, the
    // folder of their stable names, the file that remembers the port, and the time-out.
    void setPort(std::unique_ptr<BootPort> port) { port_ = std::move(port); }
    void setPortLister(PortLister lister) { listSystemPorts_ = std::move(lister); }
    void setStablePortFolder(const std::filesystem::path& folder) { stablePortFolder_ = folder; }
    void setRememberedPortFile(const std::filesystem::path& file) { rememberedPortFile_ = file; }
    void setUpdaterTimeout(std::chrono::milliseconds timeout);

protected:
    void showEvent(QShowEvent* event) override;
    // Every way out (Cancel, Escape, the close box) closes the port.
    void done(int result) override;

private:
    void FormShow();
    void LbButton1Click();
    void LbButton2Click();
    void LbButton4Click();

    void fillPortList();
    void choosePort(const QString& name);
    void restoreRememberedPort();
    void closePort();
    void untestOnNewChoice(const QString& chosen);
    void fitToContent();
    void showStatus(const QString& text);
    void buildLayout();

    WorkspaceState& workspace_;
    MessageBoxes& messages_;
    std::unique_ptr<BootPort> port_;
    PortLister listSystemPorts_;
    std::filesystem::path stablePortFolder_;
    std::filesystem::path rememberedPortFile_;
    bool portRestored_ = false;
    bool portTested_ = false;
    // The port as chosen and the device it opened, at the last successful Connect.
    QString testedPort_;
    std::string testedDevice_;
    UpdaterRun* run_ = nullptr;

    QStackedWidget* pages_ = nullptr;
    QWidget* stepsPage_ = nullptr;
    QWidget* Panel1_ = nullptr;
    QComboBox* CB_Com_ = nullptr;
    QPushButton* LbButton2_ = nullptr;
    QCheckBox* CB_Firm_ = nullptr;
    QCheckBox* CB_RFirm_ = nullptr;
    QCheckBox* CB_Proj_ = nullptr;
    QCheckBox* CB_RProj_ = nullptr;
    QPushButton* LbButton4_ = nullptr;
    QLabel* LRunState_ = nullptr;
};

}  // namespace telvanor
