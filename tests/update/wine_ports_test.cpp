#include "update/wine_ports.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace telvanor {
namespace {

using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

TEST(WinePorts, ThePrefixIsWINEPREFIXOrDotWineAtHome) {
    EXPECT_EQ(winePrefix("/opt/prefix", "/home/me"), fs::path("/opt/prefix"));
    EXPECT_EQ(winePrefix("", "/home/me"), fs::path("/home/me/.wine"));
    EXPECT_EQ(winePrefix(nullptr, "/home/me"), fs::path("/home/me/.wine"));
}

TEST(WinePorts, RegistryThenLinksThenTheDefault) {
    TempDir prefix;
    writeFile(prefix / "devices" / "ttyUSB0", "");
    writeFile(prefix / "devices" / "ttyACM0", "");
    fs::create_directory_symlink(prefix / "devices", prefix / "by-id");
    fs::path usb = prefix / "devices" / "ttyUSB0";
    fs::path acm = prefix / "devices" / "ttyACM0";

    // Nothing set up: only the built-in ports have names.
    EXPECT_EQ(wineComName("/dev/ttyS0", prefix.path()), "COM1");
    EXPECT_EQ(wineComName("/dev/ttyS12", prefix.path()), "COM13");
    EXPECT_EQ(wineComName(usb, prefix.path()), std::nullopt);

    fs::create_directories(prefix / "dosdevices");
    fs::create_symlink(acm, prefix / "dosdevices" / "com33");
    fs::create_symlink(usb, prefix / "dosdevices" / "com34");
    fs::create_symlink(prefix / "c", prefix / "dosdevices" / "c:");
    EXPECT_EQ(wineComName(prefix / "by-id" / "ttyUSB0", prefix.path()), "COM34");

    writeFile(prefix / "system.reg",
              "WINE REGISTRY Version 2\r\n"
              "[Software\\\\Wine\\\\Drives] 1700000000\r\n"
              "\"com9\"=\"" +
                  usb.string() +
                  "\"\r\n"
                  "[Software\\\\Wine\\\\Ports] 1700000000\r\n"
                  "#time=1d9f\r\n"
                  "\"Com5\"=\"" +
                  usb.string() +
                  "\"\r\n"
                  "\"LPT1\"=\"" +
                  acm.string() +
                  "\"\r\n"
                  "[Software\\\\Wine\\\\Other] 1700000000\r\n");
    EXPECT_EQ(wineComName(usb, prefix.path()), "COM5");
    EXPECT_EQ(wineComName(acm, prefix.path()), "COM33");
}

}  // namespace
}  // namespace telvanor
