#include "check/project_check.h"

#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

auto finding(const std::string& file, const std::string& message, bool warning) {
    return AllOf(Field(&CheckFinding::file, file), Field(&CheckFinding::message, message),
                 Field(&CheckFinding::warning, warning));
}

TEST(CheckProject, RunsTheCheckersOfTheFilesThatExistInTheirOrder) {
    TempDir dir;
    writeFile(dir / "first.xml", "");
    writeFile(dir / "THIRD.XML", "");
    writeFile(dir / "fourth.xml", "");
    std::vector<fs::path> seen;
    auto giving = [&](std::vector<CheckFinding> findings) {
        return [&seen, &dir, findings](const fs::path& file, const fs::path& project) {
            seen.push_back(file);
            EXPECT_EQ(project, dir.path());
            return findings;
        };
    };
    std::vector<ProjectFileChecker> checkers = {
        {"first.xml", giving({warned("just so you know")})},
        {"second.xml", giving({refused("never")})},
        {"third.xml", giving({warned("one"), refused("two")})},
        {"fourth.xml", [](const fs::path&, const fs::path&) -> std::vector<CheckFinding> {
             throw std::runtime_error("'x' is not a valid integer value");
         }}};
    ProjectCheck check = CheckProject(dir.path(), checkers);
    EXPECT_THAT(seen, ElementsAre(dir / "first.xml", dir / "THIRD.XML"));
    EXPECT_EQ(check.filesChecked, 3u);
    EXPECT_EQ(check.filesRefused, 2u);
    // Findings carry the file's own name, whatever its case on disk; a loader's fault is a refusal.
    EXPECT_THAT(check.findings,
                ElementsAre(finding("first.xml", "just so you know", true), finding("third.xml", "one", true),
                            finding("third.xml", "two", false),
                            finding("fourth.xml", "'x' is not a valid integer value (fourth.xml)", false)));
}

// A name taken by a folder, a link to nothing or a FIFO: both the build and the check refuse
// it, saying what it is, and neither opens it (a FIFO without a writer would block them).
TEST(CheckProject, NamesTakenByOtherThanAFileAreRefusedUnopened) {
    struct Case {
        const char* kind;
        std::function<void(const fs::path&)> make;
    };
    for (const Case& c :
         {Case{"it is a folder, not a regular file", [](const fs::path& p) { fs::create_directory(p); }},
          Case{"it is a link to gone, which does not exist", [](const fs::path& p) { fs::create_symlink("gone", p); }},
          Case{"it is a FIFO (named pipe), not a regular file",
               [](const fs::path& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }}}) {
        TempDir dir;
        fs::copy(testing::examplesDir() / "Boat1", dir.path(), fs::copy_options::recursive);
        fs::remove(dir / "TCobDef.xml");
        c.make(dir / "tcobdef.xml");
        std::string refusal;
        try {
            BuildConfigImage(dir.path());
            ADD_FAILURE() << "built despite " << c.kind;
        } catch (const ImageBuildError& error) {
            refusal = error.what();
        }
        EXPECT_THAT(refusal, StartsWith("Transmit NMEA: TCobDef.xml")) << c.kind;
        EXPECT_THAT(refusal, HasSubstr(c.kind));
        ProjectCheck check = CheckProject(dir.path());
        EXPECT_THAT(check.findings, Contains(AllOf(Field(&CheckFinding::file, "TCobDef.xml"),
                                                   Field(&CheckFinding::message, HasSubstr(c.kind)),
                                                   Field(&CheckFinding::warning, false))));
        EXPECT_EQ(std::count_if(check.findings.begin(), check.findings.end(),
                                [](const CheckFinding& f) { return f.file == "TCobDef.xml"; }),
                  1)
            << "the build's refusal of the same place is not repeated";
    }
}

// What the image cuts is warned about once, after the file's own findings; a value the editor
// refuses already is not warned about as well. A device ID beyond Modbus's 1 to 247 is named.
TEST(CheckProject, ValuesTheImageCutsAreWarnedAboutUnlessRefused) {
    TempDir dir;
    fs::copy(testing::examplesDir() / "Boat1", dir.path(), fs::copy_options::recursive);
    writeFile(dir / "TCobDef.xml",
              "<COBID><row Priority=\"3\" DP=\"1\" PGN=\"129026\" ID_DEV=\"300\" Mnemonic=\"\"/></COBID>");
    std::string parameters = testing::readFile(dir / "pargen.xml");
    parameters.replace(parameters.find("<IDDev_Ser>1<"), 13, "<IDDev_Ser>0<");
    writeFile(dir / "pargen.xml", parameters);
    ProjectCheck check = CheckProject(dir.path());
    auto about = [&](const std::string& file, const std::string& attribute) {
        std::vector<bool> warnings;
        for (const CheckFinding& f : check.findings)
            if (f.file == file && f.attribute == attribute) warnings.push_back(f.warning);
        return warnings;
    };
    EXPECT_THAT(about("TCobDef.xml", "ID_DEV"), ElementsAre(false));
    EXPECT_THAT(about("TCobDef.xml", "PGN"), ElementsAre(true));
    EXPECT_THAT(check.findings,
                Contains(finding("pargen.xml",
                                 "Set Communication, Dev ID is 0: a Modbus RTU master reaches devices 1 "
                                 "to 247 only (pargen.xml, IDDev_Ser)",
                                 true)));
}

}  // namespace
}  // namespace telvanor
