#include "project/workspace.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/this_process.h"
#include "project/atomic_file.h"
#include "project/sample_projects.h"
#include "project/settings_file.h"
#include "project/workspace_lock.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

std::string storedName(const fs::path& workspace) {
    return readIniValue(workspace / std::string(kSettingsFileName), kSettingsSection, kSettingsKey).value_or("<none>");
}

void storeName(const fs::path& workspace, const std::string& name) {
    writeIniValue(workspace / std::string(kSettingsFileName), kSettingsSection, kSettingsKey, name);
}

TEST(Workspace, FirstStartCreatesTheFoldersAndUsesProjectsItself) {
    TempDir dir;
    WorkspaceStart start = InitWorkspace(dir.path());
    EXPECT_TRUE(fs::is_directory(dir / "MASTER"));
    EXPECT_TRUE(fs::is_directory(dir / "PROJECTS"));
    EXPECT_FALSE(start.projectRestored);
    EXPECT_EQ(start.state.ProjectName, "");
    EXPECT_EQ(start.state.ProjectDir, dir / "PROJECTS");
    EXPECT_EQ(start.state.PargenPath, dir / "PROJECTS" / "pargen.xml");
    EXPECT_EQ(start.state.EmcyWordPath, dir / "PROJECTS" / "emcyword.xml");
    EXPECT_FALSE(fs::exists(dir / std::string(kSettingsFileName)));
}

TEST(Workspace, TrailingSeparatorOfTheWorkspaceIsCut) {
    TempDir dir;
    WorkspaceStart start = InitWorkspace(dir.path().string() + "/");
    EXPECT_EQ(start.state.ExeDir, dir.path());
    EXPECT_EQ(start.state.MasterDir, dir / "MASTER");
}

TEST(Workspace, RestoresAProjectStoredEitherWay) {
    TempDir dir;
    fs::create_directories(dir / "PROJECTS" / "Boat1" / "bin");
    for (const char* name : {"\\Boat1", "/Boat1", "Boat1"}) {
        storeName(dir.path(), name);
        WorkspaceStart start = InitWorkspace(dir.path());
        EXPECT_TRUE(start.projectRestored) << name;
        EXPECT_EQ(start.state.ProjectName, name);
        EXPECT_EQ(start.state.ProjectDir, dir / "PROJECTS" / "Boat1") << name;
        EXPECT_EQ(start.state.RCobDefPath, dir / "PROJECTS" / "Boat1" / "RCobDef.xml");
        EXPECT_EQ(projectTitle(start.state), std::string(kTitlePrefix) + name);
    }
}

TEST(Workspace, DeletedProjectFallsBackAndKeepsTheStoredName) {
    TempDir dir;
    storeName(dir.path(), "\\Gone");
    WorkspaceStart start = InitWorkspace(dir.path());
    EXPECT_FALSE(start.projectRestored);
    EXPECT_EQ(start.state.ProjectDir, dir / "PROJECTS");
    EXPECT_EQ(start.state.ProjectName, "\\Gone");
    SaveWorkspace(start.state);
    EXPECT_EQ(storedName(dir.path()), "\\Gone");
}

TEST(Workspace, StoredNameLeadingOutsideProjectsIsNotFollowed) {
    TempDir dir;
    fs::create_directories(dir / "PROJECTS");
    fs::create_directories(dir / "Elsewhere");
    for (const char* name : {"..\\Elsewhere", "\\..\\Elsewhere", "/../Elsewhere", "Boat/../../Elsewhere", ".."}) {
        storeName(dir.path(), name);
        WorkspaceStart start = InitWorkspace(dir.path());
        EXPECT_FALSE(start.projectRestored) << name;
        EXPECT_EQ(start.state.ProjectDir, dir / "PROJECTS") << name;
        SaveWorkspace(start.state);
        EXPECT_EQ(storedName(dir.path()), name) << "written back unchanged";
    }
}

// The stored name uses the system's separator: "\Boat1" on Windows, "/Boat1" elsewhere; both are
// read back on either system.
TEST(Workspace, OpenProjectNamesTheFolderBehindProjects) {
    const std::string separator(1, static_cast<char>(fs::path::preferred_separator));
    TempDir dir;
    fs::create_directories(dir / "PROJECTS" / "Boat1" / "engine");
    WorkspaceState state = InitWorkspace(dir.path()).state;

    OpenProject(state, dir / "PROJECTS" / "Boat1");
    EXPECT_EQ(state.ProjectName, separator + "Boat1");
    EXPECT_EQ(state.TCobDefPath, dir / "PROJECTS" / "Boat1" / "TCobDef.xml");
    SaveWorkspace(state);
    EXPECT_EQ(storedName(dir.path()), separator + "Boat1");
    EXPECT_TRUE(InitWorkspace(dir.path()).projectRestored);

    OpenProject(state, dir / "PROJECTS" / "Boat1" / "engine");
    EXPECT_EQ(state.ProjectName, separator + "Boat1" + separator + "engine");

    OpenProject(state, dir / "PROJECTS");
    EXPECT_EQ(state.ProjectName, "");
    EXPECT_EQ(state.ProjectDir, dir / "PROJECTS");
    EXPECT_EQ(projectTitle(state), kTitlePrefix);

    OpenProject(state, fs::path());
    EXPECT_EQ(state.ProjectName, "");
    EXPECT_TRUE(state.ProjectDir.empty());
}

// A folder named on the command line: opened as Open project would when it lies under
// PROJECTS, however it is written; refused, and nothing changed, otherwise.
TEST(Workspace, OpenProjectFolderOpensOnlyFoldersUnderProjects) {
    TempDir dir;
    fs::path projects = dir / "PROJECTS";
    fs::create_directories(projects / "Boat1" / "engine");
    fs::create_directories(projects / "Boat2");
    fs::create_directories(dir / "Elsewhere");
    fs::create_directories(dir / "PROJECTSX");
    writeFile(projects / "notes.txt", "x");
    WorkspaceState state = InitWorkspace(dir.path()).state;
    struct Case {
        fs::path folder;
        std::string nameOrRefusal;
    };
    std::vector<Case> cases = {Case{projects / "Boat1", "/Boat1"},
                               Case{projects / "Boat1" / "engine" / "", "/Boat1/engine"},
                               Case{projects / "Boat1" / ".." / "Boat2", "/Boat2"},
                               Case{projects, ""},
                               Case{dir / "Elsewhere", "it does not lie under " + projects.string()},
                               Case{projects / ".." / "Elsewhere", "it does not lie under " + projects.string()},
                               Case{dir / "PROJECTSX", "it does not lie under " + projects.string()},
                               Case{projects / "Gone", "there is no such folder"},
                               Case{projects / "notes.txt", "it is a regular file, not a folder"}};
#ifndef _WIN32  // Wine makes no symbolic links
    fs::create_symlink(dir.path(), dir / "link");
    cases.push_back({dir / "link" / "PROJECTS" / "Boat1", "/Boat1"});
#endif
    for (const Case& c : cases) {
        OpenProject(state, projects / "Boat2");
        std::optional<std::string> refusal = OpenProjectFolder(state, c.folder);
        if (c.nameOrRefusal.starts_with("/") || c.nameOrRefusal.empty()) {
            // Stored names use the system's separator.
            std::string name = c.nameOrRefusal;
            std::replace(name.begin(), name.end(), '/', static_cast<char>(fs::path::preferred_separator));
            EXPECT_EQ(refusal, std::nullopt) << c.folder;
            EXPECT_EQ(state.ProjectName, name) << c.folder;
            EXPECT_EQ(state.ProjectDir, state.ProjectName.empty() ? projects : projects / state.ProjectName.substr(1));
        } else {
            ASSERT_TRUE(refusal) << c.folder;
            EXPECT_THAT(*refusal, ::testing::HasSubstr(c.nameOrRefusal)) << c.folder;
            EXPECT_EQ(state.ProjectDir, projects / "Boat2") << "unchanged";
        }
    }
}

// A new workspace receives the sample projects' XML files; one that has PROJECTS is left alone.
TEST(Workspace, FirstStartOfANewWorkspaceCopiesTheSampleProjects) {
    TempDir dir;
    fs::path samples = dir / "examples";
    writeFile(samples / "Boat1" / "pargen.xml", "<pargen/>");
    writeFile(samples / "Boat1" / "RCobDef.XML", "<COBID/>");
    writeFile(samples / "Boat1" / "bin" / "bank.bin", "image");
    writeFile(samples / "Boat1" / "backup" / "pargen.xml.20260101-000000", "old");
    writeFile(samples / "Boat1" / "TInfoCob.csv", "exported");
    writeFile(samples / "README", "not a project");
    fs::path workspace = dir / "ws";
    fs::create_directories(workspace);

    EXPECT_TRUE(copySampleProjects(workspace, samples).empty());
    fs::path copy = workspace / "PROJECTS" / "Boat1";
    EXPECT_EQ(testing::readFile(copy / "pargen.xml"), "<pargen/>");
    EXPECT_EQ(testing::readFile(copy / "RCobDef.XML"), "<COBID/>");
    EXPECT_TRUE(fs::is_directory(copy / "bin"));
    EXPECT_TRUE(fs::is_empty(copy / "bin"));
    EXPECT_FALSE(fs::exists(copy / "backup"));
    EXPECT_FALSE(fs::exists(copy / "TInfoCob.csv"));
    EXPECT_FALSE(fs::exists(workspace / "PROJECTS" / "README"));

    // Removed by the user: not copied again into a workspace that has PROJECTS.
    fs::remove_all(copy);
    EXPECT_TRUE(copySampleProjects(workspace, samples).empty());
    EXPECT_FALSE(fs::exists(copy));

    fs::path fresh = dir / "fresh";
    fs::create_directories(fresh);
    EXPECT_EQ(copySampleProjects(fresh, dir / "none"),
              std::vector<std::string>{"Cannot read the sample projects in " + (dir / "none").string() +
                                       ": No such file or directory"});
    EXPECT_TRUE(fs::is_directory(fresh / "PROJECTS")) << "the workspace is usable all the same";
}

TEST(Workspace, ProjectFolderOfAStoredName) {
    fs::path projects = "/w/PROJECTS";
    EXPECT_EQ(projectFolderOf(projects, "\\Boat1\\engine"), projects / "Boat1" / "engine");
    EXPECT_EQ(projectFolderOf(projects, "  Boat"), projects / "  Boat");
    EXPECT_EQ(projectFolderOf(projects, ""), fs::path());
    EXPECT_EQ(projectFolderOf(projects, "\\"), fs::path());
    EXPECT_EQ(projectFolderOf(projects, "a\\..\\b"), fs::path());
}

#ifndef _WIN32  // FIFOs
// A settings file that is a FIFO would make the start wait for a writer for ever: it is
// refused at once, named with what it is, and the start goes on without a project.
TEST(Workspace, ASettingsFileThatIsNoRegularFileIsToldAndNeverWaitedFor) {
    TempDir dir;
    fs::path settings = dir / std::string(kSettingsFileName);
    ASSERT_EQ(::mkfifo(settings.c_str(), 0644), 0);
    WorkspaceStart start = InitWorkspace(dir.path());
    EXPECT_EQ(start.state.ProjectName, "");
    ASSERT_EQ(start.notices.size(), 1u);
    EXPECT_EQ(start.notices[0], "Cannot read " + settings.string() +
                                    ": it is a FIFO (named pipe), not a regular file\n\nThe program starts without "
                                    "its last project.");
    EXPECT_THROW(SaveWorkspace(start.state), FileError);
    EXPECT_TRUE(fs::is_fifo(settings)) << "never replaced by a regular file";
}
#endif

TEST(Workspace, TheLockTellsASecondCopyAndIsTakenOverWhenItsProcessIsGone) {
    TempDir dir;
    const long self = platform::currentProcessId();
    EXPECT_EQ(lockWorkspace(dir.path(), self, "here").state, WorkspaceLock::State::Taken);
    EXPECT_EQ(testing::readFile(dir / "telvanor.lock"), std::to_string(self) + " here\n");

    // Another copy: this test's process stands for the first one, which runs.
    WorkspaceLock second = lockWorkspace(dir.path(), self + 1, "here");
    EXPECT_EQ(second.state, WorkspaceLock::State::HeldByOther);
    EXPECT_EQ(workspaceLockNotice(second, dir.path()),
              "Another copy of Firmware Telvanor (process " + std::to_string(self) +
                  " on here) is using the "
                  "workspace " +
                  dir.path().string() +
                  ".\n\nBoth copies may change the same project files. Each editor asks before its OK saves "
                  "over a file that changed on disk since the editor read it.");
    unlockWorkspace(dir.path(), self + 1, "here");
    EXPECT_TRUE(fs::exists(dir / "telvanor.lock")) << "only the holder removes it";
    unlockWorkspace(dir.path(), self, "here");
    EXPECT_FALSE(fs::exists(dir / "telvanor.lock"));

#ifndef _WIN32
    // A process that ended without removing its lock.
    pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    writeFile(dir / "telvanor.lock", std::to_string(child) + " here\n");
    WorkspaceLock taken = lockWorkspace(dir.path(), self, "here");
    EXPECT_EQ(taken.state, WorkspaceLock::State::TakenOverStale);
    EXPECT_FALSE(workspaceLockNotice(taken, dir.path()));
    EXPECT_EQ(testing::readFile(dir / "telvanor.lock"), std::to_string(self) + " here\n");
#endif
}

}  // namespace
}  // namespace telvanor
