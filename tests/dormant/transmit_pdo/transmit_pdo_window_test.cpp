#include "dormant/transmit_pdo/transmit_pdo_window.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project/workspace.h"
#include "support/temp_dir.h"
#include "widgets/recording_message_boxes.h"
#include "widgets/string_grid.h"
#include "widgets/window_checks.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::readFile;
using testing::RecordingMessageBoxes;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

class TransmitPdoWindow : public ::testing::Test {
protected:
    TransmitPdoWindow() {
        workspace.ProjectDir = project.path();
        SetProjectPaths(workspace);
    }
    ~TransmitPdoWindow() override { window.hide(); }

    StringGrid& open() {
        window.hide();
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        return *window.grid();
    }
    void clickOk() { window.findChild<QPushButton*>("bitbtn1")->click(); }
    fs::path file() const { return project / "Transmit_Pdo.xml"; }

    TempDir project;
    WorkspaceState workspace;
    RecordingMessageBoxes messages;
    TFTPdoMB window{workspace, messages};
};

TEST_F(TransmitPdoWindow, AFileIsShownAndOkWritesItBack) {
    const std::string content =
        "<Trasmit_PDO><row COB-ID=\"0x7FF\" Dimension=\"8\" SMA=\"0\"/>"
        "<row COB-ID=\"0x181\" Dimension=\"\" SMA=\"\"/></Trasmit_PDO>";
    writeFile(file(), content);
    StringGrid& grid = open();
    EXPECT_EQ(window.windowTitle(), "Transmit PDO");
    EXPECT_EQ(window.findChild<QLabel*>("Label1")->text(), "Transmit PDO");
    EXPECT_TRUE(messages.messages.empty());
    ASSERT_EQ(grid.rowCount(), 10);
    EXPECT_EQ(grid.columnCount(), 4);
    EXPECT_EQ(grid.cell(1, 0), "0");
    EXPECT_EQ(grid.cell(10, 0), "9");
    QStringList headers;
    for (int column = 0; column < 3; ++column) headers << grid.model()->headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(headers, QStringList({"COB-ID", "Dimension", "Start Modbus Address"}));
    EXPECT_EQ(grid.cell(1, 1), "0x7FF");
    EXPECT_EQ(grid.cell(2, 1), "0x181");

    clickOk();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(readFile(file()), content);
}

TEST_F(TransmitPdoWindow, EveryFailureIsShownInTurnAndNothingIsSaved) {
    StringGrid& grid = open();
    EXPECT_THAT(messages.texts(), ElementsAre("File XML not found"));
    messages.messages.clear();
    grid.setCell(1, 1, "0x800");
    grid.setCell(1, 2, "8");
    grid.setCell(2, 1, "0x100");
    grid.setCell(2, 2, "9");
    grid.setCell(2, 3, "65536");
    clickOk();
    EXPECT_THAT(messages.texts(), ElementsAre("Error in row 1. Cob-id must be between 0x001 and 0x7FF",
                                              "Error in row 2. Dimension must be between 1 and 8",
                                              "Error in row 2. Start Modbus Address must be between 0 and 65535"));
    EXPECT_EQ(messages.messages[1].kind, "plain");
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(fs::exists(file()));

    // Rows 1 and 3 filled, row 2 empty: the table is row 1, once the user agrees.
    messages.messages.clear();
    grid.setCell(1, 1, "0x7FF");
    for (int column : {1, 2, 3}) grid.setCell(2, column, "");
    grid.setCell(3, 1, "0x182");
    grid.setCell(3, 2, "1");
    messages.answers = {"Save"};
    clickOk();
    EXPECT_TRUE(messages.messages.empty());
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_THAT(messages.questions[0].text, HasSubstr("Row 1 has an empty COB-ID, so the table ends there"));
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(readFile(file()), "<Trasmit_PDO><row COB-ID=\"0x7FF\" Dimension=\"8\" SMA=\"\"/></Trasmit_PDO>");
}

TEST_F(TransmitPdoWindow, APartlyReadFileIsReportedAndAFailedSaveKeepsTheWindowOpen) {
    writeFile(file(), "<Trasmit_PDO><row COB-ID=\"1\" Dimension=\"2\" SMA=\"3\"/><row COB-ID=\"4\"/></Trasmit_PDO>");
    StringGrid& grid = open();
    EXPECT_THAT(messages.texts(), ElementsAre("Error in reading file XML\n\nTransmit_Pdo.xml:\nrow 2: attribute "
                                              "Dimension is missing; the window holds the cells read before it\nOK "
                                              "asks before it saves the row so."));
    EXPECT_EQ(grid.cell(1, 3), "3");
    EXPECT_EQ(grid.cell(2, 1), "4");

    messages.messages.clear();
    workspace.ProjectDir = project / "gone";
    messages.answers = {"Save"};
    clickOk();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_THAT(messages.messages[0].text, ::testing::StartsWith("Error in the save parameter\n\nCannot write "));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(grid.cell(2, 1), "4");
}

TEST_F(TransmitPdoWindow, KeyboardAndEscape) {
    testing::expectUsableByKeyboard(window, "bitbtn1");
    open().setCell(1, 1, "1");
    window.findChild<QPushButton*>("bitbtn1")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "LbButton1");
    messages.answers = {"Discard"};
    testing::expectEscapeCloses(window);
    EXPECT_EQ(messages.questions.at(0).text, "Discard your changes to Transmit_Pdo.xml?");
    EXPECT_FALSE(fs::exists(file()));
}

}  // namespace
}  // namespace telvanor
