#include "project/workspace.h"

#include <gtest/gtest.h>

#include "project/settings_file.h"
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

TEST(Workspace, OpenProjectNamesTheFolderBehindProjects) {
    TempDir dir;
    fs::create_directories(dir / "PROJECTS" / "Boat1" / "engine");
    WorkspaceState state = InitWorkspace(dir.path()).state;

    OpenProject(state, dir / "PROJECTS" / "Boat1");
    EXPECT_EQ(state.ProjectName, "/Boat1");
    EXPECT_EQ(state.TCobDefPath, dir / "PROJECTS" / "Boat1" / "TCobDef.xml");
    SaveWorkspace(state);
    EXPECT_EQ(storedName(dir.path()), "/Boat1");
    EXPECT_TRUE(InitWorkspace(dir.path()).projectRestored);

    OpenProject(state, dir / "PROJECTS" / "Boat1" / "engine");
    EXPECT_EQ(state.ProjectName, "/Boat1/engine");

    OpenProject(state, dir / "PROJECTS");
    EXPECT_EQ(state.ProjectName, "");
    EXPECT_EQ(state.ProjectDir, dir / "PROJECTS");
    EXPECT_EQ(projectTitle(state), kTitlePrefix);

    OpenProject(state, fs::path());
    EXPECT_EQ(state.ProjectName, "");
    EXPECT_TRUE(state.ProjectDir.empty());
}

TEST(Workspace, ProjectFolderOfAStoredName) {
    fs::path projects = "/w/PROJECTS";
    EXPECT_EQ(projectFolderOf(projects, "\\Boat1\\engine"), projects / "Boat1" / "engine");
    EXPECT_EQ(projectFolderOf(projects, "  Boat"), projects / "  Boat");
    EXPECT_EQ(projectFolderOf(projects, ""), fs::path());
    EXPECT_EQ(projectFolderOf(projects, "\\"), fs::path());
    EXPECT_EQ(projectFolderOf(projects, "a\\..\\b"), fs::path());
}

}  // namespace
}  // namespace telvanor
