#include <sys/stat.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "cli/cli_run.h"
#include "editors/pargen/pargen_file.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::pargenWith;
using ::testing::StartsWith;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;
using testing::cli;
using testing::CliRun;

CliRun check(const fs::path& project) { return cli({"check", project.string()}); }

struct Refusal {
    std::map<std::string, std::string> values;
    std::string message;
};

class CheckCommandRefuses : public ::testing::TestWithParam<Refusal> {};

TEST_P(CheckCommandRefuses, WithTheEditorsMessage) {
    TempDir dir;
    writeFile(dir / "pargen.xml", pargenWith(GetParam().values));
    CliRun result = check(dir.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.out, StartsWith("pargen.xml: Set Communication, "));
    EXPECT_THAT(result.out, HasSubstr(" is refused: \"" + GetParam().message + "\" (pargen.xml, "));
    EXPECT_THAT(result.out, EndsWith(")\nChecked 1 file; 1 would be refused.\n"));
    EXPECT_EQ(result.err, "");
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
    CliRun result = check(dir.path());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "Checked 1 file; none would be refused.\n");

    writeFile(dir / "pargen.xml", pargenWith({{"CANType", "0"}}));
    result = check(dir.path());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "warning: pargen.xml: CANType 0 is shown as CAN 2.0B; OK saves 1\n"
              "Checked 1 file; none would be refused.\n");
}

TEST(CheckCommand, FolderWithoutProjectFilesFailsSayingSo) {
    TempDir empty;
    writeFile(empty / "notes.txt", "");
    CliRun text = check(empty.path());
    EXPECT_EQ(text.status, 1);
    EXPECT_EQ(text.out, "");
    EXPECT_EQ(text.err, "telvanor-cli: " + empty.path().string() +
                            " holds none of the project files (pargen.xml, RCobDef.xml, TCobDef.xml, RInfoCob.xml, "
                            "TInfoCob.xml); is it a project folder?\n");
    CliRun json = cli({"check", "--format", "json", empty.path().string()});
    EXPECT_EQ(json.status, 1);
    nlohmann::json object = nlohmann::json::parse(json.out);
    EXPECT_EQ(object["passed"], false);
    EXPECT_EQ(object["files_checked"], 0);
    ASSERT_EQ(object["findings"].size(), 1u);
    EXPECT_THAT(object["findings"][0]["message"].get<std::string>(), HasSubstr("holds none of the project files"));
}

// What the build refuses, check refuses with the same words, before any window would.
struct BuildRefusal {
    const char* file;
    std::string content;
    std::string message;
};

class CheckCoversBuild : public ::testing::TestWithParam<BuildRefusal> {};

TEST_P(CheckCoversBuild, WithTheBuildersWordsAtTheSamePlace) {
    TempDir dir;
    fs::copy(testing::examplesDir() / "Boat1", dir.path(), fs::copy_options::recursive);
    writeFile(dir / GetParam().file, GetParam().content);
    CliRun built = cli({"build", dir.path().string()});
    EXPECT_EQ(built.status, 1);
    EXPECT_EQ(built.err, "telvanor-cli: " + GetParam().message + "\n");
    CliRun checked = check(dir.path());
    EXPECT_EQ(checked.status, 1);
    EXPECT_THAT("\n" + checked.out, HasSubstr("\n" + std::string(GetParam().file) + ": " + GetParam().message + "\n"));
}

INSTANTIATE_TEST_SUITE_P(
    WhatTheWindowsLetPass, CheckCoversBuild,
    ::testing::Values(
        // Typed with the keyboard, the flag boxes never touched.
        BuildRefusal{"RCobDef.xml",
                     "<COBID><row DataPage=\"1\" PGN=\"0xF801\" ID_DEV=\"\" MultiFrame=\"\" FastPacket=\"\""
                     " StartByte=\"\" NByte=\"\" Delete=\"N\" Mnemonic=\"\"/></COBID>",
                     "Receive NMEA, row 1, Source Address is empty (RCobDef.xml row 1, ID_DEV)"},
        BuildRefusal{"TCobDef.xml",
                     "<COBID><row Priority=\"3\" DP=\"1\" PGN=\"26 \" ID_DEV=\"1\" Mnemonic=\"\"/></COBID>",
                     "Transmit NMEA, row 1, PGN is not a valid integer: '26 ' (TCobDef.xml row 1, PGN)"},
        BuildRefusal{"pargen.xml", pargenWith({{"Par_Ser", "<absent>"}}),
                     "Set Communication, Parity is missing (pargen.xml, Par_Ser)"}));

TEST(CheckCommand, JsonForScripts) {
    CliRun good = cli({"check", (testing::examplesDir() / "Boat1").string(), "--format=json"});
    EXPECT_EQ(good.status, 0);
    nlohmann::json object = nlohmann::json::parse(good.out);
    EXPECT_EQ(object["passed"], true);
    EXPECT_EQ(object["files_checked"], 5);
    EXPECT_EQ(object["files_refused"], 0);
    EXPECT_EQ(object["findings"].size(), 2u);
    EXPECT_EQ(object["findings"][0]["severity"], "warning");
    EXPECT_EQ(object["image"], nlohmann::json::parse(R"({"length": 164, "receive_frames": 3, "transmit_frames": 1,
        "receive_mappings": 2, "transmit_mappings": 1, "parameters": true})"));

    TempDir dir;
    writeFile(dir / "TCobDef.xml",
              "<COBID><row Priority=\"9\" DP=\"1\" PGN=\"1\" ID_DEV=\"1\" Mnemonic=\"\"/></COBID>");
    CliRun bad = cli({"check", "--format", "json", dir.path().string()});
    EXPECT_EQ(bad.status, 1);
    nlohmann::json refused = nlohmann::json::parse(bad.out);
    EXPECT_EQ(refused["passed"], false);
    EXPECT_EQ(refused["findings"], nlohmann::json::parse(R"json([{"severity": "error", "file": "TCobDef.xml", "row": 1,
        "attribute": "Priority", "window": "Transmit NMEA", "window_row": "row 1", "column": "Priority",
        "message": "Transmit NMEA, row 1, Priority is refused: \"Error in row 1!! The Priority of J1939 frame must be between 0 and 7\" (TCobDef.xml row 1, Priority)"}])json"));
    EXPECT_EQ(cli({"check", "--format", "xml", dir.path().string()}).status, 2);
}

TEST(CheckCommand, WarningsAndTheRefusalComeInTheOrderFound) {
    TempDir dir;
    writeFile(dir / "PARGEN.xml", pargenWith({{"SE_ms", "0"}, {"BaudRateCAN", "9"}}, "<Spare>1</Spare>"));
    CliRun result = check(dir.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out,
              "warning: pargen.xml: Spare is not a communication parameter; OK drops it\n"
              "warning: pargen.xml: BaudRateCAN 9 selects no entry of the list; OK saves -1\n"
              "pargen.xml: Set Communication, Send Frame Every (ms) is refused: \"Error! The Send Frame Every must "
              "to be between 1 and 65535 ms\" (pargen.xml, SE_ms)\n"
              "Checked 1 file; 1 would be refused.\n");
}

TEST(CheckCommand, UnparsableFileIsRefusedThoughTheEditorIgnoresIt) {
    TempDir dir;
    writeFile(dir / "pargen.xml", "<GeneralParameter>\n<SA>1</GeneralParameter>");
    CliRun result = check(dir.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.out, StartsWith("pargen.xml: Set Communication: pargen.xml cannot be read: "));
    EXPECT_THAT(result.out, HasSubstr("at line 2, column"));
    EXPECT_THAT(result.out, HasSubstr("\nwarning: pargen.xml: the editor ignores a file it cannot read"));
    EXPECT_EQ(result.out.find("well-formed"), result.out.rfind("well-formed"))
        << "the build's refusal of the same file is not repeated";
}

TEST(CheckCommand, FrameTablesAreCheckedAsTheirWindowsCheckThem) {
    TempDir dir;
    fs::copy(testing::examplesDir() / "Boat1", dir.path(), fs::copy_options::recursive);
    CliRun good = check(dir.path());
    EXPECT_EQ(good.status, 0) << good.out;

    writeFile(dir / "RCobDef.xml",
              "<COBID><row DataPage=\"1\" PGN=\"1\" ID_DEV=\"1\" MultiFrame=\"N\" FastPacket=\"N\" StartByte=\"\""
              " NByte=\"\" Delete=\"N\" Mnemonic=\"\"/><row DataPage=\"2\" PGN=\"1\" ID_DEV=\"1\" MultiFrame=\"N\""
              " FastPacket=\"N\" StartByte=\"\" NByte=\"\" Delete=\"N\" Mnemonic=\"\"/></COBID>");
    fs::remove(dir / "TCobDef.xml");
    writeFile(dir / "tcobdef.xml", "<COBID><row Priority=\"3\"/></COBID>");
    CliRun bad = check(dir.path());
    EXPECT_EQ(bad.status, 1);
    EXPECT_THAT(bad.out, HasSubstr("RCobDef.xml: Receive NMEA, row 2, Data Page is refused: \"Error in row 2!! The "
                                   "Data Page must be 0 or 1\" (RCobDef.xml row 2, DataPage)\n"));
    EXPECT_THAT(bad.out, HasSubstr("\nTCobDef.xml: Transmit NMEA, row 1, Data Page is missing, so the window stops "
                                   "reading there: \"Error in reading file "));
    EXPECT_THAT(bad.out, HasSubstr("would be refused"));
}

TEST(CheckCommand, RegisterMapsNameRowsThatNameNoFrame) {
    TempDir dir;
    fs::copy(testing::examplesDir() / "Boat1", dir.path(), fs::copy_options::recursive);
    writeFile(dir / "RInfoCob.xml",
              "<RInfoCob><row Index=\"0\" NrPdo=\"1\" PosComp=\"1\"/>"
              "<row Index=\"0\" NrPdo=\"2\" PosComp=\"1\"/>"
              "<row Index=\"3\" NrPdo=\"5\" PosComp=\"1\"/></RInfoCob>");
    CliRun result = check(dir.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.out, HasSubstr("RInfoCob.xml: Define NMEA (receive), Correlated frame 5 does not exist "
                                      "(RCobDef.xml has 3 rows); the window drops the mapping (RInfoCob.xml row 3, "
                                      "NrPdo)\n"));
    EXPECT_THAT(result.out, Not(HasSubstr("Receive NMEA has 3 frames"))) << "the build names the same place";
    EXPECT_THAT(result.out, HasSubstr("warning: RInfoCob.xml: "));
    EXPECT_THAT(result.out, HasSubstr("Checked 5 files; 1 would be refused.\n"));
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
        CliRun run = check(dir.path());
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
    CliRun missing = check(dir / "missing");
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
