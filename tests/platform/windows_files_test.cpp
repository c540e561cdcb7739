// What a Windows computer does differently with files: names in any letter case are one name,
// names reach the system as UTF-16, and a file that another program holds open cannot be
// replaced.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "monitor/modbus_master.h"
#include "platform/serial_device.h"
#include "project/atomic_file.h"
#include "project/file_backup.h"
#include "project/file_lookup.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using testing::filesIn;
using ::testing::HasSubstr;
using testing::readFile;
using testing::spellingsIn;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

// A spreadsheet program keeps the file it shows open and lets nobody delete it.
TEST(WindowsFiles, AFileThatAnotherProgramHoldsOpenIsNotReplacedAndTheMessageSaysSo) {
    TempDir dir;
    writeFile(dir / "RCobDef.xml", "<old/>");
    HANDLE held = ::CreateFileW((dir / "RCobDef.xml").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::string message;
    try {
        saveProjectFile(dir / "RCobDef.xml", "<new/>");
    } catch (const FileError& error) {
        message = error.what();
    }
    ::CloseHandle(held);
    EXPECT_EQ(message, "Cannot write " + (dir / "RCobDef.xml").string() +
                           ": another program has it open. Close it there and save again; the file on disk is as "
                           "it was");
    EXPECT_EQ(readFile(dir / "RCobDef.xml"), "<old/>");
    EXPECT_EQ(filesIn(dir.path()), 2u) << "the file and the backup folder, no temporary file";
    saveProjectFile(dir / "RCobDef.xml", "<new/>");
    EXPECT_EQ(readFile(dir / "RCobDef.xml"), "<new/>") << "closed, it is replaced";
}

TEST(WindowsFiles, NamesWithCharactersBeyondTheCodePageAreWrittenReadAndBackedUp) {
    TempDir dir;
    // "Projekt Überführung ñ 船" in UTF-8: no single Windows code page holds all of it.
    const fs::path folder = dir.path() / fs::path(u8"Projekt \u00DCberf\u00FChrung \u00F1 \u8239");
    fs::create_directories(folder);
    saveProjectFile(folder / "pargen.xml", "<first/>");
    saveProjectFile(folder / "pargen.xml", "<second/>");
    EXPECT_EQ(readWholeFile(folder / "pargen.xml", 100), "<second/>");
    EXPECT_EQ(filesIn(folder / "backup"), 1u);
    EXPECT_TRUE(findFileNoCase(folder, "PARGEN.XML"));
}

// Windows takes "pargen.xml" and "Pargen.xml" for one file: the program finds and replaces it
// under the spelling it has. Asked for a spelling of its own, NTFS would rename the file to it;
// Wine keeps the Linux name, so here the spelling the lookup hands to the system is what shows
// that the name stays.
TEST(WindowsFiles, ANameInAnotherCaseIsTheSameFile) {
    TempDir dir;
    writeFile(dir / "RCOBDEF.XML", "<old/>");
    EXPECT_EQ(findFileNoCase(dir.path(), "RCobDef.xml"), dir / "RCOBDEF.XML");
    EXPECT_EQ(writeTargetNoCase(dir.path(), "RCobDef.xml"), dir / "RCOBDEF.XML");
    writeFileAtomically(writeTargetNoCase(dir.path(), "RCobDef.xml"), "<new/>");
    EXPECT_EQ(readFile(dir / "rcobdef.xml"), "<new/>");
    EXPECT_THAT(spellingsIn(dir.path(), "RCobDef.xml"), ::testing::ElementsAre("RCOBDEF.XML"));
    EXPECT_EQ(filesIn(dir.path()), 1u) << "no temporary file left";
}

TEST(WindowsFiles, SerialPortsFromCom10OnAreOpenedByTheirDeviceName) {
    EXPECT_EQ(platform::serialDeviceName("COM1"), "\\\\.\\COM1");
    EXPECT_EQ(platform::serialDeviceName("com12"), "\\\\.\\com12");
    EXPECT_EQ(platform::serialDeviceName("\\\\.\\COM3"), "\\\\.\\COM3");
    EXPECT_EQ(platform::serialDeviceName("COMx"), "COMx");
}

// libmodbus leaves the reason in the system's last error; errno would say "Success".
TEST(WindowsFiles, APortThatCannotBeOpenedIsRefusedWithTheSystemsReason) {
    try {
        ModbusMaster master(SerialLine{"COM99"});
        FAIL() << "COM99 opened";
    } catch (const MonitorError& error) {
        EXPECT_STREQ(error.what(), "Cannot open COM99: this computer has no such port");
    }
}

}  // namespace
}  // namespace telvanor
