#include "update/run_and_wait.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "update/fake_updater.h"
#include "update/updater_process.h"
#include "widgets/recording_message_boxes.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using testing::FakeUpdater;
using testing::readFile;
using testing::TempDir;
using namespace std::chrono_literals;

// Records where a positioned error box would open.
class PlacedMessageBoxes : public testing::RecordingMessageBoxes {
public:
    void errorAt(const std::string& text, int x, int y) override {
        error(text);
        placedAt = QPoint(x, y);
    }
    std::optional<QPoint> placedAt;
};

class RunAndWaitTest : public ::testing::Test {
protected:
    std::optional<std::string> start(UpdaterProcess& process, const FakeUpdater& updater,
                                     std::vector<std::string> arguments) {
        return process.start({updater.program, std::move(arguments), "", workspace / "output.log", {}});
    }

    TempDir workspace;
    int polls = 0;
    RunProgress countPolls = [this](auto) { ++polls; };
};

TEST_F(RunAndWaitTest, UpdaterThatEndsGivesItsCodeArgumentsAndOutput) {
    FakeUpdater updater(workspace.path(), "Ser_40915_Update.exe", "echo flashing; echo no answer >&2; exit 3");
    testing::writeFile(workspace / "output.log", "before\n");
    UpdaterProcess process;
    ASSERT_EQ(start(process, updater, {"COM3", "FW", "x\" \"--erase-all", "/p/My Boat/bin/"}), std::nullopt);
    EXPECT_TRUE(process.isRunning());
    EXPECT_EQ(RunAndWait(process, countPolls), RunOutcome::Ended);
    EXPECT_FALSE(process.isRunning());
    EXPECT_FALSE(process.end().crashed);
    EXPECT_EQ(process.end().exitCode, 3);
    EXPECT_GT(polls, 0);
    EXPECT_THAT(updater.arguments(), ElementsAre("COM3", "FW", "x\" \"--erase-all", "/p/My Boat/bin/"));
    EXPECT_EQ(readFile(workspace / "output.log"), "before\nflashing\nno answer\n");
}

TEST_F(RunAndWaitTest, UpdaterOutlivingTheTimeOutIsLeftRunningEvenWhenTheToolLetsGo) {
    auto updater = FakeUpdater::runningOn(workspace.path());
    {
        UpdaterProcess process;
        ASSERT_EQ(start(process, updater, {"COM1"}), std::nullopt);
        EXPECT_EQ(RunAndWait(process, countPolls, 300ms), RunOutcome::TimedOut);
        EXPECT_TRUE(process.isRunning());
        EXPECT_GE(process.elapsed(), 300ms);
    }
    EXPECT_TRUE(updater.alive());

    PlacedMessageBoxes messages;
    showTimeOutBox(messages, "Time Out Error");
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(messages.placedAt, QPoint(screen->geometry().width() / 2 - 180, 100));
}

TEST_F(RunAndWaitTest, ProgramThatCannotStartSaysWhy) {
    FakeUpdater notExecutable(workspace.path(), "plain.txt", "");
    std::filesystem::permissions(notExecutable.program,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    UpdaterProcess process;
    std::optional<std::string> failure = start(process, notExecutable, {});
    ASSERT_NE(failure, std::nullopt);
    EXPECT_THAT(*failure, ::testing::HasSubstr("ermission denied"));
    EXPECT_FALSE(process.isRunning());
}

TEST_F(RunAndWaitTest, EveryWindowIsDisabledButPaintsWhileWaiting) {
    auto updater = FakeUpdater::endingSoon(workspace.path());
    QLineEdit edit;
    QPushButton button("Set Communication");
    QPushButton userDisabled("Off");
    int pressed = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++pressed; });
    userDisabled.setEnabled(false);
    QWidget* windows[] = {&edit, &button, &userDisabled};
    for (QWidget* window : windows) window->show();

    bool timerRan = false;
    bool editEnabled = true;
    bool stillShownAfterClose = false;
    QTimer::singleShot(300, [&] {
        timerRan = true;
        editEnabled = edit.isEnabled();
        QApplication::postEvent(&edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
        // A screen reader or test tool presses the button through the accessibility interface.
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&button);
        if (accessible && accessible->actionInterface())
            accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        button.click();
        edit.close();
        stillShownAfterClose = edit.isVisible();
    });
    UpdaterProcess process;
    ASSERT_EQ(start(process, updater, {"COM1"}), std::nullopt);
    EXPECT_EQ(RunAndWait(process, countPolls), RunOutcome::Ended);
    QApplication::processEvents();
    EXPECT_TRUE(timerRan);
    EXPECT_FALSE(editEnabled);
    EXPECT_EQ(pressed, 0);
    EXPECT_TRUE(stillShownAfterClose);
    EXPECT_EQ(edit.text(), "");  // the key press was dropped, not kept for later
    EXPECT_TRUE(edit.isEnabled());
    EXPECT_TRUE(button.isEnabled());
    EXPECT_FALSE(userDisabled.isEnabled());
    edit.close();
    EXPECT_FALSE(edit.isVisible());  // and closing works again afterwards
}

}  // namespace
}  // namespace telvanor
