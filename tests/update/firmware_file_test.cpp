#include "update/firmware_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using testing::readFile;
using testing::TempDir;
using ::testing::UnorderedElementsAre;
using testing::writeFile;
namespace fs = std::filesystem;

const FirmwareBank& bank1 = kFirmwareBanks[0];
const FirmwareBank& bank2 = kFirmwareBanks[1];

// A record of the master file: 32 copies of one byte.
std::string masterRecord(std::uint32_t address, std::uint8_t fill) {
    std::array<std::uint8_t, 32> data;
    data.fill(fill);
    return S2Record(address, data);
}

// The 16384 bytes of a bank file, different for each seed.
std::string bankBytes(int seed) {
    std::string bytes(kBankBytes, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 7 + static_cast<std::size_t>(seed)) & 0xFF);
    return bytes;
}

// The 512 records a bank file should become, built from 32-byte slices.
std::vector<std::string> expectedRecords(const std::string& bytes, std::uint32_t firstAddress) {
    std::vector<std::string> records;
    for (std::size_t offset = 0; offset < kBankBytes; offset += 32) {
        std::array<std::uint8_t, 32> data;
        for (std::size_t i = 0; i < 32; ++i) data[i] = static_cast<std::uint8_t>(bytes[offset + i]);
        records.push_back(S2Record(firstAddress + static_cast<std::uint32_t>(offset), data));
    }
    return records;
}

std::string joinLines(const std::vector<std::string>& lines, const std::string& lineEnd = "\r\n") {
    std::string text;
    for (const std::string& line : lines) text += line + lineEnd;
    return text;
}

void append(std::vector<std::string>& lines, const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
}

const std::string kHeader = "S00F000068656C6C6F202020202000003C";
const std::string kS1Record = "S1130000285F245F2212226A000424290008237C2A";
const std::string kCount = "S5030004F8";
const std::string kEnd = "S9030000FC";

class FirmwareFile : public ::testing::Test {
protected:
    FirmwareFile() {
        workspace.MasterDir = root / "MASTER";
        workspace.ProjectDir = root / "PROJECTS" / "Boat1";
        workspace.ExeDir = root.path();
        fs::create_directories(workspace.MasterDir);
        fs::create_directories(workspace.ProjectDir / "bin");
        writeFile(bin() / "bank1.bin", bank1Bytes);
        writeFile(bin() / "bank2.bin", bank2Bytes);
    }

    fs::path bin() const { return workspace.ProjectDir / "bin"; }
    fs::path master() const { return workspace.MasterDir / "SX40905.sx"; }
    fs::path output() const { return workspace.ProjectDir / "New_SX40905.sx"; }

    void writeMaster(const std::vector<std::string>& lines, const std::string& lineEnd = "\r\n") {
        writeFile(master(), joinLines(lines, lineEnd));
    }

    FirmwareOutcome merge() {
        std::string masterBefore = fs::exists(master()) ? readFile(master()) : "";
        FirmwareOutcome outcome = MergeFirmwareBanks(FirmwareFilesFor(workspace), progress);
        if (!masterBefore.empty()) {
            EXPECT_EQ(readFile(master()), masterBefore) << "the master file was changed";
        }
        return outcome;
    }

    std::vector<std::string> filesIn(const fs::path& folder) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
        return names;
    }

    // A run leaves nothing behind but the bank files and the output file.
    void expectNoIntermediateFiles() {
        std::vector<std::string> project = filesIn(workspace.ProjectDir);
        std::erase(project, "bin");
        std::erase(project, "New_SX40905.sx");
        EXPECT_THAT(project, ElementsAre());
        if (!fs::exists(bin())) return;
        std::vector<std::string> banks = filesIn(bin());
        std::erase(banks, "bank1.bin");
        std::erase(banks, "bank2.bin");
        EXPECT_THAT(banks, ElementsAre());
    }

    TempDir root;
    WorkspaceState workspace;
    NoFirmwareProgress progress;
    std::string bank1Bytes = bankBytes(1);
    std::string bank2Bytes = bankBytes(2);
};

TEST_F(FirmwareFile, BothBanksTakeThePlaceOfTheirRangesAndTheRestStaysInOrder) {
    // The range's first and last addresses belong to it; the addresses around it do not.
    writeMaster({kHeader, kS1Record, masterRecord(0x387FE0, 0x11), masterRecord(0x388000, 0xAA),
                 masterRecord(0x388020, 0xAA), masterRecord(0x38BFFF, 0xAA), masterRecord(0x38C000, 0x22),
                 masterRecord(0x398000, 0xBB), masterRecord(0x39BFE0, 0xBB), masterRecord(0x3A8000, 0x33), kCount,
                 kEnd});

    FirmwareOutcome outcome = merge();

    EXPECT_TRUE(outcome.completed);
    EXPECT_EQ(outcome.message, std::nullopt);
    std::vector<std::string> expected = {kHeader, kS1Record, masterRecord(0x387FE0, 0x11)};
    append(expected, expectedRecords(bank1Bytes, 0x388000));
    expected.push_back(masterRecord(0x38C000, 0x22));
    append(expected, expectedRecords(bank2Bytes, 0x398000));
    // Bank 3 is not enabled: its range is left as the master file has it.
    append(expected, {masterRecord(0x3A8000, 0x33), kCount, kEnd});
    EXPECT_EQ(readFile(output()), joinLines(expected));
    expectNoIntermediateFiles();
}

TEST_F(FirmwareFile, MasterWithoutRecordsInBank2RangeGetsOnlyBank1) {
    writeMaster({kHeader, masterRecord(0x388000, 0xAA), masterRecord(0x3A0000, 0x44), kEnd}, "\n");

    FirmwareOutcome outcome = merge();

    EXPECT_TRUE(outcome.completed);
    EXPECT_EQ(outcome.message, std::nullopt);
    std::vector<std::string> expected = {kHeader};
    append(expected, expectedRecords(bank1Bytes, 0x388000));
    append(expected, {masterRecord(0x3A0000, 0x44), kEnd});
    // The master's line ends are kept.
    EXPECT_EQ(readFile(output()), joinLines(expected, "\n"));
    expectNoIntermediateFiles();
}

TEST_F(FirmwareFile, MasterWithoutEndRecordStopsTheChainAndKeepsTheEarlierOutput) {
    writeMaster({kHeader, masterRecord(0x388000, 0xAA), masterRecord(0x398000, 0xBB)});
    writeFile(output(), "earlier run");

    FirmwareOutcome outcome = merge();

    EXPECT_FALSE(outcome.completed);
    EXPECT_EQ(outcome.message, "File *.Sx without S9 record,Abort Procedure");
    EXPECT_EQ(readFile(output()), "earlier run");
    expectNoIntermediateFiles();
}

TEST_F(FirmwareFile, MissingFilesStopTheChainWithTheirMessage) {
    struct Case {
        const char* what;
        std::function<void(FirmwareFiles&)> spoil;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"bank1.bin missing", [&](FirmwareFiles&) { fs::remove(bin() / "bank1.bin"); },
         "File bank1.bin Not Found,Abort Procedure"},
        {"bank2.bin missing", [&](FirmwareFiles&) { fs::remove(bin() / "bank2.bin"); },
         "File bank2.bin Not Found,Abort Procedure"},
        {"bank1.bin a FIFO, which no one writes",
         [&](FirmwareFiles&) {
             fs::remove(bin() / "bank1.bin");
             ASSERT_EQ(::mkfifo((bin() / "bank1.bin").c_str(), 0644), 0);
         },
         "File New Sx Not Create,Abort Procedure"},
        {"master file gone after the show", [&](FirmwareFiles&) { fs::remove(master()); },
         "File *.Sx Not Found,Abort Procedure"},
        {"no bin folder", [&](FirmwareFiles& files) { files.binDir.clear(); },
         "Directory Bin Not Found,Abort Procedure"},
        {"bin folder removed after the show", [&](FirmwareFiles&) { fs::remove_all(bin()); },
         "Directory Bin Not Found,Abort Procedure"},
        {"no output file name", [&](FirmwareFiles& files) { files.outputName.clear(); },
         "File New *.Sx Not Found,Abort Procedure"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        fs::create_directories(bin());
        fs::remove(bin() / "bank1.bin");  // the FIFO of a case before
        writeFile(bin() / "bank1.bin", bank1Bytes);
        writeFile(bin() / "bank2.bin", bank2Bytes);
        writeMaster({kHeader, masterRecord(0x388000, 0xAA), masterRecord(0x398000, 0xBB), kEnd});
        fs::remove(output());

        FirmwareFiles files = FirmwareFilesFor(workspace);
        test.spoil(files);
        FirmwareOutcome outcome = MergeFirmwareBanks(files, progress);

        EXPECT_FALSE(outcome.completed);
        EXPECT_EQ(outcome.message, test.message);
        EXPECT_FALSE(fs::exists(output()));
        expectNoIntermediateFiles();
    }
}

TEST_F(FirmwareFile, MalformedRecordInTheMasterIsNotCopied) {
    writeMaster({kHeader, "S224XYZ000", kEnd});
    FirmwareOutcome outcome = merge();
    EXPECT_FALSE(outcome.completed);
    EXPECT_EQ(outcome.message, "File New Sx Not Create,Abort Procedure");
    EXPECT_FALSE(fs::exists(output()));
    expectNoIntermediateFiles();
}

TEST_F(FirmwareFile, WithNoBankEnabledTheOutputIsTheMasterAndTheMasterStays) {
    writeMaster({kHeader, masterRecord(0x388000, 0xAA), kEnd});
    FirmwareFiles files = FirmwareFilesFor(workspace);
    files.banksEnabled.fill(false);
    EXPECT_TRUE(MergeFirmwareBanks(files, progress).completed);
    EXPECT_EQ(readFile(output()), readFile(master()));
    expectNoIntermediateFiles();
}

TEST_F(FirmwareFile, MasterFileIsFoundInAnyLetterCase) {
    writeFile(workspace.MasterDir / "sx40905.SX", joinLines({kHeader, kEnd}));
    EXPECT_TRUE(merge().completed);
    EXPECT_EQ(readFile(output()), joinLines({kHeader, kEnd}));
}

TEST(FirmwareBankRecords, ShortFileIsPaddedWithErasedFlashAndLongFileIsCut) {
    std::string shortFile(100, '\x5A');
    std::vector<std::string> records = BankRecords(shortFile, kFirmwareBanks[1]);
    ASSERT_EQ(records.size(), 512u);
    EXPECT_EQ(records[0], masterRecord(0x398000, 0x5A));
    // Bytes 96 to 99 are the file's, the rest of the record is erased.
    EXPECT_EQ(records[3].substr(10, 64), "5A5A5A5A" + std::string(56, 'F'));
    EXPECT_EQ(records[511], masterRecord(0x39BFE0, 0xFF));
    EXPECT_EQ(BankRecords("", kFirmwareBanks[0])[0], masterRecord(0x388000, 0xFF));

    std::string longFile = bankBytes(3) + std::string(5000, '\x01');
    EXPECT_EQ(BankRecords(longFile, kFirmwareBanks[0]), expectedRecords(longFile, 0x388000));
}

TEST_F(FirmwareFile, ProgressRunsOverTheLinesReadAndTheRecordsTaken) {
    struct Recording : FirmwareProgress {
        void reset() override { events.push_back("reset"); }
        void setMaximum(int maximum) override { events.push_back("maximum " + std::to_string(maximum)); }
        void advance() override { ++advances; }
        std::vector<std::string> events;
        int advances = 0;
    } recording;
    writeMaster({kHeader, masterRecord(0x388000, 0xAA), masterRecord(0x388020, 0xAA), kEnd});
    FirmwareFiles files = FirmwareFilesFor(workspace);
    FirmwareOutcome outcome = RunBankStep(bank1, master(), workspace.ProjectDir / "step.sx", files, recording);
    EXPECT_TRUE(outcome.completed);
    EXPECT_THAT(recording.events, ElementsAre("reset", "maximum 516"));
    EXPECT_EQ(recording.advances, 516);
    fs::remove(workspace.ProjectDir / "step.sx");
    expectNoIntermediateFiles();
}

TEST_F(FirmwareFile, IntermediateFileNamesCarryTheDegreeSign) {
    // U+00B0 in UTF-8 on both sides of B and the digit.
    EXPECT_EQ(intermediateFileName(bank1).string(),
              "\xC2\xB0"
              "B1\xC2\xB0.sx");
    EXPECT_EQ(intermediateFileName(kFirmwareBanks[4]).string(),
              "\xC2\xB0"
              "B5\xC2\xB0.sx");
    EXPECT_EQ(bankFileName(bank2), "bank2.bin");
}

TEST_F(FirmwareFile, EmptyProjectFolderNeverMeansTheCurrentFolder) {
    TempDir current;
    fs::path before = fs::current_path();
    fs::current_path(current.path());
    fs::create_directories(current / "bin");
    writeFile(current / "bin" / "bank1.bin", bank1Bytes);
    writeFile(current / "New_SX40905.sx", "not ours");
    writeMaster({kHeader, kEnd});
    workspace.ProjectDir.clear();

    FirmwareFiles files = FirmwareFilesFor(workspace);
    EXPECT_TRUE(files.binDir.empty());
    FirmwareOutcome outcome = MergeFirmwareBanks(files, progress);
    FlashStart flash = PrepareFlashStep(files, workspace.ExeDir, 0);
    fs::current_path(before);

    EXPECT_EQ(outcome.message, "File New *.Sx Not Found,Abort Procedure");
    EXPECT_EQ(flash.message, "File *.Sx Not Found,Abort Procedure");
    EXPECT_THAT(filesIn(current.path()), UnorderedElementsAre("bin", "New_SX40905.sx"));
    EXPECT_EQ(readFile(current / "New_SX40905.sx"), "not ours");
}

TEST_F(FirmwareFile, FlashStepChecksTheOutputFileThenFlashWrite) {
    FirmwareFiles files = FirmwareFilesFor(workspace);
    EXPECT_EQ(PrepareFlashStep(files, workspace.ExeDir, 0).message, "File *.Sx Not Found,Abort Procedure");

    writeFile(output(), "S9030000FC\r\n");
    EXPECT_EQ(PrepareFlashStep(files, workspace.ExeDir, 0).message, "FlashWrite.exe Not Found, Procedure Aborted");

    writeFile(workspace.ExeDir / "FlashWrite.exe", "");
    FlashStart start = PrepareFlashStep(files, workspace.ExeDir, 7);
    EXPECT_EQ(start.message, std::nullopt);
    EXPECT_EQ(start.program, workspace.ExeDir / "FlashWrite.exe");
    EXPECT_EQ(start.commandLine, "\"" + output().string() +
                                     "\"\xC2\xB6"
                                     "7");
    EXPECT_EQ(start.workingFolder, workspace.MasterDir);
}

}  // namespace
}  // namespace telvanor
