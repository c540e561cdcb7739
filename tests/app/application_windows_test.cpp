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

// Presses a button and gives the title of the modal window it opened (closed at once).
QString windowOpenedBy(QPushButton* button) {
    QString title = "<nothing opened>";
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            title = modal->windowTitle();
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        }
    });
    button->click();
    return title;
}

QString windowOpenedBy(TFTelvanoreFirmWare& main, const char* button) {
    return windowOpenedBy(main.findChild<QPushButton*>(button));
}

TEST(ApplicationWindows, StepsAndOverviewButtonsOpenTheirWindows) {
    TempDir workspace;
    RecordingMessageBoxes messages;
    ApplicationWindows windows(workspace.path(), messages);
    windows.main().show();
    EXPECT_EQ(windowOpenedBy(windows.main(), "btn_RCOB"), "Receive NMEA2000 Frame");
    EXPECT_EQ(windowOpenedBy(windows.main(), "btn_TCOB"), "Transmit NMEA2000 Frame");
    EXPECT_EQ(windowOpenedBy(windows.main(), "btn_Reg_Overview"), "Register Overview");
    EXPECT_EQ(windowOpenedBy(windows.main(), "btn_Monitor"), "Monitor");
    // The register map windows open the overview too.
    for (const char* mapWindow : {"FInfopdoMB", "FInfoTpdoMB"}) {
        auto* window = windows.main().findChild<QDialog*>(mapWindow);
        ASSERT_NE(window, nullptr) << mapWindow;
        window->show();
        EXPECT_EQ(windowOpenedBy(window->findChild<QPushButton*>("btnOverview")), "Register Overview") << mapWindow;
        window->hide();
    }
    EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
}  // namespace telvanor
