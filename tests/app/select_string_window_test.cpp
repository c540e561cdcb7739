#include "app/select_string_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSpontaneKeyEvent>
#include <QTableWidget>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "widgets/recording_message_boxes.h"
#include "widgets/window_checks.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using testing::RecordingMessageBoxes;
using testing::TempDir;
using testing::writeFile;

class SelectStringWindow : public ::testing::Test {
protected:
    QTableWidget& grid() { return *window.findChild<QTableWidget*>("sg"); }
    QString text(int row) { return grid().item(row, 1)->text(); }
    QString caption() { return window.findChild<QLabel*>("Label1")->text(); }

    void showAgain() {
        window.hide();
        window.show();
    }

    TempDir folder;
    RecordingMessageBoxes messages;
    TFSELstringhe window{messages};
};

TEST_F(SelectStringWindow, ListsThreeStringsAndRecordsTheSelectedIndex) {
    writeFile(folder / "strings.xml", "<strings><s>Engine speed</s><s>Coolant</s><s>Fuel</s></strings>");
    window.selection().stringsFilePath = folder / "strings.xml";
    EXPECT_EQ(caption(), "Sel str:");
    window.show();

    EXPECT_THAT(messages.texts(), ElementsAre());
    EXPECT_EQ(window.windowTitle(), "Select String");
    ASSERT_EQ(grid().rowCount(), 1000);
    EXPECT_EQ(grid().horizontalHeaderItem(0)->text(), "Index");
    EXPECT_EQ(grid().horizontalHeaderItem(1)->text(), "String");
    EXPECT_EQ(grid().item(0, 0)->text(), "0");
    EXPECT_EQ(grid().item(999, 0)->text(), "999");
    EXPECT_EQ(text(0), "Engine speed");
    EXPECT_EQ(text(2), "Fuel");
    EXPECT_EQ(text(3), "");
    EXPECT_EQ(grid().currentRow(), 0);

    // The third string, in grid row 3 under the heading.
    grid().setCurrentCell(2, 1);
    EXPECT_EQ(window.selection().selectedIndex, 2);
    EXPECT_EQ(caption(), "Sel str: 2");

    // Cancel keeps the index that was recorded; the next showing starts on it.
    window.findChild<QPushButton*>("bitbtn2")->click();
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_EQ(window.selection().selectedIndex, 2);
    window.show();
    EXPECT_EQ(grid().currentRow(), 2);
    EXPECT_EQ(caption(), "Sel str: 2");
}

TEST_F(SelectStringWindow, WithoutAFileEveryShowingSaysSoAndListsTheIndexes) {
    window.show();
    showAgain();
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[0].kind, "plain");
    EXPECT_THAT(messages.texts(), ElementsAre("File strings XML not found", "File strings XML not found"));
    EXPECT_EQ(grid().item(500, 0)->text(), "500");
    EXPECT_EQ(text(0), "");
}

TEST_F(SelectStringWindow, BrokenFileIsReportedAndTextsOfAnEarlierFileDoNotLinger) {
    writeFile(folder / "strings.xml", "<strings><s>Engine speed</s><s>Coolant</s><s>Fuel</s></strings>");
    window.selection().stringsFilePath = folder / "strings.xml";
    window.show();
    writeFile(folder / "strings.xml", "<strings><s>Rudder</s></strings>");
    showAgain();
    EXPECT_EQ(text(0), "Rudder");
    EXPECT_EQ(text(1), "");
    EXPECT_EQ(text(2), "");
    // A restore from the task bar (a spontaneous show) keeps the list; only a real show reads.
    writeFile(folder / "strings.xml", "<strings><s>Keel</s></strings>");
    QShowEvent restored;
    QSpontaneKeyEvent::setSpontaneous(&restored);
    static_cast<QObject&>(window).event(&restored);  // sendEvent would clear the flag
    EXPECT_EQ(text(0), "Rudder");

    writeFile(folder / "strings.xml", "<strings><s>Rudder</strings>");
    showAgain();
    EXPECT_THAT(messages.texts(), ElementsAre("Error in reading file XML"));
    EXPECT_EQ(text(0), "");
}

TEST_F(SelectStringWindow, OkIsTheDefaultAndEscapeCancels) {
    testing::expectUsableByKeyboard(window, "bitbtn1");
    window.findChild<QPushButton*>("bitbtn1")->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    testing::expectEscapeCloses(window);
    // The heading of the index column fits.
    QHeaderView* header = grid().horizontalHeader();
    EXPECT_GE(header->sectionSize(0), header->fontMetrics().horizontalAdvance("Index"));
}

}  // namespace
}  // namespace telvanor
