#include "app/application_windows.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "widgets/recording_message_boxes.h"

namespace telvanor {
namespace {

using testing::RecordingMessageBoxes;
using testing::TempDir;

// Presses a step button and gives the title of the modal window it opened (closed at once).
QString windowOpenedBy(TFTelvanoreFirmWare& main, const char* button) {
    QString title = "<nothing opened>";
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            title = modal->windowTitle();
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        }
    });
    main.findChild<QPushButton*>(button)->click();
    return title;
}

TEST(ApplicationWindows, TheFrameTableStepsOpenTheirWindows) {
    TempDir workspace;
    RecordingMessageBoxes messages;
    ApplicationWindows windows(workspace.path(), messages);
    windows.main().show();
    EXPECT_EQ(windowOpenedBy(windows.main(), "btn_RCOB"), "Receive NMEA2000 Frame");
    EXPECT_EQ(windowOpenedBy(windows.main(), "btn_TCOB"), "Transmit NMEA2000 Frame");
    EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
}  // namespace telvanor
