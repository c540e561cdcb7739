#include "editors/transmit_frames/transmit_frames.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::Optional;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

TransmitFrameRow frame() { return {"3", "1", "0xF802", "36", "COG and SOG rapid update"}; }

std::string failureOf(std::string TransmitFrameRow::*field, const char* text) {
    TransmitFrameRow row = frame();
    row.*field = text;
    std::optional<std::string> failure = ValidateTransmitFrames({row});
    return failure ? *failure : "";
}

TEST(ValidateTransmitFrames, PriorityDataPageAndSourceAddress) {
    const std::string priority = "Error in row 1!! The Priority of J1939 frame must be between 0 and 7";
    for (const char* text : {"0", "7", "0x7"}) EXPECT_EQ(failureOf(&TransmitFrameRow::Priority, text), "") << text;
    for (const char* text : {"8", "-1", " "}) EXPECT_EQ(failureOf(&TransmitFrameRow::Priority, text), priority) << text;
    EXPECT_EQ(failureOf(&TransmitFrameRow::DP, "2"), "Error in row 1!! The Data Page of J1939 frame must be or 0 or 1");
    const std::string address = "Error in row 1!! The ID Device must be between 0 and 239";
    for (const char* text : {"0", "239"}) EXPECT_EQ(failureOf(&TransmitFrameRow::ID_DEV, text), "") << text;
    for (const char* text : {"240", ""}) EXPECT_EQ(failureOf(&TransmitFrameRow::ID_DEV, text), address) << text;
    // The PGN is not checked at all.
    EXPECT_EQ(failureOf(&TransmitFrameRow::PGN, "abc"), "");
    EXPECT_EQ(failureOf(&TransmitFrameRow::PGN, ""), "");
    // Checks run in order within the row, rows in order.
    TransmitFrameRow twoFaults{"3", "2", "", "240", ""};
    EXPECT_THAT(ValidateTransmitFrames({frame(), twoFaults, {"9", "9", "", "", ""}}),
                Optional(std::string("Error in row 2!! The Data Page of J1939 frame must be or 0 or 1")));
}

TEST(TransmitFramesFile, AnEmptyPriorityEndsTheTableAndTextsAreWrittenAsTyped) {
    TempDir project;
    TransmitFrameRow free{"0x7", "0", "abc", "0", ""};
    std::vector<TransmitFrameRow> rows{frame(), free, {"", "9", "", "999", ""}, {"9", "9", "", "999", ""}};
    EXPECT_EQ(ValidateTransmitFrames(rows), std::nullopt);
    SaveTransmitFrames(project / "TCobDef.xml", rows);
    EXPECT_EQ(readFile(project / "TCobDef.xml"),
              "<COBID><row Priority=\"3\" DP=\"1\" PGN=\"0xF802\" ID_DEV=\"36\" Mnemonic=\"COG and SOG rapid update\"/>"
              "<row Priority=\"0x7\" DP=\"0\" PGN=\"abc\" ID_DEV=\"0\" Mnemonic=\"\"/></COBID>");
    EXPECT_EQ(LoadTransmitFrames(project / "TCobDef.xml").rows, (std::vector<TransmitFrameRow>{frame(), free}));
}

TEST(TransmitFramesFile, EveryAttributeIsRequired) {
    TempDir project;
    writeFile(project / "TCobDef.xml",
              "<COBID><row Priority=\"3\" DP=\"1\" PGN=\"1\" ID_DEV=\"2\" Mnemonic=\"a\"/>"
              "<row Priority=\"4\" DP=\"0\" ID_DEV=\"2\" Mnemonic=\"b\"/></COBID>");
    TransmitFramesLoad load = LoadTransmitFrames(project / "TCobDef.xml");
    EXPECT_EQ(load.outcome, FrameTableOutcome::Failed);
    EXPECT_EQ(load.failure,
              "Error in reading file " + (project / "TCobDef.xml").string() + ": row 2 has no attribute PGN");
    ASSERT_EQ(load.rows.size(), 2u);
    EXPECT_EQ(load.rows[1], (TransmitFrameRow{"4", "0", "", "", ""}));
}

TEST(CheckTransmitFrames, SaysWhatTheWindowWouldSayAtOk) {
    TempDir project;
    EXPECT_FALSE(CheckTransmitFrames(project.path()).present);
    SaveTransmitFrames(project / "tcobdef.xml", {frame(), {"8", "0", "", "0", ""}});
    EXPECT_EQ(CheckTransmitFrames(project.path()).refusal,
              (TableRefusal{"Error in row 2!! The Priority of J1939 frame must be between 0 and 7", 2, "Priority"}));
    SaveTransmitFrames(project / "tcobdef.xml", std::vector<TransmitFrameRow>(260, frame()));
    FrameTableCheck check = CheckTransmitFrames(project.path());
    EXPECT_EQ(check.refusal, std::nullopt);
    EXPECT_THAT(check.warnings, ElementsAre("260 rows: the window shows the first 250 and keeps the others unseen"));
}

}  // namespace
}  // namespace telvanor
