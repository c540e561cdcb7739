#include "dormant/sdo/sdo_window.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project/workspace.h"
#include "support/temp_dir.h"
#include "widgets/open_excel.h"
#include "widgets/recording_message_boxes.h"
#include "widgets/string_grid.h"
#include "widgets/window_checks.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using testing::readFile;
using testing::RecordingMessageBoxes;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

std::string fileRow(const std::string& conf, const std::string& addrWord, const std::string& mnemonico = "m") {
    return "<row conf=\"" + conf + "\" IndexA=\"" + addrWord +
           "\" SubindexA=\"0\" devIDB=\"5\" IndexB=\"0x2000\" SubindexB=\"1\" nbyteB=\"2\" mnemonico=\"" + mnemonico +
           "\"/>";
}

class SdoWindow : public ::testing::Test {
protected:
    SdoWindow() {
        workspace.ProjectDir = project.path();
        SetProjectPaths(workspace);
        openExcel.setChooser([this](QWidget*, const fs::path&) { return chosenWorkbook; });
    }
    ~SdoWindow() override { window.hide(); }

    StringGrid& open() {
        window.hide();
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        return *window.findChild<StringGrid*>("sgA");
    }
    void press(const char* button) { window.findChild<QPushButton*>(button)->click(); }
    fs::path file() const { return project / "sdo.xml"; }

    TempDir project;
    WorkspaceState workspace;
    RecordingMessageBoxes messages;
    OpenExcelDialog openExcel;
    std::optional<fs::path> chosenWorkbook;
    TFSdoMB window{workspace, messages, openExcel};
};

TEST_F(SdoWindow, AFileIsShownDecodedAndOkWritesItBackInAddrWordOrder) {
    writeFile(file(), "<sdo>" + fileRow("83", "300") + fileRow("16", "20") + fileRow("0", "0x64", "") + "</sdo>");
    StringGrid& grid = open();
    EXPECT_EQ(window.windowTitle(), "SDO");
    EXPECT_TRUE(messages.messages.empty());
    ASSERT_EQ(grid.rowCount(), 1500);
    EXPECT_EQ(grid.cell(1, 0), "0");
    EXPECT_EQ(grid.cell(1500, 0), "1499");
    QStringList headers;
    for (int column = 0; column < 9; ++column) headers << grid.model()->headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(headers,
              QStringList({"Addr Word", "Hi Word", "Lo Word", "R/W", "ID", "Index", "SubIndex", "nByte", "mnemonico"}));
    QStringList first;
    for (int column = 1; column <= 9; ++column) first << grid.cell(1, column);
    EXPECT_EQ(first, QStringList({"300", "2", "3", "1", "5", "0x2000", "1", "2", "m"}));
    EXPECT_EQ(window.focusWidget(), window.findChild<QPushButton*>("bitbtn1"));

    press("bitbtn1");
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(readFile(file()),
              "<sdo>" + fileRow("16", "20") + fileRow("0", "0x64", "") + fileRow("83", "300") + "</sdo>");
}

TEST_F(SdoWindow, OkReportsOnlyTheLastFailingRowAndAConversionErrorSavesNothing) {
    StringGrid& grid = open();
    EXPECT_THAT(messages.texts(), ElementsAre("File XML not found"));
    messages.messages.clear();
    for (int row = 1; row <= 5; ++row)
        for (auto [column, text] :
             {std::pair{1, "10"}, {2, "0"}, {3, "0"}, {4, "0"}, {5, "1"}, {6, "8192"}, {7, "0"}, {8, "1"}})
            grid.setCell(row, column, text);
    grid.setCell(2, 5, "200");
    grid.setCell(5, 6, "100");
    press("bitbtn1");
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, "plain");
    EXPECT_EQ(messages.messages[0].text, "Value of range [8192..65535](hex 0x2000..0xFFFF ) column Index row 5");
    EXPECT_TRUE(window.isVisible());

    messages.messages.clear();
    grid.setCell(5, 6, "8192");
    grid.setCell(2, 5, "");
    press("bitbtn1");
    EXPECT_THAT(messages.texts(), ElementsAre("'' is not a valid integer value"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(fs::exists(file()));
    EXPECT_EQ(grid.cell(2, 5), "") << "the typed cells stay";
}

TEST_F(SdoWindow, ExportWritesTheCsvAndImportReplacesTheGridUntilOk) {
    writeFile(file(), "<sdo>" + fileRow("83", "300") + fileRow("83", "20") + fileRow("83", "21") + "</sdo>");
    StringGrid& grid = open();
    press("button1");
    EXPECT_EQ(readFile(project / "sdo.csv"),
              "conf,IndexA,SubindexA,devIDB,IndexB,SubindexB,nbyteB,mnemonico\r\n"
              "83,20,0,5,0x2000,1,2,m\r\n83,21,0,5,0x2000,1,2,m\r\n83,300,0,5,0x2000,1,2,m\r\n");

    // A workbook without the worksheet keeps the grid and says why.
    const QString firstAddress = grid.cell(1, 1);
    chosenWorkbook = testing::testDataDir() / "workbooks" / "tinfocob.xls";
    press("bitbtn4");
    EXPECT_EQ(grid.cell(1, 1), firstAddress);
    EXPECT_FALSE(firstAddress.isEmpty());
    EXPECT_THAT(messages.texts(),
                ElementsAre(::testing::StartsWith("sdo: nothing imported, the table is unchanged: ")));
    messages.messages.clear();
    chosenWorkbook = testing::testDataDir() / "workbooks" / "sdo.xls";
    press("bitbtn4");
    EXPECT_THAT(messages.texts(), ElementsAre("sdo: 4 rows imported"));
    messages.messages.clear();
    EXPECT_EQ(grid.cell(1, 9), "pressure, left");
    EXPECT_EQ(grid.cell(4, 1), "100");
    EXPECT_EQ(grid.cell(5, 1), "");
    EXPECT_THAT(readFile(file()), ::testing::HasSubstr("IndexA=\"21\"")) << "the file waits for OK";

    // Imported texts are checked at OK: the empty conf cells of the second record, then the
    // nByte 3 of the fourth.
    press("bitbtn1");
    EXPECT_THAT(messages.texts(), ElementsAre("'' is not a valid integer value"));
    messages.messages.clear();
    for (int column : {2, 3, 4}) grid.setCell(2, column, "0");
    grid.setCell(3, 5, "1");
    press("bitbtn1");
    EXPECT_THAT(messages.texts(), ElementsAre("Value of range [1,2,4] column nByte row 4"));
    grid.setCell(4, 8, "4");
    press("bitbtn1");
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_THAT(readFile(file()), ::testing::StartsWith("<sdo><row conf=\"0\" IndexA=\"20\""));
}

TEST_F(SdoWindow, EveryFileRowIsKeptBeyondTheGridsLastRow) {
    std::string rows;
    for (int row = 1; row <= 1501; ++row) rows += fileRow("0", std::to_string(row));
    writeFile(file(), "<sdo>" + rows + "</sdo>");
    StringGrid& grid = open();
    EXPECT_EQ(grid.cell(1500, 1), "1500");
    press("bitbtn1");
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(readFile(file()), "<sdo>" + rows + "</sdo>");
}

TEST_F(SdoWindow, KeyboardEscapeAndColumnShares) {
    testing::expectUsableByKeyboard(window, "bitbtn1");
    StringGrid& grid = open();
    window.findChild<QPushButton*>("button1")->setFocus();
    QStringList visited;
    for (int step = 0; step < 5; ++step) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited, QStringList({"button1", "bitbtn4", "bitbtn1", "bitbtn2", "sgA"}));

    window.resize(window.width() + 330, window.height());
    QApplication::processEvents();
    int share = grid.width() / 11;
    EXPECT_EQ(grid.verticalHeader()->width(), share);
    for (int column = 0; column < 9; ++column) EXPECT_EQ(grid.columnWidth(column), share) << column;

    grid.setCell(1, 1, "1");
    messages.answers = {"Discard"};
    testing::expectEscapeCloses(window);
    EXPECT_EQ(messages.questions.at(0).text, "Discard your changes to sdo.xml?");
    EXPECT_FALSE(fs::exists(file()));
}

}  // namespace
}  // namespace telvanor
