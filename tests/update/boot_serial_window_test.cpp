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

#include <csignal>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project/workspace.h"
#include "support/temp_dir.h"
#include "update/fake_updater.h"
#include "update/port_registry.h"
#include "support/pseudo_terminal_pair.h"
#include "update/stand_in_port.h"
#include "widgets/qt_text.h"
#include "widgets/recording_message_boxes.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::EndsWith;
using testing::FakeUpdater;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::MatchesRegex;
using testing::PseudoTerminalPair;
using testing::readFile;
using testing::RecordingMessageBoxes;
using testing::StandInPort;
using ::testing::StartsWith;
using testing::TempDir;
using testing::writeFile;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr const char* kCannotOpen = "Error!! Com Port cannot be open.";
constexpr const char* kSelectOnePort = "Select one port.";

class BootSerialWindow : public ::testing::Test {
protected:
    BootSerialWindow() {
        workspace = InitWorkspace(dir.path()).state;
        workspace.ProjectDir = workspace.ProjectsDir / "My Boat";
        fs::create_directories(workspace.ProjectDir / "bin");
        SetProjectPaths(workspace);
        window = makeWindow();
    }

    std::unique_ptr<TFBootSer> makeWindow() {
        auto made = std::make_unique<TFBootSer>(workspace, messages);
        made->setPortLister([this] { return systemPorts; });
        made->setStablePortFolder(dir / "by-id");
        made->setRememberedPortFile(dir / "config" / "update.ini");
        return made;
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
    QString status() { return find<QLabel>("LRunState")->text(); }
    std::string log() { return readFile(workspace.ProjectDir / "bin" / "update.log"); }

    TempDir dir;
    WorkspaceState workspace;
    RecordingMessageBoxes messages;
    StandInPort::Log port;
    std::vector<SystemPort> systemPorts;
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
    EXPECT_TRUE(box->isEditable());
    EXPECT_FALSE(box->accessibleName().isEmpty());
    ASSERT_EQ(box->count(), 10);
    for (int n = 1; n <= 10; ++n) EXPECT_EQ(box->itemText(n - 1), QString("COM%1").arg(n));
    EXPECT_EQ(box->currentText(), "COM1");
    EXPECT_THAT(box->itemData(1, Qt::ToolTipRole).toString().toStdString(), HasSubstr("absent"));
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
    systemPorts = {{"/dev/ttyUSB0", "FT232R USB UART", ""}};
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

TEST_F(BootSerialWindow, SystemPortsFollowTheTenOnceEachUnderTheirStableNames) {
    writeFile(dir / "dev" / "ttyUSB0", "");
    fs::create_directories(dir / "by-id");
    fs::path stable = dir / "by-id" / "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
    fs::create_symlink(dir / "dev" / "ttyUSB0", stable);
    systemPorts = {{"/dev/ttyS0", "", ""},
                   {"/dev/ttyACM0", "Arduino", ""},
                   {(dir / "dev" / "ttyUSB0").string(), "FT232R USB UART", "A50285BI"}};
    window->show();
    auto* box = find<QComboBox>("CB_Com");
    ASSERT_EQ(box->count(), 12);
    EXPECT_EQ(box->itemData(0, Qt::ToolTipRole).toString(), "/dev/ttyS0");
    EXPECT_EQ(box->itemText(10), "/dev/ttyACM0");
    EXPECT_EQ(box->itemText(11), toQtPath(stable));
    EXPECT_EQ(box->itemData(11, Qt::ToolTipRole).toString(),
              "FT232R USB UART, serial number A50285BI, " + toQtPath(dir / "dev" / "ttyUSB0"));

    // A chosen port that the system stops reporting stays chosen.
    choosePort("/dev/ttyACM0");
    systemPorts.clear();
    reopen();
    EXPECT_EQ(box->currentText(), "/dev/ttyACM0");
}

TEST_F(BootSerialWindow, TypedPortIsCheckedTestedAndRememberedForTheNextStart) {
    useStandInPort();
    window->show();
    auto* box = find<QComboBox>("CB_Com");
    box->setEditText("ttyUSB0");
    click("LbButton1");
    EXPECT_THAT(port.opened, IsEmpty());
    box->setEditText(toQtPath(dir / "ttyTyped"));
    click("LbButton1");
    EXPECT_THAT(port.opened, ElementsAre((dir / "ttyTyped").string()));
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_THAT(messages.texts()[0], HasSubstr("'ttyUSB0' is not a port"));
    // Another choice after a successful Connect must be tested anew.
    choosePort("COM2");
    EXPECT_FALSE(port.open);
    click("LbButton2");
    EXPECT_EQ(messages.texts().back(), kSelectOnePort);

    window.reset();
    window = makeWindow();
    window->show();
    EXPECT_EQ(find<QComboBox>("CB_Com")->currentText(), toQtPath(dir / "ttyTyped"));
}

TEST_F(BootSerialWindow, ConnectOnAMissingPortShowsTheMessage) {
    systemPorts = {{(dir / "ttyGone").string(), "", ""}};
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
    systemPorts = {{terminals.first.string(), "pseudo-terminal", ""}};
    window->show();
    choosePort(toQtPath(terminals.first));
    click("LbButton1");
    click("LbButton2");
    EXPECT_THAT(messages.texts(), ElementsAre(kCannotOpen, kSelectOnePort));
}

TEST_F(BootSerialWindow, ExecuteRunsTheUpdaterOnTheTestedDeviceAndSaysHowItEnded) {
    auto updater = FakeUpdater::endingSoon(workspace.ExeDir);
    writeFile(workspace.ProjectDir / "bin" / "bank.bin", "abc");
    useStandInPort();
    window->show();
    choosePort("COM3");
    click("LbButton1");
    click("LbButton2");
    tick("CB_RFirm", false);
    tick("CB_RProj", false);

    QString stateWhileRunning;
    bool windowEnabledWhileRunning = true;
    bool closedWhileRunning = false;
    std::optional<std::string> portUserWhileRunning;
    QTimer::singleShot(400, [&] {
        stateWhileRunning = status();
        windowEnabledWhileRunning = window->isEnabled();
        portUserWhileRunning = PortRegistry::program().userOf("/dev/ttyS2");
        window->close();
        closedWhileRunning = !window->isVisible();
    });
    click("LbButton4");

    EXPECT_THAT(messages.texts(), IsEmpty());
    EXPECT_THAT(updater.arguments(),
                ElementsAre("/dev/ttyS2", "FW", "NO", "PW", "NO", (workspace.MasterDir / "sim40915.sim").string(),
                            (workspace.ProjectDir / "bin").string() + "/"));
    EXPECT_THAT(stateWhileRunning.toStdString(), HasSubstr("Ser_40915_Update.exe is running: 0 s"));
    EXPECT_FALSE(windowEnabledWhileRunning);
    EXPECT_EQ(portUserWhileRunning, "the serial updater");
    EXPECT_EQ(PortRegistry::program().userOf("/dev/ttyS2"), std::nullopt);
    EXPECT_FALSE(closedWhileRunning);
    EXPECT_TRUE(find("Panel1")->isVisible());
    EXPECT_TRUE(window->isEnabled());
    EXPECT_THAT(status().toStdString(), MatchesRegex("Updater finished \\(code 0\\) after [0-9]+ s"));
    std::string written = log();
    for (const std::string& line :
         {std::string("update started\nupdater:     ") + updater.program.string() + "\n",
          std::string("argument 1:  /dev/ttyS2\n"), "argument 7:  " + (workspace.ProjectDir / "bin").string() + "/\n",
          std::string("port:        COM3 (device /dev/ttyS2)\n"),
          std::string(
              "options:     Firmware yes, Read Firmware when finish no, Project yes, Read Project when finish no\n"),
          std::string(
              "bank.bin:    3 bytes, SHA-256 ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad\n"),
          std::string("---- output of the updater (standard output and error):\n"),
          std::string(" Updater finished (code 0) after ")})
        EXPECT_THAT(written, HasSubstr(line));
}

TEST_F(BootSerialWindow, FailedUpdaterIsShownAndItsOutputLogged) {
    FakeUpdater updater(workspace.ExeDir, "Ser_40915_Update.exe", "echo 'no answer from the device' >&2; exit 3");
    reachOptions();
    click("LbButton4");
    std::string logFile = (workspace.ProjectDir / "bin" / "update.log").string();
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_THAT(messages.texts()[0],
                MatchesRegex("Updater ended with code 3 after [0-9]+ s\n\nWhat it wrote is in .*"));
    EXPECT_THAT(messages.texts()[0], EndsWith(logFile));
    EXPECT_THAT(status().toStdString(), MatchesRegex("Updater ended with code 3 after [0-9]+ s"));
    EXPECT_THAT(log(), HasSubstr("(standard output and error):\nno answer from the device\n==== "));
    EXPECT_THAT(log(), HasSubstr("bank.bin:    cannot be read ("));
}

// Sets an environment variable for as long as it lives.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value)
        : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
        qputenv(name, QByteArray::fromStdString(value));
    }
    ~ScopedVariable() { had_ ? (void)qputenv(name_, old_) : (void)qunsetenv(name_); }

private:
    const char* name_;
    QByteArray old_;
    bool had_;
};

TEST_F(BootSerialWindow, UpdaterThatCannotStartIsNamedWithTheReason) {
    fs::path updater = workspace.ExeDir / "Ser_40915_Update.exe";
    ScopedVariable path("PATH", "/usr/bin:/bin");
    reachOptions();
    const std::pair<std::string, std::string> cases[] = {
        {"", "there is no such file"},
        {"#!/bin/sh\n", "it is not executable (its execute permission is not set)"},
        {"MZ\x90", "it is a Windows program, and wine, which would run it, is not on the PATH"},
    };
    for (const auto& [content, reason] : cases) {
        if (!content.empty()) writeFile(updater, content);
        messages.messages.clear();
        click("LbButton4");
        EXPECT_THAT(messages.texts(), ElementsAre("Cannot start the updater " + updater.string() + ": " + reason));
        EXPECT_EQ(status().toStdString(), "Updater not started: " + reason);
        EXPECT_THAT(log(), HasSubstr(" Cannot start the updater " + updater.string() + ": " + reason + "\n"));
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (!control->isVisible() || !qobject_cast<QLabel*>(control)) continue;
            EXPECT_GE(control->height(), control->heightForWidth(control->width()))
                << control->objectName().toStdString();
            EXPECT_LE(window->width(), 1024);
        }
    }
}

TEST_F(BootSerialWindow, WindowsUpdaterRunsThroughWineWithTheCOMNameAndWinePaths) {
    writeFile(workspace.ExeDir / "Ser_40915_Update.exe", "MZ\x90");
    FakeUpdater wine(dir / "wine-bin", "wine", "exit 0");
    ScopedVariable path("PATH", (dir / "wine-bin").string() + ":/usr/bin:/bin");
    ScopedVariable prefix("WINEPREFIX", (dir / "wine-prefix").string());
    reachOptions();  // COM1, /dev/ttyS0
    click("LbButton4");
    EXPECT_THAT(messages.texts(), IsEmpty());
    auto drive = [](const fs::path& linuxPath) {
        std::string path = "Z:" + linuxPath.string();
        std::replace(path.begin(), path.end(), '/', '\\');
        return path;
    };
    EXPECT_THAT(wine.arguments(),
                ElementsAre((workspace.ExeDir / "Ser_40915_Update.exe").string(), "COM1", "FW", "FR", "PW", "PR",
                            drive(workspace.MasterDir / "sim40915.sim"), drive(workspace.ProjectDir / "bin") + "\\"));
    EXPECT_THAT(log(), HasSubstr("run through: " + (dir / "wine-bin" / "wine").string() + "\n"));
}

TEST_F(BootSerialWindow, AfterATimeOutTheWindowKeepsWatchingAndRefusesAnotherRun) {
    auto updater = FakeUpdater::runningOn(workspace.ExeDir);
    window->setUpdaterTimeout(300ms);
    reachOptions();
    click("LbButton4");
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_THAT(messages.texts()[0], StartsWith("Time Out Error\n\nThe updater is still running after 0 s."));
    EXPECT_EQ(status(), "Time Out Error: the updater is still running: 0 s");
    EXPECT_TRUE(updater.alive());
    ASSERT_TRUE(window->updaterRunningFor());
    EXPECT_EQ(PortRegistry::program().userOf("/dev/ttyS0"), "the serial updater");

    click("LbButton4");
    EXPECT_EQ(messages.texts().back(),
              "The updater is still running (0 s): another update can start once it has ended.");
    reopen();
    click("LbButton1");
    EXPECT_EQ(messages.texts().back(), std::string(kCannotOpen) + "\n\n/dev/ttyS0 is in use by the serial updater.");

    ASSERT_TRUE(QTest::qWaitFor([&] { return status().contains("still running: 1 s"); }, 3000));
    ::kill(*updater.processId(), SIGKILL);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->updaterRunningFor(); }, 5000));
    EXPECT_THAT(status().toStdString(), StartsWith("Updater stopped without an exit code after "));
    EXPECT_THAT(messages.texts().back(), StartsWith("Updater stopped without an exit code after "));
    EXPECT_EQ(PortRegistry::program().userOf("/dev/ttyS0"), std::nullopt);
    EXPECT_THAT(log(), HasSubstr(" Time Out Error after 0 s: the updater is still running\n"));
    click("LbButton1");
    click("LbButton2");
    click("LbButton4");
    EXPECT_TRUE(QTest::qWaitFor([&] { return status().contains("Time Out Error"); }, 3000));
}

}  // namespace
}  // namespace telvanor
