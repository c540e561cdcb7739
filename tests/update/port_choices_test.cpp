#include "update/port_choices.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::Field;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

#ifndef _WIN32
TEST(PortChoices, FixedNamesMarkedAbsentAndEachDeviceOnceUnderItsStableName) {
    TempDir dir;
    writeFile(dir / "dev" / "ttyUSB0", "");
    writeFile(dir / "dev" / "ttyUSB1", "");
    fs::path byId = dir / "by-id";
    fs::create_directories(byId);
    fs::create_symlink("../dev/ttyUSB0", byId / "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    std::string usb0 = (dir / "dev" / "ttyUSB0").string();
    std::string usb1 = (dir / "dev" / "ttyUSB1").string();

    std::vector<PortChoice> choices =
        portChoices({{"/dev/ttyS0", "16550A", ""},
                     {usb0, "FT232R USB UART", "A50285BI"},
                     {usb1, "", ""},
                     {(byId / "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0").string(), "", ""}},
                    byId);
    ASSERT_EQ(choices.size(), 12u);
    EXPECT_EQ(choices[0].name, "COM1");
    EXPECT_EQ(choices[0].description, "/dev/ttyS0, 16550A");
    EXPECT_TRUE(choices[0].present);
    EXPECT_EQ(choices[1].name, "COM2");
    EXPECT_EQ(choices[1].description, "/dev/ttyS1, absent");
    EXPECT_FALSE(choices[1].present);
    EXPECT_EQ(choices[9].name, "COM10");
    EXPECT_FALSE(choices[9].present);
    EXPECT_EQ(choices[10].name, (byId / "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0").string());
    EXPECT_EQ(choices[10].description, "FT232R USB UART, serial number A50285BI, " + usb0);
    EXPECT_EQ(choices[11].name, usb1);
    EXPECT_EQ(choices[11].description, "");
}
#endif

TEST(PortChoices, TypedPortsAreCOMNamesOrDevicePaths) {
    for (const char* good : {"COM1", "COM12", "/dev/ttyUSB0", "/tmp/link to pty"})
        EXPECT_EQ(portNameProblem(good), std::nullopt) << good;
    EXPECT_EQ(portNameProblem("ttyUSB0"),
              "'ttyUSB0' is not a port: pick one from the list, or type a COM name such "
              "as COM3 or a device path such as /dev/ttyUSB0");
    for (const char* bad : {"COM0", "com1", "dev/ttyUSB0"}) EXPECT_NE(portNameProblem(bad), std::nullopt) << bad;
    EXPECT_THAT(portNameProblem(""), ::testing::Optional(::testing::StartsWith("No port chosen: ")));
}

}  // namespace
}  // namespace telvanor
