#include "editors/receive_frames/receive_frames_window.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/recording_message_boxes.h"
#include "app/string_grid.h"
#include "project/workspace.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::readFile;
using testing::RecordingMessageBoxes;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

constexpr const char* kFrame1 =
    "<row DataPage=\"1\" PGN=\"0xF801\" ID_DEV=\"35\" MultiFrame=\"N\" FastPacket=\"N\" StartByte=\"\" NByte=\"\" "
    "Delete=\"N\" Mnemonic=\"Position rapid update\"/>";

class ReceiveFramesWindow : public ::testing::Test {
protected:
    ReceiveFramesWindow() {
        workspace.ProjectDir = project.path();
        SetProjectPaths(workspace);
    }

    // Shows the window as the step button does, without blocking.
    StringGrid& open() {
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        StringGrid* grid = window.findChild<StringGrid*>("sgA");
        EXPECT_NE(grid, nullptr);
        return *grid;
    }

    void clickOk() { window.findChild<QPushButton*>("bitbtn1")->click(); }

    fs::path file() const { return project / "RCobDef.xml"; }

    void fillRow(StringGrid& grid, int row, std::vector<QString> cells) {
        for (int column = 1; column <= static_cast<int>(cells.size()); ++column)
            grid.setCell(row, column, cells[static_cast<std::size_t>(column - 1)]);
    }

    TempDir project;
    WorkspaceState workspace;
    RecordingMessageBoxes messages;
    TFpdoMB window{workspace, messages};
};

TEST_F(ReceiveFramesWindow, OpensOnAnEmptyNumberedTableWithItsHeaders) {
    StringGrid& grid = open();
    EXPECT_EQ(window.windowTitle(), "Receive NMEA2000 Frame");
    EXPECT_EQ(grid.rowCount(), 250);
    EXPECT_EQ(grid.columnCount(), 10);
    EXPECT_EQ(grid.cell(1, 0), "1");
    EXPECT_EQ(grid.cell(250, 0), "250");
    QStringList headers;
    for (int column = 0; column < 9; ++column) headers << grid.model()->headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(headers, QStringList({"Data Page", "PGN", "Source Address", "Multi Packet", "Fast packet", "Start Byte",
                                    "N° Byte", "Cancel Data", "Mnemonic"}));
    EXPECT_EQ(grid.columnKind(1), StringGrid::ColumnKind::PickList);
    EXPECT_EQ(grid.columnKind(4), StringGrid::ColumnKind::CheckBox);
    EXPECT_EQ(grid.columnKind(5), StringGrid::ColumnKind::CheckBox);
    EXPECT_EQ(grid.columnKind(8), StringGrid::ColumnKind::CheckBox);
    EXPECT_EQ(grid.columnKind(9), StringGrid::ColumnKind::Text);
    EXPECT_EQ(window.findChild<QTabWidget*>()->tabText(0), "Can0-ModBus");
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(window.focusWidget(), window.findChild<QPushButton*>("bitbtn1"));
}

TEST_F(ReceiveFramesWindow, FitsEveryColumnAndNamesEveryControl) {
    StringGrid& grid = open();
    EXPECT_GE(grid.viewport()->width(), grid.naturalWidth() - grid.verticalHeader()->width() - 2 * grid.frameWidth());
    for (int column = 0; column < 9; ++column)
        EXPECT_GE(grid.columnWidth(column), grid.horizontalHeader()->sectionSizeHint(column)) << column;
    auto* ok = window.findChild<QPushButton*>("bitbtn1");
    auto* cancel = window.findChild<QPushButton*>("bitbtn2");
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(cancel->text(), "Cancel");
    EXPECT_EQ(grid.accessibleName(), "sgA");
    EXPECT_TRUE(window.rect().contains(cancel->geometry()));

    // The window can be maximised, and the grid follows its size.
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    QSize before = grid.size();
    window.resize(window.size() + QSize(200, 100));
    QApplication::processEvents();
    EXPECT_EQ(grid.size(), before + QSize(200, 100));
}

TEST_F(ReceiveFramesWindow, FilledRowsWithATickedBoxAreWrittenAtOk) {
    StringGrid& grid = open();
    fillRow(grid, 1, {"1", "0xF801", "35", "N", "N", "", "", "N", "Position rapid update"});
    // Row 2 as typed: the data page picked, the texts typed over, two boxes ticked by the keyboard.
    grid.setFocus();
    grid.setCurrentCell(2, 1);
    for (const char* keys : {"0", "\t0xEE00", "\t", "\t", "\t", "\t1", "\t16", "\t", "\tAddress claim"}) {
        for (const char* c = keys; *c; ++c) QTest::keyClick(QApplication::focusWidget(), *c);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    grid.setCurrentCell(2, 4);
    QTest::keyClick(&grid, Qt::Key_Space);
    grid.setCurrentCell(2, 8);
    QTest::keyClick(&grid, Qt::Key_Space);
    clickOk();
    EXPECT_TRUE(messages.messages.empty()) << messages.texts().front();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(readFile(file()),
              std::string("<COBID>") + kFrame1 +
                  "<row DataPage=\"0\" PGN=\"0xEE00\" ID_DEV=\"\" MultiFrame=\"Y\" FastPacket=\"\" StartByte=\"1\" "
                  "NByte=\"16\" Delete=\"Y\" Mnemonic=\"Address claim\"/></COBID>");
}

TEST_F(ReceiveFramesWindow, OkOnAnEmptyTableWritesAnEmptyCobid) {
    open();
    clickOk();
    EXPECT_EQ(readFile(file()), "<COBID/>");
}

TEST_F(ReceiveFramesWindow, ABadRowIsRefusedWithItsMessageAndNothingIsWritten) {
    StringGrid& grid = open();
    fillRow(grid, 1, {"1", "0xF801", "35", "N", "N", "", "", "N", "ok"});
    fillRow(grid, 2, {"1", "0xF801", "0", "N", "N", "", "", "N", "bad source address"});
    clickOk();
    EXPECT_THAT(messages.messages, ::testing::SizeIs(1));
    EXPECT_EQ(messages.messages[0].kind, "error");
    EXPECT_EQ(messages.messages[0].text, "Error in row 2!! The Source Address must be between 0 and 239");
    EXPECT_FALSE(fs::exists(file()));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(grid.cell(2, 3), "0");
    EXPECT_EQ(grid.cell(2, 9), "bad source address");
}

TEST_F(ReceiveFramesWindow, AnEmptyDataPageEndsTheTable) {
    StringGrid& grid = open();
    for (int row : {1, 2, 4, 5}) fillRow(grid, row, {"1", "0xF801", "35", "N", "N", "", "", "N", "row"});
    fillRow(grid, 3, {"", "junk", "junk"});
    clickOk();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(LoadReceiveFrames(file()).rows.size(), 2u);
}

TEST_F(ReceiveFramesWindow, EveryShowReloadsTheFileAndForgetsAbandonedEdits) {
    writeFile(file(), std::string("<COBID>") + kFrame1 + "</COBID>");
    StringGrid& grid = open();
    EXPECT_EQ(grid.cell(1, 9), "Position rapid update");
    EXPECT_EQ(grid.cell(1, 4), "N");
    grid.setCell(1, 9, "changed");
    grid.setCell(7, 2, "stray");
    window.findChild<QPushButton*>("bitbtn2")->click();
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_FALSE(window.isVisible());

    window.setWindowTitle("something else");
    open();
    EXPECT_EQ(window.windowTitle(), "Receive NMEA2000 Frame");
    EXPECT_EQ(grid.cell(1, 9), "Position rapid update");
    EXPECT_EQ(grid.cell(7, 2), "");
    clickOk();
    EXPECT_EQ(readFile(file()), std::string("<COBID>") + kFrame1 + "</COBID>");
}

TEST_F(ReceiveFramesWindow, ADamagedFileShowsWhatWentWrongAndTheRowsReadBeforeIt) {
    writeFile(file(), std::string("<COBID>") + kFrame1 +
                          "<row DataPage=\"0\" PGN=\"1\" ID_DEV=\"2\" MultiFrame=\"Y\" FastPacket=\"N\" StartByte=\"1\" "
                          "NByte=\"8\" Delete=\"Y\"/>" +
                          kFrame1 + "</COBID>");
    StringGrid& grid = open();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, "error");
    EXPECT_THAT(messages.messages[0].text,
                HasSubstr("Error in reading file " + file().string() + ": row 2 has no attribute Mnemonic"));
    EXPECT_THAT(messages.messages[0].text, HasSubstr("OK replaces the file"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(grid.cell(1, 9), "Position rapid update");
    EXPECT_EQ(grid.cell(2, 8), "Y");
    EXPECT_EQ(grid.cell(2, 9), "");
    EXPECT_EQ(grid.cell(3, 1), "");
}

TEST_F(ReceiveFramesWindow, AFileThatDoesNotParseGivesTheParsersMessage) {
    writeFile(file(), "<COBID>\n<row DataPage=\"1\"\n</COBID>");
    StringGrid& grid = open();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_THAT(messages.messages[0].text, HasSubstr("line 3"));
    EXPECT_EQ(grid.cell(1, 1), "");
}

TEST_F(ReceiveFramesWindow, RowsBeyondTheGridAreKeptAndWrittenAfterIt) {
    std::string content = "<COBID>";
    for (int i = 1; i <= 300; ++i)
        content += "<row DataPage=\"1\" PGN=\"" + std::to_string(i) +
                   "\" ID_DEV=\"35\" MultiFrame=\"N\" FastPacket=\"N\" StartByte=\"\" NByte=\"\" Delete=\"N\" "
                   "Mnemonic=\"frame " +
                   std::to_string(i) + "\"/>";
    content += "</COBID>";
    writeFile(file(), content);
    StringGrid& grid = open();
    EXPECT_EQ(grid.cell(250, 9), "frame 250");
    clickOk();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(readFile(file()), content);

    // Rows left over from that show are not written from a shorter file.
    writeFile(file(), std::string("<COBID>") + kFrame1 + "</COBID>");
    open();
    clickOk();
    EXPECT_EQ(readFile(file()), std::string("<COBID>") + kFrame1 + "</COBID>");
}

TEST_F(ReceiveFramesWindow, UnseenRowsAreValidatedAndEndWithTheShownTable) {
    std::string content = "<COBID>";
    for (int i = 1; i <= 260; ++i)
        content += std::string("<row DataPage=\"") + (i == 255 ? "9" : "1") +
                   "\" PGN=\"1\" ID_DEV=\"35\" MultiFrame=\"N\" FastPacket=\"N\" StartByte=\"\" NByte=\"\" "
                   "Delete=\"N\" Mnemonic=\"\"/>";
    content += "</COBID>";
    writeFile(file(), content);
    StringGrid& grid = open();
    clickOk();
    EXPECT_THAT(messages.texts(), ElementsAre("Error in row 255!! The Data Page must be 0 or 1"));
    EXPECT_EQ(readFile(file()), content);

    // Ending the table in the grid ends it before the unseen rows too.
    messages.messages.clear();
    grid.setCell(100, 1, "");
    clickOk();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(LoadReceiveFrames(file()).rows.size(), 99u);
}

TEST_F(ReceiveFramesWindow, AFailedWriteIsReportedAndTheWindowStaysOpen) {
    workspace.RCobDefPath = project / "no such folder" / "RCobDef.xml";
    StringGrid& grid = open();
    fillRow(grid, 1, {"1", "0xF801", "35", "N", "N", "", "", "N", "kept"});
    clickOk();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, "error");
    EXPECT_THAT(messages.messages[0].text, HasSubstr(workspace.RCobDefPath.string()));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(grid.cell(1, 9), "kept");
}

}  // namespace
}  // namespace telvanor
