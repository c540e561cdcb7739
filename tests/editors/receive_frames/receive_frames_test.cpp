#include "editors/receive_frames/receive_frames.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Optional;
using testing::readFile;
using testing::spellingsIn;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

// A single frame that passes every check.
ReceiveFrameRow frame() { return {"1", "0xF801", "35", "N", "N", "", "", "N", "Position rapid update"}; }

ReceiveFrameRow with(std::string ReceiveFrameRow::*field, std::string text, ReceiveFrameRow row = frame()) {
    row.*field = std::move(text);
    return row;
}

ReceiveFrameRow longMessage(const char* multi, const char* fast, std::string start, std::string count) {
    ReceiveFrameRow row = frame();
    row.MultiFrame = multi;
    row.FastPacket = fast;
    row.StartByte = std::move(start);
    row.NByte = std::move(count);
    return row;
}

// The check text of row 1, or "" when it passes.
std::string failureOf(const ReceiveFrameRow& row) {
    std::optional<std::string> failure = ValidateReceiveFrames({row});
    return failure ? failure->substr(std::string("Error in row 1").size()) : "";
}

TEST(ValidateReceiveFrames, NamesTheRowAndTheFirstFailingCheck) {
    ReceiveFrameRow twoFaults = with(&ReceiveFrameRow::PGN, "65535", with(&ReceiveFrameRow::DataPage, "2"));
    EXPECT_THAT(ValidateReceiveFrames({frame(), frame(), twoFaults, with(&ReceiveFrameRow::PGN, "x")}),
                Optional(std::string("Error in row 3!! The Data Page must be 0 or 1")));
    EXPECT_EQ(ValidateReceiveFrames({}), std::nullopt);
}

TEST(ValidateReceiveFrames, DataPageAndPgnByTheIntegerRule) {
    for (const char* page : {"0", "1", " 1", "0x1"}) EXPECT_EQ(failureOf(with(&ReceiveFrameRow::DataPage, page)), "");
    for (const char* page : {"2", "-1", "1 "})
        EXPECT_EQ(failureOf(with(&ReceiveFrameRow::DataPage, page)), "!! The Data Page must be 0 or 1") << page;
    for (const char* pgn : {"0xF004", "$F004", "65534", "0"})
        EXPECT_EQ(failureOf(with(&ReceiveFrameRow::PGN, pgn)), "");
    for (const char* pgn : {"65535", "0x10000", "F004", "-1", ""})
        EXPECT_EQ(failureOf(with(&ReceiveFrameRow::PGN, pgn)), "!! The PGN must be between 0x0000 and 0xFFFF") << pgn;
}

TEST(ValidateReceiveFrames, SourceAddressIsRequiredOnlyWhenMultiPacketIsExactlyN) {
    const std::string refused = "!! The Source Address must be between 0 and 239";
    auto address = [](const char* multi, const char* id) {
        return failureOf(with(&ReceiveFrameRow::ID_DEV, id, with(&ReceiveFrameRow::MultiFrame, multi)));
    };
    EXPECT_EQ(address("N", "1"), "");
    EXPECT_EQ(address("N", "238"), "");
    EXPECT_EQ(address("N", "0"), refused);
    EXPECT_EQ(address("N", "239"), refused);
    EXPECT_EQ(address("N", ""), refused);
    // A box never clicked leaves the cell empty: a blank address passes then.
    EXPECT_EQ(address("", ""), "");
    EXPECT_EQ(address("", " \t"), "");
    EXPECT_EQ(address("n", ""), "");
    EXPECT_EQ(address("", "0"), refused);
    EXPECT_EQ(failureOf(with(&ReceiveFrameRow::ID_DEV, "", longMessage("Y", "N", "1", "16"))), "");
}

TEST(ValidateReceiveFrames, ByteRangesOfLongMessages) {
    EXPECT_EQ(failureOf(longMessage("Y", "N", "1", "1784")), "");
    EXPECT_EQ(failureOf(longMessage("Y", "N", "2", "1784")),
              "!! The Number Bytes plus Start Byte must be minor of 1785");
    EXPECT_EQ(failureOf(longMessage("Y", "N", "1785", "1")), "!! The Start Byte must be between 1 and 1785");
    EXPECT_EQ(failureOf(longMessage("Y", "N", "", "1")), "!! The Start Byte must be between 1 and 1785");
    EXPECT_EQ(failureOf(longMessage("Y", "N", "1", "0")), "!! The Number Bytes must be between 1 and 1785");
    EXPECT_EQ(failureOf(longMessage("N", "Y", "1", "222")), "");
    EXPECT_EQ(failureOf(longMessage("N", "Y", "1", "223")), "!! The Number Bytes must be between 1 and 223");
    EXPECT_EQ(failureOf(longMessage("N", "Y", "223", "1")), "!! The Start Byte must be between 1 and 223");
    EXPECT_EQ(failureOf(longMessage("N", "Y", "2", "222")), "!! The Number Bytes plus Start Byte must be minor of 223");
    // Both ticked: the multi-packet limits apply. Neither ticked exactly: no range at all.
    EXPECT_EQ(failureOf(longMessage("Y", "Y", "1", "223")), "");
    EXPECT_EQ(failureOf(longMessage("N", "N", "", "junk")), "");
    EXPECT_EQ(failureOf(longMessage("y", "y", "", "")), "");
}

TEST(ValidateReceiveFrames, TheTableEndsAtTheFirstEmptyDataPage) {
    std::vector<ReceiveFrameRow> rows{frame(), frame(), with(&ReceiveFrameRow::DataPage, ""),
                                      with(&ReceiveFrameRow::PGN, "bad")};
    EXPECT_EQ(ReceiveFramesLength(rows), 2u);
    EXPECT_EQ(ValidateReceiveFrames(rows), std::nullopt);
    TempDir project;
    SaveReceiveFrames(project / "RCobDef.xml", rows);
    EXPECT_EQ(LoadReceiveFrames(project / "RCobDef.xml").rows.size(), 2u);
    SaveReceiveFrames(project / "RCobDef.xml", {});
    EXPECT_EQ(readFile(project / "RCobDef.xml"), "<COBID/>");
}

class ReceiveFramesFile : public ::testing::Test {
protected:
    fs::path file() const { return project / "RCobDef.xml"; }
    TempDir project;
};

TEST_F(ReceiveFramesFile, SavesOneLineInAttributeOrderAndLoadsItBack) {
    EXPECT_EQ(LoadReceiveFrames(file()).outcome, FrameTableOutcome::NoFile);
    ReceiveFrameRow untouched{"0", "0xEE00", "", "", "", "", "", "", "<&\">"};
    SaveReceiveFrames(file(), {frame(), untouched});
    EXPECT_EQ(
        readFile(file()),
        "<COBID><row DataPage=\"1\" PGN=\"0xF801\" ID_DEV=\"35\" MultiFrame=\"N\" FastPacket=\"N\" StartByte=\"\" "
        "NByte=\"\" Delete=\"N\" Mnemonic=\"Position rapid update\"/><row DataPage=\"0\" PGN=\"0xEE00\" "
        "ID_DEV=\"\" MultiFrame=\"\" FastPacket=\"\" StartByte=\"\" NByte=\"\" Delete=\"\" "
        "Mnemonic=\"&lt;&amp;&quot;>\"/></COBID>");
    ReceiveFramesLoad load = LoadReceiveFrames(file());
    EXPECT_EQ(load.outcome, FrameTableOutcome::Loaded);
    EXPECT_EQ(load.rows, (std::vector<ReceiveFrameRow>{frame(), untouched}));
}

TEST_F(ReceiveFramesFile, TheSampleProjectRoundTripsByteForByte) {
    fs::path sample = testing::examplesDir() / "Boat1" / "RCobDef.xml";
    ReceiveFramesLoad load = LoadReceiveFrames(sample);
    ASSERT_EQ(load.rows.size(), 3u);
    EXPECT_EQ(load.rows[1].Delete, "Y");
    SaveReceiveFrames(file(), load.rows);
    EXPECT_EQ(readFile(file()), readFile(sample));
}

TEST_F(ReceiveFramesFile, ReadsHandMadeFilesInAnyLetterCaseAndWritesOverThem) {
    writeFile(project / "rcobdef.XML",
              "<?xml version=\"1.0\"?>\r\n<!-- by hand -->\r\n<COBID>\r\n  <!-- not a row -->\r\n"
              "  <frame DataPage=\"1\" PGN=\"3\" ID_DEV=\"4\" MultiFrame=\"N\" StartByte=\"\" NByte=\"\" Delete=\"Y\" "
              "Mnemonic=\"no FastPacket\"/>\r\n</COBID>\r\n");
    ReceiveFramesLoad load = LoadReceiveFrames(file());
    ASSERT_EQ(load.outcome, FrameTableOutcome::Loaded) << load.failure;
    EXPECT_EQ(load.rows, (std::vector<ReceiveFrameRow>{{"1", "3", "4", "N", "", "", "", "Y", "no FastPacket"}}));
    SaveReceiveFrames(file(), load.rows);
    EXPECT_THAT(spellingsIn(project.path(), "RCobDef.xml"), ElementsAre("rcobdef.XML"));
    EXPECT_THAT(readFile(project / "rcobdef.XML"), HasSubstr("MultiFrame=\"N\" FastPacket=\"\" StartByte"));
}

TEST_F(ReceiveFramesFile, AMissingAttributeEndsTheLoadWithTheCellsReadBeforeIt) {
    writeFile(file(),
              "<COBID><row DataPage=\"1\" PGN=\"1\" ID_DEV=\"2\" MultiFrame=\"N\" FastPacket=\"N\" StartByte=\"\" "
              "NByte=\"\" Delete=\"N\" Mnemonic=\"first\"/><row DataPage=\"0\" PGN=\"3\" ID_DEV=\"4\" "
              "MultiFrame=\"Y\" FastPacket=\"N\" StartByte=\"1\" NByte=\"8\" Delete=\"Y\"/><row/></COBID>");
    ReceiveFramesLoad load = LoadReceiveFrames(file());
    EXPECT_EQ(load.outcome, FrameTableOutcome::Failed);
    EXPECT_EQ(load.failure, "Error in reading file " + file().string() + ": row 2 has no attribute Mnemonic");
    ASSERT_EQ(load.rows.size(), 2u);
    EXPECT_EQ(load.rows[1], (ReceiveFrameRow{"0", "3", "4", "Y", "N", "1", "8", "Y", ""}));
    // OK would keep the two rows shown and remove the third.
    EXPECT_EQ(lossQuestion(load.loss),
              "RCobDef.xml: 1 of its 3 rows could not be read. Saving now keeps 2 and removes 1 (the old file is "
              "kept in backup/).\n\nrow 2: attribute Mnemonic is missing; the window holds the cells read before "
              "it\nrow 3: not read after row 2");
}

TEST_F(ReceiveFramesFile, DamagedFilesGiveTheParsersMessageOrTheMissingRoot) {
    writeFile(file(), "<COBID>\n<row DataPage=\"1\"/>\n<row DataPage=\"0\">\n</COBID>\n");
    ReceiveFramesLoad load = LoadReceiveFrames(file());
    EXPECT_EQ(load.outcome, FrameTableOutcome::Failed);
    EXPECT_THAT(load.failure, HasSubstr("Error in reading file " + file().string() + ": "));
    EXPECT_THAT(load.failure, HasSubstr("line 4"));
    EXPECT_TRUE(load.rows.empty());
    ASSERT_TRUE(load.loss.unreadable);
    EXPECT_THAT(lossQuestion(load.loss), HasSubstr("Saving now replaces it with what the window holds (the old file "
                                                   "is kept in backup/)."));
    writeFile(file(), "<TCobDef><row DataPage=\"1\"/></TCobDef>");
    EXPECT_EQ(LoadReceiveFrames(file()).failure,
              "Error in reading file " + file().string() + ": there is no top-level COBID element");
}

TEST(CheckReceiveFrames, SaysWhatTheWindowWouldSayAtOk) {
    TempDir project;
    EXPECT_FALSE(CheckReceiveFrames(project.path()).present);
    SaveReceiveFrames(project / "RCobDef.xml", {frame(), frame(), with(&ReceiveFrameRow::DataPage, "2")});
    FrameTableCheck check = CheckReceiveFrames(project.path());
    EXPECT_TRUE(check.present);
    EXPECT_EQ(check.refusal, (TableRefusal{"Error in row 3!! The Data Page must be 0 or 1", 3, "DataPage"}));
    EXPECT_FALSE(check.loadFailed);
    EXPECT_TRUE(check.warnings.empty());
    writeFile(project / "RCobDef.xml", "<COBID><row DataPage=\"1\"/></COBID>");
    check = CheckReceiveFrames(project.path());
    ASSERT_TRUE(check.refusal);
    EXPECT_TRUE(check.loadFailed);
    EXPECT_THAT(check.refusal->message, HasSubstr("row 1 has no attribute PGN"));
    EXPECT_EQ(check.refusal->row, 1u);
    EXPECT_EQ(check.refusal->attribute, "PGN");
}

TEST(CheckReceiveFrames, WarnsOfWhatOkWouldDropAndOfFlagsReadApart) {
    TempDir project;
    // The end row is saved as typed: the writer's own table end is not what is tested here.
    writeFile(
        project / "RCobDef.xml",
        "<COBID><row DataPage=\"1\" PGN=\"1\" ID_DEV=\"2\" MultiFrame=\"y\" FastPacket=\"N\" StartByte=\"\" "
        "NByte=\"\" Delete=\"y\" Mnemonic=\"\"/><row DataPage=\"\" PGN=\"\" ID_DEV=\"\" MultiFrame=\"\" "
        "FastPacket=\"\" StartByte=\"\" NByte=\"\" Delete=\"\" Mnemonic=\"\"/><row DataPage=\"7\" PGN=\"\" "
        "ID_DEV=\"\" MultiFrame=\"\" FastPacket=\"\" StartByte=\"\" NByte=\"\" Delete=\"\" Mnemonic=\"\"/></COBID>");
    FrameTableCheck check = CheckReceiveFrames(project.path());
    EXPECT_EQ(check.refusal, std::nullopt);  // row 3 lies beyond the end of the table
    EXPECT_THAT(
        check.warnings,
        ElementsAre("row 2 has an empty Data Page: the table ends there, so OK would drop rows 2 to 3 of the file",
                    "row 1: MultiFrame is \"y\": the window checks the row as unticked, the image builder "
                    "takes it as ticked"));
}

}  // namespace
}  // namespace telvanor
