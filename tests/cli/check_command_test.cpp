#include <sys/stat.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/cli.h"
#include "editors/pargen/pargen_file.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::HasSubstr;
using testing::pargenWith;
using ::testing::StartsWith;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

struct CheckRun {
    int status;
    std::string out;
    std::string err;
};

CheckRun check(const fs::path& project) {
    std::ostringstream out, err;
    int status = runCli({"check", project.string()}, out, err);
    return {status, out.str(), err.str()};
}

struct Refusal {
    std::map<std::string, std::string> values;
    std::string message;
};

class CheckCommandRefuses : public ::testing::TestWithParam<Refusal> {};

TEST_P(CheckCommandRefuses, WithTheEditorsMessage) {
    TempDir dir;
    writeFile(dir / "pargen.xml", pargenWith(GetParam().values));
    CheckRun run = check(dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "pargen.xml: " + GetParam().message + "\nChecked 1 file; 1 would be refused.\n");
    EXPECT_EQ(run.err, "");
}

// Remote request on, data time-out register 1, the other four as given.
std::map<std::string, std::string> remote(const char* pd, const char* p1, const char* p2, const char* sa) {
    return {{"En_Rem_Req", "1"}, {"TO_ModReg", "1"}, {"Pri_Des", pd}, {"PGN1", p1}, {"PGN2", p2}, {"SA", sa}};
}

INSTANTIATE_TEST_SUITE_P(
    EveryMessage, CheckCommandRefuses,
    ::testing::Values(
        Refusal{{{"TimeOut_Data", "256"}}, "Error! The Time Out Data must to be between 0 and 255 seconds"},
        Refusal{{{"TO_ModReg", "0"}}, "Error! The Modbus Register must to be between 1 and 65535"},
        Refusal{remote("0", "3", "4", "5"),
                "Error! The Modbus Register for Priority and Destination must to be between 1 and 65535"},
        Refusal{remote("2", "70000", "4", "5"),
                "Error! The Modbus Register for PGN Part 1 must to be between 1 and 65535"},
        Refusal{remote("2", "3", "x", "5"), "Error! The Modbus Register for PGN Part 2 must to be between 1 and 65535"},
        Refusal{remote("2", "3", "4", "-5"),
                "Error! The Modbus Register for Source Address must to be between 1 and 65535"},
        Refusal{remote("1", "3", "4", "5"), "Error! The Modbus Register cannot be equal to Priority and Destination"},
        Refusal{remote("2", "1", "4", "5"), "Error! The Modbus Register cannot be equal to PGN Part 1"},
        Refusal{remote("2", "3", "1", "5"), "Error! The Modbus Register cannot be equal to PGN Part 2"},
        Refusal{remote("2", "3", "4", "1"), "Error! The Modbus Register cannot be equal to Source Address"},
        Refusal{remote("2", "2", "4", "5"), "Error! The Priority and Destination cannot be equal to PGN Part 1"},
        Refusal{remote("2", "3", "2", "5"), "Error! The Priority and Destination cannot be equal to PGN Part 2"},
        Refusal{remote("2", "3", "4", "2"), "Error! The Priority and Destination cannot be equal to Source Address"},
        Refusal{remote("2", "3", "3", "5"), "Error! The PGN Part 1 cannot be equal to PGN Part 2"},
        Refusal{remote("2", "3", "4", "3"), "Error! The PGN Part 1 cannot be equal to Source Address"},
        Refusal{remote("2", "3", "4", "4"), "Error! The PGN Part 2 cannot be equal to Source Address"},
        Refusal{{{"SE_ms", "0"}}, "Error! The Send Frame Every must to be between 1 and 65535 ms"}));

TEST(CheckCommand, AcceptedProjectExitsWithZeroWhateverItsWarnings) {
    TempDir dir;
    fs::copy(testing::examplesDir() / "Boat1" / "pargen.xml", dir / "pargen.xml");
    CheckRun run = check(dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Checked 1 file; none would be refused.\n");

    writeFile(dir / "pargen.xml", pargenWith({{"CANType", "0"}, {"IDDev_Ser", "one"}}));
    run = check(dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "warning: pargen.xml: CANType 0 is shown as CAN 2.0B; OK saves 1\n"
              "warning: pargen.xml: IDDev_Ser 'one' is not an integer; Update Device refuses it\n"
              "Checked 1 file; none would be refused.\n");

    TempDir empty;
    EXPECT_EQ(check(empty.path()).out, "Checked 0 files; none would be refused.\n");
}

TEST(CheckCommand, WarningsAndTheRefusalComeInTheOrderFound) {
    TempDir dir;
    writeFile(dir / "PARGEN.xml", pargenWith({{"SE_ms", "0"}, {"BaudRateCAN", "9"}}, "<Spare>1</Spare>"));
    CheckRun run = check(dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "warning: pargen.xml: Spare is not a communication parameter; OK drops it\n"
              "warning: pargen.xml: BaudRateCAN 9 selects no entry of the list; OK saves -1\n"
              "pargen.xml: Error! The Send Frame Every must to be between 1 and 65535 ms\n"
              "Checked 1 file; 1 would be refused.\n");
}

TEST(CheckCommand, UnparsableFileIsRefusedThoughTheEditorIgnoresIt) {
    TempDir dir;
    writeFile(dir / "pargen.xml", "<GeneralParameter>\n<SA>1</GeneralParameter>");
    CheckRun run = check(dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.out, StartsWith("pargen.xml: "));
    EXPECT_THAT(run.out, HasSubstr("at line 2, column"));
    EXPECT_THAT(run.out, HasSubstr("\nwarning: pargen.xml: the editor ignores a file it cannot read"));
}

TEST(CheckCommand, FrameTablesAreCheckedAsTheirWindowsCheckThem) {
    TempDir dir;
    fs::copy(testing::examplesDir() / "Boat1", dir.path(), fs::copy_options::recursive);
    CheckRun good = check(dir.path());
    EXPECT_EQ(good.status, 0) << good.out;

    writeFile(dir / "RCobDef.xml",
              "<COBID><row DataPage=\"1\" PGN=\"1\" ID_DEV=\"1\" MultiFrame=\"N\" FastPacket=\"N\" StartByte=\"\""
              " NByte=\"\" Delete=\"N\" Mnemonic=\"\"/><row DataPage=\"2\" PGN=\"1\" ID_DEV=\"1\" MultiFrame=\"N\""
              " FastPacket=\"N\" StartByte=\"\" NByte=\"\" Delete=\"N\" Mnemonic=\"\"/></COBID>");
    fs::remove(dir / "TCobDef.xml");
    writeFile(dir / "tcobdef.xml", "<COBID><row Priority=\"3\"/></COBID>");
    CheckRun bad = check(dir.path());
    EXPECT_EQ(bad.status, 1);
    EXPECT_THAT(bad.out, HasSubstr("RCobDef.xml: Error in row 2!! The Data Page must be 0 or 1\n"));
    EXPECT_THAT(bad.out, HasSubstr("\nTCobDef.xml: Error in reading file "));
    EXPECT_THAT(bad.out, HasSubstr("would be refused"));
}

TEST(CheckCommand, RegisterMapsNameRowsThatNameNoFrame) {
    TempDir dir;
    fs::copy(testing::examplesDir() / "Boat1", dir.path(), fs::copy_options::recursive);
    writeFile(dir / "RInfoCob.xml",
              "<RInfoCob><row Index=\"0\" NrPdo=\"1\" PosComp=\"1\"/>"
              "<row Index=\"0\" NrPdo=\"2\" PosComp=\"1\"/>"
              "<row Index=\"3\" NrPdo=\"5\" PosComp=\"1\"/></RInfoCob>");
    CheckRun run = check(dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.out, HasSubstr("RInfoCob.xml: row 3: NrPdo 5 names no frame (RCobDef.xml has 3 rows)\n"));
    EXPECT_THAT(run.out, HasSubstr("warning: RInfoCob.xml: "));
    EXPECT_THAT(run.out, HasSubstr("Checked 5 files; 1 would be refused.\n"));
}

// What stands in a project file's place, or what it holds, that the build or an editor's OK
// would refuse: check names file and reason and exits 1, and the build writes no image.
TEST(CheckCommand, FilesThatCannotBeReadAreRefusedByCheckAndBuild) {
    struct Case {
        const char* file;
        std::function<void(const fs::path&)> make;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"RCobDef.xml", [](const fs::path& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0644), 0); },
         "it is a FIFO (named pipe), not a regular file"},
        {"TCobDef.xml", [](const fs::path& f) { fs::create_directory(f); }, "it is a folder, not a regular file"},
        {"RInfoCob.xml", [](const fs::path& f) { fs::create_symlink("gone.xml", f); },
         "it is a link to gone.xml, which does not exist"},
        {"pargen.xml", [](const fs::path& f) { writeFile(f, std::string(33u * 1024 * 1024, ' ')); },
         "the file is 33 MB, larger than the limit of 32 MB"},
        {"TInfoCob.xml", [](const fs::path& f) { writeFile(f, "<TInfoCob><row Index=\"\xD6\"/></TInfoCob>"); },
         "the file is not UTF-8 text: line 1, column 23 holds the byte 0xD6"},
    };
    for (const Case& bad : cases) {
        TempDir dir;
        fs::copy(testing::examplesDir() / "Boat1", dir.path(), fs::copy_options::recursive);
        fs::remove(dir / bad.file);
        bad.make(dir / bad.file);
        CheckRun run = check(dir.path());
        EXPECT_EQ(run.status, 1) << bad.file;
        EXPECT_THAT(run.out, HasSubstr(std::string(bad.file) + ": ")) << bad.file;
        EXPECT_THAT(run.out, HasSubstr(bad.reason)) << run.out;
        std::ostringstream out, err;
        EXPECT_EQ(runCli({"build", dir.path().string(), "-o", (dir / "out.bin").string()}, out, err), 1) << bad.file;
        EXPECT_THAT(err.str(), HasSubstr(bad.reason)) << bad.file;
        EXPECT_FALSE(fs::exists(dir / "out.bin"));
    }
}

TEST(CheckCommand, WrongFolderAndWrongCommandLine) {
    TempDir dir;
    CheckRun missing = check(dir / "missing");
    EXPECT_EQ(missing.status, 1);
    EXPECT_THAT(missing.err, HasSubstr("is not a project folder"));
    std::ostringstream out, err;
    EXPECT_EQ(runCli({"check"}, out, err), 2);
    EXPECT_EQ(runCli({"check", "a", "b"}, out, err), 2);
    EXPECT_EQ(runCli({"check", "a", "--output", "b"}, out, err), 2);
    runCli({"--help"}, out, err);
    EXPECT_THAT(out.str(), HasSubstr("check PROJECT_DIR"));
}

}  // namespace
}  // namespace telvanor
