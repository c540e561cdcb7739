#include "widgets/table_editor.h"

#include <stdexcept>

#include <QApplication>
#include <QPushButton>
#include <QShowEvent>
#include <QSpontaneKeyEvent>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project/workspace.h"
#include "support/temp_dir.h"
#include "widgets/recording_message_boxes.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::RecordingMessageBoxes;
using testing::TempDir;
using testing::writeFile;

struct Pair {
    std::string a;
    std::string b;
    bool operator==(const Pair&) const = default;
};

// A three-row editor whose columns show the row's fields in the other order than the struct's;
// its "file" is a vector, its stamp a real file. With `endField` an empty cell of that field
// ends the table.
class PairEditor : public TableEditor<Pair> {
public:
    PairEditor(WorkspaceState& workspace, RecordingMessageBoxes& messages, std::filesystem::path stamped,
               std::string Pair::*endField = nullptr)
        : TableEditor(
              {
                  {.objectName = "Pairs", .title = "Pairs", .gridRows = 3},
                  {{"B", &Pair::b}, {"A", &Pair::a}},
                  {
                      [stamped] { return stamped; },
                      [this] {
                          if (failLoad) throw std::runtime_error("unreadable");
                          return TableLoad<Pair>{file, std::nullopt, loss};
                      },
                      [this](const std::vector<Pair>& rows) {
                          std::vector<std::string> failures;
                          for (std::size_t row = 0; row < rows.size(); ++row)
                              if (rows[row].a == "bad") failures.push_back("bad row " + std::to_string(row + 1));
                          return failures;
                      },
                      [this](const std::vector<Pair>& rows) {
                          file = rows;
                          ++saves;
                          return std::optional<std::string>();
                      },
                  },
                  endField,
              },
              workspace, messages, nullptr) {}

    std::vector<Pair> file;
    LoadLoss loss;
    bool failLoad = false;
    int saves = 0;
};

class TableEditorTest : public ::testing::Test {
protected:
    StringGrid& open(PairEditor& shown) {
        shown.hide();
        shown.show();
        QApplication::setActiveWindow(&shown);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&shown));
        return *shown.grid();
    }
    StringGrid& open() { return open(editor); }
    void clickOk(PairEditor& shown) { shown.findChild<QPushButton*>("bitbtn1")->click(); }
    void clickOk() { clickOk(editor); }
    std::vector<std::string> asked() const {
        std::vector<std::string> texts;
        for (const auto& question : messages.questions) texts.push_back(question.text);
        return texts;
    }

    TempDir dir;
    WorkspaceState workspace;
    RecordingMessageBoxes messages;
    PairEditor editor{workspace, messages, dir / "pairs.xml"};
};

TEST_F(TableEditorTest, RowsBeyondTheGridAreToldAndWrittenAfterTheGridsOwnInTheirOrder) {
    for (int fileRows : {0, 2, 3, 5}) {
        messages.messages.clear();
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
        if (fileRows == 5)
            EXPECT_THAT(messages.texts(),
                        ElementsAre("pairs.xml holds 5 rows; rows 4 to 5 are not shown and are written back "
                                    "unchanged."));
        else
            EXPECT_TRUE(messages.messages.empty()) << fileRows;
    }
    EXPECT_TRUE(messages.questions.empty());
}

TEST_F(TableEditorTest, AFailedLoadLeavesAnEmptyGridAndNoUnseenRowsOfTheShowBefore) {
    editor.file = {{"1", "1"}, {"2", "2"}, {"3", "3"}, {"4", "4"}};
    open();
    messages.messages.clear();
    editor.failLoad = true;
    StringGrid& grid = open();
    EXPECT_THAT(messages.texts(), ElementsAre("unreadable"));
    EXPECT_EQ(grid.cell(1, 1), "");
    clickOk();
    EXPECT_EQ(editor.file, std::vector<Pair>(3));
}

// A failure in a row the grid does not show: the user keeps the unseen rows (nothing saved)
// or drops them and saves the rows shown; the window is never one that can only be cancelled.
TEST_F(TableEditorTest, AFailureInAnUnseenRowLetsTheUserKeepOrDropTheUnseenRows) {
    editor.file = {{"1", "1"}, {"2", "2"}, {"3", "3"}, {"bad", "4"}, {"5", "5"}};
    open();
    clickOk();
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_EQ(messages.questions[0].text,
              "bad row 4\n\nThe message is about a row this window does not show: it shows 3 of the 5 rows of "
              "pairs.xml.\n\nKeep the unseen rows 4 to 5 (nothing is saved; they stay in the file as they are), or "
              "drop them (OK then saves the rows the window shows)?");
    EXPECT_EQ(messages.questions[0].defaultButton, "Keep");
    EXPECT_EQ(editor.saves, 0);
    EXPECT_TRUE(editor.isVisible());

    messages.answers = {"Drop"};
    clickOk();
    EXPECT_EQ(editor.file, (std::vector<Pair>{{"1", "1"}, {"2", "2"}, {"3", "3"}}));
    EXPECT_FALSE(editor.isVisible());
}

// OK asks before it writes less than the file held, or a table that an emptied cell cuts off;
// Back, the default and Escape's answer, saves nothing.
TEST_F(TableEditorTest, OkAsksBeforeItSavesLessThanTheFileHeldOrACutOffTable) {
    PairEditor ended(workspace, messages, dir / "pairs.xml", &Pair::b);
    ended.file = {{"a1", "b1"}, {"a2", "b2"}, {"a3", "b3"}};
    StringGrid& grid = open(ended);
    grid.setCell(2, 1, "");  // the B of row 2 ends the table
    clickOk(ended);
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_EQ(messages.questions[0].text,
              "Row 2 has an empty B, so the table ends there: it and the rows below it to row 3 hold texts that are "
              "not saved. Saving now keeps the rows above it.");
    EXPECT_EQ(messages.questions[0].buttons, (std::vector<std::string>{"Save", "Back"}));
    EXPECT_EQ(messages.questions[0].defaultButton, "Back");
    EXPECT_EQ(ended.saves, 0);

    ended.loss = {.file = "pairs.xml", .fileItems = 4};
    ended.loss.stopAt(3, 4, "attribute b is missing", true);
    messages.messages.clear();
    open(ended);
    EXPECT_THAT(messages.texts(),
                ElementsAre("pairs.xml:\nrow 3: attribute b is missing; the window holds the cells read before "
                            "it\nrow 4: not read after row 3\nThe window holds 3 of the file's 4 rows; OK asks before "
                            "it saves fewer."));
    messages.answers = {"Save"};
    clickOk(ended);
    EXPECT_THAT(messages.questions.back().text,
                HasSubstr("pairs.xml: 1 of its 4 rows could not be read. Saving now keeps 3 and removes 1 (the old "
                          "file is kept in backup/)."));
    EXPECT_EQ(ended.saves, 1);
}

// Cancel, Escape and the close box ask before they drop typed texts; Back keeps the window.
TEST_F(TableEditorTest, CancelAsksBeforeDroppingChangesAndOkAsksWhenTheFileChangedOnDisk) {
    editor.file = {{"a1", "b1"}};
    StringGrid& grid = open();
    QTest::keyClick(&editor, Qt::Key_Escape);
    EXPECT_FALSE(editor.isVisible()) << "nothing changed, nothing asked";
    EXPECT_TRUE(messages.questions.empty());

    open();
    grid.setCell(1, 1, "typed");
    // A restore from the task bar (a spontaneous show) keeps what was typed.
    QShowEvent restored;
    QSpontaneKeyEvent::setSpontaneous(&restored);
    static_cast<QObject&>(editor).event(&restored);  // sendEvent would clear the flag
    EXPECT_EQ(grid.cell(1, 1), "typed");
    QTest::keyClick(&editor, Qt::Key_Escape);
    EXPECT_TRUE(editor.isVisible());
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_EQ(messages.questions[0].text, "Discard your changes to pairs.xml?");
    EXPECT_EQ(messages.questions[0].buttons, (std::vector<std::string>{"Discard", "Back"}));
    EXPECT_EQ(messages.questions[0].defaultButton, "Back");
    messages.answers = {"Discard"};
    editor.close();
    EXPECT_FALSE(editor.isVisible());

    writeFile(dir / "pairs.xml", "as read");
    open();
    writeFile(dir / "pairs.xml", "saved by another copy");
    clickOk();
    EXPECT_THAT(messages.questions.back().text, HasSubstr("pairs.xml has changed on disk since this window read it"));
    EXPECT_EQ(messages.questions.back().defaultButton, "Back");
    EXPECT_EQ(editor.saves, 0);
    messages.answers = {"Overwrite"};
    clickOk();
    EXPECT_EQ(editor.saves, 1);
}

}  // namespace
}  // namespace telvanor
