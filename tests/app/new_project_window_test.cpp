#include "app/new_project_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/application_windows.h"
#include "app/recording_message_boxes.h"
#include "project/settings_file.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::RecordingMessageBoxes;
using testing::TempDir;
namespace fs = std::filesystem;

// Runs `step` once the modal window that is about to open is showing.
void whenShown(std::function<void()> step) { QTimer::singleShot(0, std::move(step)); }

template <typename Widget>
Widget* control(QWidget& window, const char* name) {
    auto* found = window.findChild<Widget*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

class NewProjectWindow : public ::testing::Test {
protected:
    NewProjectWindow() {
        fs::create_directories(projects());
        workspace.ProjectsDir = projects();
        workspace.ProjectDir = projects();
        SetProjectPaths(workspace);
        window.setDestination(projects());
    }

    fs::path projects() const { return dir / "PROJECTS"; }
    QLineEdit* edit() { return control<QLineEdit>(window, "Edit1"); }
    void type(const QString& text) { QTest::keyClicks(edit(), text); }

    TempDir dir;
    WorkspaceState workspace;
    RecordingMessageBoxes messages;
    TFsaveproj window{workspace, messages};
};

TEST_F(NewProjectWindow, ShowsItsControlsAndStartsEmptyWithTheFocusOnTheName) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), "New project");
    EXPECT_EQ(control<QLabel>(window, "Label1")->text(), "Project name");
    EXPECT_EQ(edit()->accessibleName(), "Project name");
    EXPECT_EQ(control<QPushButton>(window, "bitbtn1")->text(), "OK");
    EXPECT_TRUE(control<QPushButton>(window, "bitbtn1")->isDefault());
    EXPECT_EQ(control<QPushButton>(window, "bitbtn2")->text(), "Cancel");
    EXPECT_EQ(QApplication::focusWidget(), edit());
    EXPECT_GE(window.width(), 319);
    EXPECT_GE(window.height(), 91);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowCloseButtonHint);
    window.reject();

    // The name typed before Cancel is gone at the next showing.
    window.show();
    type("Leftover");
    window.reject();
    window.show();
    EXPECT_EQ(edit()->text(), "");
    window.reject();
}

TEST_F(NewProjectWindow, EnterCreatesTheProjectAndClosesWithOk) {
    window.show();
    type("Boat2");
    QTest::keyClick(edit(), Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_TRUE(fs::is_directory(projects() / "Boat2" / "bin"));
    EXPECT_EQ(workspace.ProjectName, "Boat2");
    EXPECT_EQ(workspace.PargenPath, projects() / "Boat2" / "pargen.xml");
    EXPECT_THAT(messages.texts(), IsEmpty());
}

TEST_F(NewProjectWindow, RefusedNameKeepsTheWindowOpenWithTheTextAsTyped) {
    fs::create_directories(projects() / "Boat1");
    window.show();
    type("Boat1");
    control<QPushButton>(window, "bitbtn1")->click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(edit()->text(), "Boat1");
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, "plain");
    EXPECT_EQ(messages.messages[0].text, "Name project not valid because directory already exists");

    // A folder that cannot be made: no message, still open.
    edit()->setText("a/b");
    control<QPushButton>(window, "bitbtn1")->click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(messages.messages.size(), 1u);

    edit()->clear();
    control<QPushButton>(window, "bitbtn1")->click();
    EXPECT_EQ(messages.texts().back(), "Name project not valid");
    control<QPushButton>(window, "bitbtn2")->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
}

TEST_F(NewProjectWindow, OtherCloseRequestsAreRefusedUntilOkOrCancelAllowsThem) {
    window.show();
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    control<QPushButton>(window, "bitbtn1")->click();  // empty name: refused, still not allowed
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());

    // Escape is Cancel: it closes, creates nothing and leaves the workspace alone.
    type("Boat9");
    QTest::keyClick(edit(), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_FALSE(fs::exists(projects() / "Boat9"));
    EXPECT_EQ(workspace.ProjectDir, projects());
}

TEST_F(NewProjectWindow, EmptyDestinationAndNameGiveBothMessages) {
    window.setDestination({});
    window.show();
    control<QPushButton>(window, "bitbtn1")->click();
    EXPECT_THAT(messages.texts(), ElementsAre("directory destination not valid", "Name project not valid"));
    EXPECT_TRUE(window.isVisible());
    window.reject();
}

// The main window's "New project" step, through the windows as the program creates them.
class NewProjectStep : public ::testing::Test {
protected:
    fs::path projects() const { return dir / "PROJECTS"; }
    TFTelvanoreFirmWare& main() { return windows->main(); }
    TFsaveproj& saveproj() { return *main().findChild<TFsaveproj*>("Fsaveproj"); }

    void pressNewProjectAnd(std::function<void(TFsaveproj&)> step) {
        whenShown([this, step] { step(saveproj()); });
        main().findChild<QPushButton*>("New")->click();
    }

    TempDir dir;
    RecordingMessageBoxes messages;
    std::unique_ptr<ApplicationWindows> windows = std::make_unique<ApplicationWindows>(dir.path(), messages);
};

TEST_F(NewProjectStep, OkMakesTheNewProjectCurrentAndTitlesIt) {
    ASSERT_NE(main().findChild<TFsaveproj*>("Fsaveproj"), nullptr);
    pressNewProjectAnd([](TFsaveproj& window) {
        QTest::keyClicks(window.findChild<QLineEdit*>("Edit1"), "Boat2");
        window.findChild<QPushButton*>("bitbtn1")->click();
    });
    EXPECT_EQ(saveproj().destination(), projects());
    EXPECT_EQ(main().windowTitle(), "Quenzar Telvanor TQ40915 MODBUS RTU Slave TO NMEA2000 :Boat2");
    EXPECT_TRUE(fs::is_directory(projects() / "Boat2" / "bin"));
    EXPECT_EQ(main().workspace().ProjectDir, projects() / "Boat2");

    // Closing keeps the bare name, and the next start restores the project.
    main().close();
    EXPECT_EQ(readIniValue(dir / "Telvanor_NMEA20002MRTUs.ini", "lastproj", "projectname"), "Boat2");
    windows = std::make_unique<ApplicationWindows>(dir.path(), messages);
    EXPECT_EQ(main().windowTitle(), "Quenzar Telvanor TQ40915 MODBUS RTU Slave TO NMEA2000 :Boat2");
    EXPECT_EQ(main().workspace().ProjectDir, projects() / "Boat2");
}

TEST_F(NewProjectStep, CancelKeepsTheProjectButLeavesTheBarePrefixAsTitle) {
    pressNewProjectAnd([](TFsaveproj& window) {
        QTest::keyClicks(window.findChild<QLineEdit*>("Edit1"), "Boat2");
        window.findChild<QPushButton*>("bitbtn1")->click();
    });
    pressNewProjectAnd([](TFsaveproj& window) {
        QTest::keyClicks(window.findChild<QLineEdit*>("Edit1"), "Boat3");
        window.findChild<QPushButton*>("bitbtn2")->click();
    });
    EXPECT_EQ(main().windowTitle(), "Quenzar Telvanor TQ40915 MODBUS RTU Slave TO NMEA2000 :");
    EXPECT_EQ(main().workspace().ProjectName, "Boat2");
    EXPECT_EQ(main().workspace().ProjectDir, projects() / "Boat2");
    EXPECT_FALSE(fs::exists(projects() / "Boat3"));
}

}  // namespace
}  // namespace telvanor
