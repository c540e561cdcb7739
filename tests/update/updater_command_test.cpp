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
    // The folders joined with the system's separator, as the updater on that system reads them.
#ifdef _WIN32
    const fs::path master = "C:\\gw\\MASTER";
    const fs::path project = "C:\\gw\\PROJECTS\\Boat1";
    const std::string paths = "\"C:\\gw\\MASTER\\sim40915.sim\" \"C:\\gw\\PROJECTS\\Boat1\\bin\\\"";
#else
    const fs::path master = "/gw/MASTER";
    const fs::path project = "/gw/PROJECTS/Boat1";
    const std::string paths = "\"/gw/MASTER/sim40915.sim\" \"/gw/PROJECTS/Boat1/bin/\"";
#endif
    EXPECT_EQ(updaterArguments("COM3", kAllTicked, master, project).parameterString(), "COM3 FW FR PW PR " + paths);
    EXPECT_EQ(updaterArguments("COM1", kNoneTicked, master, project).parameterString(), "COM1 NO NO NO NO " + paths);
    EXPECT_EQ(updaterArguments("COM1", {true, false, false, true}, master, project).parameterString(),
              "COM1 FW NO NO PR " + paths);
    EXPECT_EQ(updaterArguments("COM1", {false, true, true, false}, master, project).parameterString(),
              "COM1 NO FR PW NO " + paths);
}

TEST(UpdaterArguments, EachPartIsOneArgumentWhateverItHolds) {
    // Blanks, quotes and a would-be option in a folder name stay inside their own argument.
    const char separator = static_cast<char>(fs::path::preferred_separator);
    EXPECT_THAT(updaterArguments("/dev/ttyUSB0", {true, false, true, false}, "/home/me/Gate way/MASTER",
                                 "/home/me/PROJECTS/x\" \"--erase-all")
                    .list(),
                ElementsAre("/dev/ttyUSB0", "FW", "NO", "PW", "NO",
                            std::string("/home/me/Gate way/MASTER") + separator + "sim40915.sim",
                            std::string("/home/me/PROJECTS/x\" \"--erase-all") + separator + "bin" + separator));
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
