#include "editors/transmit_frames/transmit_frames.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::HasSubstr;
using ::testing::Optional;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

TransmitFrameRow frame() { return {"3", "1", "0xF802", "36", "COG and SOG rapid update"}; }

std::optional<std::string> validateOne(const TransmitFrameRow& row) { return ValidateTransmitFrames({row}); }

TEST(ValidateTransmitFrames, PriorityIsZeroToSeven) {
    for (const char* priority : {"0", "7", "0x7", "$7"}) {
        TransmitFrameRow row = frame();
        row.Priority = priority;
        EXPECT_EQ(validateOne(row), std::nullopt) << priority;
    }
    for (const char* priority : {"8", "-1", "seven", " "}) {
        TransmitFrameRow row = frame();
        row.Priority = priority;
        EXPECT_THAT(validateOne(row),
                    Optional(std::string("Error in row 1!! The Priority of J1939 frame must be between 0 and 7")))
            << priority;
    }
}

TEST(ValidateTransmitFrames, DataPageAndSourceAddress) {
    TransmitFrameRow row = frame();
    row.DP = "2";
    row.ID_DEV = "240";  // also wrong, but the data page comes first
    EXPECT_THAT(ValidateTransmitFrames({frame(), row}),
                Optional(std::string("Error in row 2!! The Data Page of J1939 frame must be or 0 or 1")));
    row.DP = "";
    EXPECT_THAT(validateOne(row), Optional(std::string("Error in row 1!! The Data Page of J1939 frame must be or 0 or 1")));

    const std::string address = "Error in row 1!! The ID Device must be between 0 and 239";
    for (const char* id : {"0", "239", "0xEF"}) {
        TransmitFrameRow ok = frame();
        ok.ID_DEV = id;
        EXPECT_EQ(validateOne(ok), std::nullopt) << id;
    }
    for (const char* id : {"240", "-1", ""}) {
        TransmitFrameRow bad = frame();
        bad.ID_DEV = id;
        EXPECT_THAT(validateOne(bad), Optional(address)) << id;
    }
}

TEST(ValidateTransmitFrames, PgnAndMnemonicAreNotChecked) {
    TransmitFrameRow row = frame();
    row.PGN = "abc";
    row.Mnemonic = "";
    EXPECT_EQ(validateOne(row), std::nullopt);
    row.PGN = "";
    EXPECT_EQ(validateOne(row), std::nullopt);
}

TEST(ValidateTransmitFrames, AnEmptyPriorityEndsTheTable) {
    TransmitFrameRow end{"", "9", "", "999", ""};
    std::vector<TransmitFrameRow> rows{frame(), end, {"9", "9", "", "999", ""}};
    EXPECT_EQ(TransmitFramesLength(rows), 1u);
    EXPECT_EQ(ValidateTransmitFrames(rows), std::nullopt);
}

class TransmitFramesFile : public ::testing::Test {
protected:
    fs::path file() const { return project / "TCobDef.xml"; }
    TempDir project;
};

TEST_F(TransmitFramesFile, SavesInAttributeOrderAsTypedAndStopsAtTheEnd) {
    TransmitFrameRow free{"0x7", "0", "abc", "0", ""};
    SaveTransmitFrames(file(), {frame(), free, {"", "1", "2", "3", "after the end"}, frame()});
    EXPECT_EQ(readFile(file()),
              "<COBID><row Priority=\"3\" DP=\"1\" PGN=\"0xF802\" ID_DEV=\"36\" Mnemonic=\"COG and SOG rapid update\"/>"
              "<row Priority=\"0x7\" DP=\"0\" PGN=\"abc\" ID_DEV=\"0\" Mnemonic=\"\"/></COBID>");
    TransmitFramesLoad load = LoadTransmitFrames(file());
    EXPECT_EQ(load.outcome, FrameTableOutcome::Loaded);
    EXPECT_EQ(load.rows, (std::vector<TransmitFrameRow>{frame(), free}));
}

TEST_F(TransmitFramesFile, TheSampleProjectRoundTripsByteForByte) {
    fs::path sample = testing::examplesDir() / "Boat1" / "TCobDef.xml";
    TransmitFramesLoad load = LoadTransmitFrames(sample);
    ASSERT_EQ(load.outcome, FrameTableOutcome::Loaded) << load.failure;
    EXPECT_EQ(load.rows, std::vector<TransmitFrameRow>{frame()});
    SaveTransmitFrames(file(), load.rows);
    EXPECT_EQ(readFile(file()), readFile(sample));
}

TEST_F(TransmitFramesFile, EveryAttributeIsRequired) {
    writeFile(file(), "<COBID><row Priority=\"3\" DP=\"1\" PGN=\"1\" ID_DEV=\"2\" Mnemonic=\"a\"/>"
                      "<row Priority=\"4\" DP=\"0\" ID_DEV=\"2\" Mnemonic=\"b\"/></COBID>");
    TransmitFramesLoad load = LoadTransmitFrames(file());
    EXPECT_EQ(load.outcome, FrameTableOutcome::Failed);
    EXPECT_EQ(load.failure, "Error in reading file " + file().string() + ": row 2 has no attribute PGN");
    ASSERT_EQ(load.rows.size(), 2u);
    EXPECT_EQ(load.rows[1], (TransmitFrameRow{"4", "0", "", "", ""}));
}

TEST_F(TransmitFramesFile, DamagedFilesAreRefusedWithTheirReason) {
    writeFile(file(), "<COBID><row Priority=\"3\"></COBID>");
    TransmitFramesLoad load = LoadTransmitFrames(file());
    EXPECT_EQ(load.outcome, FrameTableOutcome::Failed);
    EXPECT_THAT(load.failure, HasSubstr("line 1"));
    writeFile(file(), "");
    EXPECT_EQ(LoadTransmitFrames(file()).outcome, FrameTableOutcome::Failed);
    writeFile(file(), "<RCobDef/>");
    EXPECT_THAT(LoadTransmitFrames(file()).failure, HasSubstr("there is no top-level COBID element"));
}

TEST(CheckTransmitFrames, SaysWhatTheWindowWouldSayAtOk) {
    TempDir project;
    EXPECT_FALSE(CheckTransmitFrames(project.path()).present);
    SaveTransmitFrames(project / "tcobdef.xml", {frame(), {"8", "0", "", "0", ""}});
    FrameTableCheck check = CheckTransmitFrames(project.path());
    EXPECT_TRUE(check.present);
    EXPECT_THAT(check.refusal,
                Optional(std::string("Error in row 2!! The Priority of J1939 frame must be between 0 and 7")));

    std::vector<TransmitFrameRow> many(260, frame());
    SaveTransmitFrames(project / "tcobdef.xml", many);
    check = CheckTransmitFrames(project.path());
    EXPECT_EQ(check.refusal, std::nullopt);
    EXPECT_THAT(check.warnings,
                ::testing::ElementsAre("260 rows: the window shows the first 250 and keeps the others unseen"));
}

}  // namespace
}  // namespace telvanor
