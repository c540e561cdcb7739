// The register map windows inside the program: opened by the main window's steps, and a
// project whose maps were made only through them compiled to its image.

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/application_windows.h"
#include "editors/pargen/pargen_window.h"
#include "editors/receive_frames/receive_frames_window.h"
#include "editors/register_map/receive_map_window.h"
#include "editors/register_map/transmit_map_window.h"
#include "editors/transmit_frames/transmit_frames_window.h"
#include "image/config_image.h"
#include "map_window_driver.h"
#include "project/settings_file.h"
#include "support/temp_dir.h"
#include "update/summary_answer.h"
#include "widgets/recording_message_boxes.h"
#include "widgets/string_grid.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using testing::MapWindowDriver;
using testing::readFile;
using testing::RecordingMessageBoxes;
using testing::TempDir;
namespace fs = std::filesystem;

class RegisterMapsInTheProgram : public ::testing::Test {
protected:
    RegisterMapsInTheProgram() {
        fs::create_directories(projectDir / "bin");
        writeIniValue(workspace / "Telvanor_NMEA20002MRTUs.ini", "lastproj", "projectname", "Boat");
        windows = std::make_unique<ApplicationWindows>(workspace.path(), messages);
    }

    // Presses a step button of the main window and runs `work` in the window it opens.
    template <typename Window>
    void useWindow(const char* button, const std::function<void(Window&)>& work) {
        bool opened = false;
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
            ASSERT_NE(window, nullptr) << button << " opened no window of the expected kind";
            opened = true;
            work(*window);
            if (window->isVisible()) window->reject();
        });
        windows->main().findChild<QPushButton*>(button)->click();
        EXPECT_TRUE(opened) << button;
    }

    template <typename Window>
    void useStep(const char* button, const std::function<void(Window&, MapWindowDriver&)>& work) {
        useWindow<Window>(button, [&](Window& window) {
            MapWindowDriver driver(window);
            work(window, driver);
        });
    }

    TempDir workspace;
    fs::path projectDir = workspace / "PROJECTS" / "Boat";
    RecordingMessageBoxes messages;
    // Made once the settings file names the project, which start-up restores.
    std::unique_ptr<ApplicationWindows> windows;
};

TEST_F(RegisterMapsInTheProgram, DefineNmeaButtonsOpenTheirMaps) {
    ASSERT_EQ(windows->main().workspace().ProjectDir, projectDir);
    useStep<TFInfopdoMB>("btn_Info_RCOB", [this](TFInfopdoMB& window, MapWindowDriver&) {
        EXPECT_EQ(window.windowTitle(), "Receive NMEA2000 Frame Info");
        EXPECT_EQ(window.parent(), &windows->main());
    });
    useStep<TFInfoTpdoMB>("btn_Info_TCOB", [](TFInfoTpdoMB& window, MapWindowDriver&) {
        EXPECT_EQ(window.windowTitle(), "Transmit NMEA2000 Frame Info");
    });
}

// Import asks through the main window's workbook dialog, which starts in the project folder.
TEST_F(RegisterMapsInTheProgram, TransmitMapImportUsesTheMainWindowsWorkbookDialog) {
    std::vector<fs::path> folders;
    windows->main().openExcel().setChooser([&](QWidget* parent, const fs::path& folder) -> std::optional<fs::path> {
        EXPECT_EQ(parent->windowTitle(), "Transmit NMEA2000 Frame Info");
        folders.push_back(folder);
        return std::nullopt;
    });
    useStep<TFInfoTpdoMB>("btn_Info_TCOB", [](TFInfoTpdoMB&, MapWindowDriver& driver) { driver.press("bitbtn4"); });
    EXPECT_THAT(folders, ElementsAre(projectDir));
}

// Every file of the project is made through its window, and Update Device compiles it to the
// image of the sample project, then opens the serial update window.
TEST_F(RegisterMapsInTheProgram, ProjectMadeOnlyThroughTheWindowsCompilesToTheSampleImage) {
    useWindow<TFpargen>("btn_Prm_Gen", [](TFpargen& window) {
        window.findChild<QPushButton*>("bitbtn1")->click();  // the defaults are the sample's
    });
    useWindow<TFpdoMB>("btn_RCOB", [](TFpdoMB& window) {
        auto* grid = window.findChild<StringGrid*>("sgA");
        const QStringList rows[] = {{"1", "0xF801", "35", "N", "N", "", "", "N", "Position rapid update"},
                                    {"1", "0xF805", "35", "N", "Y", "1", "43", "Y", "GNSS position data"},
                                    {"0", "0xEE00", "7", "Y", "N", "1", "16", "N", "Address claim"}};
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < rows[row].size(); ++column)
                grid->setCell(row + 1, column + 1, rows[row][column]);
        window.findChild<QPushButton*>("bitbtn1")->click();
    });
    useWindow<TFTpdo2MB>("btn_TCOB", [](TFTpdo2MB& window) {
        auto* grid = window.findChild<StringGrid*>("sgA");
        const QStringList row = {"3", "1", "0xF802", "36", "COG and SOG rapid update"};
        for (int column = 0; column < row.size(); ++column) grid->setCell(1, column + 1, row[column]);
        window.findChild<QPushButton*>("bitbtn1")->click();
    });
    useStep<TFInfopdoMB>("btn_Info_RCOB", [](TFInfopdoMB&, MapWindowDriver& driver) {
        // Register 5 from byte 4 of the multi-frame message, register 0 from B2 and B1.
        driver.selectFrame(2);
        driver.typeIndex("5");
        driver.control<QComboBox>("CB_LB")->setCurrentIndex(4);
        driver.press("NewA");
        driver.selectFrame(0);
        driver.typeIndex("0");
        driver.chooseRadio("PoscompMsbA", 2);
        driver.chooseRadio("PoscompLsbA", 1);
        driver.press("NewA");
        driver.press("bitbtn1");
    });
    useStep<TFInfoTpdoMB>("btn_Info_TCOB", [](TFInfoTpdoMB&, MapWindowDriver& driver) {
        driver.selectFrame(0);
        driver.typeIndex("100");
        driver.chooseRadio("PoscompMsbA", 2);
        driver.chooseRadio("PoscompLsbA", 1);
        driver.press("NewA");
        driver.press("bitbtn1");
    });
    fs::path sample = testing::examplesDir() / "Boat1";
    for (const char* file : {"pargen.xml", "RInfoCob.xml", "TInfoCob.xml"})
        EXPECT_EQ(readFile(projectDir / file), readFile(sample / file)) << file;

    QString updateWindow;
    testing::goOnFromSummaryThen([&](QDialog& window) {
        updateWindow = window.windowTitle();
        window.reject();
    });
    windows->main().findChild<QPushButton*>("CreateBin")->click();
    EXPECT_EQ(updateWindow, "Update Firmware from Serial (RS232)");
    std::string written = readFile(projectDir / "bin" / "bank.bin");
    EXPECT_EQ(std::vector<std::uint8_t>(written.begin(), written.end()), BuildConfigImage(sample).bytes);
    EXPECT_TRUE(messages.messages.empty()) << messages.texts().front();
}

}  // namespace
}  // namespace telvanor
