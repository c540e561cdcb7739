#include "update/update_log.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/path_text.h"
#include "project/atomic_file.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using std::chrono::milliseconds;
using ::testing::StartsWith;
using testing::readFile;
using testing::TempDir;

TEST(UpdateLog, HowARunEndedInWords) {
    const std::pair<UpdaterEnd, const char*> cases[] = {
        {{false, 0, milliseconds(42900)}, "Updater finished (code 0) after 42 s"},
        {{false, 3, milliseconds(12000)}, "Updater ended with code 3 after 12 s"},
        {{false, -1, milliseconds(190000)}, "Updater ended with code -1 after 3 min 10 s"},
        {{true, 9, milliseconds(500)}, "Updater stopped without an exit code after 0 s"},
    };
    for (const auto& [end, text] : cases) EXPECT_EQ(updaterEndText(end), text);
    EXPECT_EQ(stillRunningText(milliseconds(190000)), "Time Out Error: the updater is still running: 3 min 10 s");
    EXPECT_EQ(durationText(milliseconds(60000)), "1 min 0 s");
}

TEST(UpdateLog, StartEntryHoldsEverythingAboutTheRun) {
    UpdateLogStart start{"2024-05-01 12:00:00",
                         "/gw/Ser_40915_Update.exe",
                         "/usr/bin/wine",
                         {"COM3", "FW", "NO", "PW", "PR", "Z:\\gw\\MASTER\\sim40915.sim", "Z:\\gw\\P\\My Boat\\bin\\"},
                         "/dev/serial/by-id/usb-FTDI",
                         "/dev/serial/by-id/usb-FTDI",
                         {true, false, true, true},
                         imageFactsText(1234, "9f86d081")};
    EXPECT_EQ(updateLogStart(start),
              "==== 2024-05-01 12:00:00 update started\n"
              "updater:     /gw/Ser_40915_Update.exe\n"
              "run through: /usr/bin/wine\n"
              "argument 1:  COM3\n"
              "argument 2:  FW\n"
              "argument 3:  NO\n"
              "argument 4:  PW\n"
              "argument 5:  PR\n"
              "argument 6:  Z:\\gw\\MASTER\\sim40915.sim\n"
              "argument 7:  Z:\\gw\\P\\My Boat\\bin\\\n"
              "port:        /dev/serial/by-id/usb-FTDI\n"
              "options:     Firmware yes, Read Firmware when finish no, Project yes, Read Project when finish yes\n"
              "bank.bin:    1234 bytes, SHA-256 9f86d081\n");
    start.port = "COM1";
    start.device = "/dev/ttyS0";
    start.wine.clear();
    std::string entry = updateLogStart(start);
    EXPECT_NE(entry.find("port:        COM1 (device /dev/ttyS0)\n"), std::string::npos);
    EXPECT_EQ(entry.find("run through"), std::string::npos);
}

TEST(UpdateLog, AppendsAndSaysWhyItCannot) {
    TempDir dir;
    EXPECT_EQ(updateLogPath(dir.path()), dir / "bin" / "update.log");
    appendToFile(dir / "update.log", "one\n");
    appendToFile(dir / "update.log", updateLogEvent("12:00", "two"));
    EXPECT_EQ(readFile(dir / "update.log"), "one\n==== 12:00 two\n");
    try {
        appendToFile(dir / "missing" / "update.log", "x");
        FAIL() << "no error";
    } catch (const FileError& error) {
        // The system's own reason follows: "No such file or directory", "Path not found".
        const std::string cannot = "Cannot write " + platform::utf8FromPath(dir / "missing" / "update.log") + ": ";
        EXPECT_THAT(error.what(), StartsWith(cannot));
        EXPECT_GT(std::string(error.what()).size(), cannot.size());
    }
}

}  // namespace
}  // namespace telvanor
