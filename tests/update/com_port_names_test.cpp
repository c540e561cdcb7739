#include "update/com_port_names.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace telvanor {
namespace {

using ::testing::ElementsAre;

TEST(ComPortNames, TheFixedTenInOrder) {
    EXPECT_THAT(fixedComPortNames(),
                ElementsAre("COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9", "COM10"));
}

#ifndef _WIN32
TEST(ComPortNames, ComNamesOpenTheBuiltInPortsOnLinux) {
    EXPECT_EQ(serialDeviceOf("COM1"), "/dev/ttyS0");
    EXPECT_EQ(serialDeviceOf("COM10"), "/dev/ttyS9");
    EXPECT_EQ(serialDeviceOf("COM12"), "/dev/ttyS11");
}

TEST(ComPortNames, OtherNamesAreTheDeviceItself) {
    for (const char* name : {"/dev/ttyUSB0", "COM", "COM0", "COMx", "COM1a", "com1", ""}) {
        EXPECT_EQ(serialDeviceOf(name), name) << name;
        EXPECT_EQ(comPortNumber(name), std::nullopt) << name;
    }
}
#endif

}  // namespace
}  // namespace telvanor
