#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/about_window.h"
#include "app/application_windows.h"
#include "app/ping_window.h"
#include "support/temp_dir.h"
#include "widgets/recording_message_boxes.h"
#include "widgets/window_checks.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using testing::RecordingMessageBoxes;
using testing::TempDir;

TEST(ApplicationWindows, CreatesTheWindowsInTheFixedOrderAndAboutOpensItsWindow) {
    TempDir workspace;
    RecordingMessageBoxes messages;
    ApplicationWindows windows(workspace.path(), messages);

    std::vector<std::string> order;
    for (QDialog* window : windows.main().findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
        order.push_back(window->objectName().toStdString());
    EXPECT_THAT(order, ElementsAre("Fsaveproj", "FAbout", "FSELstringhe", "FModifyFileSx", "Fpargen", "FSdoMB",
                                   "FpdoMB", "FInfopdoMB", "FemcyMB", "FWemcyMB", "FTPdoMB", "FPing", "FTpdo2MB",
                                   "FInfoTpdoMB", "FBootSer", "RegisterOverview", "Monitor"));
    for (QDialog* window : windows.main().findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();

    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = windows.about().isVisible();
        windows.about().accept();
    });
    windows.main().findChild<QPushButton*>("about")->click();
    EXPECT_TRUE(shown);
    EXPECT_THAT(messages.texts(), ElementsAre());
}

TEST(PingWindow, ThreePicturesAtOneSpotALabelAndOk) {
    TFPing ping;
    EXPECT_EQ(ping.windowTitle(), "Ping!");
    for (const char* name : {"I_P_E", "I_P_F", "I_P_NF"}) {
        auto* picture = ping.findChild<QLabel*>(name);
        ASSERT_NE(picture, nullptr) << name;
        EXPECT_FALSE(picture->pixmap().isNull()) << name;
    }
    ASSERT_NE(ping.findChild<QLabel*>("Label1"), nullptr);
    testing::expectUsableByKeyboard(ping, "bitbtn1");
    // Whichever picture is shown stands where the first one does.
    QRect spot = ping.findChild<QLabel*>("I_P_E")->geometry();
    ping.findChild<QLabel*>("I_P_E")->hide();
    ping.findChild<QLabel*>("I_P_NF")->show();
    QApplication::processEvents();
    EXPECT_EQ(ping.findChild<QLabel*>("I_P_NF")->geometry(), spot);
    ping.findChild<QPushButton*>("bitbtn1")->click();
    EXPECT_EQ(ping.result(), QDialog::Accepted);
    EXPECT_FALSE(ping.isVisible());
}

}  // namespace
}  // namespace telvanor
