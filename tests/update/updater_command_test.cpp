#include "update/updater_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace telvanor {
namespace {

using ::testing::ElementsAre;
namespace fs = std::filesystem;

constexpr UpdateOptions kAllTicked{};
constexpr UpdateOptions kNoneTicked{false, false, false, false};

TEST(UpdaterParameters, AllFourOptionsToTheCharacter) {
    EXPECT_EQ(updaterParameters("COM3", kAllTicked, "/gw/MASTER", "/gw/PROJECTS/Boat1"),
              "COM3 FW FR PW PR \"/gw/MASTER/sim40915.sim\" \"/gw/PROJECTS/Boat1/bin/\"");
}

TEST(UpdaterParameters, ClearOptionsAreNoTokensInTheirPlaces) {
    EXPECT_EQ(updaterParameters("COM1", kNoneTicked, "/gw/MASTER", "/gw/PROJECTS/Boat1"),
              "COM1 NO NO NO NO \"/gw/MASTER/sim40915.sim\" \"/gw/PROJECTS/Boat1/bin/\"");
    EXPECT_EQ(updaterParameters("COM1", {true, false, false, true}, "/m", "/p"),
              "COM1 FW NO NO PR \"/m/sim40915.sim\" \"/p/bin/\"");
    EXPECT_EQ(updaterParameters("COM1", {false, true, true, false}, "/m", "/p"),
              "COM1 NO FR PW NO \"/m/sim40915.sim\" \"/p/bin/\"");
}

TEST(UpdaterParameters, BlanksInPathsStayInsideTheQuotes) {
    std::string parameters =
        updaterParameters("/dev/ttyUSB0", kAllTicked, "/home/me/Gate way/MASTER", "/home/me/Gate way/PROJECTS/My Boat");
    EXPECT_EQ(parameters,
              "/dev/ttyUSB0 FW FR PW PR \"/home/me/Gate way/MASTER/sim40915.sim\" "
              "\"/home/me/Gate way/PROJECTS/My Boat/bin/\"");
    EXPECT_THAT(splitCommandLine(parameters),
                ElementsAre("/dev/ttyUSB0", "FW", "FR", "PW", "PR", "/home/me/Gate way/MASTER/sim40915.sim",
                            "/home/me/Gate way/PROJECTS/My Boat/bin/"));
}

TEST(UpdaterParameters, ProgramLiesInTheWorkspaceFolder) {
    EXPECT_EQ(updaterProgramPath("/gw"), fs::path("/gw/Ser_40915_Update.exe"));
    EXPECT_EQ(updaterProgramPath("/my gw"), fs::path("/my gw/Ser_40915_Update.exe"));
}

TEST(SplitCommandLine, BlanksSeparateAndQuotesGroup) {
    EXPECT_THAT(splitCommandLine("  a  b\tc\n d "), ElementsAre("a", "b", "c", "d"));
    EXPECT_THAT(splitCommandLine("x\"a b\"y 'c  d'"), ElementsAre("xa by", "c  d"));
    EXPECT_THAT(splitCommandLine("\"\" ''"), ElementsAre("", ""));
    EXPECT_TRUE(splitCommandLine("   ").empty());
}

TEST(SplitCommandLine, BackslashesAsAShellReadsThem) {
    // Outside quotes a backslash escapes anything; inside double quotes only $ ` " and itself.
    EXPECT_THAT(splitCommandLine(R"(a\ b c\"d)"), ElementsAre("a b", "c\"d"));
    EXPECT_THAT(splitCommandLine(R"("a\"b" "c\d" "e\\f" 'g\h')"), ElementsAre("a\"b", "c\\d", "e\\f", "g\\h"));
    EXPECT_THAT(splitCommandLine("a\\\nb \\\n c"), ElementsAre("ab", "c"));
}

TEST(SplitCommandLine, QuoteLeftOpenRunsToTheEnd) {
    EXPECT_THAT(splitCommandLine("a \"b c"), ElementsAre("a", "b c"));
    EXPECT_THAT(splitCommandLine("a 'b c"), ElementsAre("a", "b c"));
}

}  // namespace
}  // namespace telvanor
