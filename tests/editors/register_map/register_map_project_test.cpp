// The register map windows inside the program: opened by the main window's steps, and a
// project whose maps were made only through them compiled to its image.

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/application_windows.h"
#include "app/recording_message_boxes.h"
#include "editors/register_map/receive_map_window.h"
#include "editors/register_map/transmit_map_window.h"
#include "image/config_image.h"
#include "map_window_driver.h"
#include "project/settings_file.h"
#include "support/temp_dir.h"

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
    void useStep(const char* button, const std::function<void(Window&, MapWindowDriver&)>& work) {
        bool opened = false;
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
            ASSERT_NE(window, nullptr) << button << " opened no register map window";
            opened = true;
            MapWindowDriver driver(*window);
            work(*window, driver);
            if (window->isVisible()) window->reject();
        });
        windows->main().findChild<QPushButton*>(button)->click();
        EXPECT_TRUE(opened) << button;
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

// Frame tables and parameters come as files (their windows are built elsewhere); both maps are
// made through their windows, and Update Device compiles the project.
TEST_F(RegisterMapsInTheProgram, ProjectMadeThroughTheWindowsCompilesToTheSampleImage) {
    fs::path sample = testing::examplesDir() / "Boat1";
    for (const char* file : {"RCobDef.xml", "TCobDef.xml", "pargen.xml"}) fs::copy_file(sample / file, projectDir / file);

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
    EXPECT_EQ(readFile(projectDir / "RInfoCob.xml"), readFile(sample / "RInfoCob.xml"));
    EXPECT_EQ(readFile(projectDir / "TInfoCob.xml"), readFile(sample / "TInfoCob.xml"));

    windows->main().findChild<QPushButton*>("CreateBin")->click();
    ConfigImage expected = BuildConfigImage(sample);
    std::string written = readFile(projectDir / "bin" / "bank.bin");
    EXPECT_EQ(std::vector<std::uint8_t>(written.begin(), written.end()), expected.bytes);
    EXPECT_EQ(BuildConfigImage(projectDir).receiveMappings, 2u);
    EXPECT_THAT(messages.texts(), ElementsAre("The configuration image was written to " +
                                              (projectDir / "bin" / "bank.bin").string()));
}

}  // namespace
}  // namespace telvanor
