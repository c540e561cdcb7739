#include "update/updater_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace telvanor {
namespace {

using ::testing::ElementsAre;
namespace fs = std::filesystem;

constexpr UpdateOptions kAllTicked{};
constexpr UpdateOptions kNoneTicked{false, false, false, false};

TEST(UpdaterArguments, ParameterStringToTheCharacter) {
    EXPECT_EQ(updaterArguments("COM3", kAllTicked, "/gw/MASTER", "/gw/PROJECTS/Boat1").parameterString(),
              "COM3 FW FR PW PR \"/gw/MASTER/sim40915.sim\" \"/gw/PROJECTS/Boat1/bin/\"");
    EXPECT_EQ(updaterArguments("COM1", kNoneTicked, "/gw/MASTER", "/gw/PROJECTS/Boat1").parameterString(),
              "COM1 NO NO NO NO \"/gw/MASTER/sim40915.sim\" \"/gw/PROJECTS/Boat1/bin/\"");
    EXPECT_EQ(updaterArguments("COM1", {true, false, false, true}, "/m", "/p").parameterString(),
              "COM1 FW NO NO PR \"/m/sim40915.sim\" \"/p/bin/\"");
    EXPECT_EQ(updaterArguments("COM1", {false, true, true, false}, "/m", "/p").parameterString(),
              "COM1 NO FR PW NO \"/m/sim40915.sim\" \"/p/bin/\"");
}

TEST(UpdaterArguments, EachPartIsOneArgumentWhateverItHolds) {
    // Blanks, quotes and a would-be option in a folder name stay inside their own argument.
    EXPECT_THAT(updaterArguments("/dev/ttyUSB0", {true, false, true, false}, "/home/me/Gate way/MASTER",
                                 "/home/me/PROJECTS/x\" \"--erase-all")
                    .list(),
                ElementsAre("/dev/ttyUSB0", "FW", "NO", "PW", "NO", "/home/me/Gate way/MASTER/sim40915.sim",
                            "/home/me/PROJECTS/x\" \"--erase-all/bin/"));
}

TEST(UpdaterArguments, ThroughWineThePortIsACOMNameAndPathsAreOnDriveZ) {
    EXPECT_THAT(wineUpdaterArguments("COM3", kAllTicked, "/home/me/gw/MASTER", "/home/me/gw/PROJECTS/My Boat").list(),
                ElementsAre("COM3", "FW", "FR", "PW", "PR", "Z:\\home\\me\\gw\\MASTER\\sim40915.sim",
                            "Z:\\home\\me\\gw\\PROJECTS\\My Boat\\bin\\"));
}

TEST(UpdaterArguments, ProgramLiesInTheWorkspaceFolder) {
    EXPECT_EQ(updaterProgramPath("/gw"), fs::path("/gw/Ser_40915_Update.exe"));
    EXPECT_EQ(updaterProgramPath("/my gw"), fs::path("/my gw/Ser_40915_Update.exe"));
}

}  // namespace
}  // namespace telvanor
