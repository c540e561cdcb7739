#include "monitor/monitor_window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "monitor/monitor_project.h"
#include "monitor/monitor_table_model.h"
#include "project/workspace.h"
#include "support/modbus_slave.h"
#include "support/temp_dir.h"
#include "update/port_registry.h"
#include "widgets/recording_message_boxes.h"
#include "widgets/window_checks.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::ModbusSlave;
using testing::RecordingMessageBoxes;
using testing::TempDir;

// The column of the live value, after direction, register and its hex.
constexpr int kValueColumn = 3;

class MonitorWindowTest : public ::testing::Test {
protected:
    MonitorWindowTest() {
        testing::writeMonitorProject(project.path());
        workspace.ProjectDir = project.path();
        window.setResponseTimeout(std::chrono::milliseconds(200));
        window.setRememberedPortFile(serial / "config" / "update.ini");
    }
    ~MonitorWindowTest() override { window.hide(); }

    // Shows the window with `port` typed as its port.
    void showOn(const std::filesystem::path& port) {
        window.setPortLister([] { return std::vector<SystemPort>{}; });
        window.show();
        window.findChild<QComboBox*>("monitorPort")->setEditText(QString::fromStdString(port.string()));
    }
    void press(const char* button) { window.findChild<QPushButton*>(button)->click(); }
    QTableView* table() { return window.findChild<QTableView*>("monitorTable"); }
    QString cell(int row, int column) { return table()->model()->index(row, column).data().toString(); }
    bool waitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 10'000); }

    TempDir project;
    TempDir serial;
    WorkspaceState workspace;
    RecordingMessageBoxes messages;
    MonitorWindow window{workspace, messages};
};

TEST_F(MonitorWindowTest, IsUsableByKeyboardWithTheProjectsLineSettingsAndTheUpdatesPort) {
    rememberPort(serial / "config" / "update.ini", "COM7");
    window.setPortLister([] { return std::vector<SystemPort>{}; });
    testing::expectUsableByKeyboard(window, "btnStart");
    EXPECT_EQ(window.findChild<QComboBox*>("monitorPort")->currentText(), "COM7");
    EXPECT_EQ(window.windowTitle(), "Monitor");
    EXPECT_EQ(window.findChild<QComboBox*>("monitorBaud")->currentText(), "19200");
    EXPECT_EQ(window.findChild<QComboBox*>("monitorParity")->currentText(), "EVEN");
    EXPECT_EQ(table()->model()->rowCount(), 4);
    EXPECT_LE(window.frameGeometry().width(), 1024);
    EXPECT_LE(window.frameGeometry().height(), 768);
    testing::expectEscapeCloses(window);
}

TEST_F(MonitorWindowTest, StartReadsTheRegistersUntilStopAndWritesATransmitRegisterWhenConfirmed) {
    ModbusSlave slave(serial.path(), {"26=1234,27=7,41=9,100=513", "", testing::kMonitorProjectDeviceId});
    showOn(slave.port);
    press("btnStart");
    EXPECT_TRUE(window.running());
    ASSERT_TRUE(waitFor([&] { return !cell(3, kValueColumn).isEmpty(); })) << messages.texts().size();
    EXPECT_EQ(cell(0, kValueColumn), "1234");
    EXPECT_EQ(cell(0, kValueColumn + 1), "0x04D2");
    EXPECT_FALSE(cell(0, kValueColumn + 2).isEmpty()) << "the time of the last good read";
    EXPECT_EQ(cell(0, kValueColumn + 3), "0");
    EXPECT_EQ(cell(3, kValueColumn), "513");

    // The filter keeps the transmit register alone; the write goes to the row chosen in it.
    window.findChild<QLineEdit*>("monitorFilter")->setText("0x64");
    ASSERT_EQ(table()->model()->rowCount(), 1);
    table()->selectRow(0);
    window.findChild<QLineEdit*>("writeValue")->setText("0x0102");
    press("btnWrite");
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Write 258 (0x0102) to register 100 (0x0064) of device ID 3?");
    messages.confirmAnswer = true;
    press("btnWrite");
    EXPECT_TRUE(waitFor([&] { return cell(0, kValueColumn) == "258"; })) << "the written value is read back";

    press("btnStop");
    EXPECT_TRUE(waitFor([&] { return !window.running(); }));
    EXPECT_TRUE(window.findChild<QPushButton*>("btnStart")->isEnabled());
    EXPECT_EQ(messages.messages.size(), 2u) << messages.texts().back();
}

TEST_F(MonitorWindowTest, FailuresAreShownAndNothingWaitsOnTheDevice) {
    // Nobody answers on this line: every read fails after its time-out and counts.
    testing::PseudoTerminalPair silent(serial.path());
    showOn(silent.first);
    press("btnStart");
    ASSERT_TRUE(waitFor([&] { return cell(0, kValueColumn + 3) == "1"; }));
    EXPECT_EQ(cell(0, kValueColumn + 4), "time-out");
    EXPECT_EQ(cell(0, kValueColumn), "") << "no value is made up";
    // A register of the receive map is not for writing.
    table()->selectRow(0);
    window.findChild<QLineEdit*>("writeValue")->setText("1");
    press("btnWrite");
    EXPECT_THAT(messages.texts(), ElementsAre(HasSubstr("Select a register of the transmit map")));
    window.reject();
    EXPECT_TRUE(waitFor([&] { return !window.running(); })) << "closing stops the reads";

    // A port that cannot be opened, and one another window holds.
    messages.messages.clear();
    showOn(project / "no-such-port");
    press("btnStart");
    EXPECT_TRUE(waitFor([&] { return !window.running(); }));
    EXPECT_THAT(messages.texts(), ElementsAre(HasSubstr("Cannot open " + (project / "no-such-port").string())));
    std::string held = (project / "no-such-port").string();
    PortRegistry::program().hold(held, "the serial update window");
    press("btnStart");
    PortRegistry::program().release(held, "the serial update window");
    EXPECT_FALSE(window.running());
    EXPECT_THAT(messages.texts().back(), HasSubstr(held + " is in use by the serial update window"));
}

}  // namespace
}  // namespace telvanor
