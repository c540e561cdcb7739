#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli/cli_run.h"
#include "report/sample_project.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using testing::copySampleProject;
using ::testing::HasSubstr;
using testing::readFile;
using ::testing::StartsWith;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

using testing::cli;
using testing::CliRun;

// Each map exported in each format and imported back into an emptied map gives the map file
// it came from.
TEST(ExchangeCommands, ExportThenImportGivesBackEachMap) {
    TempDir dir;
    fs::path project = copySampleProject(dir);
    struct Case {
        const char* map;
        const char* format;
        const char* file;
        const char* root;
    };
    for (const Case& c :
         {Case{"transmit", "csv", "TInfoCob.csv", "TInfoCob"}, Case{"receive", "xlsx", "", "RInfoCob"}}) {
        std::string mapFile = std::string(c.root) + ".xml";
        const std::string before = readFile(project / mapFile);
        std::vector<std::string> arguments{"export", project.string(), "--map", c.map, "--format", c.format};
        fs::path exported = project / c.file;
        if (*c.file == '\0') {
            exported = dir / "exported.xlsx";
            arguments.insert(arguments.end(), {"-o", exported.string()});
        }
        CliRun out = cli(arguments);
        EXPECT_EQ(out.status, 0) << out.err;
        EXPECT_THAT(out.out, StartsWith(std::string(c.root) + ": "));

        writeFile(project / mapFile, "<" + std::string(c.root) + "/>");
        CliRun in = cli({"import", project.string(), exported.string(), "--map", c.map});
        EXPECT_EQ(in.status, 0) << in.err;
        EXPECT_THAT(in.out, StartsWith(std::string(c.root) + ": "));
        EXPECT_THAT(in.out, HasSubstr(" imported\nWritten to "));
        EXPECT_EQ(readFile(project / mapFile), before) << c.map;
    }
}

TEST(ExchangeCommands, FileThatCannotBeReadOrHoldsNoMappingChangesNothing) {
    TempDir dir;
    fs::path project = copySampleProject(dir);
    const std::string before = readFile(project / "TInfoCob.xml");
    writeFile(dir / "noise.xls", std::string("\x01\x02\x03\x00", 4));
    for (fs::path file : {dir / "noise.xls", dir / "missing.csv"}) {
        CliRun result = cli({"import", project.string(), file.string()});
        EXPECT_EQ(result.status, kExitFailure);
        EXPECT_THAT(result.err, StartsWith("telvanor-cli: TInfoCob: nothing imported, the map is unchanged: " +
                                           file.string() + " cannot be read: "));
        EXPECT_EQ(readFile(project / "TInfoCob.xml"), before);
    }
    // A file without a mapping would empty the map: refused, with the rows it holds and why.
    struct Empty {
        const char* name;
        const char* text;
        const char* why;
    };
    for (const Empty& c :
         {Empty{"empty.csv", "", ""},
          Empty{"titles.csv", "Index,NrPdo,PosComp,Write_J1939\r\n", "; row 1 is read as the title row"},
          Empty{"skipped.csv", "100,9,33,0\n", "; 1 row skipped (row 1: frame 9 does not exist)"}}) {
        writeFile(dir / c.name, c.text);
        CliRun result = cli({"import", project.string(), (dir / c.name).string()});
        EXPECT_EQ(result.status, kExitFailure) << c.name;
        EXPECT_EQ(result.err, "telvanor-cli: TInfoCob: nothing imported, the map is unchanged: " +
                                  (dir / c.name).string() + " holds no mappings" + c.why + "\n");
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(readFile(project / "TInfoCob.xml"), before) << c.name;
    }
    EXPECT_EQ(cli({"export", project.string(), "--map", "both"}).status, kExitUsage);
    EXPECT_EQ(cli({"export", project.string(), "--format", "ods"}).status, kExitUsage);
}

}  // namespace
}  // namespace telvanor
