#include "update/updater_program.h"

#include <fstream>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace telvanor {
namespace {

using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

constexpr fs::perms kExecutable = fs::perms::owner_all;
constexpr fs::perms kNotExecutable = fs::perms::owner_read | fs::perms::owner_write;

class PlanUpdaterLaunch : public ::testing::Test {
protected:
    fs::path make(const std::string& name, const std::string& bytes, fs::perms permissions = kExecutable) {
        fs::path file = dir / name;
        writeFile(file, bytes);
        fs::permissions(file, permissions);
        return file;
    }

    TempDir dir;
};

TEST_F(PlanUpdaterLaunch, ProgramsThisSystemRunsStartOnTheirOwn) {
    for (const fs::path& program : {make("script", "#!/bin/sh\nexit 0\n"), fs::path("/bin/sh")}) {
        UpdaterLaunchPlan plan = planUpdaterLaunch(program, "");
        ASSERT_TRUE(plan.launch) << program << ": " << plan.reason;
        EXPECT_EQ(plan.launch->program, program);
        EXPECT_FALSE(plan.launch->throughWine);
    }
}

TEST_F(PlanUpdaterLaunch, EveryRefusalNamesTheFileAndTheReason) {
    std::ifstream self("/proc/self/exe", std::ios::binary);
    std::string otherMachine(20, '\0');
    self.read(otherMachine.data(), 20);
    otherMachine[18] = static_cast<char>(otherMachine[18] ^ 0x7F);
    fs::create_directories(dir / "folder");
    const std::pair<fs::path, std::string> cases[] = {
        {dir / "missing", "there is no such file"},
        {dir / "folder", "it is a folder, not a program"},
        {make("text", "COM3 FW FR PW PR\n"), "it is not a program for this system"},
        {make("elf", otherMachine), "it is not a program for this system"},
        {make("plain", "#!/bin/sh\n", kNotExecutable), "it is not executable (its execute permission is not set)"},
        {make("Ser_40915_Update.exe", "MZ\x90", kNotExecutable),
         "it is a Windows program, and wine, which would run it, is not on the PATH"},
    };
    for (const auto& [program, reason] : cases) {
        UpdaterLaunchPlan plan = planUpdaterLaunch(program, (dir / "empty").string());
        EXPECT_FALSE(plan.launch) << program;
        EXPECT_EQ(plan.reason, reason) << program;
        EXPECT_EQ(cannotStartMessage(program, plan.reason),
                  "Cannot start the updater " + program.string() + ": " + reason);
    }
}

TEST_F(PlanUpdaterLaunch, WindowsProgramRunsThroughTheWineOnThePath) {
    fs::path updater = make("Ser_40915_Update.exe", "MZ\x90", kNotExecutable);
    fs::create_directories(dir / "bin1");
    make("bin1/wine", "not executable", kNotExecutable);
    make("wine", "#!/bin/sh\n");
    UpdaterLaunchPlan plan = planUpdaterLaunch(updater, ":" + (dir / "bin1").string() + ":" + dir.path().string());
    ASSERT_TRUE(plan.launch) << plan.reason;
    EXPECT_TRUE(plan.launch->throughWine);
    EXPECT_EQ(plan.launch->program, dir.path() / "wine");
}

}  // namespace
}  // namespace telvanor
