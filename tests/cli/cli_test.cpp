#include "cli/cli.h"

#include <sys/stat.h>

#include <fstream>
#include <future>
#include <iterator>
#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli_run.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::AllOf;
using testing::cli;
using testing::CliRun;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::readFile;
using ::testing::StartsWith;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

fs::path copyOfSample(const TempDir& dir) {
    fs::copy(testing::examplesDir() / "Boat1", dir / "Boat1", fs::copy_options::recursive);
    return dir / "Boat1";
}

TEST(CliBuild, WritesTheImageAndReportsItsCounts) {
    TempDir dir;
    fs::path project = copyOfSample(dir);
    CliRun run = cli({"build", project.string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out,
                HasSubstr("164 bytes, 3 receive frames, 1 transmit frame, 2 receive mappings, 1 transmit mapping"));
    std::string image = readFile(project / "bin" / "bank.bin");
    EXPECT_EQ(image.size(), 164u);

    // The image on standard output, and the summary with the messages.
    CliRun piped = cli({"build", project.string(), "-o", "-"});
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.out, image);
    EXPECT_THAT(piped.err, StartsWith("standard output: 164 bytes"));
}

TEST(CliBuild, FailureChangesNoFile) {
    TempDir dir;
    writeFile(dir / "bin" / "bank.bin", "previous image");
    writeFile(dir / "TCobDef.xml", "<COBID><row Priority=\"x\" DP=\"1\" PGN=\"1\" ID_DEV=\"1\"/></COBID>");
    CliRun run = cli({"build", dir.path().string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "telvanor-cli: Transmit NMEA, row 1, Priority is not a valid integer: 'x' (TCobDef.xml row 1, "
              "Priority)\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(readFile(dir / "bin" / "bank.bin"), "previous image");

    EXPECT_EQ(cli({"build", (dir / "missing").string()}).status, 1);
}

// A value the image keeps only the low bits of is built as ever, and said on standard error.
TEST(CliBuild, ValuesTheImageCutsAreWarnedAbout) {
    TempDir dir;
    writeFile(dir / "TCobDef.xml", "<COBID><row Priority=\"3\" DP=\"1\" PGN=\"129026\" ID_DEV=\"36\"/></COBID>");
    CliRun run = cli({"build", dir.path().string(), "-o", (dir / "bank.bin").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.err, StartsWith("warning: TCobDef.xml: Transmit NMEA, row 1, PGN is 129026, which does not fit"));
}

// The image goes into the bin folder in whatever letter case it is spelled; a project without
// one (an unzipped copy, as zips drop empty folders) has it made and is told so. A file named
// bin is not a folder to write into.
TEST(CliBuild, FindsTheBinFolderInAnyLetterCaseOrMakesIt) {
    struct Case {
        const char* existing;  // the bin folder there is, or "" for none
        const char* summary;   // how the summary line starts after the project folder
    };
    for (const Case& c : {Case{"bin", "/bin/bank.bin: 164 bytes"}, Case{"BIN", "/BIN/bank.bin: 164 bytes"},
                          Case{"", "/bin/bank.bin (bin folder made now): 164 bytes"}}) {
        TempDir dir;
        fs::path project = copyOfSample(dir);
        fs::remove_all(project / "bin");
        if (*c.existing) fs::create_directory(project / c.existing);
        fs::path image = project / (*c.existing ? c.existing : "bin") / "bank.bin";
        CliRun run = cli({"build", project.string()});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_THAT(run.out, StartsWith(project.string() + c.summary));
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(readFile(image).size(), 164u) << c.existing;
        // Another command's output there is still the project's own image.
        EXPECT_EQ(cli({"report", project.string(), "-o", image.string()}).status, 1);
        EXPECT_EQ(std::distance(fs::directory_iterator(project), {}), 6) << "one bin folder, five files";
    }
    TempDir dir;
    writeFile(dir / "bin", "a file");
    CliRun notFolder = cli({"build", dir.path().string()});
    EXPECT_EQ(notFolder.status, 1);
    EXPECT_THAT(notFolder.err, HasSubstr("Cannot create the folder " + (dir / "bin").string()));
    EXPECT_EQ(readFile(dir / "bin"), "a file");
}

TEST(CliOptions, AreTakenAsPeopleTypeThem) {
    TempDir dir;
    fs::path project = copyOfSample(dir);
    std::string out = (dir / "out.bin").string();
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"build", project.string(), "--output", out},
                                               {"build", project.string(), "--output=" + out},
                                               {"build", project.string(), "-o", out},
                                               {"build", project.string(), "-o" + out},
                                               {"build", "-o", out, project.string()},
                                               {"build", "-o", out, "--", project.string()}}) {
        fs::remove(out);
        CliRun run = cli(arguments);
        EXPECT_EQ(run.status, 0) << arguments[2] << run.err;
        EXPECT_EQ(readFile(out).size(), 164u) << arguments[2];
    }
}

TEST(CliUsage, WrongCommandLinesExitWithTwoAndTheUsage) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{},
                                               {"compile", "x"},
                                               {"--frobnicate"},
                                               {"--version", "extra"},
                                               {"--help", "build", "check"},
                                               {"help", "build", "extra"},
                                               {"help", "compile"},
                                               {"build"},
                                               {"build", "a", "b"},
                                               {"build", "a", "--output"},
                                               {"build", "a", "-o", "--force"},
                                               {"build", "a", "-o", "x", "--output", "y"},
                                               {"build", "a", "--force"},
                                               {"check", "a", "-o", "x"},
                                               {"dump"},
                                               {"dump", "a", "--output", "b"},
                                               {"dump", "a", "--format", "xml"},
                                               {"dump", "a", "--format=json=x"},
                                               {"diff", "a"},
                                               {"diff", "a", "b", "c"}}) {
        CliRun run = cli(arguments);
        std::string line = arguments.empty() ? "" : arguments[0] + " ...";
        EXPECT_EQ(run.status, 2) << line;
        EXPECT_THAT(run.err, AllOf(StartsWith("telvanor-cli: "), HasSubstr("Usage: telvanor-cli"))) << line;
        EXPECT_EQ(run.out, "") << line;
    }
}

TEST(CliHelp, OneCommandAloneOrTheWholeManual) {
    CliRun help = cli({"help", "dump"});
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.out, StartsWith("Usage: telvanor-cli dump FILE [--format text|json]\n"));
    EXPECT_THAT(help.out, Not(HasSubstr("report PROJECT_DIR")));
    EXPECT_EQ(cli({"dump", "--help"}).out, help.out);
    EXPECT_EQ(cli({"--help", "dump"}).out, help.out);
    EXPECT_EQ(cli({"dump", "x", "-h"}).out, help.out);

    CliRun manual = cli({"--help"});
    EXPECT_EQ(manual.status, 0);
    EXPECT_EQ(cli({"help"}).out, manual.out);
    EXPECT_THAT(manual.out, HasSubstr("telvanor-cli report PROJECT_DIR [--format html|csv|md] [-o FILE]\n"
                                      "                        [--sep CHAR]\n"));
    EXPECT_THAT(manual.out, HasSubstr("    diff OLD NEW\n"));
    // The manual page is made from this text: no line may pass 80 columns.
    std::istringstream lines(manual.out);
    for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 80u) << line;
    EXPECT_EQ(cli({"--version"}).out, "telvanor-cli 1.0.0\n");

    // A required option stands without brackets; help has help of its own.
    EXPECT_THAT(cli({"help", "monitor"}).out,
                StartsWith("Usage: telvanor-cli monitor PROJECT_DIR --port DEVICE [--once]"));
    EXPECT_THAT(manual.out, HasSubstr("telvanor-cli monitor PROJECT_DIR --port DEVICE [--once]"));
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"help", "--help"}, {"help", "-h"}, {"--help", "--help"}}) {
        CliRun own = cli(arguments);
        EXPECT_EQ(own.status, 0) << arguments[1] << own.err;
        EXPECT_THAT(own.out, StartsWith("Usage: telvanor-cli help [COMMAND]\n")) << arguments[1];
    }
}

TEST(CliOutputs, TheProjectsOwnFilesAreRefusedAndKept) {
    TempDir dir;
    fs::path project = copyOfSample(dir);
    writeFile(project / "bin" / "bank.bin", "image");
    fs::create_hard_link(project / "pargen.xml", dir / "hard.xml");
    fs::create_symlink(project / "TInfoCob.xml", dir / "soft.xml");
    std::string pargen = readFile(project / "pargen.xml");
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"build", project.string(), "-o", (project / "RCobDef.xml").string()},
             {"build", project.string(), "-o", (project / "rcobdef.XML").string()},
             {"build", project.string(), "-o", (project / "sdo.xml").string()},
             {"build", project.string(), "-o", (dir / "hard.xml").string()},
             {"build", project.string(), "-o", (dir / "soft.xml").string()},
             {"report", project.string(), "-o", (project / "pargen.xml").string()},
             {"report", project.string(), "-o", (project / "bin" / "bank.bin").string()},
             {"report", (project / ".." / "Boat1").string(), "--output=" + (project / "TCobDef.xml").string()}}) {
        CliRun run = cli(arguments);
        EXPECT_EQ(run.status, 1) << arguments.back();
        EXPECT_THAT(run.err, HasSubstr("is the project's own")) << arguments.back();
    }
    EXPECT_EQ(readFile(project / "pargen.xml"), pargen);
    EXPECT_EQ(readFile(project / "bin" / "bank.bin"), "image");
    EXPECT_EQ(fs::file_size(project / "RCobDef.xml"), fs::file_size(testing::examplesDir() / "Boat1" / "RCobDef.xml"));
    EXPECT_FALSE(fs::exists(project / "sdo.xml"));
    EXPECT_TRUE(fs::is_symlink(dir / "soft.xml"));
}

TEST(CliOutputs, AFifoIsWrittenToAndALinkFollowedNeverReplaced) {
    TempDir dir;
    fs::path project = copyOfSample(dir);
    fs::path fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::future<std::string> reader = std::async(std::launch::async, [&] {
        std::ifstream in(fifo, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    });
    CliRun run = cli({"build", project.string(), "-o", fifo.string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(reader.get().size(), 164u);
    EXPECT_TRUE(fs::is_fifo(fifo));

    writeFile(dir / "target.bin", "old");
    fs::create_symlink(dir / "target.bin", dir / "link.bin");
    EXPECT_EQ(cli({"build", project.string(), "-o", (dir / "link.bin").string()}).status, 0);
    EXPECT_TRUE(fs::is_symlink(dir / "link.bin"));
    EXPECT_EQ(readFile(dir / "target.bin").size(), 164u);
}

TEST(CliDump, PrintsAnImageFromAFileOrStandardInputAndRefusesOtherBytes) {
    TempDir dir;
    fs::path project = copyOfSample(dir);
    ASSERT_EQ(cli({"build", project.string()}).status, 0);
    std::string image = readFile(project / "bin" / "bank.bin");
    CliRun dump = cli({"dump", (project / "bin" / "bank.bin").string()});
    EXPECT_EQ(dump.status, 0);
    EXPECT_THAT(dump.out, HasSubstr("Identifier table: 3"));
    EXPECT_EQ(cli({"dump", "-"}, image).out, dump.out);

    CliRun json = cli({"dump", "--format=json", "-"}, image);
    EXPECT_EQ(json.status, 0);
    nlohmann::json parsed = nlohmann::json::parse(json.out);
    for (const char* key : {"length", "offsets", "receive_frames", "transmit_frames", "receive_map", "transmit_map",
                            "parameters", "deleted", "identifiers"})
        EXPECT_TRUE(parsed.contains(key)) << key;

    writeFile(dir / "junk.bin", "not an image at all, but long enough");
    CliRun junk = cli({"dump", (dir / "junk.bin").string()});
    EXPECT_EQ(junk.status, 1);
    EXPECT_THAT(junk.err, HasSubstr("junk.bin is not a configuration image"));
    EXPECT_THAT(cli({"dump", "-"}, "junk").err, HasSubstr("standard input is not a configuration image"));
    EXPECT_EQ(cli({"dump", (dir / "none.bin").string()}).status, 1);
    // A FIFO would wait for a writer for ever: it is refused at once ("-" reads a pipe).
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
    CliRun fifo = cli({"dump", (dir / "pipe").string()});
    EXPECT_EQ(fifo.status, 1);
    EXPECT_THAT(fifo.err, HasSubstr("it is a FIFO (named pipe), not a regular file"));
}

TEST(CliDiff, ExitsZeroWhenTheSameOneWhenTheyDifferTwoOnTrouble) {
    TempDir dir;
    fs::path project = copyOfSample(dir);
    std::string first = (dir / "first.bin").string(), second = (dir / "second.bin").string();
    ASSERT_EQ(cli({"build", project.string(), "-o", first}).status, 0);
    writeFile(project / "TInfoCob.xml", "<TInfoCob><row Index=\"100\" NrPdo=\"1\" PosComp=\"34\"/></TInfoCob>");
    ASSERT_EQ(cli({"build", project.string(), "-o", second}).status, 0);

    CliRun same = cli({"diff", first, "-"}, readFile(first));
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");
    CliRun differ = cli({"diff", first, second});
    EXPECT_EQ(differ.status, 1);
    EXPECT_EQ(differ.out, "transmit map register 100: low byte from: byte 1 -> byte 2\n");
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"diff", first, (dir / "none.bin").string()},
                                               {"diff", (project / "pargen.xml").string(), second},
                                               {"diff", "-", "-"}}) {
        CliRun trouble = cli(arguments);
        EXPECT_EQ(trouble.status, 2) << arguments[2];
        EXPECT_THAT(trouble.err, StartsWith("telvanor-cli: ")) << arguments[2];
    }
}

}  // namespace
}  // namespace telvanor
