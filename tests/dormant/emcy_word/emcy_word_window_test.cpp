#include "dormant/emcy_word/emcy_word_window.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "widgets/open_excel.h"
#include "widgets/recording_message_boxes.h"
#include "widgets/window_checks.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using testing::readFile;
using testing::RecordingMessageBoxes;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

// A row of emcyword.xml whose bit n holds the texts "n.0", "n.1" and `poscomp` (or n for
// none), subindex and extdata as given.
std::string row(const std::string& index, const std::string& devid, const std::string& held = "9",
                const std::string& poscomp = "") {
    std::string text =
        "<row index_addrm=\"" + index + "\" subindex=\"" + held + "\" extdata=\"" + held + "\" devid=\"" + devid + "\"";
    for (int bit = 0; bit < 16; ++bit) {
        std::string n = std::to_string(bit);
        text += " bit" + n + "_b0=\"" + n + ".0\" bit" + n + "_b1=\"" + n + ".1\" bit" + n + "_poscomp=\"" +
                (poscomp.empty() ? n : poscomp) + "\"";
    }
    return text + "/>";
}

class EmcyWordWindow : public ::testing::Test {
protected:
    EmcyWordWindow() {
        workspace.ProjectDir = project.path();
        SetProjectPaths(workspace);
        openExcel.setChooser([this](QWidget*, const fs::path&) { return chosenWorkbook; });
    }
    ~EmcyWordWindow() override { window.hide(); }

    void words(const std::string& rows) { writeFile(project / "emcyword.xml", "<emcyword>" + rows + "</emcyword>"); }
    void show() {
        window.hide();
        messages.messages.clear();
        window.show();
    }
    QTreeWidget* tree() { return window.findChild<QTreeWidget*>("TWCanA"); }
    QStringList wordNodes() {
        QStringList captions;
        for (int word = 0; word < tree()->topLevelItemCount(); ++word) {
            QTreeWidgetItem* node = tree()->topLevelItem(word);
            captions.push_back(node->text(0));
            EXPECT_EQ(node->childCount(), 16);
        }
        return captions;
    }
    void select(int word, int bit = -1) {
        QTreeWidgetItem* node = tree()->topLevelItem(word);
        tree()->setCurrentItem(bit < 0 ? node : node->child(bit));
    }
    QLineEdit* edit(const char* name) { return window.findChild<QLineEdit*>(name); }
    QString text(const char* name) { return edit(name)->text(); }
    void type(const char* name, const char* typed) { edit(name)->setText(typed); }
    void press(const char* name) { window.findChild<QPushButton*>(name)->click(); }
    QString groupTitle(const char* name) { return window.findChild<QGroupBox*>(name)->title(); }
    // Tab out of the "Id Emcy" edit.
    void leaveIdEmcy() {
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(edit("IDEmcy"), &leave);
        QApplication::processEvents();
    }

    TempDir project;
    WorkspaceState workspace;
    RecordingMessageBoxes messages;
    OpenExcelDialog openExcel;
    std::optional<fs::path> chosenWorkbook;
    TFWemcyMB window{workspace, messages, openExcel};
};

TEST_F(EmcyWordWindow, ShowsATreeOfSeventeenNodesPerWordWithTheirIcons) {
    words(row("10", "5") + row("2", "6") + row("7", "7"));
    show();
    EXPECT_EQ(window.windowTitle(), "EWMCY");
    EXPECT_THAT(wordNodes(), ElementsAre("W0", "W1", "W2"));
    QTreeWidgetItem* word = tree()->topLevelItem(1);
    EXPECT_EQ(word->child(0)->text(0), "Bit0");
    EXPECT_EQ(word->child(15)->text(0), "Bit15");
    for (QTreeWidgetItem* node : {word, word->child(3)}) {
        QIcon icon = node->icon(0);
        EXPECT_FALSE(icon.isNull());
        EXPECT_NE(icon.pixmap(16, QIcon::Normal).toImage(), icon.pixmap(16, QIcon::Selected).toImage())
            << "a selected node shows its other image";
    }
    EXPECT_NE(word->icon(0).pixmap(16).toImage(), word->child(0)->icon(0).pixmap(16).toImage());
    EXPECT_EQ(groupTitle("GBword_emcy_bitmapA"), "Word n° Emcy define");
    EXPECT_EQ(groupTitle("GbebmA"), "Mask BIT n°  Define");
    EXPECT_THAT(messages.texts(), IsEmpty());
    QStringList chain;
    QWidget* first = tree();
    QWidget* stop = first;
    do {
        if (stop->focusPolicy() & Qt::TabFocus && stop->window() == &window && !stop->objectName().isEmpty())
            chain.push_back(stop->objectName());
        stop = stop->nextInFocusChain();
    } while (stop != first && chain.size() < 14);
    EXPECT_THAT(chain, ElementsAre("TWCanA", "IDEmcy", "Eindex_addrmA", "Eb0A", "EposcompA", "Eb1A", "EposcompA2",
                                   "DeleteA", "NewA", "ModifyA", "button1", "bitbtn4", "bitbtn1", "bitbtn2"));
    testing::expectUsableByKeyboard(window, "bitbtn1");
    testing::expectEscapeCloses(window);
}

TEST_F(EmcyWordWindow, SelectingANodeShowsItsWordAndBitWithTheNodeNumber) {
    words(row("10", "5") + row("2", "6", "9", "35"));
    show();
    select(1, 3);
    EXPECT_EQ(groupTitle("GBword_emcy_bitmapA"), "Word n°1 Emcy Define ");
    EXPECT_EQ(groupTitle("GbebmA"), "Mask BIT n°21 Define");
    EXPECT_EQ(text("Eindex_addrmA"), "2");
    EXPECT_EQ(text("IDEmcy"), "6");
    EXPECT_EQ(text("Eb0A"), "3.0");
    EXPECT_EQ(text("Eb1A"), "3.1");
    EXPECT_EQ(text("EposcompA"), "2");
    EXPECT_EQ(text("EposcompA2"), "3");
    select(0);
    EXPECT_EQ(groupTitle("GbebmA"), "Mask BIT n°0 Define");
    EXPECT_EQ(text("IDEmcy"), "5");
    EXPECT_EQ(text("Eb0A") + text("Eb1A") + text("EposcompA") + text("EposcompA2"), "0000");
}

TEST_F(EmcyWordWindow, NewAndDeleteKeepTheWordNumbersOfTheCaptions) {
    words(row("1", "5") + row("9", "5") + row("3", "5"));
    show();
    select(1);
    press("DeleteA");
    EXPECT_THAT(wordNodes(), ElementsAre("W0", "W2"));
    press("NewA");
    EXPECT_THAT(wordNodes(), ElementsAre("W0", "W2", "W3"));
    EXPECT_EQ(text("Eindex_addrmA"), "4") << "one above the largest index left";
    EXPECT_EQ(text("IDEmcy"), "0");
    EXPECT_EQ(tree()->currentItem(), nullptr) << "the new node is not selected";
    select(2);
    press("DeleteA");
    press("NewA");
    EXPECT_THAT(wordNodes(), ElementsAre("W0", "W2", "W3"));
    select(0, 4);
    press("DeleteA");
    EXPECT_THAT(wordNodes(), ElementsAre("W0", "W2", "W3")) << "a bit node deletes nothing";
    select(2, 0);
    EXPECT_EQ(groupTitle("GbebmA"), "Mask BIT n°35 Define") << "numbers count the nodes as they stand";
}

TEST_F(EmcyWordWindow, LeavingIdEmcyKeepsItsDigitsAndWarnsAbove127) {
    show();
    EXPECT_THAT(messages.texts(), ElementsAre("File XML not found"));
    messages.messages.clear();
    type("IDEmcy", "abc12");
    leaveIdEmcy();
    EXPECT_EQ(text("IDEmcy"), "12");
    EXPECT_THAT(messages.texts(), IsEmpty());
    type("IDEmcy", "200");
    leaveIdEmcy();
    EXPECT_EQ(text("IDEmcy"), "200");
    EXPECT_THAT(messages.texts(), ElementsAre("Error !Max value 127"));
}

TEST_F(EmcyWordWindow, ModifyChangesOneBitOrTheWordsIndexAndId) {
    words(row("7", "5") + row("8", "5"));
    show();
    select(1, 2);
    type("Eb0A", "a");
    type("Eb1A", "b");
    type("EposcompA", "4096");
    type("EposcompA2", "0");
    type("Eindex_addrmA", "99");
    press("ModifyA");
    EXPECT_EQ(window.table().words[1].bits[2], (ClEbm{"a", "b", "0"}));
    EXPECT_EQ(window.table().words[1].index_addrm, "8") << "a bit's Modify leaves the word";

    type("EposcompA", "two");
    type("Eb0A", "c");
    press("ModifyA");
    EXPECT_THAT(messages.texts(), ElementsAre("'two' is not a valid integer value"));
    EXPECT_EQ(window.table().words[1].bits[2], (ClEbm{"c", "b", "0"}));

    select(1);
    messages.messages.clear();
    type("Eindex_addrmA", "");
    press("ModifyA");
    type("Eindex_addrmA", "7");
    press("ModifyA");
    EXPECT_THAT(messages.texts(), ElementsAre("Index ' not vaid", "Index already Exists"));
    type("Eindex_addrmA", "07");
    type("IDEmcy", "");
    press("ModifyA");
    EXPECT_EQ(text("IDEmcy"), "0");
    EXPECT_EQ(window.table().words[1].index_addrm, "07");
    EXPECT_EQ(window.table().words[1].devid, "0");
    EXPECT_EQ(tree()->topLevelItem(1)->text(0), "W1") << "the caption does not change";
}

TEST_F(EmcyWordWindow, OkWritesTheWordsOrderedWithSubindexAndExtdataZero) {
    words(row("10", "5") + row("7", "6") + row("2", "7"));
    show();
    select(0);
    type("Eindex_addrmA", "07");
    press("ModifyA");
    press("bitbtn1");
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(readFile(project / "emcyword.xml"),
              "<emcyword>" + row("2", "7", "0") + row("7", "6", "0") + row("07", "5", "0") + "</emcyword>")
        << "07 and 7 are both 7: the later word first";
}

TEST_F(EmcyWordWindow, ANonIntegerIndexAtOkWritesNothingAndAReadingFailureKeepsTheWordsBefore) {
    words(row("1", "5") + "<row index_addrm=\"2\"/>");
    show();
    EXPECT_THAT(wordNodes(), ElementsAre("W0"));
    const std::string readingError =
        "Error in reading file XML\n\nemcyword.xml:\nrow 2: attribute devid is missing\nThe window holds 1 of the "
        "file's 2 words; OK asks before it saves fewer.";
    EXPECT_THAT(messages.texts(), ElementsAre(readingError));
    select(0);
    type("Eindex_addrmA", "1a");
    press("ModifyA");
    press("bitbtn1");
    EXPECT_THAT(messages.texts(), ElementsAre(readingError, "'1a' is not a valid integer value"));
    EXPECT_TRUE(messages.questions.empty()) << "refused before anything is asked";
    EXPECT_TRUE(window.isVisible());
    EXPECT_THAT(readFile(project / "emcyword.xml"), HasSubstr("<row index_addrm=\"2\"/>")) << "nothing written";
}

TEST_F(EmcyWordWindow, AFailedWriteIsReportedAndTheWindowStaysOpen) {
    fs::create_directory(project / "emcyword.xml");
    fs::create_directory(project / "emcyword.csv");
    show();
    press("NewA");
    press("button1");
    press("bitbtn1");
    ASSERT_EQ(messages.texts().size(), 3u);
    EXPECT_THAT(messages.texts()[0], HasSubstr("emcyword.xml: it is a folder, not a regular file"));
    EXPECT_THAT(messages.texts()[1], HasSubstr("emcyword.csv"));
    EXPECT_THAT(messages.texts()[2], HasSubstr("emcyword.xml is not replaced: it is a folder, not a regular file."));
    EXPECT_TRUE(window.isVisible());
    EXPECT_THAT(wordNodes(), ElementsAre("W0"));
}

TEST_F(EmcyWordWindow, ExportWritesTheCsvAndImportReplacesTheTree) {
    words(row("3", "12"));
    show();
    press("button1");
    std::string csv = readFile(project / "emcyword.csv");
    EXPECT_THAT(csv, HasSubstr("index_addrm,subindex,extdata,devid,bit0_b0,"));
    EXPECT_THAT(csv, HasSubstr("\r\n3,0,0,12,0.0,0.1,0,1.0,"));
    EXPECT_TRUE(csv.ends_with(",15.0,15.1,15,\r\n"));

    chosenWorkbook = testing::testDataDir() / "workbooks" / "emcyword.xls";
    select(0, 1);
    press("bitbtn4");
    EXPECT_THAT(wordNodes(), ElementsAre("W0", "W1"));
    EXPECT_EQ(text("Eb0A"), "") << "the edits are emptied";
    EXPECT_EQ(text("IDEmcy"), "12") << "but not Id Emcy";
    select(0);
    EXPECT_EQ(text("Eindex_addrmA"), "101");
    EXPECT_EQ(text("IDEmcy"), "104");

    // A workbook without the worksheet keeps the table and says why.
    chosenWorkbook = testing::testDataDir() / "workbooks" / "without_emcy.xls";
    press("bitbtn4");
    EXPECT_THAT(wordNodes(), ElementsAre("W0", "W1"));
    EXPECT_THAT(messages.texts(),
                ElementsAre("emcyword: 2 words imported",
                            ::testing::StartsWith("emcyword: nothing imported, the table is unchanged: ")));
    EXPECT_EQ(readFile(project / "emcyword.xml"), "<emcyword>" + row("3", "12") + "</emcyword>");
}

}  // namespace
}  // namespace telvanor
