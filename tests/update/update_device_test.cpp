#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/application_windows.h"
#include "project/settings_file.h"
#include "support/temp_dir.h"
#include "update/boot_serial_window.h"
#include "widgets/recording_message_boxes.h"

namespace telvanor {
namespace {

using ::testing::IsEmpty;
using testing::RecordingMessageBoxes;
using testing::TempDir;
namespace fs = std::filesystem;

TEST(UpdateDevice, OpensTheSerialUpdateWindowAfterWritingTheImage) {
    TempDir workspace;
    fs::create_directories(workspace / "PROJECTS");
    fs::copy(testing::examplesDir() / "Boat1", workspace / "PROJECTS" / "Boat1", fs::copy_options::recursive);
    writeIniValue(workspace / "Telvanor_NMEA20002MRTUs.ini", "lastproj", "projectname", "Boat1");
    RecordingMessageBoxes messages;
    ApplicationWindows windows(workspace.path(), messages);

    QString shown;
    bool imageWrittenFirst = false;
    QTimer::singleShot(0, [&] {
        auto* update = qobject_cast<TFBootSer*>(QApplication::activeModalWidget());
        if (!update) return;
        shown = update->windowTitle();
        imageWrittenFirst = fs::exists(workspace / "PROJECTS" / "Boat1" / "bin" / "bank.bin");
        update->reject();
    });
    windows.main().findChild<QPushButton*>("CreateBin")->click();
    EXPECT_EQ(shown, "Update Firmware from Serial (RS232)");
    EXPECT_TRUE(imageWrittenFirst);
    EXPECT_THAT(messages.texts(), IsEmpty());
}

}  // namespace
}  // namespace telvanor
