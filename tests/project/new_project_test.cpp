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
    // A full path of this system is refused too; on Windows it begins with a drive, whose colon
    // is the reason given.
#ifdef _WIN32
    const std::string fullPathRefusal = "Name project not valid: Windows cannot hold the character : in a folder name";
#else
    const std::string fullPathRefusal = "Name project not valid";
#endif
    expectRefused((dir / "Escaped").string(), {fullPathRefusal});
    for (std::string name : std::vector<std::string>{"..", ".", "../Escaped", "..\\Escaped", "Old/../../Escaped",
                                                     "Old\\.\\x", "/tmp/Escaped", "\\Escaped", "\\\\server\\Escaped"})
        expectRefused(name, {"Name project not valid"});
    EXPECT_FALSE(fs::exists(dir / "Escaped"));
    EXPECT_FALSE(fs::exists(projects / "Old" / "x"));
}

TEST_F(CreateProjectTest, OverlongNamesAreRefused) {
    for (std::string name : {std::string(256, 'b'), "Boat2/" + std::string(300, 'c')})
        expectRefused(name, {"Name project not valid"});
    EXPECT_FALSE(fs::exists(projects / "Boat2"));
    EXPECT_TRUE(CreateProject(projects, std::string(255, 'b'), workspace).created);
    EXPECT_TRUE(CreateProject(projects, "Barca \xC3\xA8 bella", workspace).created) << "UTF-8 names are fine";
}

TEST_F(CreateProjectTest, NamesWindowsCannotHoldAreRefusedSayingWhy) {
    const std::string prefix = "Name project not valid: ";
    const std::pair<std::string, std::string> cases[] = {
        {"Boat \"2\"", "Windows cannot hold the character \" in a folder name"},
        {"x\" \"--erase-all", "Windows cannot hold the character \" in a folder name"},
        {"a<b", "Windows cannot hold the character < in a folder name"},
        {"a>b", "Windows cannot hold the character > in a folder name"},
        {"C:Boat", "Windows cannot hold the character : in a folder name"},
        {"a|b", "Windows cannot hold the character | in a folder name"},
        {"Boat?", "Windows cannot hold the character ? in a folder name"},
        {"Old/Boat*", "Windows cannot hold the character * in a folder name"},
        {"Boat\t2", "the name holds a control character (code 9), which no folder name can hold"},
        {"Boat\n2", "the name holds a control character (code 10), which no folder name can hold"},
        {"Bo\x7F"
         "at",
         "the name holds a control character (code 127), which no folder name can hold"},
        {"Boat ", "a folder name cannot end in a blank on Windows"},
        {"Boat.", "a folder name cannot end in a dot on Windows"},
        {"Boat. /x", "a folder name cannot end in a blank on Windows"},
        {"con", "CON is a device name that Windows reserves"},
        {"Prn", "PRN is a device name that Windows reserves"},
        {"AUX", "AUX is a device name that Windows reserves"},
        {"nul", "NUL is a device name that Windows reserves"},
        {"Old/com1", "COM1 is a device name that Windows reserves"},
        {"LPT9", "LPT9 is a device name that Windows reserves"},
        {"con.txt", "con.txt is the device name CON that Windows reserves, even with an extension"},
        {"Com3.tar.gz", "Com3.tar.gz is the device name COM3 that Windows reserves, even with an extension"},
    };
    for (const auto& [name, reason] : cases) expectRefused(name, {prefix + reason});
    for (const char* fine : {"COM10", "LPT0", "console", "CONx.txt", "Boat 2.1", " Boat", "a.b"})
        EXPECT_TRUE(CreateProject(projects, fine, workspace).created) << fine;
}

TEST_F(CreateProjectTest, FolderThatCannotBeMadeGivesNoMessage) {
    expectRefused("a/b", {});
    expectRefused("Boat2", {}, dir / "nowhere");
    EXPECT_FALSE(fs::exists(projects / "a"));
}

}  // namespace
}  // namespace telvanor
