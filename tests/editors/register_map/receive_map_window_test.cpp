#include "editors/register_map/receive_map_window.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "map_window_driver.h"
#include "support/temp_dir.h"
#include "widgets/open_excel.h"
#include "widgets/recording_message_boxes.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::MapWindowDriver;
using testing::readFile;
using testing::RecordingMessageBoxes;
using testing::Shown;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

std::string receiveFrame(const std::string& pgn, const std::string& multi = "N", const std::string& bytes = "",
                         const std::string& fast = "N") {
    return "<row DataPage=\"1\" PGN=\"" + pgn + "\" ID_DEV=\"35\" MultiFrame=\"" + multi + "\" FastPacket=\"" + fast +
           "\" StartByte=\"1\" NByte=\"" + bytes + "\" Delete=\"N\" Mnemonic=\"\"/>";
}

std::string mapRow(const std::string& index, const std::string& frame, const std::string& posComp) {
    return "<row Index=\"" + index + "\" NrPdo=\"" + frame + "\" PosComp=\"" + posComp + "\"/>";
}

class ReceiveMapWindow : public ::testing::Test {
protected:
    ReceiveMapWindow() {
        workspace.ProjectDir = project.path();
        openExcel.setChooser([this](QWidget*, const fs::path&) { return chosenWorkbook; });
    }
    ~ReceiveMapWindow() override { window.hide(); }

    void frames(const std::string& rows) { writeFile(project / "RCobDef.xml", "<COBID>" + rows + "</COBID>"); }
    void map(const std::string& rows) { writeFile(project / "RInfoCob.xml", "<RInfoCob>" + rows + "</RInfoCob>"); }
    std::string savedMap() { return readFile(project / "RInfoCob.xml"); }
    void show() {
        window.hide();
        window.show();
    }
    bool panelsShown() { return driver.control<QFrame>("Panel1")->isVisible(); }
    QStringList entries(const char* list) {
        QStringList texts;
        auto* box = driver.control<QComboBox>(list);
        for (int i = 0; i < box->count(); ++i) texts.push_back(box->itemText(i));
        return texts;
    }
    int listChoice(const char* list) { return driver.control<QComboBox>(list)->currentIndex(); }

    TempDir project;
    WorkspaceState workspace;
    RecordingMessageBoxes messages;
    OpenExcelDialog openExcel;
    std::optional<fs::path> chosenWorkbook;
    TFInfopdoMB window{workspace, messages, openExcel};
    MapWindowDriver driver{window};
};

TEST_F(ReceiveMapWindow, ShowsItsControlsWithTheirCaptions) {
    show();
    EXPECT_EQ(window.windowTitle(), "Receive NMEA2000 Frame Info");
    auto* tabs = driver.control<QTabWidget>("PageControl1");
    ASSERT_EQ(tabs->count(), 1);
    EXPECT_EQ(tabs->tabText(0), "Can0-ModBus");
    EXPECT_EQ(driver.control<QLabel>("LPdoCanAHeading")->text(), "DP               PGN            SA");
    std::pair<const char*, const char*> buttons[] = {
        {"DELETEa", "Delete"}, {"NewA", "New"},       {"ModifyA", "Modify"}, {"copyA", "Copy"},    {"PasteA", "Paste"},
        {"bitbtn1", "OK"},     {"bitbtn2", "Cancel"}, {"button1", "Export"}, {"bitbtn4", "Import"}};
    for (auto [name, caption] : buttons) {
        EXPECT_EQ(driver.control<QPushButton>(name)->text(), caption);
        EXPECT_TRUE(driver.control<QPushButton>(name)->isVisible()) << name;
    }
    EXPECT_TRUE(driver.control<QPushButton>("bitbtn1")->isDefault());
    EXPECT_EQ(driver.radioChoice("PoscompMsbA"), 0);
    EXPECT_EQ(driver.radioChoice("PoscompLsbA"), 0);
    EXPECT_FALSE(panelsShown());
    EXPECT_EQ(window.focusWidget(), driver.control<QWidget>("bitbtn1"));
}

TEST_F(ReceiveMapWindow, EveryControlHasAnAccessibleNameAndNothingIsCutOff) {
    show();
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(&window)) continue;
        // Scroll bars and the tab bar (whose tabs carry their captions) are parts of other controls.
        if (qobject_cast<QScrollBar*>(widget) || qobject_cast<QTabBar*>(widget)) continue;
        auto* pushButton = qobject_cast<QAbstractButton*>(widget);
        QString name = pushButton && widget->accessibleName().isEmpty() ? pushButton->text() : widget->accessibleName();
        EXPECT_FALSE(name.isEmpty()) << widget->objectName().toStdString();
        EXPECT_GE(widget->width(), widget->minimumSizeHint().width()) << widget->objectName().toStdString();
    }
    EXPECT_EQ(window.size(), window.sizeHint()) << "the window is as large as its content";
    EXPECT_LE(window.frameGeometry().width(), 1024);
    EXPECT_LE(window.frameGeometry().height(), 768);
}

TEST_F(ReceiveMapWindow, TabVisitsTheControlsInLayoutOrder) {
    frames(receiveFrame("1") + receiveFrame("2", "Y", "10"));
    show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto walk = [&] {
        QStringList visited;
        driver.mappings()->setFocus();
        for (int step = 0; step < 16; ++step) {
            visited.push_back(QApplication::focusWidget()->objectName());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        return visited;
    };
    EXPECT_THAT(walk(), ElementsAre("LIndMbCanA", "LPdoCanA", "frameBytes", "EindexA", "PoscompMsbA_0", "PoscompLsbA_0",
                                    "NewA", "ModifyA", "DELETEa", "copyA", "PasteA", "button1", "bitbtn4", "bitbtn1",
                                    "bitbtn2", "LIndMbCanA"));
    driver.selectFrame(1);
    EXPECT_THAT(walk(),
                ElementsAre("LIndMbCanA", "LPdoCanA", "frameBytes", "EindexA", "CB_HB", "CB_LB", "NewA", "ModifyA",
                            "DELETEa", "copyA", "PasteA", "button1", "bitbtn4", "bitbtn1", "bitbtn2", "LIndMbCanA"));
}

TEST_F(ReceiveMapWindow, ListsTheFramesAndTheirMappingsByPosition) {
    frames(receiveFrame("0xF801") + receiveFrame("0xF802"));
    map(mapRow("3", "2", "1") + mapRow("1", "2", "2") + mapRow("9", "1", "0"));
    show();
    EXPECT_THAT(driver.frameLines(), ElementsAre("1\t0xF801\t35", "1\t0xF802\t35"));
    EXPECT_EQ(driver.frames()->currentRow(), -1) << "no frame is selected after a show";
    EXPECT_THAT(driver.mappingLines(), IsEmpty());
    EXPECT_EQ(driver.index()->placeholderText(), "10 (next free)");
    driver.selectFrame(1);
    EXPECT_THAT(driver.fullMappingLines(),
                ElementsAre("Ind MB 0   3 (0x3)   none / B1", "Ind MB 1   1 (0x1)   none / B2"));
    driver.selectMapping(1);
    EXPECT_EQ(driver.index()->text(), "1");
    EXPECT_THAT(messages.texts(), IsEmpty());
}

// The receive map's own exchange: its export read back by Import gives the same map, in memory
// until OK.
TEST_F(ReceiveMapWindow, ExportThenImportGivesTheMapBack) {
    frames(receiveFrame("0xF801") + receiveFrame("0xF802"));
    const std::string rows = mapRow("3", "2", "1") + mapRow("0x10", "1", "131073");
    map(rows);
    show();
    driver.exportAs(0);
    EXPECT_EQ(readFile(project / "RInfoCob.csv"), "0x10,1,131073,\r\n3,2,1,\r\n");
    driver.exportAs(1);
    writeFile(project / "RInfoCob.xml", "<RInfoCob/>");
    show();
    chosenWorkbook = project / "RInfoCob.xlsx";
    driver.press("bitbtn4");
    EXPECT_EQ(window.registerMap().mappingCount(), 2u);
    driver.press("bitbtn1");
    EXPECT_EQ(savedMap(), "<RInfoCob>" + mapRow("3", "2", "1") + mapRow("0x10", "1", "131073") + "</RInfoCob>");
    EXPECT_THAT(messages.texts(), ElementsAre(::testing::StartsWith("RInfoCob: 2 mappings exported to "),
                                              ::testing::StartsWith("RInfoCob: 2 mappings exported to "),
                                              "RInfoCob: 2 mappings imported"));
}

TEST_F(ReceiveMapWindow, SelectingAMappingShowsItsBytes) {
    frames(receiveFrame("1"));
    map(mapRow("1", "1", "131073") + mapRow("2", "1", "0") + mapRow("3", "1", std::to_string(20 * 65536 + 9)));
    show();
    driver.selectFrame(0);
    driver.selectMapping(0);
    EXPECT_EQ(driver.radioChoice("PoscompMsbA"), 2);
    EXPECT_EQ(driver.radioChoice("PoscompLsbA"), 1);
    driver.selectMapping(1);
    EXPECT_EQ(driver.radioChoice("PoscompMsbA"), 0);
    EXPECT_EQ(driver.radioChoice("PoscompLsbA"), 0);
    driver.selectMapping(2);
    EXPECT_EQ(driver.radioChoice("PoscompMsbA"), 4) << "20 & 0xF";
    EXPECT_EQ(driver.radioChoice("PoscompLsbA"), 8) << "9 chooses B8";
}

TEST_F(ReceiveMapWindow, MultiFrameMessagesChooseFromByteLists) {
    frames(receiveFrame("1") + receiveFrame("2", "Y", "10") + receiveFrame("3", "N", "43", "Y"));
    map(mapRow("1", "2", std::to_string(3 * 65536 + 10)) + mapRow("2", "2", std::to_string(11 * 65536 + 1)));
    show();
    driver.selectFrame(1);
    EXPECT_TRUE(panelsShown());
    EXPECT_FALSE(driver.control<QWidget>("PoscompMsbA")->isVisible()) << "the panels cover the groups";
    EXPECT_THAT(entries("CB_HB"), ElementsAre("None", "Byte1", "Byte2", "Byte3", "Byte4", "Byte5", "Byte6", "Byte7",
                                              "Byte8", "Byte9", "Byte10"));
    EXPECT_EQ(entries("CB_LB"), entries("CB_HB"));
    EXPECT_EQ(listChoice("CB_HB"), 0);
    driver.selectMapping(0);
    EXPECT_EQ(listChoice("CB_HB"), 3);
    EXPECT_EQ(listChoice("CB_LB"), 10);
    driver.selectMapping(1);
    EXPECT_EQ(listChoice("CB_HB"), -1) << "a position beyond the list selects nothing";
    EXPECT_EQ(listChoice("CB_LB"), 1);

    driver.selectFrame(2);
    EXPECT_FALSE(panelsShown()) << "a fast-packet frame without MultiFrame has B1 to B8";
    EXPECT_TRUE(driver.control<QWidget>("PoscompMsbA")->isVisible());
}

TEST_F(ReceiveMapWindow, NewAddsALineWithASmallBAndSelectsIt) {
    frames(receiveFrame("1") + receiveFrame("2", "Y", "16"));
    map(mapRow("16", "2", "0"));
    show();
    driver.selectFrame(0);
    driver.typeIndex("0x20");
    driver.chooseRadio("PoscompMsbA", 2);
    driver.chooseRadio("PoscompLsbA", 1);
    driver.press("NewA");
    EXPECT_THAT(driver.mappingLines(), ElementsAre("Ind Mb 0"));
    EXPECT_EQ(driver.mappings()->currentRow(), 0);
    EXPECT_EQ(driver.index()->text(), "0x20") << "the edit fields keep their values";

    driver.typeIndex("0x10");
    driver.press("NewA");
    EXPECT_THAT(shown(messages), ElementsAre(Shown{"error", "Index or Subindex Not Valid"}));
    driver.typeIndex("70000");
    driver.press("NewA");
    EXPECT_EQ(messages.messages.size(), 1u) << "an Index out of range is dropped without a message";
    EXPECT_THAT(driver.mappingLines(), ElementsAre("Ind Mb 0"));

    // On a multi-frame message the byte lists give the positions.
    driver.selectFrame(1);
    driver.control<QComboBox>("CB_HB")->setCurrentIndex(12);
    driver.control<QComboBox>("CB_LB")->setCurrentIndex(16);
    driver.typeIndex("21");
    driver.press("NewA");
    EXPECT_THAT(driver.mappingLines(), ElementsAre("Ind MB 0", "Ind Mb 1"));
    driver.press("bitbtn1");
    EXPECT_EQ(savedMap(), "<RInfoCob>" + mapRow("16", "2", "0") + mapRow("21", "2", std::to_string(12 * 65536 + 16)) +
                              mapRow("0x20", "1", "131073") + "</RInfoCob>");
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(ReceiveMapWindow, NewWithLettersIsSilentInAnEmptyMapAndAConversionErrorOtherwise) {
    frames(receiveFrame("1"));
    show();
    driver.selectFrame(0);
    driver.typeIndex("abc");
    driver.press("NewA");
    EXPECT_THAT(messages.texts(), IsEmpty());
    driver.typeIndex("4");
    driver.press("NewA");
    driver.typeIndex("abc");
    driver.press("NewA");
    EXPECT_THAT(shown(messages), ElementsAre(Shown{"error", "'abc' is not a valid integer value"}));
    EXPECT_THAT(driver.mappingLines(), ElementsAre("Ind Mb 0"));
}

TEST_F(ReceiveMapWindow, ModifyKeepsTheLinesOwnTextAndShowsTheChangedRegister) {
    frames(receiveFrame("1"));
    map(mapRow("1", "1", "0") + mapRow("2", "1", "0"));
    show();
    driver.selectFrame(0);
    driver.selectMapping(1);
    driver.typeIndex("1");
    driver.press("ModifyA");
    EXPECT_THAT(messages.texts(), ElementsAre("Index or Subindex Not Valid"));
    driver.typeIndex("70000");
    driver.chooseRadio("PoscompLsbA", 5);
    driver.press("ModifyA");
    EXPECT_THAT(driver.fullMappingLines(),
                ElementsAre("Ind MB 0   1 (0x1)   none / none", "Ind MB 1   70000 (0x11170)   none / B5"));
    EXPECT_EQ(driver.index()->placeholderText(), "2 (next free)") << "70000 is no register the map can use";
    driver.press("bitbtn1");
    EXPECT_EQ(savedMap(), "<RInfoCob>" + mapRow("1", "1", "0") + mapRow("70000", "1", "5") + "</RInfoCob>");
}

TEST_F(ReceiveMapWindow, DeleteLeavesTheOtherLinesAsTheyWere) {
    frames(receiveFrame("1"));
    map(mapRow("1", "1", "0") + mapRow("2", "1", "0") + mapRow("3", "1", "0"));
    show();
    driver.selectFrame(0);
    driver.selectMapping(1);
    driver.press("DELETEa");
    EXPECT_THAT(driver.mappingLines(), ElementsAre("Ind MB 0", "Ind MB 2"));
    EXPECT_EQ(driver.mappings()->currentRow(), -1);
    EXPECT_EQ(driver.index()->text(), "2") << "the edit fields keep their values";
    driver.selectMapping(1);
    EXPECT_EQ(driver.index()->text(), "3") << "the line shows the mapping now at that place";
    driver.clickLine(driver.frames(), 0);
    EXPECT_THAT(driver.mappingLines(), ElementsAre("Ind MB 0", "Ind MB 1"));
    driver.press("bitbtn1");
    EXPECT_EQ(savedMap(), "<RInfoCob>" + mapRow("1", "1", "0") + mapRow("3", "1", "0") + "</RInfoCob>");
}

TEST_F(ReceiveMapWindow, ClickingTheSelectedFrameAgainClearsTheEditFields) {
    frames(receiveFrame("1"));
    map(mapRow("7", "1", "131073"));
    show();
    driver.selectFrame(0);
    driver.selectMapping(0);
    ASSERT_EQ(driver.index()->text(), "7");
    driver.clickLine(driver.frames(), 0);
    EXPECT_EQ(driver.index()->text(), "");
    EXPECT_EQ(driver.radioChoice("PoscompMsbA"), 0);
    EXPECT_THAT(driver.mappingLines(), ElementsAre("Ind MB 0"));
    // The keyboard selects too.
    driver.mappings()->setFocus();
    QTest::keyClick(driver.mappings(), Qt::Key_Down);
    EXPECT_EQ(driver.index()->text(), "7");
}

TEST_F(ReceiveMapWindow, PasteBeforeAnyCopyEmptiesTheIndexAndReportsTheEmptyText) {
    frames(receiveFrame("1"));
    show();
    driver.selectFrame(0);
    driver.typeIndex("12");
    driver.chooseRadio("PoscompMsbA", 3);
    driver.press("PasteA");
    EXPECT_EQ(driver.index()->text(), "");
    EXPECT_THAT(messages.texts(), ElementsAre("'' is not a valid integer value"));
    EXPECT_EQ(driver.radioChoice("PoscompMsbA"), 3) << "the byte selectors keep their choices";
}

TEST_F(ReceiveMapWindow, TheCopyBufferOutlivesTheShowAndTheProject) {
    frames(receiveFrame("1") + receiveFrame("2", "Y", "30"));
    show();
    driver.selectFrame(1);
    driver.typeIndex("$40");
    driver.control<QComboBox>("CB_HB")->setCurrentIndex(20);
    driver.control<QComboBox>("CB_LB")->setCurrentIndex(9);
    driver.press("copyA");
    EXPECT_THAT(driver.mappingLines(), IsEmpty()) << "Copy creates no mapping";

    // Cancel, then another project.
    driver.press("bitbtn2");
    TempDir other;
    writeFile(other / "rcobdef.xml", "<COBID>" + receiveFrame("9") + "</COBID>");
    workspace.ProjectDir = other.path();
    show();
    driver.selectFrame(0);
    driver.press("PasteA");
    EXPECT_EQ(driver.index()->text(), "$40");
    EXPECT_EQ(driver.radioChoice("PoscompMsbA"), 4) << "20 & 0xF on an ordinary frame";
    EXPECT_EQ(driver.radioChoice("PoscompLsbA"), 8) << "9 chooses B8";
    EXPECT_THAT(messages.texts(), IsEmpty());
    EXPECT_FALSE(fs::exists(project / "RInfoCob.xml")) << "Cancel writes nothing";
}

TEST_F(ReceiveMapWindow, PasteOnAMultiFrameMessageSelectsListPositions) {
    frames(receiveFrame("2", "Y", "30"));
    show();
    driver.selectFrame(0);
    driver.control<QComboBox>("CB_HB")->setCurrentIndex(25);
    driver.control<QComboBox>("CB_LB")->setCurrentIndex(2);
    driver.press("copyA");
    driver.selectFrame(-1);
    driver.selectFrame(0);
    ASSERT_EQ(listChoice("CB_HB"), 0);
    driver.press("PasteA");
    EXPECT_EQ(listChoice("CB_HB"), 25);
    EXPECT_EQ(listChoice("CB_LB"), 2);
}

TEST_F(ReceiveMapWindow, ConversionErrorOfASelectedMappingLeavesWhatWasDone) {
    frames(receiveFrame("2", "Y", "30"));
    map(mapRow("5", "1", "bad"));
    show();
    driver.selectFrame(0);
    driver.control<QComboBox>("CB_HB")->setCurrentIndex(7);
    driver.selectMapping(0);
    EXPECT_THAT(messages.texts(), ElementsAre("'bad' is not a valid integer value"));
    EXPECT_EQ(driver.index()->text(), "5");
    EXPECT_EQ(listChoice("CB_HB"), 0) << "the lists are back at None";
}

TEST_F(ReceiveMapWindow, OkWithAnIndexThatIsNotAnIntegerWritesNothingAndStaysOpen) {
    frames(receiveFrame("1"));
    map(mapRow("1x", "1", "0"));
    show();
    driver.press("bitbtn1");
    EXPECT_THAT(messages.texts(), ElementsAre("'1x' is not a valid integer value"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(savedMap(), "<RInfoCob>" + mapRow("1x", "1", "0") + "</RInfoCob>");
}

TEST_F(ReceiveMapWindow, OkWithoutAFrameTableWritesAnEmptyMap) {
    map(mapRow("1", "1", "0"));
    show();
    EXPECT_THAT(shown(messages),
                ElementsAre(Shown{"information",
                                  "Error in reading file SDOPDO XML\n\nRInfoCob.xml:\nrow 1: there is no frame table "
                                  "(RCobDef.xml) to attach it to\nThe window holds 0 of the file's 1 mappings; OK "
                                  "asks before it saves fewer."}));
    driver.press("bitbtn1");
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_THAT(messages.questions[0].text,
                ::testing::StartsWith("RInfoCob.xml: 1 of its 1 mappings could not be read. Saving now keeps 0 and "
                                      "removes 1 (the old file is kept in backup/)."));
    EXPECT_EQ(savedMap(), "<RInfoCob>" + mapRow("1", "1", "0") + "</RInfoCob>") << "Back is the default";
    messages.answers = {"Save"};
    driver.press("bitbtn1");
    EXPECT_EQ(savedMap(), "<RInfoCob/>");
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ReceiveMapWindow, EveryShowStartsAfreshButTheTitleAndCopyBuffer) {
    frames(receiveFrame("1"));
    map(mapRow("1", "1", "0"));
    show();
    driver.selectFrame(0);
    driver.press("DELETEa");  // nothing selected: nothing happens
    driver.selectMapping(0);
    driver.press("DELETEa");
    window.setWindowTitle("changed");
    messages.answers = {"Discard"};
    driver.press("bitbtn2");
    EXPECT_FALSE(window.isVisible());
    show();
    EXPECT_EQ(window.windowTitle(), "Receive NMEA2000 Frame Info");
    driver.selectFrame(0);
    EXPECT_THAT(driver.mappingLines(), ElementsAre("Ind MB 0")) << "Cancel dropped the deletion";
}

TEST_F(ReceiveMapWindow, BadFilesAreReportedOncePerFile) {
    frames(receiveFrame("1") + "<row DataPage=\"1\"/>" + receiveFrame("3"));
    map(mapRow("1", "1", "0") + "<row Index=\"2\"/>" + mapRow("3", "1", "0"));
    show();
    EXPECT_THAT(shown(messages),
                ElementsAre(Shown{"information",
                                  "Error in reading file PDO XML\n\nRCobDef.xml: row 2: attribute PGN is missing; the "
                                  "window lists the 1 frame before it."},
                            Shown{"information",
                                  "Error in reading file SDOPDO XML\n\nRInfoCob.xml:\nrow 2: attribute NrPdo is "
                                  "missing\nrow 3: not read after row 2\nThe window holds 1 of the file's 3 mappings; "
                                  "OK asks before it saves fewer."}));
    EXPECT_THAT(driver.frameLines(), ElementsAre("1\t1\t35"));
    driver.selectFrame(0);
    EXPECT_THAT(driver.mappingLines(), ElementsAre("Ind MB 0"));
}

// Enter in "Index MODBUS" adds the mapping typed there; elsewhere Enter stays OK.
TEST_F(ReceiveMapWindow, EnterInTheIndexIsNewAndElsewhereOk) {
    frames(receiveFrame("1"));
    show();
    driver.selectFrame(0);
    driver.typeIndex("7");
    driver.index()->setFocus();
    QTest::keyClick(driver.index(), Qt::Key_Return);
    EXPECT_THAT(driver.mappingLines(), ElementsAre("Ind Mb 0"));
    EXPECT_TRUE(window.isVisible());
    driver.mappings()->setFocus();
    QTest::keyClick(driver.mappings(), Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(savedMap(), "<RInfoCob>" + mapRow("7", "1", "0") + "</RInfoCob>");
}

// Mappings whose frame row is gone are named at show and removed only when the user says so;
// a changed map is not dropped by Escape without a question.
TEST_F(ReceiveMapWindow, MappingsOfAMissingFrameAreToldAndAskedAboutAndEscapeAsks) {
    frames(receiveFrame("1"));
    map(mapRow("1", "1", "0") + mapRow("2", "2", "0"));
    show();
    EXPECT_THAT(shown(messages), ElementsAre(Shown{"information",
                                                   "RInfoCob.xml:\nrow 2: NrPdo 2 names no frame (RCobDef.xml has 1 "
                                                   "row)\nThe window holds 1 of the file's 2 mappings; OK asks before "
                                                   "it saves fewer."}));
    driver.press("bitbtn1");
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_EQ(messages.questions[0].buttons, (std::vector<std::string>{"Save", "Back"}));
    EXPECT_EQ(messages.questions[0].defaultButton, "Back");
    EXPECT_TRUE(window.isVisible());
    EXPECT_THAT(savedMap(), ::testing::HasSubstr("NrPdo=\"2\""));

    driver.selectFrame(0);
    driver.selectMapping(0);
    driver.press("DELETEa");
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(messages.questions.back().text, "Discard your changes to RInfoCob.xml?");
    EXPECT_TRUE(window.isVisible());
}

TEST_F(ReceiveMapWindow, EscapeCancels) {
    frames(receiveFrame("1"));
    show();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_FALSE(fs::exists(project / "RInfoCob.xml"));
}

TEST_F(ReceiveMapWindow, NotesBesideFramesAndBytes) {
    frames(receiveFrame("0xF801") + receiveFrame("2", "Y", "3"));
    window.setFrameNote([](const TClPdo& frame) { return "PGN " + frame.PGN; });
    window.setByteNote(
        [](const TClPdo& frame, int position) { return frame.PGN + " byte " + std::to_string(position); });
    show();
    EXPECT_EQ(driver.frames()->item(0)->toolTip(), "PGN 0xF801");
    EXPECT_EQ(driver.frames()->item(0)->text(), "1\t0xF801\t35") << "the note is not part of the line";
    driver.selectFrame(0);
    EXPECT_EQ(driver.control<QWidget>("PoscompMsbA_3")->toolTip(), "0xF801 byte 3");
    driver.selectFrame(1);
    EXPECT_EQ(driver.control<QComboBox>("CB_LB")->itemData(2, Qt::ToolTipRole).toString(), "2 byte 2");
}

TEST_F(ReceiveMapWindow, TheCatalogueNamesFramesAndEveryByteOfTheSelectedOne) {
    // 127488 Engine Parameters, Rapid Update; a multi-packet 129029 handled from its byte 4.
    frames(receiveFrame("0xF200") +
           "<row DataPage=\"1\" PGN=\"0xF805\" ID_DEV=\"35\" MultiFrame=\"Y\" FastPacket=\"N\" StartByte=\"4\" "
           "NByte=\"3\" Delete=\"N\" Mnemonic=\"\"/>" +
           receiveFrame("0xFFFE"));
    show();
    EXPECT_EQ(driver.frames()->item(0)->toolTip(), "Engine Parameters, Rapid Update");
    EXPECT_EQ(driver.frames()->item(2)->toolTip(), "") << "unknown PGN";
    auto* bytes = driver.control<QListWidget>("frameBytes");
    EXPECT_EQ(bytes->accessibleName(), "Frame bytes");
    EXPECT_EQ(bytes->count(), 0) << "no frame selected";

    driver.selectFrame(0);
    ASSERT_GE(bytes->count(), 3);
    EXPECT_EQ(bytes->item(1)->text(), "B2: Speed, low byte, 0.25 rpm");
    EXPECT_EQ(driver.control<QWidget>("PoscompLsbA_2")->toolTip(), "Speed, low byte, 0.25 rpm");

    driver.selectFrame(1);
    ASSERT_EQ(bytes->count(), 3);
    EXPECT_EQ(bytes->item(1)->text(), "Byte2: Time, byte 2 of 4, 0.0001 s");
    EXPECT_EQ(driver.control<QComboBox>("CB_HB")->itemData(2, Qt::ToolTipRole).toString(),
              "Time, byte 2 of 4, 0.0001 s");

    driver.selectFrame(2);
    EXPECT_EQ(bytes->count(), 0);
}

}  // namespace
}  // namespace telvanor
