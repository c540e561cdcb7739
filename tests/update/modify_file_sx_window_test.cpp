#include "update/modify_file_sx_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "widgets/recording_message_boxes.h"
#include "widgets/window_checks.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using testing::readFile;
using testing::RecordingMessageBoxes;
using ::testing::StartsWith;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

const std::string kMaster =
    "S00F000068656C6C6F202020202000003C\r\n"
    "S224388000" +
    std::string(64, 'A') +
    "E3\r\n"
    "S224398000" +
    std::string(64, 'B') +
    "C2\r\n"
    "S9030000FC\r\n";

std::string repeated(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) result += text;
    return result;
}

class GenerateFirmwareWindow : public ::testing::Test {
protected:
    GenerateFirmwareWindow() {
        workspace.ExeDir = root.path();
        workspace.MasterDir = root / "MASTER";
        workspace.ProjectsDir = root / "PROJECTS";
        workspace.ProjectDir = workspace.ProjectsDir / "Boat1";
        fs::create_directories(workspace.MasterDir);
        writeFile(workspace.ProjectDir / "bin" / "bank1.bin", std::string(kBankBytes, '\x01'));
        writeFile(workspace.ProjectDir / "bin" / "bank2.bin", std::string(kBankBytes, '\x02'));
    }

    fs::path output() const { return workspace.ProjectDir / "New_SX40905.sx"; }
    QPushButton* execute() { return window.findChild<QPushButton*>("LbButton2"); }
    QComboBox* ports() { return window.findChild<QComboBox*>("cbport"); }

    // A FlashWrite.exe that notes its command line and its folder beside itself.
    void installFlashWrite() {
        fs::path program = root / "FlashWrite.exe";
        writeFile(
            program,
            "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/args.part\"\npwd > \"$(dirname \"$0\")/cwd.txt\"\n"
            "mv \"$(dirname \"$0\")/args.part\" \"$(dirname \"$0\")/args.txt\"\n");
        fs::permissions(program, fs::perms::owner_all);
    }

    TempDir root;
    WorkspaceState workspace;
    RecordingMessageBoxes messages;
    TFModifyFileSx window{workspace, messages};
};

TEST_F(GenerateFirmwareWindow, WithoutTheMasterFileExecuteStaysDisabled) {
    window.show();
    EXPECT_EQ(window.windowTitle(), "Generate Firmware");
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, "error");
    EXPECT_EQ(messages.messages[0].text, "Error file SX40905.sx not found");
    EXPECT_FALSE(execute()->isEnabled());
}

TEST_F(GenerateFirmwareWindow, ExecuteWritesTheFirmwareFileAndStartsFlashWrite) {
    writeFile(workspace.MasterDir / "SX40905.sx", kMaster);
    installFlashWrite();
    window.show();
    EXPECT_TRUE(execute()->isEnabled());
    ASSERT_EQ(ports()->count(), 8);
    EXPECT_EQ(ports()->itemText(0), "COM1");
    EXPECT_EQ(ports()->itemText(7), "COM8");
    ports()->setCurrentIndex(2);

    execute()->click();

    EXPECT_THAT(messages.texts(), ElementsAre());
    std::string firmware = readFile(output());
    EXPECT_THAT(firmware,
                StartsWith("S00F000068656C6C6F202020202000003C\r\nS224388000" + repeated("01", 32) + "03\r\n"));
    EXPECT_EQ(std::count(firmware.begin(), firmware.end(), '\n'), 2 + 2 * 512);
    auto* bar = window.findChild<QProgressBar*>("Avanzamento");
    EXPECT_EQ(bar->value(), bar->maximum());

    // FlashWrite.exe runs on its own; the window did not wait for it.
    for (int waited = 0; waited < 200 && !fs::exists(root / "args.txt"); ++waited) QTest::qWait(50);
    ASSERT_TRUE(fs::exists(root / "args.txt")) << "FlashWrite.exe was not started";
    EXPECT_EQ(readFile(root / "args.txt"), "\"" + output().string() +
                                               "\"\xC2\xB6"
                                               "2");
    EXPECT_EQ(readFile(root / "cwd.txt"), workspace.MasterDir.string() + "\n");
}

TEST_F(GenerateFirmwareWindow, MissingBank2IsReportedThenTheFlashStepChecksItsFiles) {
    writeFile(workspace.MasterDir / "SX40905.sx", kMaster);
    fs::remove(workspace.ProjectDir / "bin" / "bank2.bin");
    window.show();
    execute()->click();
    EXPECT_THAT(messages.texts(),
                ElementsAre("File bank2.bin Not Found,Abort Procedure", "File *.Sx Not Found,Abort Procedure"));
    EXPECT_FALSE(fs::exists(output()));

    // An output file of an earlier run is what the flash step finds; FlashWrite.exe is next.
    messages.messages.clear();
    writeFile(output(), "earlier run");
    execute()->click();
    EXPECT_THAT(messages.texts(),
                ElementsAre("File bank2.bin Not Found,Abort Procedure", "FlashWrite.exe Not Found, Procedure Aborted"));
    EXPECT_EQ(readFile(output()), "earlier run");
    EXPECT_EQ(messages.messages[0].kind, "plain");
}

TEST_F(GenerateFirmwareWindow, FlashWriteThatCannotStartIsReported) {
    writeFile(workspace.MasterDir / "SX40905.sx", kMaster);
    writeFile(root / "FlashWrite.exe", "not a program");
    fs::permissions(root / "FlashWrite.exe", fs::perms::owner_read | fs::perms::owner_write);
    window.show();
    execute()->click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, "error");
    EXPECT_THAT(messages.messages[0].text, StartsWith("Cannot start " + (root / "FlashWrite.exe").string() + ": "));
}

TEST_F(GenerateFirmwareWindow, EveryShowingStartsFromCom1BanksOneAndTwoAndAnEmptyBar) {
    writeFile(workspace.MasterDir / "SX40905.sx", kMaster);
    window.show();
    execute()->click();
    ports()->setCurrentIndex(5);
    window.findChild<QCheckBox*>("Cbbank2")->setChecked(false);
    window.findChild<QCheckBox*>("Cbbank3")->setChecked(true);
    window.hide();
    window.show();
    EXPECT_EQ(ports()->currentIndex(), 0);
    EXPECT_EQ(window.findChild<QProgressBar*>("Avanzamento")->value(), 0);
    const bool enabled[] = {true, true, false, false, false};
    for (int bank = 1; bank <= 5; ++bank)
        EXPECT_EQ(window.findChild<QCheckBox*>(QString("Cbbank%1").arg(bank))->isChecked(), enabled[bank - 1]) << bank;
    EXPECT_FALSE(window.findChild<QCheckBox*>("Cbbank1")->isVisible());
}

TEST_F(GenerateFirmwareWindow, KeyboardReachesEverythingAndEscapeCloses) {
    writeFile(workspace.MasterDir / "SX40905.sx", kMaster);
    testing::expectUsableByKeyboard(window, "LbButton2");
    testing::expectEscapeCloses(window);
    window.show();
    window.findChild<QPushButton*>("LbButton1")->click();
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace telvanor
