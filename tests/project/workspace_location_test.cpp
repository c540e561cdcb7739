#include "project/workspace_location.h"

#include <system_error>
#include <vector>

#include <gtest/gtest.h>

#include "platform/this_process.h"
#include "project/atomic_file.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

// Makes a folder the current one while it lives.
class CurrentFolder {
public:
    explicit CurrentFolder(const fs::path& folder) { fs::current_path(folder); }
    ~CurrentFolder() { fs::current_path(before_); }

private:
    fs::path before_ = fs::current_path();
};

// The environment of a program in `exeDir` whose user's own folder is `user`: $HOME there and
// %APPDATA% beneath it, as Windows sets it. Each system reads only its own variables.
WorkspaceEnvironment environment(const fs::path& exeDir, bool writable, const fs::path& user) {
    return {exeDir, std::nullopt, user.string(), [writable](const fs::path&) { return writable; },
            (user / "AppData" / "Roaming").string()};
}

// The user's data folder of the program that environment() gives.
fs::path dataFolder(const fs::path& user) {
#ifdef _WIN32
    return user / "AppData" / "Roaming" / "Telvanor";
#else
    return user / ".local" / "share" / "Telvanor";
#endif
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
    EXPECT_EQ(workspace, dataFolder(dir / "home"));
    EXPECT_TRUE(fs::is_directory(workspace));

    WorkspaceEnvironment xdg = environment(dir / "opt" / "bin", false, dir / "home");
    xdg.xdgDataHome = (dir / "data").string();
#ifdef _WIN32
    EXPECT_EQ(chooseWorkspaceDir(xdg), dataFolder(dir / "home")) << "Windows has no XDG folders";
#else
    EXPECT_EQ(chooseWorkspaceDir(xdg), dir / "data" / "Telvanor");
    xdg.xdgDataHome = "relative/data";
    EXPECT_EQ(chooseWorkspaceDir(xdg), dataFolder(dir / "home")) << "XDG wants absolute paths";
#endif
}

TEST(WorkspaceLocation, InstalledCopyUsesTheDataFolderEvenWhenWritable) {
    TempDir dir;
    fs::create_directories(dir / "usr" / "bin");
    fs::create_directories(dir / "usr" / "share" / "telvanor");
    EXPECT_EQ(chooseWorkspaceDir(environment(dir / "usr" / "bin", true, dir / "root")), dataFolder(dir / "root"));
}

// Every later path is formed from the prepared folder, so the folder chooser's root is the
// real PROJECTS whatever way the folder was named.
TEST(WorkspaceLocation, TheWorkspaceIsMadeAbsoluteCleanAndPresent) {
    TempDir temp;
    fs::path dir = fs::canonical(temp.path());
    fs::create_directories(dir / "real");
    testing::writeFile(dir / "file", "x");
    struct Case {
        fs::path requested;
        fs::path prepared;
    };
    std::vector<Case> cases{{dir / "ws" / ".." / "ws" / ".", dir / "ws"},
                            {dir / "a" / "b" / "c" / "", dir / "a" / "b" / "c"}};
    struct Refusal {
        fs::path requested;
        std::string message;
    };
    std::vector<Refusal> refusals{
        {dir / "file",
         "Cannot use " + (dir / "file").string() + " as the workspace: it is a regular file, not a folder"},
        {dir / "file" / "ws", "Cannot create the workspace folder " + (dir / "file" / "ws").string() + ": " +
                                  std::make_error_code(std::errc::not_a_directory).message()}};
    // Windows makes symbolic links only for users given the right, and Wine makes none: there
    // the cases of links are left out.
    std::error_code noLinks;
    fs::create_symlink(dir / "real", dir / "link", noLinks);
#ifndef _WIN32
    ASSERT_FALSE(noLinks) << noLinks.message();
#endif
    if (!noLinks) {
        fs::create_symlink(dir / "gone", dir / "dangling");
        cases.push_back({dir / "link" / "sub", dir / "real" / "sub"});
        cases.push_back({dir / "link", dir / "real"});
        refusals.push_back({dir / "dangling", "Cannot use " + (dir / "dangling").string() +
                                                  " as the workspace: it is a link to " + (dir / "gone").string() +
                                                  ", which does not exist"});
    }

    for (const Case& c : cases) {
        EXPECT_EQ(prepareWorkspaceDir(c.requested), c.prepared) << c.requested;
        EXPECT_TRUE(fs::is_directory(c.prepared)) << c.requested;
    }
    // A relative name is taken from the current folder (the test's own, for a moment: under
    // Wine the build's folder lies on another drive, which no relative name reaches).
    {
        CurrentFolder inside(dir / "real");
        EXPECT_EQ(prepareWorkspaceDir(fs::path("..") / "rel"), dir / "rel");
    }
    EXPECT_TRUE(fs::is_directory(dir / "rel"));

    for (const Refusal& r : refusals) {
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
