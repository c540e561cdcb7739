#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/application_windows.h"
#include "project/settings_file.h"
#include "support/temp_dir.h"
#include "update/boot_serial_window.h"
#include "update/fake_updater.h"
#include "update/stand_in_port.h"
#include "update/summary_answer.h"
#include "widgets/recording_message_boxes.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using testing::FakeUpdater;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::MatchesRegex;
using testing::readFile;
using testing::RecordingMessageBoxes;
using testing::StandInPort;
using testing::TempDir;
using testing::writeFile;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

// The program's windows on a workspace with the example project current.
class UpdateDevice : public ::testing::Test {
protected:
    UpdateDevice() {
        fs::create_directories(workspace / "PROJECTS");
        fs::copy(testing::examplesDir() / "Boat1", workspace / "PROJECTS" / "Boat1", fs::copy_options::recursive);
        writeIniValue(workspace / "Telvanor_NMEA20002MRTUs.ini", "lastproj", "projectname", "Boat1");
        windows = std::make_unique<ApplicationWindows>(workspace.path(), messages);
    }

    TempDir workspace;
    RecordingMessageBoxes messages;
    std::unique_ptr<ApplicationWindows> windows;
};

TEST_F(UpdateDevice, OpensTheSerialUpdateWindowAfterTheSummary) {
    QString shown;
    QString headline;
    bool imageWrittenFirst = false;
    testing::goOnFromSummaryThen(
        [&](QDialog& update) {
            shown = update.windowTitle();
            imageWrittenFirst = fs::exists(workspace / "PROJECTS" / "Boat1" / "bin" / "bank.bin");
            update.reject();
        },
        &headline);
    windows->main().findChild<QPushButton*>("CreateBin")->click();
    EXPECT_THAT(headline.toStdString(), HasSubstr("2 warnings"));
    EXPECT_EQ(shown, "Update Firmware from Serial (RS232)");
    EXPECT_TRUE(imageWrittenFirst);
    EXPECT_THAT(messages.texts(), IsEmpty());
}

TEST_F(UpdateDevice, ImageIsNotRebuiltWhileATimedOutUpdaterStillRuns) {
    auto updater = FakeUpdater::runningOn(workspace.path());
    auto* update = windows->main().findChild<TFBootSer*>();
    ASSERT_NE(update, nullptr);
    StandInPort::Log port;
    update->setPort(std::make_unique<StandInPort>(port));
    update->setRememberedPortFile(workspace / "config" / "update.ini");
    update->setUpdaterTimeout(200ms);
    testing::goOnFromSummaryThen([&](QDialog&) {
        for (const char* button : {"LbButton1", "LbButton2", "LbButton4"})
            update->findChild<QPushButton*>(button)->click();
        update->reject();
    });
    auto* createBin = windows->main().findChild<QPushButton*>("CreateBin");
    createBin->click();
    ASSERT_TRUE(update->updaterRunningFor());

    fs::path image = workspace / "PROJECTS" / "Boat1" / "bin" / "bank.bin";
    writeFile(image, "being read");
    messages.messages.clear();
    createBin->click();
    EXPECT_THAT(messages.texts(), ElementsAre(MatchesRegex("The updater is still running \\([0-9]+ s\\): bank.bin is "
                                                           "not rebuilt while it may be reading it.")));
    EXPECT_EQ(readFile(image), "being read");
    EXPECT_FALSE(update->isVisible());
}

}  // namespace
}  // namespace telvanor
