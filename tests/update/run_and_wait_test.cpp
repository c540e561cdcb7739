#include "update/run_and_wait.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "update/fake_updater.h"
#include "update/updater_command.h"
#include "widgets/recording_message_boxes.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using testing::FakeUpdater;
using ::testing::IsEmpty;
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
    RunOutcome run(const FakeUpdater& updater, const std::string& parameters, std::chrono::milliseconds timeout) {
        return RunAndWait(
            updater.program, parameters, false, messages, [this](auto) { ++polls; }, timeout);
    }

    TempDir workspace;
    PlacedMessageBoxes messages;
    int polls = 0;
};

TEST_F(RunAndWaitTest, UpdaterThatEndsIsWaitedForSilently) {
    auto updater = FakeUpdater::endingSoon(workspace.path());
    std::string parameters = "COM3 FW FR PW PR \"" + workspace.path().string() + "/MASTER/sim40915.sim\" \"" +
                             workspace.path().string() + "/PROJECTS/My Boat/bin/\"";
    EXPECT_EQ(run(updater, parameters, kUpdaterTimeout), RunOutcome::Ended);
    EXPECT_THAT(messages.texts(), IsEmpty());
    EXPECT_FALSE(updater.alive());
    EXPECT_GT(polls, 0);
    EXPECT_THAT(updater.arguments(),
                ElementsAre("COM3", "FW", "FR", "PW", "PR", workspace.path().string() + "/MASTER/sim40915.sim",
                            workspace.path().string() + "/PROJECTS/My Boat/bin/"));
}

TEST_F(RunAndWaitTest, UpdaterOutlivingTheTimeOutIsLeftRunning) {
    auto updater = FakeUpdater::runningOn(workspace.path());
    EXPECT_EQ(run(updater, "COM1 NO NO NO NO", 300ms), RunOutcome::TimedOut);
    ASSERT_THAT(messages.texts(), ElementsAre("Time Out Error"));
    EXPECT_EQ(messages.messages[0].kind, "error");
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(messages.placedAt, QPoint(screen->geometry().width() / 2 - 180, 100));
    EXPECT_TRUE(updater.alive());
    EXPECT_THAT(updater.arguments(), ElementsAre("COM1", "NO", "NO", "NO", "NO"));
}

TEST_F(RunAndWaitTest, ProgramThatCannotStartGivesNoMessageAndNoWait) {
    FakeUpdater missing(workspace.path(), "Ser_40915_Update.exe", "");
    std::filesystem::remove(missing.program);
    EXPECT_EQ(run(missing, "COM1", kUpdaterTimeout), RunOutcome::NotStarted);

    FakeUpdater notExecutable(workspace.path(), "plain.txt", "");
    std::filesystem::permissions(notExecutable.program,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(run(notExecutable, "COM1", kUpdaterTimeout), RunOutcome::NotStarted);

    EXPECT_THAT(messages.texts(), IsEmpty());
    EXPECT_EQ(polls, 0);
}

TEST_F(RunAndWaitTest, WindowsPaintButTakeNoInputWhileWaiting) {
    auto updater = FakeUpdater::endingSoon(workspace.path());
    QLineEdit edit;
    edit.show();
    bool timerRan = false;
    bool stillShownAfterClose = false;
    QTimer::singleShot(300, [&] {
        timerRan = true;
        QApplication::postEvent(&edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
        edit.close();
        stillShownAfterClose = edit.isVisible();
    });
    EXPECT_EQ(run(updater, "COM1", kUpdaterTimeout), RunOutcome::Ended);
    QApplication::processEvents();
    EXPECT_TRUE(timerRan);
    EXPECT_TRUE(stillShownAfterClose);
    EXPECT_EQ(edit.text(), "");  // the key press was dropped, not kept for later
    edit.close();
    EXPECT_FALSE(edit.isVisible());  // and closing works again afterwards
}

}  // namespace
}  // namespace telvanor
