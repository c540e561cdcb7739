#include "cli/cli.h"

#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::HasSubstr;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun cli(std::vector<std::string> arguments) {
    std::ostringstream out, err;
    int status = runCli(arguments, out, err);
    return {status, out.str(), err.str()};
}

TEST(CliBuild, WritesTheImageAndReportsItsCounts) {
    TempDir dir;
    fs::copy(testing::examplesDir() / "Boat1", dir / "Boat1", fs::copy_options::recursive);
    CliRun run = cli({"build", (dir / "Boat1").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out,
                HasSubstr("164 bytes, 3 receive frames, 1 transmit frame, 2 receive mappings, 1 transmit mapping"));
    EXPECT_EQ(readFile(dir / "Boat1" / "bin" / "bank.bin").size(), 164u);

    CliRun other = cli({"build", (dir / "Boat1").string(), "--output", (dir / "other.bin").string()});
    EXPECT_EQ(other.status, 0);
    EXPECT_EQ(readFile(dir / "other.bin"), readFile(dir / "Boat1" / "bin" / "bank.bin"));
}

TEST(CliBuild, FailureChangesNoFile) {
    TempDir dir;
    writeFile(dir / "bin" / "bank.bin", "previous image");
    writeFile(dir / "TCobDef.xml", "<COBID><row Priority=\"x\" DP=\"1\" PGN=\"1\" ID_DEV=\"1\"/></COBID>");
    CliRun run = cli({"build", dir.path().string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr("TCobDef.xml: row 1: attribute Priority is not a valid integer: 'x'"));
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(readFile(dir / "bin" / "bank.bin"), "previous image");

    CliRun noBin = cli({"build", (dir / "bin").string()});
    EXPECT_EQ(noBin.status, 1);
    EXPECT_THAT(noBin.err, HasSubstr("bank.bin"));

    EXPECT_EQ(cli({"build", (dir / "missing").string()}).status, 1);
}

TEST(CliDump, PrintsAnImageAndRefusesOtherBytes) {
    TempDir dir;
    fs::copy(testing::examplesDir() / "Boat1", dir.path(), fs::copy_options::recursive);
    ASSERT_EQ(cli({"build", dir.path().string()}).status, 0);
    CliRun dump = cli({"dump", (dir / "bin" / "bank.bin").string()});
    EXPECT_EQ(dump.status, 0);
    EXPECT_THAT(dump.out, HasSubstr("Identifier table: 3"));

    writeFile(dir / "junk.bin", "not an image at all, but long enough");
    CliRun junk = cli({"dump", (dir / "junk.bin").string()});
    EXPECT_EQ(junk.status, 1);
    EXPECT_THAT(junk.err, HasSubstr("is not a configuration image"));

    EXPECT_EQ(cli({"dump", (dir / "none.bin").string()}).status, 1);
}

TEST(CliUsage, WrongCommandLinesExitWithTwo) {
    for (std::vector<std::string> arguments : std::vector<std::vector<std::string>>{{},
                                                                                    {"compile", "x"},
                                                                                    {"build"},
                                                                                    {"build", "a", "b"},
                                                                                    {"build", "a", "--output"},
                                                                                    {"build", "a", "--force"},
                                                                                    {"dump"},
                                                                                    {"dump", "a", "--output", "b"}}) {
        CliRun run = cli(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_THAT(run.err, HasSubstr("Usage: telvanor-cli"));
    }
    CliRun help = cli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.out, HasSubstr("build PROJECT_DIR [--output FILE]"));
    EXPECT_THAT(cli({"--version"}).out, HasSubstr("telvanor-cli 1.0.0"));
}

}  // namespace
}  // namespace telvanor
