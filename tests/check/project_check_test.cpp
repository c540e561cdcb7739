#include "check/project_check.h"

#include <stdexcept>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::Field;
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
    EXPECT_THAT(check.findings, ElementsAre(finding("first.xml", "just so you know", true),
                                            finding("third.xml", "one", true), finding("third.xml", "two", false),
                                            finding("fourth.xml", "'x' is not a valid integer value", false)));
}

}  // namespace
}  // namespace telvanor
