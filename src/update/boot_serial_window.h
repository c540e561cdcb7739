#pragma once

#include <chrono>
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
struct WorkspaceState;

// "Update Firmware from Serial (RS232)": walks the user through preparing the device, tests
// that the chosen port opens, offers the four update options and runs the serial updater
// from the workspace folder. Created once; the port choice and the options are kept from
// one showing to the next, while every showing starts again on the steps page, untested.
class TFBootSer : public QDialog {
    Q_OBJECT
public:
    TFBootSer(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent = nullptr);
    ~TFBootSer() override;

    // Replaceable for tests: the port that Connect opens and the ports the system reports.
    void setPort(std::unique_ptr<BootPort> port) { port_ = std::move(port); }
    void setPortLister(PortLister lister) { listSystemPorts_ = std::move(lister); }

    // The serial device the window holds open (between a successful Connect and Next or
    // closing), which no other window may open meanwhile; nothing when it holds none.
    std::optional<std::string> heldDevice() const;

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
    void fitToContent();
    void showRunState(std::chrono::milliseconds elapsed);
    QString runStateText(std::chrono::milliseconds elapsed) const;
    void buildLayout();

    WorkspaceState& workspace_;
    MessageBoxes& messages_;
    std::unique_ptr<BootPort> port_;
    PortLister listSystemPorts_;
    bool portTested_ = false;

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
