#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "app/application_windows.h"
#include "project/settings_file.h"
#include "support/temp_dir.h"
#include "widgets/recording_message_boxes.h"
#include "widgets/screen_fit.h"

namespace telvanor {
namespace {

namespace fs = std::filesystem;
using testing::RecordingMessageBoxes;
using testing::TempDir;

std::string text(const QRect& rect) {
    std::ostringstream out;
    out << rect.width() << " x " << rect.height() << " at (" << rect.x() << ", " << rect.y() << ")";
    return out.str();
}

// The window, its frame included, lies wholly on the available area of its screen, and each of
// its buttons (OK and Cancel among them) wholly within the window.
void expectOnScreen(QWidget& window) {
    QApplication::processEvents();
    const std::string title = window.windowTitle().toStdString();
    const QRect available = window.screen()->availableGeometry();
    EXPECT_TRUE(available.contains(outerGeometry(window)))
        << title << ": " << text(outerGeometry(window)) << " on a screen of " << text(available);
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->window() != &window || !button->isVisibleTo(&window)) continue;
        const QRect where(button->mapTo(&window, QPoint()), button->size());
        EXPECT_TRUE(window.rect().contains(where)) << title << ": \"" << button->text().toStdString() << "\" "
                                                   << text(where) << " in a window of " << text(window.rect());
    }
}

using WindowCheck = std::function<void(QDialog&)>;

// Runs the checks, one each, on the modal windows that open after this call, in the order they
// open; a check closes its window, or opens the next from within it. Clearing the list that is
// given back stops the watch.
std::shared_ptr<std::vector<WindowCheck>> onModalWindows(std::vector<WindowCheck> checks) {
    auto pending = std::make_shared<std::vector<WindowCheck>>(std::move(checks));
    auto seen = std::make_shared<std::set<QWidget*>>();
    auto step = std::make_shared<std::function<void()>>();
    *step = [step, seen, pending] {
        if (pending->empty()) return;
        QTimer::singleShot(10, *step);
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!modal || !modal->isVisible() || seen->count(modal)) return;
        seen->insert(modal);
        WindowCheck check = pending->front();
        pending->erase(pending->begin());
        check(*modal);
    };
    QTimer::singleShot(0, *step);
    return pending;
}

void checkAndClose(QDialog& window) {
    expectOnScreen(window);
    window.reject();
}

// The program's windows on a workspace whose current project is the sample, so that every
// window shows real frames and mappings.
class ScreenFit : public ::testing::Test {
protected:
    ScreenFit() {
        fs::create_directories(workspace / "PROJECTS");
        fs::copy(testing::examplesDir() / "Boat1", workspace / "PROJECTS" / "Boat1", fs::copy_options::recursive);
        writeIniValue(workspace / "Telvanor_NMEA20002MRTUs.ini", "lastproj", "projectname", "Boat1");
        windows = std::make_unique<ApplicationWindows>(workspace.path(), messages);
        windows->main().show();
    }

    // Presses a main window's button; each window it opens gets its check.
    void press(const char* button, const std::vector<WindowCheck>& checks) {
        SCOPED_TRACE(button);
        auto pending = onModalWindows(checks);
        windows->main().findChild<QPushButton*>(button)->click();
        EXPECT_TRUE(pending->empty()) << pending->size() << " windows did not open";
        pending->clear();
    }

    TempDir workspace;
    RecordingMessageBoxes messages;
    std::unique_ptr<ApplicationWindows> windows;
};

TEST_F(ScreenFit, EveryWindowReachableFromTheMainWindowLiesOnTheScreen) {
    expectOnScreen(windows->main());
    for (const char* step :
         {"New", "open", "about", "btn_Prm_Gen", "btn_Monitor", "btn_RCOB", "btn_TCOB", "btn_Reg_Overview"})
        press(step, {checkAndClose});
    // The register map windows and the workbook chooser of their Import.
    for (const char* mapStep : {"btn_Info_RCOB", "btn_Info_TCOB"})
        press(mapStep, {[](QDialog& map) {
                            expectOnScreen(map);
                            map.findChild<QPushButton*>("bitbtn4")->click();
                            map.reject();
                        },
                        checkAndClose});
    // Update Device: its summary, then the serial update window.
    press("CreateBin", {[](QDialog& summary) {
                            expectOnScreen(summary);
                            summary.accept();
                        },
                        checkAndClose});
    EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
}  // namespace telvanor
