#include "project/workspace_location.h"

#include <gtest/gtest.h>

#include "platform/this_process.h"
#include "project/atomic_file.h"
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

// Every later path is formed from the prepared folder, so the folder chooser's root is the
// real PROJECTS whatever way the folder was named.
TEST(WorkspaceLocation, TheWorkspaceIsMadeAbsoluteCleanAndPresent) {
    TempDir temp;
    fs::path dir = fs::canonical(temp.path());
    fs::create_directories(dir / "real");
    fs::create_symlink(dir / "real", dir / "link");
    fs::path relative = fs::relative(dir / "rel", fs::current_path());
    struct Case {
        fs::path requested;
        fs::path prepared;
    };
    for (const Case& c :
         {Case{dir / "ws" / ".." / "ws" / ".", dir / "ws"}, Case{dir / "a" / "b" / "c" / "", dir / "a" / "b" / "c"},
          Case{dir / "link" / "sub", dir / "real" / "sub"}, Case{dir / "link", dir / "real"},
          Case{relative, dir / "rel"}}) {
        EXPECT_EQ(prepareWorkspaceDir(c.requested), c.prepared) << c.requested;
        EXPECT_TRUE(fs::is_directory(c.prepared)) << c.requested;
    }

    testing::writeFile(dir / "file", "x");
    fs::create_symlink(dir / "gone", dir / "dangling");
    struct Refusal {
        fs::path requested;
        std::string message;
    };
    for (const Refusal& r : {Refusal{dir / "file", "Cannot use " + (dir / "file").string() +
                                                       " as the workspace: it is a regular file, not a folder"},
                             Refusal{dir / "file" / "ws", "Cannot create the workspace folder " +
                                                              (dir / "file" / "ws").string() + ": Not a directory"},
                             Refusal{dir / "dangling", "Cannot use " + (dir / "dangling").string() +
                                                           " as the workspace: it is a link to " +
                                                           (dir / "gone").string() + ", which does not exist"}}) {
        try {
            prepareWorkspaceDir(r.requested);
            ADD_FAILURE() << r.requested;
        } catch (const FileError& error) {
            EXPECT_EQ(error.what(), r.message);
        }
    }
}

TEST(WorkspaceLocation, TheSampleProjectsAreFoundFromTheProgramsFolder) {
    // A build tree's programs take them from the source tree.
    EXPECT_EQ(sampleProjectsDir(*platform::runningProgramFolder()), fs::canonical(testing::examplesDir()));

    TempDir dir;
    fs::create_directories(dir / "usr" / "bin");
    fs::create_directories(dir / "usr" / "share" / "telvanor");
    EXPECT_EQ(sampleProjectsDir(dir / "usr" / "bin"), std::nullopt);
    fs::create_directories(dir / "usr" / "share" / "telvanor" / "examples");
    EXPECT_EQ(sampleProjectsDir(dir / "usr" / "bin"), dir / "usr" / "share" / "telvanor" / "examples");
}

}  // namespace
}  // namespace telvanor
