#include <filesystem>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/cli_run.h"
#include "platform/path_text.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using testing::cli;
using testing::CliRun;
using testing::examplesDir;
using testing::TempDir;

// Folder names that no single code page holds go from the core's UTF-8 to the system and back
// unchanged, and the command line builds a project in such a folder and names it as typed.
TEST(PathText, NamesBeyondTheCodePageReachTheSystemAndComeBackWhole) {
    TempDir dir;
    for (const std::string name : {"Boat1", "B\u00F8at \u00DCberf\u00FChrung", "\u8239 \u6771\u4EAC",
                                   "\u0395\u03BB\u03BB\u03AC\u03B4\u03B1 \u20AC"}) {
        const fs::path project = dir.path() / platform::pathFromUtf8(name);
        fs::copy(examplesDir() / "Boat1", project, fs::copy_options::recursive);
        int listed = 0;
        for (const fs::directory_entry& entry : fs::directory_iterator(dir.path()))
            listed += platform::utf8FromPath(entry.path().filename()) == name;
        EXPECT_EQ(listed, 1) << name;

        const std::string image = platform::utf8FromPath(project / "bin" / "bank.bin");
        CliRun built = cli({"build", platform::utf8FromPath(project), "-o", image});
        EXPECT_EQ(built.status, 0) << built.err;
        EXPECT_THAT(built.out, HasSubstr(image)) << name;
        EXPECT_TRUE(fs::is_regular_file(project / "bin" / "bank.bin")) << name;
    }
}

}  // namespace
}  // namespace telvanor
