#include "update/boot_serial_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSerialPort>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project/workspace.h"
#include "support/temp_dir.h"
#include "update/fake_updater.h"
#include "support/pseudo_terminal_pair.h"
#include "widgets/qt_text.h"
#include "widgets/recording_message_boxes.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using testing::FakeUpdater;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using testing::PseudoTerminalPair;
using testing::RecordingMessageBoxes;
using testing::TempDir;
namespace fs = std::filesystem;

constexpr const char* kCannotOpen = "Error!! Com Port cannot be open.";
constexpr const char* kSelectOnePort = "Select one port.";

// Answers every opening as told and remembers what it was asked.
class StandInPort : public BootPort {
public:
    struct Log {
        PortOpening answer = PortOpening::Opened;
        std::vector<std::string> opened;
        bool open = false;
    };
    explicit StandInPort(Log& log) : log_(log) {}
    PortOpening open(const std::string& device) override {
        log_.opened.push_back(device);
        log_.open = log_.answer == PortOpening::Opened;
        return log_.answer;
    }
    void close() override { log_.open = false; }
    bool isOpen() const override { return log_.open; }

private:
    Log& log_;
};

class BootSerialWindow : public ::testing::Test {
protected:
    BootSerialWindow() {
        workspace = InitWorkspace(dir.path()).state;
        workspace.ProjectDir = workspace.ProjectsDir / "My Boat";
        fs::create_directories(workspace.ProjectDir / "bin");
        SetProjectPaths(workspace);
        window = std::make_unique<TFBootSer>(workspace, messages);
        window->setPortLister([this] { return systemPorts; });
    }

    void useStandInPort() { window->setPort(std::make_unique<StandInPort>(port)); }

    template <typename T = QWidget>
    T* find(const char* name) {
        auto* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* name) { find<QAbstractButton>(name)->click(); }
    void choosePort(const QString& name) {
        auto* box = find<QComboBox>("CB_Com");
        int row = box->findText(name);
        ASSERT_GE(row, 0) << name.toStdString();
        box->setCurrentIndex(row);
    }
    void reopen() {
        window->reject();
        window->show();
    }
    // Connect with the stand-in port, then Next: the options page.
    void reachOptions() {
        useStandInPort();
        window->show();
        click("LbButton1");
        click("LbButton2");
        ASSERT_TRUE(find("Panel1")->isVisible());
    }
    void tick(const char* name, bool ticked) { find<QCheckBox>(name)->setChecked(ticked); }

    TempDir dir;
    WorkspaceState workspace;
    RecordingMessageBoxes messages;
    StandInPort::Log port;
    std::vector<ListedPort> systemPorts;
    std::unique_ptr<TFBootSer> window;
};

TEST_F(BootSerialWindow, StepsPageWithItsCaptionsAndThePortList) {
    window->show();
    EXPECT_EQ(window->windowTitle(), "Update Firmware from Serial (RS232)");
    const std::pair<const char*, const char*> labels[] = {
        {"Label1", "Follow these steps to update the RM40915 from RS232:"},
        {"Label2", "1 - Turn OFF the Device"},
        {"Label3", "2 - Connect the RS232 cable"},
        {"Label4", "3 - Select the  COM port and press the connect button"},
        {"Label5", "4 - Turn ON the Device"},
        {"Label6", "5 - Check the BOOT led. It must blink quickly"},
    };
    for (auto [name, text] : labels) {
        EXPECT_EQ(find<QLabel>(name)->text().toStdString(), text);
        EXPECT_TRUE(find(name)->isVisible()) << name;
    }
    EXPECT_EQ(find<QPushButton>("LbButton1")->text(), "Connect");
    EXPECT_EQ(find<QPushButton>("LbButton2")->text(), "Next");
    EXPECT_EQ(find<QPushButton>("LbButton3")->text(), "Cancel");
    EXPECT_TRUE(find<QPushButton>("LbButton2")->isDefault());
    EXPECT_FALSE(find("Panel1")->isVisible());

    auto* box = find<QComboBox>("CB_Com");
    EXPECT_FALSE(box->isEditable());
    EXPECT_FALSE(box->accessibleName().isEmpty());
    ASSERT_EQ(box->count(), 10);
    for (int n = 1; n <= 10; ++n) EXPECT_EQ(box->itemText(n - 1), QString("COM%1").arg(n));
    EXPECT_EQ(box->currentText(), "COM1");
}

TEST_F(BootSerialWindow, OptionsPageCoversTheStepsWithFourTickedOptions) {
    reachOptions();
    EXPECT_EQ(find<QLabel>("Label7")->text(), "Update Device Options");
    const std::pair<const char*, const char*> options[] = {{"CB_Firm", "Firmware"},
                                                           {"CB_RFirm", "Read Firmware when finish"},
                                                           {"CB_Proj", "Project"},
                                                           {"CB_RProj", "Read Project when finish"}};
    for (auto [name, caption] : options) {
        EXPECT_EQ(find<QCheckBox>(name)->text().toStdString(), caption);
        EXPECT_TRUE(find<QCheckBox>(name)->isChecked()) << name;
    }
    EXPECT_EQ(find<QPushButton>("LbButton4")->text(), "Execute update firmware");
    EXPECT_TRUE(find<QPushButton>("LbButton4")->isDefault());
    for (const char* covered : {"Label1", "Label6", "CB_Com", "LbButton1", "LbButton2", "LbButton3"})
        EXPECT_FALSE(find(covered)->isVisible()) << covered;
    // The options are independent of each other.
    tick("CB_Firm", false);
    EXPECT_TRUE(find<QCheckBox>("CB_RFirm")->isEnabled());
    EXPECT_TRUE(find<QCheckBox>("CB_RFirm")->isChecked());
}

TEST_F(BootSerialWindow, NothingIsCutOff) {
    systemPorts = {{"/dev/ttyUSB0", "FT232R USB UART"}};
    useStandInPort();
    window->show();
    auto fits = [&] {
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (!control->isVisible() || (!qobject_cast<QLabel*>(control) && !qobject_cast<QAbstractButton*>(control)))
                continue;
            EXPECT_GE(control->width(), control->sizeHint().width()) << control->objectName().toStdString();
            EXPECT_TRUE(window->rect().contains(QRect(control->mapTo(window.get(), QPoint()), control->size())))
                << control->objectName().toStdString();
        }
    };
    fits();
    click("LbButton1");
    click("LbButton2");
    fits();
}

TEST_F(BootSerialWindow, NextIsRefusedUntilAConnectSucceeds) {
    useStandInPort();
    window->show();
    click("LbButton2");
    click("LbButton1");  // a success, then a failure: untested again
    port.answer = PortOpening::CannotOpen;
    click("LbButton1");
    click("LbButton2");
    port.answer = PortOpening::CannotRaiseDtr;
    click("LbButton1");
    click("LbButton2");
    EXPECT_THAT(messages.texts(),
                ElementsAre(kSelectOnePort, kCannotOpen, kSelectOnePort, kCannotOpen, kSelectOnePort));
    for (const auto& message : messages.messages) EXPECT_EQ(message.kind, "error");
    EXPECT_FALSE(find("Panel1")->isVisible());
}

TEST_F(BootSerialWindow, ConnectOpensTheChosenPortAndNextClosesIt) {
    useStandInPort();
    window->show();
    choosePort("COM3");
    click("LbButton1");
    EXPECT_TRUE(port.open);
    EXPECT_THAT(messages.texts(), IsEmpty());
#ifndef _WIN32
    EXPECT_THAT(port.opened, ElementsAre("/dev/ttyS2"));
#endif
    click("LbButton2");
    EXPECT_FALSE(port.open);
    EXPECT_TRUE(find("Panel1")->isVisible());
}

TEST_F(BootSerialWindow, EveryShowStartsAgainUntestedOnTheStepsPage) {
    useStandInPort();
    window->show();
    click("LbButton1");
    reopen();
    EXPECT_FALSE(port.open);  // closing the window closed the port
    click("LbButton2");
    EXPECT_THAT(messages.texts(), ElementsAre(kSelectOnePort));

    click("LbButton1");
    click("LbButton2");
    reopen();
    EXPECT_TRUE(find("Label1")->isVisible());
    EXPECT_FALSE(find("Panel1")->isVisible());
    click("LbButton2");
    EXPECT_THAT(messages.texts(), ElementsAre(kSelectOnePort, kSelectOnePort));
}

TEST_F(BootSerialWindow, EscapeActsAsCancelAndClosesThePort) {
    useStandInPort();
    window->show();
    click("LbButton1");
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_FALSE(port.open);
}

TEST_F(BootSerialWindow, PortChoiceAndOptionsAreKeptBetweenShows) {
    reachOptions();
    tick("CB_RFirm", false);
    tick("CB_Proj", false);
    reopen();
    choosePort("COM4");
    reopen();
    EXPECT_EQ(find<QComboBox>("CB_Com")->currentText(), "COM4");
    EXPECT_FALSE(find<QCheckBox>("CB_RFirm")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("CB_Proj")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("CB_Firm")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("CB_RProj")->isChecked());
}

TEST_F(BootSerialWindow, SystemPortsFollowTheTenWithTheirDescriptions) {
    systemPorts = {{"/dev/ttyACM0", "Arduino"}, {"/dev/ttyUSB0", "FT232R USB UART"}};
    window->show();
    auto* box = find<QComboBox>("CB_Com");
    ASSERT_EQ(box->count(), 12);
    EXPECT_EQ(box->itemText(9), "COM10");
    EXPECT_EQ(box->itemText(10), "/dev/ttyACM0");
    EXPECT_EQ(box->itemText(11), "/dev/ttyUSB0");
    EXPECT_EQ(box->itemData(11, Qt::ToolTipRole).toString(), "FT232R USB UART");

    // A chosen port that the system stops reporting stays chosen.
    choosePort("/dev/ttyUSB0");
    systemPorts.clear();
    reopen();
    EXPECT_EQ(box->currentText(), "/dev/ttyUSB0");
}

TEST_F(BootSerialWindow, ConnectOnAMissingPortShowsTheMessage) {
    systemPorts = {{toQtPath(dir / "ttyGone"), QString()}};
    window->show();
    choosePort(toQtPath(dir / "ttyGone"));
    click("LbButton1");
    click("LbButton2");
    EXPECT_THAT(messages.texts(), ElementsAre(kCannotOpen, kSelectOnePort));
}

TEST_F(BootSerialWindow, ConnectOnAPortInUseShowsTheMessage) {
    PseudoTerminalPair terminals(dir.path());
    QSerialPort holder(toQtPath(terminals.first));
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    systemPorts = {{toQtPath(terminals.first), "pseudo-terminal"}};
    window->show();
    choosePort(toQtPath(terminals.first));
    click("LbButton1");
    click("LbButton2");
    EXPECT_THAT(messages.texts(), ElementsAre(kCannotOpen, kSelectOnePort));
}

TEST_F(BootSerialWindow, ExecuteRunsTheUpdaterWithTheOptionsAndStaysOnTheOptionsPage) {
    auto updater = FakeUpdater::endingSoon(workspace.ExeDir);
    systemPorts = {{"/dev/ttyUSB0", "FT232R USB UART"}};
    useStandInPort();
    window->show();
    choosePort("/dev/ttyUSB0");
    click("LbButton1");
    click("LbButton2");
    tick("CB_RFirm", false);
    tick("CB_RProj", false);

    QString stateWhileRunning;
    bool executeEnabledWhileRunning = true;
    bool closedWhileRunning = false;
    QTimer::singleShot(400, [&] {
        stateWhileRunning = find<QLabel>("LRunState")->text();
        executeEnabledWhileRunning = find("LbButton4")->isEnabled();
        window->close();
        closedWhileRunning = !window->isVisible();
    });
    click("LbButton4");

    EXPECT_THAT(messages.texts(), IsEmpty());
    EXPECT_THAT(updater.arguments(),
                ElementsAre("/dev/ttyUSB0", "FW", "NO", "PW", "NO", (workspace.MasterDir / "sim40915.sim").string(),
                            (workspace.ProjectDir / "bin").string() + "/"));
    EXPECT_THAT(stateWhileRunning.toStdString(), HasSubstr("Ser_40915_Update.exe is running: 0 s"));
    EXPECT_FALSE(executeEnabledWhileRunning);
    EXPECT_FALSE(closedWhileRunning);
    EXPECT_TRUE(find("Panel1")->isVisible());
    EXPECT_TRUE(find("LbButton4")->isEnabled());
    EXPECT_EQ(find<QLabel>("LRunState")->text(), "");
}

}  // namespace
}  // namespace telvanor
