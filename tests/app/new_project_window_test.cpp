#include "app/new_project_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/application_windows.h"
#include "project/settings_file.h"
#include "support/temp_dir.h"
#include "widgets/recording_message_boxes.h"

namespace telvanor {
namespace {

using ::testing::IsEmpty;
using testing::RecordingMessageBoxes;
using testing::TempDir;
namespace fs = std::filesystem;

class NewProjectWindow : public ::testing::Test {
protected:
    NewProjectWindow() {
        fs::create_directories(projects / "Boat1");
        workspace.ProjectsDir = workspace.ProjectDir = projects;
        SetProjectPaths(workspace);
        window.setDestination(projects);
    }

    QLineEdit* edit() { return window.findChild<QLineEdit*>("Edit1"); }
    QPushButton* button(const char* name) { return window.findChild<QPushButton*>(name); }

    TempDir dir;
    fs::path projects = dir / "PROJECTS";
    WorkspaceState workspace;
    RecordingMessageBoxes messages;
    TFsaveproj window{workspace, messages};
};

TEST_F(NewProjectWindow, EnterCreatesTheProjectAndClosesWithOk) {
    window.show();
    EXPECT_EQ(window.windowTitle(), "New project");
    EXPECT_EQ(window.findChild<QLabel*>("Label1")->text(), "Project name");
    EXPECT_EQ(edit()->accessibleName(), "Project name");
    EXPECT_EQ(window.focusWidget(), edit());
    EXPECT_TRUE(button("bitbtn1")->isDefault());
    EXPECT_EQ(button("bitbtn2")->text(), "Cancel");
    EXPECT_GE(window.width(), 319);
    QTest::keyClicks(edit(), "Boat2");
    QTest::keyClick(edit(), Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_TRUE(fs::is_directory(projects / "Boat2" / "bin"));
    EXPECT_EQ(workspace.PargenPath, projects / "Boat2" / "pargen.xml");
    EXPECT_THAT(messages.texts(), IsEmpty());
    window.show();
    EXPECT_EQ(edit()->text(), "");  // every showing starts empty
    window.reject();
}

TEST_F(NewProjectWindow, RefusedNameKeepsTheWindowOpenAndOtherClosesAreRefused) {
    window.show();
    EXPECT_FALSE(window.close());
    QTest::keyClicks(edit(), "Boat1");
    button("bitbtn1")->click();
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Name project not valid because directory already exists"});
    EXPECT_EQ(messages.messages[0].kind, "plain");
    EXPECT_EQ(edit()->text(), "Boat1");
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());

    edit()->setText("a/b");  // cannot be made: no message, still open
    button("bitbtn1")->click();
    EXPECT_EQ(messages.messages.size(), 1u);
    EXPECT_TRUE(window.isVisible());

    QTest::keyClick(edit(), Qt::Key_Escape);  // Escape is Cancel
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_EQ(workspace.ProjectDir, projects);
}

// The main window's "New project", with the windows as the program creates them.
class NewProjectStep : public ::testing::Test {
protected:
    TFTelvanoreFirmWare& main() { return windows->main(); }

    void newProject(const char* name, const char* button) {
        QTimer::singleShot(0, [this, name, button] {
            auto* window = main().findChild<TFsaveproj*>("Fsaveproj");
            EXPECT_EQ(window->destination(), dir / "PROJECTS");
            QTest::keyClicks(window->findChild<QLineEdit*>("Edit1"), name);
            window->findChild<QPushButton*>(button)->click();
        });
        main().findChild<QPushButton*>("New")->click();
    }

    TempDir dir;
    RecordingMessageBoxes messages;
    std::unique_ptr<ApplicationWindows> windows = std::make_unique<ApplicationWindows>(dir.path(), messages);
};

TEST_F(NewProjectStep, OkTitlesTheNewProjectAndTheNextStartRestoresIt) {
    newProject("Boat2", "bitbtn1");
    EXPECT_EQ(main().windowTitle(), "Quenzar Telvanor TQ40915 MODBUS RTU Slave TO NMEA2000 :Boat2");
    EXPECT_EQ(main().workspace().ProjectDir, dir / "PROJECTS" / "Boat2");
    main().close();
    EXPECT_EQ(readIniValue(dir / "Telvanor_NMEA20002MRTUs.ini", "lastproj", "projectname"), "Boat2");
    windows = std::make_unique<ApplicationWindows>(dir.path(), messages);
    EXPECT_EQ(main().windowTitle(), "Quenzar Telvanor TQ40915 MODBUS RTU Slave TO NMEA2000 :Boat2");
}

TEST_F(NewProjectStep, CancelKeepsTheProjectButLeavesTheBarePrefixAsTitle) {
    newProject("Boat2", "bitbtn1");
    newProject("Boat3", "bitbtn2");
    EXPECT_EQ(main().windowTitle(), "Quenzar Telvanor TQ40915 MODBUS RTU Slave TO NMEA2000 :");
    EXPECT_EQ(main().workspace().ProjectName, "Boat2");
    EXPECT_EQ(main().workspace().ProjectDir, dir / "PROJECTS" / "Boat2");
    EXPECT_FALSE(fs::exists(dir / "PROJECTS" / "Boat3"));
}

}  // namespace
}  // namespace telvanor
