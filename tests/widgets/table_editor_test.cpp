#include "widgets/table_editor.h"

#include <stdexcept>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project/workspace.h"
#include "widgets/recording_message_boxes.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using testing::RecordingMessageBoxes;

struct Pair {
    std::string a;
    std::string b;
    bool operator==(const Pair&) const = default;
};

// A three-row editor whose columns show the row's fields in the other order than the struct's.
class PairEditor : public TableEditor<Pair> {
public:
    PairEditor(WorkspaceState& workspace, RecordingMessageBoxes& messages)
        : TableEditor(
              {
                  {.objectName = "Pairs", .title = "Pairs", .gridRows = 3},
                  {{"B", &Pair::b}, {"A", &Pair::a}},
                  {
                      [this] {
                          if (failLoad) throw std::runtime_error("unreadable");
                          return TableLoad<Pair>{file, std::nullopt};
                      },
                      [](const std::vector<Pair>&) { return std::vector<std::string>(); },
                      [this](const std::vector<Pair>& rows) {
                          file = rows;
                          return std::optional<std::string>();
                      },
                  },
              },
              workspace, messages, nullptr) {}

    std::vector<Pair> file;
    bool failLoad = false;
};

class TableEditorTest : public ::testing::Test {
protected:
    StringGrid& open() {
        editor.hide();
        editor.show();
        QApplication::setActiveWindow(&editor);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&editor));
        return *editor.grid();
    }
    void clickOk() { editor.findChild<QPushButton*>("bitbtn1")->click(); }

    WorkspaceState workspace;
    RecordingMessageBoxes messages;
    PairEditor editor{workspace, messages};
};

TEST_F(TableEditorTest, RowsBeyondTheGridAreWrittenAfterTheGridsOwnInTheirOrder) {
    for (int fileRows : {0, 2, 3, 5}) {
        std::vector<Pair> rows;
        for (int index = 1; index <= fileRows; ++index)
            rows.push_back({"a" + std::to_string(index), "b" + std::to_string(index)});
        editor.file = rows;
        StringGrid& grid = open();
        EXPECT_EQ(grid.cell(3, 1), fileRows >= 3 ? "b3" : "") << fileRows;
        grid.setCell(1, 2, "typed");
        clickOk();

        std::vector<Pair> expected = rows;
        if (expected.size() < 3) expected.resize(3);
        expected[0].a = "typed";
        EXPECT_EQ(editor.file, expected) << fileRows;
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(TableEditorTest, AFailedLoadLeavesAnEmptyGridAndNoUnseenRowsOfTheShowBefore) {
    editor.file = {{"1", "1"}, {"2", "2"}, {"3", "3"}, {"4", "4"}};
    open();
    editor.failLoad = true;
    StringGrid& grid = open();
    EXPECT_THAT(messages.texts(), ElementsAre("unreadable"));
    EXPECT_EQ(grid.cell(1, 1), "");
    clickOk();
    EXPECT_EQ(editor.file, std::vector<Pair>(3));
}

}  // namespace
}  // namespace telvanor
