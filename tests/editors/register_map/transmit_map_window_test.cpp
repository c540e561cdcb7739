#include "editors/register_map/transmit_map_window.h"

#include <QLabel>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "map_window_driver.h"
#include "support/temp_dir.h"
#include "widgets/open_excel.h"
#include "widgets/recording_message_boxes.h"
#include "widgets/window_checks.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::MapWindowDriver;
using testing::readFile;
using testing::RecordingMessageBoxes;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

std::string transmitFrame(const std::string& pgn) {
    return "<row Priority=\"3\" DP=\"1\" PGN=\"" + pgn + "\" ID_DEV=\"36\" Mnemonic=\"m\"/>";
}

std::string mapRow(const std::string& index, const std::string& frame, const std::string& posComp,
                   const std::string& write) {
    return "<row Index=\"" + index + "\" NrPdo=\"" + frame + "\" PosComp=\"" + posComp + "\" Write_J1939=\"" + write +
           "\"/>";
}

std::string parameters(const std::string& write) {
    return "<GeneralParameter><BaudRateCAN>4</BaudRateCAN><Write_J1939>" + write + "</Write_J1939></GeneralParameter>";
}

class TransmitMapWindow : public ::testing::Test {
protected:
    TransmitMapWindow() {
        workspace.ProjectDir = project.path();
        openExcel.setInitialFolder(project.path());
        openExcel.setChooser([this](QWidget*, const fs::path& folder) -> std::optional<fs::path> {
            dialogFolders.push_back(folder);
            return chosenWorkbook;
        });
        writeFile(project / "TCobDef.xml", "<COBID>" + transmitFrame("0xF802") + transmitFrame("0xF803") + "</COBID>");
    }
    ~TransmitMapWindow() override { window.hide(); }

    void map(const std::string& rows) { writeFile(project / "TInfoCob.xml", "<TInfoCob>" + rows + "</TInfoCob>"); }
    std::string savedMap() { return readFile(project / "TInfoCob.xml"); }
    void show() {
        window.hide();
        window.show();
    }
    QComboBox* writeList() { return driver.control<QComboBox>("CB_Send_J1939"); }

    TempDir project;
    WorkspaceState workspace;
    RecordingMessageBoxes messages;
    OpenExcelDialog openExcel;
    std::vector<fs::path> dialogFolders;
    std::optional<fs::path> chosenWorkbook;
    TFInfoTpdoMB window{workspace, messages, openExcel};
    MapWindowDriver driver{window};
};

TEST_F(TransmitMapWindow, ShowsItsOwnTitleHeadingAndButtons) {
    show();
    EXPECT_EQ(window.windowTitle(), "Transmit NMEA2000 Frame Info");
    EXPECT_EQ(driver.control<QLabel>("LPdoCanAHeading")->text(), "PRIOR       DP           PGN        ID_DEV");
    EXPECT_THAT(driver.frameLines(), ElementsAre("3\t1\t0xF802\t36", "3\t1\t0xF803\t36"));
    EXPECT_EQ(window.findChild<QWidget*>("Panel1"), nullptr);
    EXPECT_EQ(window.findChild<QWidget*>("CB_HB"), nullptr);
    EXPECT_EQ(driver.control<QPushButton>("button1")->text(), "Export");
    EXPECT_EQ(driver.control<QPushButton>("bitbtn4")->text(), "Import");
    EXPECT_TRUE(driver.control<QPushButton>("button1")->isVisible());
    EXPECT_TRUE(driver.control<QPushButton>("bitbtn4")->isVisible());
    EXPECT_THAT((QStringList{writeList()->itemText(0), writeList()->itemText(1)}), ElementsAre("False", "True"));
    EXPECT_EQ(writeList()->currentIndex(), 0);
    EXPECT_EQ(writeList()->accessibleName(), "Write NMEA2000 Frame");
    // With the overview's button in its bottom bar too, the window fits a 1,024 x 768 screen.
    window.setOverviewOpener([](RegisterMapWindow&) {});
    EXPECT_TRUE(driver.control<QPushButton>("btnOverview")->isVisible());
    EXPECT_LE(window.frameGeometry().width(), 1024);
    EXPECT_LE(window.frameGeometry().height(), 768);
}

TEST_F(TransmitMapWindow, WriteChoiceIsEnabledOnlyByTheCommunicationParameters) {
    show();
    EXPECT_FALSE(writeList()->isEnabled()) << "no Pargen.xml";
    writeFile(project / "pargen.xml", parameters("1"));
    show();
    EXPECT_TRUE(writeList()->isEnabled()) << "pargen.xml is Pargen.xml";
    writeFile(project / "pargen.xml", parameters("0"));
    show();
    EXPECT_FALSE(writeList()->isEnabled());
    writeFile(project / "pargen.xml", "<GeneralParameter><BaudRateCAN>4</BaudRateCAN></GeneralParameter>");
    show();
    EXPECT_FALSE(writeList()->isEnabled());
    EXPECT_THAT(messages.texts(), IsEmpty()) << "the option is read silently";
}

TEST_F(TransmitMapWindow, NewStoresTheWriteChoiceEvenWhileDisabled) {
    writeFile(project / "pargen.xml", parameters("1"));
    show();
    writeList()->setCurrentIndex(1);
    writeFile(project / "pargen.xml", parameters("0"));
    show();
    ASSERT_FALSE(writeList()->isEnabled());
    EXPECT_EQ(writeList()->currentIndex(), 1) << "the choice stays from one show to the next";
    driver.selectFrame(1);
    driver.typeIndex("70000");
    driver.chooseRadio("PoscompMsbA", 2);
    driver.chooseRadio("PoscompLsbA", 1);
    driver.press("NewA");
    driver.typeIndex("-1");
    driver.press("NewA");
    EXPECT_THAT(driver.fullMappingLines(),
                ElementsAre("Ind Mb 0   70000 (0x11170)   B2 / B1", "Ind Mb 1   -1 (0xFFFFFFFF)   B2 / B1"));
    EXPECT_THAT(messages.texts(), IsEmpty()) << "no range check on New";
    driver.press("bitbtn1");
    EXPECT_EQ(savedMap(),
              "<TInfoCob>" + mapRow("-1", "2", "33", "1") + mapRow("70000", "2", "33", "1") + "</TInfoCob>");
}

TEST_F(TransmitMapWindow, MissingWriteFlagShowsFalseAndIsWrittenBackAsZero) {
    writeFile(project / "TInfoCob.xml", "<TInfoCob><row Index=\"4\" NrPdo=\"1\" PosComp=\"136\"/></TInfoCob>");
    show();
    writeList()->setCurrentIndex(1);
    driver.selectFrame(0);
    driver.selectMapping(0);
    EXPECT_EQ(writeList()->currentText(), "False");
    EXPECT_EQ(driver.radioChoice("PoscompMsbA"), 8);
    EXPECT_EQ(driver.radioChoice("PoscompLsbA"), 8);
    driver.press("bitbtn1");
    EXPECT_EQ(savedMap(), "<TInfoCob>" + mapRow("4", "1", "136", "0") + "</TInfoCob>");
}

TEST_F(TransmitMapWindow, ImportedMappingWithAnEmptyWriteFlagReportsItAfterTheBytes) {
    map(mapRow("4", "1", "33", ""));
    show();
    driver.selectFrame(0);
    driver.selectMapping(0);
    EXPECT_EQ(driver.index()->text(), "4");
    EXPECT_EQ(driver.radioChoice("PoscompMsbA"), 2);
    EXPECT_EQ(driver.radioChoice("PoscompLsbA"), 1);
    EXPECT_THAT(messages.texts(), ElementsAre("'' is not a valid integer value"));
    driver.press("bitbtn1");
    EXPECT_EQ(savedMap(), "<TInfoCob>" + mapRow("4", "1", "33", "") + "</TInfoCob>");
}

TEST_F(TransmitMapWindow, WriteFlagOtherThanZeroOrOneSelectsNothingAndModifyStoresFalse) {
    map(mapRow("4", "1", "33", "2"));
    show();
    driver.selectFrame(0);
    driver.selectMapping(0);
    EXPECT_EQ(writeList()->currentIndex(), -1);
    driver.press("ModifyA");
    driver.press("bitbtn1");
    EXPECT_EQ(savedMap(), "<TInfoCob>" + mapRow("4", "1", "33", "0") + "</TInfoCob>");
}

TEST_F(TransmitMapWindow, LettersInAnEmptyMapAreAcceptedAndStopOkUntilDeleted) {
    show();
    driver.selectFrame(0);
    driver.typeIndex("abc");
    driver.press("NewA");
    EXPECT_THAT(driver.mappingLines(), ElementsAre("Ind Mb 0"));
    driver.press("bitbtn1");
    EXPECT_THAT(messages.texts(), ElementsAre("'abc' is not a valid integer value"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(fs::exists(project / "TInfoCob.xml"));
    driver.selectMapping(0);
    driver.press("DELETEa");
    driver.press("bitbtn1");
    EXPECT_EQ(savedMap(), "<TInfoCob/>");
}

TEST_F(TransmitMapWindow, CopyAndPasteCarryTheWriteChoice) {
    show();
    driver.selectFrame(0);
    driver.press("PasteA");
    EXPECT_THAT(messages.texts(), ElementsAre("'' is not a valid integer value")) << "Paste before any Copy";
    driver.typeIndex("0x30");
    driver.chooseRadio("PoscompMsbA", 7);
    writeList()->setCurrentIndex(1);
    driver.press("copyA");
    EXPECT_EQ(window.copyBuffer().PosComp, "112");
    driver.selectFrame(1);
    writeList()->setCurrentIndex(0);
    driver.press("PasteA");
    EXPECT_EQ(driver.index()->text(), "0x30");
    EXPECT_EQ(driver.radioChoice("PoscompMsbA"), 7);
    EXPECT_EQ(driver.radioChoice("PoscompLsbA"), 0);
    EXPECT_EQ(writeList()->currentIndex(), 1);
}

fs::path workbook(const char* name) { return testing::testDataDir() / "workbooks" / name; }

TEST_F(TransmitMapWindow, ExportWritesTheMapAsItStandsAndChangesNothing) {
    map(mapRow("4", "2", "33", "1") + mapRow("3", "1", "136", "0"));
    show();
    driver.selectFrame(0);
    driver.typeIndex("0x20");
    driver.chooseRadio("PoscompLsbA", 5);
    driver.press("NewA");
    driver.exportAs(0);
    EXPECT_EQ(readFile(project / "TInfoCob.csv"), "3,1,136,0\r\n0x20,1,5,0\r\n4,2,33,1\r\n") << "unsaved New included";
    driver.exportAs(1);
    EXPECT_TRUE(fs::is_regular_file(project / "TInfoCob.xlsx"));
    EXPECT_THAT(messages.texts(),
                ElementsAre("TInfoCob: 3 mappings exported to " + (project / "TInfoCob.csv").string(),
                            "TInfoCob: 3 mappings exported to " + (project / "TInfoCob.xlsx").string()));
    EXPECT_TRUE(window.isVisible());
    EXPECT_THAT(driver.mappingLines(), ElementsAre("Ind MB 0", "Ind Mb 1"));
    EXPECT_EQ(driver.index()->text(), "0x20");
    EXPECT_EQ(savedMap(), "<TInfoCob>" + mapRow("4", "2", "33", "1") + mapRow("3", "1", "136", "0") + "</TInfoCob>");
}

TEST_F(TransmitMapWindow, ExportThatCannotWriteShowsTheReasonAndKeepsTheWindowOpen) {
    show();
    fs::create_directory(project / "TInfoCob.csv");
    driver.exportAs(0);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, "error");
    EXPECT_THAT(messages.messages[0].text, ::testing::HasSubstr("TInfoCob.csv"));
    EXPECT_TRUE(window.isVisible());
}

TEST_F(TransmitMapWindow, ImportReplacesTheMapInMemoryOnlyUntilOk) {
    const std::string before =
        "<TInfoCob>" + mapRow("3", "1", "136", "0") + mapRow("4", "2", "33", "1") + "</TInfoCob>";
    writeFile(project / "TInfoCob.xml", before);
    show();
    chosenWorkbook = workbook("tinfocob_upper.xls");
    driver.press("bitbtn4");
    EXPECT_THAT(dialogFolders, ElementsAre(project.path())) << "the dialog starts in the project folder";
    EXPECT_THAT(messages.texts(), ElementsAre("TInfoCob: 1 mapping imported"));
    EXPECT_EQ(window.registerMap().mappingCount(), 1u);
    driver.press("bitbtn2");
    EXPECT_EQ(savedMap(), before) << "Cancel abandons the import";

    show();
    driver.press("bitbtn4");
    driver.press("bitbtn1");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(savedMap(), "<TInfoCob>" + mapRow("2", "1", "17", "0") + "</TInfoCob>") << "no Write flag reads as 0";
}

TEST_F(TransmitMapWindow, ImportClearsTheDetailsAndListsTheSelectedFramesNewMappings) {
    map(mapRow("3", "1", "136", "1"));
    show();
    driver.selectFrame(0);
    driver.selectMapping(0);
    ASSERT_EQ(driver.radioChoice("PoscompMsbA"), 8);
    chosenWorkbook = workbook("tinfocob.xls");
    driver.press("bitbtn4");
    EXPECT_EQ(driver.frames()->currentRow(), 0) << "the frame selection stays";
    EXPECT_THAT(driver.mappingLines(), ElementsAre("Ind MB 0", "Ind MB 1"));
    EXPECT_EQ(driver.mappings()->currentRow(), -1);
    EXPECT_EQ(driver.index()->text(), "");
    EXPECT_EQ(driver.radioChoice("PoscompMsbA"), 0);
    EXPECT_EQ(driver.radioChoice("PoscompLsbA"), 0);

    driver.selectFrame(1);
    EXPECT_THAT(driver.mappingLines(), ElementsAre("Ind MB 0", "Ind MB 1"));
    driver.selectMapping(1);
    EXPECT_EQ(driver.index()->text(), "13");
    EXPECT_EQ(driver.radioChoice("PoscompMsbA"), 2);
    EXPECT_EQ(driver.radioChoice("PoscompLsbA"), 1);
    EXPECT_EQ(writeList()->currentText(), "True") << "the imported Write flag";
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, "information");
    EXPECT_THAT(messages.messages[0].text,
                ::testing::StartsWith("TInfoCob: 4 mappings imported; 6 rows skipped (row 4: "));
}

// Each line stands for the mapping at its position: New after an import adds the line after
// the imported ones, and Modify of it changes the new mapping, not the frame's first one.
TEST_F(TransmitMapWindow, NewAfterAnImportLabelsAndChangesItsOwnMapping) {
    show();
    driver.selectFrame(0);
    chosenWorkbook = workbook("tinfocob_lower.xls");
    driver.press("bitbtn4");
    driver.typeIndex("50");
    driver.press("NewA");
    EXPECT_THAT(driver.mappingLines(), ElementsAre("Ind MB 0", "Ind Mb 1"));
    driver.typeIndex("51");
    driver.press("ModifyA");
    driver.press("bitbtn1");
    EXPECT_THAT(messages.texts(), ElementsAre("TInfoCob: 1 mapping imported"));
    EXPECT_EQ(savedMap(), "<TInfoCob>" + mapRow("1", "1", "33", "0") + mapRow("51", "1", "0", "0") + "</TInfoCob>");
}

TEST_F(TransmitMapWindow, ImportWithNoFrameSelectedLeavesTheMappingListEmpty) {
    map(mapRow("3", "1", "136", "1"));
    show();
    driver.typeIndex("9");
    chosenWorkbook = workbook("tinfocob_lower.xls");
    driver.press("bitbtn4");
    EXPECT_THAT(driver.mappingLines(), IsEmpty());
    EXPECT_EQ(driver.index()->text(), "");
    driver.selectFrame(0);
    driver.selectMapping(0);
    EXPECT_EQ(driver.index()->text(), "1");
}

TEST_F(TransmitMapWindow, CancelledDialogChangesNothing) {
    map(mapRow("3", "1", "136", "1"));
    show();
    driver.selectFrame(0);
    driver.selectMapping(0);
    driver.press("bitbtn4");
    EXPECT_EQ(dialogFolders.size(), 1u);
    EXPECT_EQ(driver.mappings()->currentRow(), 0);
    EXPECT_EQ(driver.index()->text(), "3");
    EXPECT_EQ(driver.radioChoice("PoscompMsbA"), 8);
    EXPECT_EQ(window.registerMap().mappingCount(), 1u);
}

TEST_F(TransmitMapWindow, WorkbookThatCannotBeReadOrLacksTheSheetKeepsTheMapAndSaysWhy) {
    map(mapRow("3", "1", "136", "1") + mapRow("4", "2", "33", "0"));
    std::string bytes = readFile(workbook("tinfocob.xls"));
    writeFile(project / "cut.xls", bytes.substr(0, bytes.size() / 2));
    show();
    for (const fs::path& file : {project / "cut.xls", workbook("without_tinfocob.xls")}) {
        chosenWorkbook = file;
        messages.messages.clear();
        driver.press("bitbtn4");
        ASSERT_EQ(messages.messages.size(), 1u) << file;
        EXPECT_EQ(messages.messages[0].kind, "error");
        EXPECT_THAT(messages.messages[0].text,
                    ::testing::StartsWith("TInfoCob: nothing imported, the map is unchanged: " + file.string()));
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.registerMap().mappingCount(), 2u) << file << ": the map stays as it was";
    }
}

TEST_F(TransmitMapWindow, StaysUsableByKeyboard) {
    testing::expectUsableByKeyboard(window, "bitbtn1");
    testing::expectEscapeCloses(window);
}

}  // namespace
}  // namespace telvanor
