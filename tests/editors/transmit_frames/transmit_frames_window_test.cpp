#include "editors/transmit_frames/transmit_frames_window.h"

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

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::readFile;
using testing::RecordingMessageBoxes;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

class TransmitFramesWindow : public ::testing::Test {
protected:
    TransmitFramesWindow() {
        workspace.ProjectDir = project.path();
        SetProjectPaths(workspace);
    }

    StringGrid& open() {
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        return *window.findChild<StringGrid*>("sgA");
    }
    void clickOk() { window.findChild<QPushButton*>("bitbtn1")->click(); }
    fs::path file() const { return project / "TCobDef.xml"; }

    TempDir project;
    WorkspaceState workspace;
    RecordingMessageBoxes messages;
    TFTpdo2MB window{workspace, messages};
};

TEST_F(TransmitFramesWindow, TypedRowsAreWrittenAsTypedWhenEnterReachesOk) {
    StringGrid& grid = open();
    EXPECT_EQ(window.windowTitle(), "Transmit NMEA2000 Frame");
    EXPECT_EQ(grid.columnCount(), 6);
    QStringList headers;
    for (int column = 0; column < 5; ++column) {
        headers << grid.model()->headerData(column, Qt::Horizontal).toString();
        EXPECT_EQ(grid.columnKind(column + 1), StringGrid::ColumnKind::Text);
    }
    EXPECT_EQ(headers, QStringList({"Priority", "Data Page", "PGN", "Source Address", "Mnemonic"}));

    grid.setFocus();
    grid.setCurrentCell(1, 1);
    for (const char* c = "0x7\t1\tabc\t239\tHeading"; *c; ++c) QTest::keyClick(QApplication::focusWidget(), *c);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(readFile(file()),
              "<COBID><row Priority=\"0x7\" DP=\"1\" PGN=\"abc\" ID_DEV=\"239\" Mnemonic=\"Heading\"/></COBID>");
}

TEST_F(TransmitFramesWindow, ABadRowIsRefusedAndAFileRowComesBackUnchanged) {
    fs::copy_file(testing::examplesDir() / "Boat1" / "TCobDef.xml", file());
    StringGrid& grid = open();
    EXPECT_EQ(grid.cell(1, 5), "COG and SOG rapid update");
    grid.setCell(2, 1, "8");
    clickOk();
    EXPECT_THAT(messages.texts(), ElementsAre("Error in row 2!! The Priority of J1939 frame must be between 0 and 7"));
    EXPECT_TRUE(window.isVisible());
    grid.setCell(2, 1, "");
    clickOk();
    EXPECT_EQ(readFile(file()), readFile(testing::examplesDir() / "Boat1" / "TCobDef.xml"));
}

TEST_F(TransmitFramesWindow, AMissingAttributeIsReportedWithTheRowsBeforeIt) {
    writeFile(file(),
              "<COBID><row Priority=\"3\" DP=\"1\" PGN=\"1\" ID_DEV=\"2\" Mnemonic=\"a\"/>"
              "<row Priority=\"4\" DP=\"0\" PGN=\"5\" Mnemonic=\"b\"/></COBID>");
    StringGrid& grid = open();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_THAT(messages.messages[0].text, HasSubstr("row 2 has no attribute ID_DEV"));
    EXPECT_EQ(grid.cell(2, 3), "5");
    EXPECT_EQ(grid.cell(2, 5), "");
}

TEST_F(TransmitFramesWindow, EscapeCancelsWithoutWriting) {
    open().setCell(1, 1, "1");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_FALSE(fs::exists(file()));
}

TEST_F(TransmitFramesWindow, AnEmptyPriorityIsFilledFromTheCatalogueOnlyWhenAsked) {
    StringGrid& grid = open();
    auto* fill = window.findChild<QPushButton*>("btnCataloguePriority");
    ASSERT_NE(fill, nullptr);
    grid.setCell(1, 2, "1");
    grid.setCell(1, 3, "0xF200");
    grid.setCurrentCell(1, 3);
    EXPECT_EQ(grid.cell(1, 1), "") << "never filled silently";
    EXPECT_EQ(window.findChild<QLabel*>("pgnCatalogueLine")->text(),
              "127488 Engine Parameters, Rapid Update, priority 2, single frame, 8 bytes");
    ASSERT_TRUE(fill->isEnabled());
    // Alt+P is the button's key; a shortcut presses the button a moment later.
    QTest::keyClick(&window, Qt::Key_P, Qt::AltModifier);
    for (int wait = 0; wait < 100 && grid.cell(1, 1).isEmpty(); ++wait) QTest::qWait(10);
    EXPECT_EQ(grid.cell(1, 1), "2");
    EXPECT_FALSE(fill->isEnabled()) << "a typed priority is never replaced";

    grid.setCell(2, 2, "1");
    grid.setCell(2, 3, "0xFFFE");
    grid.setCurrentCell(2, 3);
    EXPECT_FALSE(fill->isEnabled()) << "the catalogue does not know the PGN";
}

}  // namespace
}  // namespace telvanor
