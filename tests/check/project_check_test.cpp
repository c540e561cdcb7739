#include "check/project_check.h"

#include <stdexcept>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "check/file_checks.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::IsEmpty;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

auto finding(const std::string& file, const std::string& message, bool warning) {
    return ::testing::AllOf(Field(&CheckFinding::file, file), Field(&CheckFinding::message, message),
                            Field(&CheckFinding::warning, warning));
}

TEST(CheckProject, RunsTheCheckersOfTheFilesThatExistInTheirOrder) {
    TempDir dir;
    writeFile(dir / "first.xml", "");
    writeFile(dir / "THIRD.XML", "");
    std::vector<fs::path> seen;
    std::vector<ProjectFileChecker> checkers = {
        {"first.xml",
         [&](const fs::path& file, const fs::path& project) {
             seen.push_back(file);
             EXPECT_EQ(project, dir.path());
             return std::vector<CheckFinding>{warned("just so you know")};
         }},
        {"second.xml", [&](const fs::path& file, const fs::path&) {
             seen.push_back(file);
             return std::vector<CheckFinding>{refused("never")};
         }},
        {"third.xml", [&](const fs::path& file, const fs::path&) {
             seen.push_back(file);
             return std::vector<CheckFinding>{warned("one"), refused("two")};
         }}};
    ProjectCheck check = CheckProject(dir.path(), checkers);
    EXPECT_THAT(seen, ElementsAre(dir / "first.xml", dir / "THIRD.XML"));
    EXPECT_EQ(check.filesChecked, 2u);
    EXPECT_EQ(check.filesRefused, 1u);
    // Findings carry the file's own name, whatever its case on disk.
    EXPECT_THAT(check.findings, ElementsAre(finding("first.xml", "just so you know", true),
                                            finding("third.xml", "one", true), finding("third.xml", "two", false)));
}

TEST(CheckProject, AFailingLoaderIsARefusalAndTheOtherFilesAreStillChecked) {
    TempDir dir;
    writeFile(dir / "a.xml", "");
    writeFile(dir / "b.xml", "");
    std::vector<ProjectFileChecker> checkers = {
        {"a.xml", [](const fs::path&, const fs::path&) -> std::vector<CheckFinding> {
             throw std::runtime_error("'x' is not a valid integer value");
         }},
        {"b.xml", [](const fs::path&, const fs::path&) { return std::vector<CheckFinding>{}; }}};
    ProjectCheck check = CheckProject(dir.path(), checkers);
    EXPECT_EQ(check.filesChecked, 2u);
    EXPECT_EQ(check.filesRefused, 1u);
    EXPECT_THAT(check.findings, ElementsAre(finding("a.xml", "'x' is not a valid integer value", false)));
}

TEST(CheckProject, KnowsTheCommunicationParameters) {
    TempDir dir;
    EXPECT_EQ(CheckProject(dir.path()).filesChecked, 0u);
    writeFile(dir / "Pargen.xml", "<GeneralParameter><TimeOut_Data>300</TimeOut_Data></GeneralParameter>");
    ProjectCheck check = CheckProject(dir.path());
    EXPECT_EQ(check.filesChecked, 1u);
    ASSERT_FALSE(check.findings.empty());
    EXPECT_THAT(check.findings.back(),
                finding("pargen.xml", "Error! The Time Out Data must to be between 0 and 255 seconds", false));
}

TEST(CheckPargenFile, ChecksTheValuesAsTheEditorWouldShowThem) {
    TempDir dir;
    // Without GeneralParameter every value takes its fallback, and those pass.
    writeFile(dir / "pargen.xml", "<Other/>");
    std::vector<CheckFinding> fallbacks = checkPargenFile(dir / "pargen.xml", dir.path());
    for (const CheckFinding& f : fallbacks) EXPECT_TRUE(f.warning) << f.message;
    EXPECT_THAT(fallbacks.front().message, ::testing::HasSubstr("no GeneralParameter element"));

    // A missing send period falls back to 1000, which passes; a present 0 does not.
    writeFile(dir / "pargen.xml", "<GeneralParameter><SE_ms>0</SE_ms></GeneralParameter>");
    EXPECT_EQ(checkPargenFile(dir / "pargen.xml", dir.path()).back().message,
              "Error! The Send Frame Every must to be between 1 and 65535 ms");
}

TEST(CheckPargenFile, UnparsableFileIsRefusedWithTheParsersMessage) {
    TempDir dir;
    writeFile(dir / "pargen.xml", "<GeneralParameter>\n<SA>1</GeneralParameter>");
    std::vector<CheckFinding> findings = checkPargenFile(dir / "pargen.xml", dir.path());
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_FALSE(findings[0].warning);
    EXPECT_THAT(findings[0].message, ::testing::HasSubstr("line 2"));
    EXPECT_TRUE(findings[1].warning);
}

TEST(CheckPargenFile, ValuesTheEditorTakesButTheImageBuilderRefusesAreWarnings) {
    TempDir dir;
    writeFile(dir / "pargen.xml",
              "<GeneralParameter><IDDev_Ser>one</IDDev_Ser><TimeOut_Ser>1000</TimeOut_Ser></GeneralParameter>");
    std::vector<CheckFinding> findings = checkPargenFile(dir / "pargen.xml", dir.path());
    EXPECT_THAT(findings, ::testing::Contains(Field(&CheckFinding::message,
                                                    "IDDev_Ser 'one' is not an integer; Update Device refuses it")));
    for (const CheckFinding& f : findings) EXPECT_TRUE(f.warning) << f.message;
    EXPECT_THAT(checkPargenFile(testing::examplesDir() / "Boat1" / "pargen.xml", {}), IsEmpty());
}

}  // namespace
}  // namespace telvanor
