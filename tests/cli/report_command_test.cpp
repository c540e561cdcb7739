#include <sstream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli/cli_run.h"
#include "report/project_report.h"
#include "report/report_writers.h"
#include "report/sample_project.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using testing::copySampleProject;
using ::testing::HasSubstr;
using testing::readFile;
using ::testing::StartsWith;
using testing::TempDir;
using testing::testDataDir;
using testing::writeFile;
namespace fs = std::filesystem;
using testing::cli;
using testing::CliRun;

TEST(ReportCommand, WritesTheGoldenReportOfTheSampleProjectInEachFormat) {
    TempDir dir;
    fs::path project = copySampleProject(dir);
    for (auto [format, golden] : {std::pair{"html", "Boat1.html"}, {"md", "Boat1.md"}, {"csv", "Boat1.csv"}}) {
        fs::path output = dir / (std::string("report.") + format);
        CliRun result = cli({"report", project.string(), "--format", format, "--output", output.string()});
        EXPECT_EQ(result.status, 0) << format;
        // The sample's two catalogue warnings are counted as problems.
        EXPECT_EQ(result.out, output.string() + ": report of Boat1, 2 problems listed at its top\n");
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(readFile(output), readFile(testDataDir() / "report" / golden)) << format;
    }
}

// The README shows the sample's Markdown report as the command writes it.
TEST(ReportCommand, TheReadmeShowsTheSampleProjectsReport) {
    std::string readme = readFile(testing::examplesDir().parent_path() / "README.md");
    EXPECT_THAT(readme, HasSubstr("```markdown\n" + readFile(testDataDir() / "report" / "Boat1.md") + "```\n"));
}

TEST(ReportCommand, HtmlToStandardOutputWhenNoFileIsGiven) {
    TempDir dir;
    fs::path project = copySampleProject(dir);
    CliRun result = cli({"report", project.string()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, readFile(testDataDir() / "report" / "Boat1.html"));
}

TEST(ReportCommand, CsvWithSemicolonsForSpreadsheetsThatWantThem) {
    TempDir dir;
    fs::path project = copySampleProject(dir);
    CliRun result = cli({"report", project.string(), "--format", "csv", "--sep", ";"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, csvReport(BuildProjectReport(project), ';'));
    EXPECT_THAT(result.out, HasSubstr("\r\nRegister;Hex;Direction;Frame;"));
    EXPECT_THAT(result.out, HasSubstr("\r\n100;0x0064;Modbus to NMEA 2000;1;"));
}

TEST(ReportCommand, ProjectThatCheckRefusesStillGetsAReportAndSaysSo) {
    TempDir dir;
    writeFile(dir / "p" / "RCobDef.xml", "<COBID><row DataPage=\"1\"/></COBID>");
    fs::path output = dir / "report.md";
    CliRun result = cli({"report", (dir / "p").string(), "--format", "md", "--output", output.string()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, output.string() + ": report of p, 1 problem listed at its top\n");
    EXPECT_THAT(readFile(output), HasSubstr("## Problems\n\n- RCobDef.xml: "));
}

TEST(ReportCommand, FailuresAndWrongCommandLines) {
    TempDir dir;
    fs::path project = copySampleProject(dir);

    CliRun missing = cli({"report", (dir / "nothing").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_THAT(missing.err, HasSubstr("is not a project folder"));

    // The folder of the output does not exist: the write fails and says which file.
    CliRun unwritable = cli({"report", project.string(), "--output", (dir / "no" / "such" / "r.html").string()});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_THAT(unwritable.err, HasSubstr("r.html"));
    EXPECT_EQ(unwritable.out, "");

    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"report"},
                                                      {"report", project.string(), project.string()},
                                                      {"report", project.string(), "--format", "pdf"},
                                                      {"report", project.string(), "--format"},
                                                      {"report", project.string(), "--sep", ";"},
                                                      {"report", project.string(), "--format", "csv", "--sep", ";;"},
                                                      {"report", project.string(), "--format", "csv", "--sep", "\""},
                                                      {"check", project.string(), "--format", "csv"}}) {
        CliRun wrong = cli(arguments);
        EXPECT_EQ(wrong.status, 2) << arguments.back();
        EXPECT_THAT(wrong.err, StartsWith("telvanor-cli: "));
    }
}

}  // namespace
}  // namespace telvanor
