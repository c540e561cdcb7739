#include "project/new_project.h"

#include <optional>

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
        fs::create_directories(projects / "Old");
        workspace.ProjectName = "\\Old";
        workspace.ProjectDir = projects / "Old";
        SetProjectPaths(workspace);
    }

    // A refused name leaves the folders and the current project alone.
    void expectRefused(const std::string& name, const std::vector<std::string>& messages,
                       std::optional<fs::path> destination = std::nullopt) {
        NewProjectResult result = CreateProject(destination.value_or(projects), name, workspace);
        EXPECT_FALSE(result.created) << name;
        EXPECT_EQ(result.messages, messages) << name;
        EXPECT_EQ(workspace.ProjectDir, projects / "Old") << name;
        EXPECT_EQ(workspace.ProjectName, "\\Old") << name;
    }

    TempDir dir;
    fs::path projects = dir / "PROJECTS";
    WorkspaceState workspace;
};

TEST_F(CreateProjectTest, CreatesTheFolderWithAnEmptyBinAndMakesItCurrent) {
    NewProjectResult result = CreateProject(projects, "Boat2", workspace);
    EXPECT_TRUE(result.created);
    EXPECT_THAT(result.messages, IsEmpty());
    EXPECT_TRUE(fs::is_empty(projects / "Boat2" / "bin"));
    EXPECT_EQ(std::distance(fs::directory_iterator(projects / "Boat2"), {}), 1);
    EXPECT_EQ(workspace.ProjectName, "Boat2");
    EXPECT_EQ(workspace.ProjectDir, projects / "Boat2");
    EXPECT_EQ(workspace.PargenPath, projects / "Boat2" / "pargen.xml");
    // Names are taken as typed; either separator leads into a folder that exists.
    ASSERT_TRUE(CreateProject(projects, "  Boat3", workspace).created);
    EXPECT_TRUE(fs::is_directory(projects / "  Boat3" / "bin"));
    ASSERT_TRUE(CreateProject(projects, "Boat2\\Tender", workspace).created);
    EXPECT_EQ(workspace.ProjectDir, projects / "Boat2" / "Tender");
    EXPECT_EQ(projectFolderOf(projects, workspace.ProjectName), workspace.ProjectDir);
}

TEST_F(CreateProjectTest, EmptyNameOrDestinationAndExistingFoldersAreRefused) {
    expectRefused("", {"Name project not valid"});
    expectRefused("Boat2", {"directory destination not valid"}, fs::path());
    NewProjectResult both = CreateProject("", "", workspace);
    EXPECT_THAT(both.messages, ElementsAre("directory destination not valid", "Name project not valid"));

    writeFile(projects / "Boat1" / "pargen.xml", "<GeneralParameter/>");
    writeFile(projects / "notes", "x");
    expectRefused("Boat1", {"Name project not valid because directory already exists"});
    expectRefused("notes", {"Name project not valid because directory already exists"});
    EXPECT_EQ(readFile(projects / "Boat1" / "pargen.xml"), "<GeneralParameter/>");
    EXPECT_FALSE(fs::exists(projects / "Boat1" / "bin"));
}

TEST_F(CreateProjectTest, NamesLeadingOutsideTheDestinationAreRefused) {
    for (std::string name :
         std::vector<std::string>{"..", ".", "../Escaped", "..\\Escaped", "Old/../../Escaped", "Old\\.\\x",
                                  "/tmp/Escaped", "\\Escaped", (dir / "Escaped").string()})
        expectRefused(name, {"Name project not valid"});
    EXPECT_FALSE(fs::exists(dir / "Escaped"));
    EXPECT_FALSE(fs::exists(projects / "Old" / "x"));
}

TEST_F(CreateProjectTest, ControlCharactersAndOverlongNamesAreRefused) {
    for (std::string name : {std::string("Boat\n2"), std::string("Boat\t2"),
                             std::string("Bo\x7F"
                                         "at"),
                             std::string(256, 'b'), "Boat2/" + std::string(300, 'c')})
        expectRefused(name, {"Name project not valid"});
    EXPECT_FALSE(fs::exists(projects / "Boat2"));
    EXPECT_TRUE(CreateProject(projects, std::string(255, 'b'), workspace).created);
    EXPECT_TRUE(CreateProject(projects, "Barca \xC3\xA8 bella", workspace).created) << "UTF-8 names are fine";
}

TEST_F(CreateProjectTest, FolderThatCannotBeMadeGivesNoMessage) {
    expectRefused("a/b", {});
    expectRefused("Boat2", {}, dir / "nowhere");
    EXPECT_FALSE(fs::exists(projects / "a"));
}

}  // namespace
}  // namespace telvanor
