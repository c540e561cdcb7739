#include "overview/register_overview_window.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "editors/register_map/map_window_driver.h"
#include "editors/register_map/receive_map_window.h"
#include "editors/register_map/transmit_map_window.h"
#include "overview/overview_project.h"
#include "overview/overview_table_model.h"
#include "support/temp_dir.h"
#include "widgets/open_excel.h"
#include "widgets/recording_message_boxes.h"
#include "widgets/window_checks.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::MapWindowDriver;
using testing::readFile;
using testing::RecordingMessageBoxes;
using testing::TempDir;
namespace fs = std::filesystem;

class RegisterOverviewWindowTest : public ::testing::Test {
protected:
    RegisterOverviewWindowTest() {
        testing::writeOverviewProject(project.path());
        workspace.ProjectDir = project.path();
        overview.setMapWindows(&receive, &transmit);
        for (RegisterMapWindow* window :
             {static_cast<RegisterMapWindow*>(&receive), static_cast<RegisterMapWindow*>(&transmit)})
            window->setOverviewOpener([this](RegisterMapWindow& from) { overview.openFrom(from); });
    }
    ~RegisterOverviewWindowTest() override {
        overview.hide();
        receive.hide();
    }

    QTableView* table() { return overview.findChild<QTableView*>("overviewTable"); }
    QString cell(int row, OverviewColumn column) {
        return table()->model()->index(row, static_cast<int>(column)).data().toString();
    }
    // The view row showing the receive register `value`.
    int receiveRow(std::int32_t value) {
        const OverviewTableModel& model = overview.table();
        for (int row = 0; row < model.rowCount(); ++row)
            if (model.rowAt(row).kind == MapKind::Receive && model.rowAt(row).registerValue == value) return row;
        ADD_FAILURE() << "no receive register " << value;
        return -1;
    }
    void pressEnterOn(int row) {
        table()->setCurrentIndex(table()->model()->index(row, 0));
        QTest::keyClick(table(), Qt::Key_Return);
    }

    TempDir project;
    WorkspaceState workspace;
    RecordingMessageBoxes messages;
    OpenExcelDialog openExcel;
    TFInfopdoMB receive{workspace, messages, openExcel};
    TFInfoTpdoMB transmit{workspace, messages, openExcel};
    RegisterOverviewWindow overview{workspace, messages};
};

TEST_F(RegisterOverviewWindowTest, ShowsEveryMappingWithItsFindingsAndFitsTheScreen) {
    testing::expectUsableByKeyboard(overview, "btnOpen");
    EXPECT_EQ(overview.windowTitle(), "Register Overview");
    EXPECT_EQ(table()->model()->rowCount(), 11);
    EXPECT_THAT(overview.findChild<QLabel*>("findingsSummary")->text().toStdString(),
                HasSubstr("8 mappings NMEA 2000 to Modbus, 3 mappings Modbus to NMEA 2000. 10 rows with findings:"));
    EXPECT_EQ(cell(0, OverviewColumn::TypedAs), "$1A");
    EXPECT_EQ(table()->model()->index(0, 0).data(Qt::ToolTipRole).toString(), "register mapped twice");
    EXPECT_LE(overview.frameGeometry().width(), 1024);
    EXPECT_LE(overview.frameGeometry().height(), 768);
    testing::expectEscapeCloses(overview);
}

TEST_F(RegisterOverviewWindowTest, SortsFiltersAndCopies) {
    overview.show();
    table()->horizontalHeader()->setSortIndicator(static_cast<int>(OverviewColumn::Register), Qt::DescendingOrder);
    EXPECT_EQ(cell(0, OverviewColumn::Register), "70000");
    QTest::keyClicks(overview.findChild<QLineEdit*>("filterEdit"), "COG");
    ASSERT_EQ(table()->model()->rowCount(), 2);
    EXPECT_EQ(cell(0, OverviewColumn::Register), "101") << "the filter keeps the sort";
    EXPECT_EQ(overview.findChild<QLabel*>("shownCount")->text(), "2 mappings of 11 shown");
    table()->selectAll();
    QTest::keySequence(table(), QKeySequence::Copy);
    QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].startsWith("Modbus to NMEA 2000\t100\t0x0064\t\t2\t")) << lines[1].toStdString();
}

TEST_F(RegisterOverviewWindowTest, ExportsTheRowsShown) {
    fs::path written = project / "out.html";
    overview.setSaveChooser([&](QWidget*, const QString&, const fs::path& suggested, const QString&) {
        EXPECT_EQ(suggested, project / "register_overview.html");
        return std::optional<fs::path>(written);
    });
    overview.show();
    overview.findChild<QLineEdit*>("filterEdit")->setText("Claim");
    overview.findChild<QPushButton*>("btnExportHtml")->click();
    EXPECT_THAT(readFile(written), HasSubstr("<p>2 of 11 mappings, those holding &quot;Claim&quot;</p>"));
    EXPECT_THAT(overview.findChild<QLabel*>("statusLine")->text().toStdString(), HasSubstr("Wrote 2 rows to"));
}

TEST_F(RegisterOverviewWindowTest, EnterOpensTheMappingAndWhatIsSavedShowsAtOnce) {
    overview.show();
    bool overviewButtonOff = false;
    QTimer::singleShot(0, [&] {
        MapWindowDriver driver(receive);
        EXPECT_TRUE(receive.isVisible());
        EXPECT_EQ(driver.frames()->currentRow(), 0);
        EXPECT_EQ(driver.mappings()->currentRow(), 0);
        EXPECT_EQ(driver.index()->text(), "$1A");
        overviewButtonOff = !receive.findChild<QPushButton*>("btnOverview")->isEnabled();
        driver.typeIndex("0x50");
        driver.press("ModifyA");
        // The project maps a register to a frame that is gone: OK asks before it removes it.
        messages.answers = {"Save"};
        driver.press("bitbtn1");
    });
    pressEnterOn(receiveRow(26));
    EXPECT_TRUE(overviewButtonOff) << "the overview is open beneath the map window";
    EXPECT_TRUE(receive.findChild<QPushButton*>("btnOverview")->isEnabled());
    EXPECT_THAT(readFile(project / "RInfoCob.xml"), HasSubstr("Index=\"0x50\""));
    int changed = receiveRow(80);
    EXPECT_EQ(table()->currentIndex().row(), changed) << "the changed mapping stays current";
    EXPECT_EQ(cell(changed, OverviewColumn::Findings), "");
    EXPECT_THAT(messages.texts(), ElementsAre(HasSubstr("names no frame"))) << "only the map window's notice";
}

TEST_F(RegisterOverviewWindowTest, FromAMapWindowItShowsItsEditsAndSelectsInIt) {
    MapWindowDriver driver(receive);
    receive.show();
    driver.selectFrame(1);
    driver.typeIndex("99");
    driver.press("NewA");
    driver.selectFrame(0);
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(overview.isVisible());
        pressEnterOn(receiveRow(99));
        EXPECT_FALSE(overview.isVisible());
    });
    driver.press("btnOverview");
    EXPECT_EQ(driver.frames()->currentRow(), 1);
    EXPECT_EQ(driver.index()->text(), "99");
    EXPECT_THAT(messages.texts(), ElementsAre(HasSubstr("names no frame"))) << "only the map window's notice";
}

TEST_F(RegisterOverviewWindowTest, AMappingWhoseFrameIsGoneOpensNothing) {
    overview.show();
    pressEnterOn(receiveRow(40));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_THAT(messages.messages[0].text, HasSubstr("Frame 5 of this mapping is not in RCobDef.xml"));
    EXPECT_FALSE(receive.isVisible());
}

}  // namespace
}  // namespace telvanor
