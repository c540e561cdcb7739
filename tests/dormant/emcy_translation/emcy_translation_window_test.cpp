#include "dormant/emcy_translation/emcy_translation_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "widgets/open_excel.h"
#include "widgets/qt_text.h"
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

// A row of emcydef.xml whose ten other texts are `value`.
std::string row(const std::string& id, const std::string& value = "1") {
    std::string text = "<row id_dev=\"" + id + "\"";
    for (const char* field : {"mask_eq_ec", "mask_eq_er", "mask_eq_m1", "mask_eq_m2", "mask_eq_m3", "enmask_eq_ec",
                              "enmask_eq_er", "enmask_eq_m1", "enmask_eq_m2", "enmask_eq_m3"})
        text += std::string(" ") + field + "=\"" + value + "\"";
    return text + " bypass_set=\"4\"/>";
}

// The row as the window writes it: bypass_set 0.
std::string savedRow(const std::string& id, const std::string& value = "1") {
    std::string text = row(id, value);
    return text.replace(text.find("bypass_set=\"4\""), 14, "bypass_set=\"0\"");
}

class EmcyTranslationWindow : public ::testing::Test {
protected:
    EmcyTranslationWindow() {
        workspace.ProjectDir = project.path();
        SetProjectPaths(workspace);
        openExcel.setChooser([this](QWidget*, const fs::path&) { return chosenWorkbook; });
    }
    ~EmcyTranslationWindow() override { window.hide(); }

    void table(const std::string& rows) { writeFile(project / "emcydef.xml", "<emcydef>" + rows + "</emcydef>"); }
    void show() {
        window.hide();
        messages.messages.clear();
        window.show();
    }
    QListWidget* list() { return window.findChild<QListWidget*>("LBCanA"); }
    QStringList lines() {
        QStringList texts;
        for (int line = 0; line < list()->count(); ++line) texts.push_back(list()->item(line)->text());
        return texts;
    }
    QLineEdit* edit(const char* name) { return window.findChild<QLineEdit*>(name); }
    void type(const char* name, const char* text) { edit(name)->setText(text); }
    void press(const char* name) { window.findChild<QPushButton*>(name)->click(); }
    void select(int line) { list()->setCurrentRow(line); }

    TempDir project;
    WorkspaceState workspace;
    RecordingMessageBoxes messages;
    OpenExcelDialog openExcel;
    std::optional<fs::path> chosenWorkbook;
    TFemcyMB window{workspace, messages, openExcel};
};

TEST_F(EmcyTranslationWindow, ShowsItsControlsInOrderAndWorksByKeyboard) {
    table(row("5"));
    show();
    EXPECT_EQ(window.windowTitle(), "Set Translate EMCY");
    QStringList labels;
    for (QLabel* label : window.findChildren<QLabel*>()) labels.push_back(label->text());
    EXPECT_THAT(labels,
                ElementsAre("ID_EMCY (1..127)", "Mask_error_code (0..65535)", "Enabled_mask_error_code (0..65535)",
                            "MAsk_error_Reg (0..255)", "Enabled_mask_error_Reg (0..255)", "Mask_Manu1 (0..65535)",
                            "Enabled_Mask_Manu1 (0..65535)", "Mask_Manu2 (0..65535)", "Enabled_Mask_Manu2 (0..65535)",
                            "Mask_Manu3 (0..255)", "Enabled_Mask_Manu3 (0..255)"));
    QStringList chain;
    QWidget* first = window.findChild<QWidget*>("LBCanA");
    QWidget* stop = first;
    do {
        if (stop->focusPolicy() & Qt::TabFocus && stop->window() == &window && !stop->objectName().isEmpty())
            chain.push_back(stop->objectName());
        stop = stop->nextInFocusChain();
    } while (stop != first && chain.size() < 19);
    EXPECT_THAT(
        chain, ElementsAre("LBCanA", "Eid_devA", "Emask_eq_ecA", "Eenmask_eq_ecA", "Emask_eq_erA", "Eenmask_eq_erA",
                           "Emask_eq_m1A", "Eenmask_eq_m1A", "Emask_eq_m2A", "Eenmask_eq_m2A", "Emask_eq_m3A",
                           "Eenmask_eq_m3A", "DeleteA", "NewA", "ModifyA", "button1", "bitbtn4", "bitbtn1", "bitbtn2"));
    testing::expectUsableByKeyboard(window, "bitbtn1");
    testing::expectEscapeCloses(window);
    EXPECT_EQ(readFile(project / "emcydef.xml"), "<emcydef>" + row("5") + "</emcydef>") << "Escape writes nothing";
}

TEST_F(EmcyTranslationWindow, ShowsTheFirstOfEqualIdsAndOkWritesThemOrderedWithBypassZero) {
    table(row("10", "a") + row("2", "b") + row("10", "c") + row("7", "d"));
    show();
    EXPECT_THAT(lines(), ElementsAre("10", "2", "7"));
    EXPECT_EQ(list()->currentRow(), 0) << "the first line is selected and shown";
    EXPECT_EQ(edit("Eid_devA")->text(), "10");
    EXPECT_EQ(edit("Eenmask_eq_m3A")->text(), "a");
    select(1);
    EXPECT_EQ(edit("Emask_eq_ecA")->text(), "b");
    EXPECT_THAT(messages.texts(),
                ElementsAre("emcydef.xml:\nrow 3: its id_dev 10 is that of row 1, whose entry is shown\nThe window "
                            "holds 3 of the file's 4 entries; OK asks before it saves fewer."));

    messages.answers = {"Save"};
    press("bitbtn1");
    EXPECT_THAT(messages.questions.at(0).text,
                ::testing::StartsWith("emcydef.xml: 1 of its 4 entries could not be read. Saving now keeps 3 and "
                                      "removes 1 (the old file is kept in backup/)."));
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(readFile(project / "emcydef.xml"),
              "<emcydef>" + savedRow("2", "b") + savedRow("7", "d") + savedRow("10", "a") + "</emcydef>");
}

TEST_F(EmcyTranslationWindow, NewTakesTheNextIdAndTheOtherEdits) {
    show();
    EXPECT_THAT(messages.texts(), ElementsAre("File XML not found"));
    type("Emask_eq_ecA", "65535");
    press("NewA");
    EXPECT_THAT(lines(), ElementsAre("1"));

    table(row("3") + row("7") + row("ID 9"));
    show();
    type("Emask_eq_erA", "300");
    press("NewA");
    EXPECT_THAT(lines(), ElementsAre("3", "7", "ID 9", "8"));
    EXPECT_EQ(list()->currentRow(), 3);
    EXPECT_EQ(window.entries().back().mask_eq_er, "300") << "no range is checked";
    EXPECT_EQ(window.entries().back().mask_eq_ec, "1") << "the texts of the entry shown before";
}

TEST_F(EmcyTranslationWindow, ModifyRefusesAnEmptyOrTakenIdOnceAndKeepsTheEntry) {
    table(row("5") + row("7"));
    show();
    select(0);
    type("Eid_devA", "");
    press("ModifyA");
    EXPECT_THAT(messages.texts(), ElementsAre("Index Not Valid"));
    type("Eid_devA", "7");
    press("ModifyA");
    EXPECT_THAT(messages.texts(), ElementsAre("Index Not Valid", "Index Not Valid"));
    EXPECT_THAT(lines(), ElementsAre("5", "7"));
    EXPECT_EQ(window.entries()[0].id_dev, "5");

    type("Eid_devA", "5");
    type("Emask_eq_m2A", "9");
    press("ModifyA");
    type("Eid_devA", "05");
    press("ModifyA");
    EXPECT_EQ(messages.messages.size(), 2u) << "its own ID, then a different text";
    EXPECT_THAT(lines(), ElementsAre("05", "7"));
    EXPECT_EQ(window.entries()[0].mask_eq_m2, "9");
}

TEST_F(EmcyTranslationWindow, DeleteIsRefusedForAnIdThatAWordUses) {
    table(row("ID 12") + row("13"));
    writeFile(project / "emcyword.xml", "<emcyword><row devid=\"12\"/><row devid=\"\"/></emcyword>");
    show();
    select(0);
    press("DeleteA");
    EXPECT_THAT(messages.texts(), ElementsAre("Error ! ID Emcy assigned to Emcy Word"));
    EXPECT_THAT(lines(), ElementsAre("ID 12", "13"));
    select(1);
    press("DeleteA");
    EXPECT_THAT(lines(), ElementsAre("ID 12"));
    EXPECT_EQ(list()->currentRow(), -1) << "nothing selected after a delete";
    press("DeleteA");
    EXPECT_THAT(lines(), ElementsAre("ID 12"));
}

TEST_F(EmcyTranslationWindow, ReadingFailuresAreShownAndWhatCameBeforeStays) {
    table(row("1") + "<row id_dev=\"2\"/>");
    writeFile(project / "emcyword.xml", "<emcyword><row devid=\"1\"/>");
    show();
    EXPECT_THAT(lines(), ElementsAre("1"));
    ASSERT_EQ(messages.texts().size(), 2u);
    EXPECT_EQ(messages.texts()[0],
              "Error in reading file XML\n\nemcydef.xml:\nrow 2: attribute mask_eq_ec is "
              "missing\nThe window holds 1 of the file's 2 entries; OK asks before it saves "
              "fewer.");
    EXPECT_THAT(messages.texts()[1], HasSubstr("emcyword.xml"));
    select(0);
    press("DeleteA");
    EXPECT_THAT(lines(), IsEmpty()) << "no used ID was read";
}

TEST_F(EmcyTranslationWindow, ANonIntegerIdAtOkWritesNothingAndStaysOpen) {
    table(row("1"));
    show();
    type("Eid_devA", "one");
    press("ModifyA");
    press("bitbtn1");
    EXPECT_THAT(messages.texts(), ElementsAre("'one' is not a valid integer value"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(readFile(project / "emcydef.xml"), "<emcydef>" + row("1") + "</emcydef>");
}

TEST_F(EmcyTranslationWindow, AFailedWriteIsReportedAndTheWindowStaysOpen) {
    fs::create_directory(project / "emcydef.xml");
    fs::create_directory(project / "emcydef.csv");
    show();
    press("NewA");
    press("button1");
    press("bitbtn1");
    ASSERT_EQ(messages.texts().size(), 3u);
    EXPECT_THAT(messages.texts()[0], HasSubstr("emcydef.xml: it is a folder, not a regular file"));
    EXPECT_THAT(messages.texts()[1], HasSubstr("emcydef.csv"));
    EXPECT_THAT(messages.texts()[2], HasSubstr("emcydef.xml is not replaced: it is a folder, not a regular file."));
    EXPECT_TRUE(window.isVisible());
    EXPECT_THAT(lines(), ElementsAre("1"));
}

TEST_F(EmcyTranslationWindow, ExportWritesTheCsvAndImportReplacesTheTable) {
    table(row("5"));
    show();
    press("button1");
    EXPECT_EQ(readFile(project / "emcydef.csv"),
              "id_dev,mask_eq_ec,mask_eq_er,mask_eq_m1,mask_eq_m2,mask_eq_m3,enmask_eq_ec,enmask_eq_er,"
              "enmask_eq_m1,enmask_eq_m2,enmask_eq_m3,bypass_set\r\n5,1,1,1,1,1,1,1,1,1,1,0\r\n");

    chosenWorkbook.reset();
    press("bitbtn4");
    EXPECT_THAT(lines(), ElementsAre("5")) << "a cancelled choice changes nothing";

    chosenWorkbook = testing::testDataDir() / "workbooks" / "emcydef.xls";
    press("bitbtn4");
    EXPECT_THAT(lines(), ElementsAre("5", "ID 12", "5"));
    EXPECT_EQ(edit("Emask_eq_ecA")->text(), "65535") << "the first entry is shown";

    // A workbook without the worksheet keeps the table and says why.
    chosenWorkbook = testing::testDataDir() / "workbooks" / "without_emcy.xls";
    press("bitbtn4");
    EXPECT_THAT(lines(), ElementsAre("5", "ID 12", "5"));
    EXPECT_THAT(messages.texts(),
                ElementsAre("emcydef: 3 entries imported",
                            ::testing::StartsWith("emcydef: nothing imported, the table is unchanged: ")));
    EXPECT_EQ(readFile(project / "emcydef.xml"), "<emcydef>" + row("5") + "</emcydef>") << "only OK writes the file";
}

}  // namespace
}  // namespace telvanor
