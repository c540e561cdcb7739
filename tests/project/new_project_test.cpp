#include "project/new_project.h"

#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

class CreateProjectTest : public ::testing::Test {
protected:
    CreateProjectTest() {
        fs::create_directories(projects());
        workspace.ProjectsDir = projects();
        workspace.ProjectName = "\\Old";
        workspace.ProjectDir = projects() / "Old";
        SetProjectPaths(workspace);
    }

    fs::path projects() const { return dir / "PROJECTS"; }

    // Every entry beneath the workspace folder, as relative paths.
    std::vector<std::string> entries() const {
        std::vector<std::string> all;
        for (const auto& entry : fs::recursive_directory_iterator(dir.path()))
            all.push_back(fs::relative(entry.path(), dir.path()).generic_string());
        std::sort(all.begin(), all.end());
        return all;
    }

    void expectWorkspaceUnchanged() const {
        EXPECT_EQ(workspace.ProjectName, "\\Old");
        EXPECT_EQ(workspace.ProjectDir, projects() / "Old");
        EXPECT_EQ(workspace.PargenPath, projects() / "Old" / "pargen.xml");
    }

    TempDir dir;
    WorkspaceState workspace;
};

TEST_F(CreateProjectTest, CreatesTheFolderWithAnEmptyBinAndMakesItCurrent) {
    NewProjectResult result = CreateProject(projects(), "Boat2", workspace);
    EXPECT_TRUE(result.created);
    EXPECT_THAT(result.messages, IsEmpty());
    EXPECT_THAT(entries(), ElementsAre("PROJECTS", "PROJECTS/Boat2", "PROJECTS/Boat2/bin"));
    EXPECT_EQ(workspace.ProjectName, "Boat2");
    EXPECT_EQ(workspace.ProjectDir, projects() / "Boat2");
    EXPECT_EQ(workspace.PargenPath, projects() / "Boat2" / "pargen.xml");
    EXPECT_EQ(workspace.TCobDefPath, projects() / "Boat2" / "TCobDef.xml");
    // The bare name is what the settings file keeps, and it leads back to the same folder.
    EXPECT_EQ(projectFolderOf(projects(), workspace.ProjectName), workspace.ProjectDir);
}

TEST_F(CreateProjectTest, EmptyNameAndDestinationGiveTheirMessagesInOrder) {
    EXPECT_THAT(CreateProject(projects(), "", workspace).messages, ElementsAre("Name project not valid"));
    EXPECT_THAT(CreateProject("", "Boat2", workspace).messages, ElementsAre("directory destination not valid"));
    NewProjectResult both = CreateProject("", "", workspace);
    EXPECT_FALSE(both.created);
    EXPECT_THAT(both.messages, ElementsAre("directory destination not valid", "Name project not valid"));
    EXPECT_THAT(entries(), ElementsAre("PROJECTS"));
    expectWorkspaceUnchanged();
}

TEST_F(CreateProjectTest, ExistingFolderIsRefusedAndLeftAlone) {
    writeFile(projects() / "Boat1" / "pargen.xml", "<GeneralParameter/>");
    NewProjectResult result = CreateProject(projects(), "Boat1", workspace);
    EXPECT_FALSE(result.created);
    EXPECT_THAT(result.messages, ElementsAre("Name project not valid because directory already exists"));
    EXPECT_EQ(readFile(projects() / "Boat1" / "pargen.xml"), "<GeneralParameter/>");
    EXPECT_FALSE(fs::exists(projects() / "Boat1" / "bin"));
    // A file of that name is in the way just the same.
    writeFile(projects() / "notes", "x");
    EXPECT_THAT(CreateProject(projects(), "notes", workspace).messages,
                ElementsAre("Name project not valid because directory already exists"));
    expectWorkspaceUnchanged();
}

TEST_F(CreateProjectTest, NamesLeadingOutsideTheDestinationAreRefused) {
    fs::create_directories(projects() / "a");
    for (std::string name : std::vector<std::string>{"..", ".", "../Escaped", "..\\Escaped", "a/../../Escaped", "a\\..\\..\\Escaped",
                             "a/./b", "./b", "/tmp/Escaped", "\\Escaped", (dir / "Escaped").string()}) {
        NewProjectResult result = CreateProject(projects(), name, workspace);
        EXPECT_FALSE(result.created) << name;
        EXPECT_THAT(result.messages, ElementsAre("Name project not valid")) << name;
    }
    EXPECT_THAT(entries(), ElementsAre("PROJECTS", "PROJECTS/a"));
    expectWorkspaceUnchanged();
}

TEST_F(CreateProjectTest, FolderThatCannotBeMadeGivesNoMessage) {
    NewProjectResult missingParent = CreateProject(projects(), "a/b", workspace);
    EXPECT_FALSE(missingParent.created);
    EXPECT_THAT(missingParent.messages, IsEmpty());
    NewProjectResult missingDestination = CreateProject(dir / "nowhere", "Boat2", workspace);
    EXPECT_FALSE(missingDestination.created);
    EXPECT_THAT(missingDestination.messages, IsEmpty());
    EXPECT_THAT(entries(), ElementsAre("PROJECTS"));
    expectWorkspaceUnchanged();
}

TEST_F(CreateProjectTest, NestedNamesAndLeadingSpacesAreTakenAsTyped) {
    fs::create_directories(projects() / "fleet");
    ASSERT_TRUE(CreateProject(projects(), "fleet\\Boat3", workspace).created);
    EXPECT_EQ(workspace.ProjectName, "fleet\\Boat3");
    EXPECT_EQ(workspace.ProjectDir, projects() / "fleet" / "Boat3");
    EXPECT_TRUE(fs::is_directory(projects() / "fleet" / "Boat3" / "bin"));

    ASSERT_TRUE(CreateProject(projects(), "  Boat4", workspace).created);
    EXPECT_EQ(workspace.ProjectName, "  Boat4");
    EXPECT_TRUE(fs::is_directory(projects() / "  Boat4" / "bin"));
}

}  // namespace
}  // namespace telvanor
