#include "project/workspace_location.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace telvanor {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

WorkspaceEnvironment environment(const fs::path& exeDir, bool writable, const fs::path& home) {
    return {exeDir, std::nullopt, home.string(), [writable](const fs::path&) { return writable; }};
}

TEST(WorkspaceLocation, WritableFolderKeepsTheWorkspaceBesideTheExecutable) {
    TempDir dir;
    fs::create_directories(dir / "build" / "bin");
    EXPECT_EQ(chooseWorkspaceDir(environment(dir / "build" / "bin", true, dir / "home")), dir / "build" / "bin");
    EXPECT_FALSE(fs::exists(dir / "home"));
}

TEST(WorkspaceLocation, ReadOnlyFolderUsesTheUsersDataFolder) {
    TempDir dir;
    fs::create_directories(dir / "opt" / "bin");
    fs::path workspace = chooseWorkspaceDir(environment(dir / "opt" / "bin", false, dir / "home"));
    EXPECT_EQ(workspace, dir / "home" / ".local" / "share" / "Telvanor");
    EXPECT_TRUE(fs::is_directory(workspace));

    WorkspaceEnvironment xdg = environment(dir / "opt" / "bin", false, dir / "home");
    xdg.xdgDataHome = (dir / "data").string();
    EXPECT_EQ(chooseWorkspaceDir(xdg), dir / "data" / "Telvanor");
    xdg.xdgDataHome = "relative/data";
    EXPECT_EQ(chooseWorkspaceDir(xdg), dir / "home" / ".local" / "share" / "Telvanor") << "XDG wants absolute paths";
}

TEST(WorkspaceLocation, InstalledCopyUsesTheDataFolderEvenWhenWritable) {
    TempDir dir;
    fs::create_directories(dir / "usr" / "bin");
    fs::create_directories(dir / "usr" / "share" / "telvanor");
    EXPECT_EQ(chooseWorkspaceDir(environment(dir / "usr" / "bin", true, dir / "root")),
              dir / "root" / ".local" / "share" / "Telvanor");
}

}  // namespace
}  // namespace telvanor
