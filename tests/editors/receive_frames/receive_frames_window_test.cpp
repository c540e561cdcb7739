#include "editors/receive_frames/receive_frames_window.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project/workspace.h"
#include "support/temp_dir.h"
#include "widgets/recording_message_boxes.h"
#include "widgets/string_grid.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::readFile;
using testing::RecordingMessageBoxes;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

const std::string kFrame =
    "<row DataPage=\"1\" PGN=\"0xF801\" ID_DEV=\"35\" MultiFrame=\"N\" FastPacket=\"N\" "
    "StartByte=\"\" NByte=\"\" Delete=\"N\" Mnemonic=\"Position rapid update\"/>";

std::string table(const std::string& rows) { return "<COBID>" + rows + "</COBID>"; }

// `count` valid rows, each with its number in the Mnemonic; `badRow` with a bad Data Page.
std::string manyRows(int count, int badRow = 0) {
    std::string rows;
    for (int i = 1; i <= count; ++i)
        rows += std::string("<row DataPage=\"") + (i == badRow ? "9" : "1") +
                "\" PGN=\"1\" ID_DEV=\"35\" MultiFrame=\"N\" FastPacket=\"N\" StartByte=\"\" NByte=\"\" Delete=\"N\" "
                "Mnemonic=\"frame " +
                std::to_string(i) + "\"/>";
    return table(rows);
}

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
        return *window.findChild<StringGrid*>("sgA");
    }
    void clickOk() { window.findChild<QPushButton*>("bitbtn1")->click(); }
    void fillRow(StringGrid& grid, int row, const QStringList& cells) {
        for (int column = 1; column <= cells.size(); ++column) grid.setCell(row, column, cells[column - 1]);
    }
    fs::path file() const { return project / "RCobDef.xml"; }

    TempDir project;
    WorkspaceState workspace;
    RecordingMessageBoxes messages;
    TFpdoMB window{workspace, messages};
};

TEST_F(ReceiveFramesWindow, OpensOn250NumberedRowsThatFitTheWindow) {
    StringGrid& grid = open();
    EXPECT_EQ(window.windowTitle(), "Receive NMEA2000 Frame");
    EXPECT_EQ(window.findChild<QTabWidget*>()->tabText(0), "Can0-ModBus");
    EXPECT_EQ(grid.rowCount(), 250);
    EXPECT_EQ(grid.cell(250, 0), "250");
    QStringList headers;
    for (int column = 0; column < 9; ++column) {
        headers << grid.model()->headerData(column, Qt::Horizontal).toString();
        EXPECT_GE(grid.columnWidth(column), grid.horizontalHeader()->sectionSizeHint(column)) << column;
    }
    EXPECT_EQ(headers, QStringList({"Data Page", "PGN", "Source Address", "Multi Packet", "Fast packet", "Start Byte",
                                    "N° Byte", "Cancel Data", "Mnemonic"}));
    EXPECT_EQ(grid.columnKind(1), StringGrid::ColumnKind::PickList);
    for (int column : {4, 5, 8}) EXPECT_EQ(grid.columnKind(column), StringGrid::ColumnKind::CheckBox) << column;
    EXPECT_GE(grid.viewport()->width(), grid.naturalWidth() - grid.verticalHeader()->width() - 2 * grid.frameWidth());
    auto* ok = window.findChild<QPushButton*>("bitbtn1");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(window.focusWidget(), ok);
    EXPECT_TRUE(window.rect().contains(window.findChild<QPushButton*>("bitbtn2")->geometry()));
    EXPECT_TRUE(messages.messages.empty());

    // The window can be maximised, and the grid follows its size.
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    QSize before = grid.size();
    window.resize(window.size() + QSize(200, 100));
    QApplication::processEvents();
    EXPECT_EQ(grid.size(), before + QSize(200, 100));
}

TEST_F(ReceiveFramesWindow, TypedRowsWithTickedBoxesAreWrittenAtOk) {
    StringGrid& grid = open();
    fillRow(grid, 1, {"1", "0xF801", "35", "N", "N", "", "", "N", "Position rapid update"});
    grid.setFocus();
    grid.setCurrentCell(2, 1);
    for (const char* c = "0\t0xEE00\t\t \t\t1\t16\t \tAddress claim"; *c; ++c)
        QTest::keyClick(QApplication::focusWidget(), *c);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    clickOk();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(readFile(file()), table(kFrame + "<row DataPage=\"0\" PGN=\"0xEE00\" ID_DEV=\"\" MultiFrame=\"Y\" "
                                               "FastPacket=\"\" StartByte=\"1\" NByte=\"16\" Delete=\"Y\" "
                                               "Mnemonic=\"Address claim\"/>"));
}

TEST_F(ReceiveFramesWindow, ABadRowIsRefusedAndAnEmptyDataPageEndsTheTable) {
    StringGrid& grid = open();
    for (int row : {1, 2, 4}) fillRow(grid, row, {"1", "0xF801", "35", "N", "N", "", "", "N", "row"});
    grid.setCell(2, 3, "0");
    clickOk();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, "error");
    EXPECT_EQ(messages.messages[0].text, "Error in row 2!! The Source Address must be between 0 and 239");
    EXPECT_FALSE(fs::exists(file()));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(grid.cell(2, 3), "0");

    messages.messages.clear();
    grid.setCell(2, 3, "35");
    fillRow(grid, 3, {"", "junk", "junk"});
    clickOk();
    EXPECT_TRUE(messages.messages.empty());
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_EQ(messages.questions[0].text,
              "Row 3 has an empty Data Page, so the table ends there: it and the rows below it to row 4 hold texts "
              "that are not saved. Saving now keeps the rows above it.");
    EXPECT_FALSE(fs::exists(file())) << "Back is the default";
    messages.answers = {"Save"};
    clickOk();
    EXPECT_EQ(LoadReceiveFrames(file()).rows.size(), 2u);
}

TEST_F(ReceiveFramesWindow, EveryShowReloadsTheFileAndForgetsAbandonedEdits) {
    writeFile(file(), table(kFrame));
    StringGrid& grid = open();
    EXPECT_EQ(grid.cell(1, 9), "Position rapid update");
    grid.setCell(1, 9, "changed");
    grid.setCell(7, 2, "stray");
    window.setWindowTitle("something else");
    messages.answers = {"Discard"};
    window.findChild<QPushButton*>("bitbtn2")->click();
    EXPECT_EQ(window.result(), QDialog::Rejected);
    open();
    EXPECT_EQ(window.windowTitle(), "Receive NMEA2000 Frame");
    EXPECT_EQ(grid.cell(1, 9), "Position rapid update");
    EXPECT_EQ(grid.cell(7, 2), "");
    clickOk();
    EXPECT_EQ(readFile(file()), table(kFrame));
}

TEST_F(ReceiveFramesWindow, ADamagedFileShowsWhatWentWrongAndTheRowsReadBeforeIt) {
    writeFile(file(), table(kFrame +
                            "<row DataPage=\"0\" PGN=\"1\" ID_DEV=\"2\" MultiFrame=\"Y\" FastPacket=\"N\" "
                            "StartByte=\"1\" NByte=\"8\" Delete=\"Y\"/>" +
                            kFrame));
    StringGrid& grid = open();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, "error");
    EXPECT_THAT(messages.messages[0].text,
                HasSubstr("Error in reading file " + file().string() + ": row 2 has no attribute Mnemonic"));
    EXPECT_THAT(messages.messages[0].text, HasSubstr("row 3: not read after row 2"));
    EXPECT_THAT(messages.messages[0].text, HasSubstr("OK asks before it saves fewer"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(grid.cell(2, 8), "Y");
    EXPECT_EQ(grid.cell(2, 9), "");
    EXPECT_EQ(grid.cell(3, 1), "");
}

TEST_F(ReceiveFramesWindow, RowsBeyondTheGridAreKeptCheckedAndWrittenAfterIt) {
    writeFile(file(), manyRows(300));
    StringGrid& grid = open();
    EXPECT_EQ(grid.cell(250, 9), "frame 250");
    EXPECT_THAT(messages.texts(), ElementsAre("RCobDef.xml holds 300 rows; rows 251 to 300 are not shown and are "
                                              "written back unchanged."));
    clickOk();
    EXPECT_EQ(readFile(file()), manyRows(300));

    // The next show keeps only its own file's unseen rows, checked in their place; a failure
    // among them lets the user keep them (the default) or drop them.
    writeFile(file(), manyRows(260, 255));
    open();
    clickOk();
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_THAT(messages.questions[0].text, ::testing::StartsWith("Error in row 255!! The Data Page must be 0 or 1"));
    EXPECT_EQ(readFile(file()), manyRows(260, 255));

    // Ending the table in the grid ends it before the unseen rows too.
    messages.answers = {"Save"};
    grid.setCell(100, 1, "");
    clickOk();
    EXPECT_THAT(messages.questions.back().text, HasSubstr("Row 100 has an empty Data Page"));
    EXPECT_EQ(LoadReceiveFrames(file()).rows.size(), 99u);
}

TEST_F(ReceiveFramesWindow, AFailedWriteIsReportedAndTheWindowStaysOpen) {
    workspace.RCobDefPath = project / "no such folder" / "RCobDef.xml";
    StringGrid& grid = open();
    fillRow(grid, 1, {"1", "0xF801", "35", "N", "N", "", "", "N", "kept"});
    clickOk();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_THAT(messages.messages[0].text, HasSubstr(workspace.RCobDefPath.string()));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(grid.cell(1, 9), "kept");
}

TEST_F(ReceiveFramesWindow, TheLineUnderTheGridNamesTheCurrentRowsPgnAndWarnsAboutItsFraming) {
    StringGrid& grid = open();
    auto* line = window.findChild<QLabel*>("pgnCatalogueLine");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->accessibleName(), "PGN catalogue");
    fillRow(grid, 1, {"1", "0xF200", "35", "N", "Y", "1", "8", "N", "engine"});
    grid.setCurrentCell(1, 2);
    EXPECT_EQ(line->text(),
              "127488 Engine Parameters, Rapid Update, priority 2, single frame, 8 bytes\n"
              "Warning: PGN 127488 (Engine Parameters, Rapid Update) is a single-frame message but "
              "\"Fast packet\" is ticked");
    grid.setCell(1, 5, "N");
    EXPECT_EQ(line->text(), "127488 Engine Parameters, Rapid Update, priority 2, single frame, 8 bytes");
    grid.setCurrentCell(2, 2);
    EXPECT_EQ(line->text(), "");

    // A warning is no refusal, and the file keeps only the table's own attributes.
    grid.setCell(1, 5, "Y");
    clickOk();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(readFile(file()),
              table("<row DataPage=\"1\" PGN=\"0xF200\" ID_DEV=\"35\" MultiFrame=\"N\" "
                    "FastPacket=\"Y\" StartByte=\"1\" NByte=\"8\" Delete=\"N\" Mnemonic=\"engine\"/>"));
}

}  // namespace
}  // namespace telvanor
