#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/application_windows.h"
#include "project/settings_file.h"
#include "support/temp_dir.h"
#include "update/summary_answer.h"
#include "widgets/recording_message_boxes.h"

namespace telvanor {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using testing::RecordingMessageBoxes;
using testing::TempDir;
namespace fs = std::filesystem;

TEST(UpdateDevice, OpensTheSerialUpdateWindowAfterTheSummary) {
    TempDir workspace;
    fs::create_directories(workspace / "PROJECTS");
    fs::copy(testing::examplesDir() / "Boat1", workspace / "PROJECTS" / "Boat1", fs::copy_options::recursive);
    writeIniValue(workspace / "Telvanor_NMEA20002MRTUs.ini", "lastproj", "projectname", "Boat1");
    RecordingMessageBoxes messages;
    ApplicationWindows windows(workspace.path(), messages);

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
    windows.main().findChild<QPushButton*>("CreateBin")->click();
    EXPECT_THAT(headline.toStdString(), HasSubstr("2 warnings"));
    EXPECT_EQ(shown, "Update Firmware from Serial (RS232)");
    EXPECT_TRUE(imageWrittenFirst);
    EXPECT_THAT(messages.texts(), IsEmpty());
}

}  // namespace
}  // namespace telvanor
