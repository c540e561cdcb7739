#include "editors/receive_frames/receive_frames.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project/atomic_file.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::HasSubstr;
using ::testing::Optional;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

// A single frame that passes every check.
ReceiveFrameRow singleFrame() { return {"1", "0xF801", "35", "N", "N", "", "", "N", "Position rapid update"}; }

ReceiveFrameRow multiPacket(std::string startByte, std::string byteCount) {
    ReceiveFrameRow row = singleFrame();
    row.MultiFrame = "Y";
    row.StartByte = std::move(startByte);
    row.NByte = std::move(byteCount);
    return row;
}

ReceiveFrameRow fastPacket(std::string startByte, std::string byteCount) {
    ReceiveFrameRow row = multiPacket(std::move(startByte), std::move(byteCount));
    row.MultiFrame = "N";
    row.FastPacket = "Y";
    return row;
}

std::optional<std::string> validateOne(const ReceiveFrameRow& row) { return ValidateReceiveFrames({row}); }

TEST(ValidateReceiveFrames, NamesTheRowOfTheFirstFailingCheck) {
    ReceiveFrameRow badPage = singleFrame();
    badPage.DataPage = "2";
    badPage.PGN = "65535";  // also wrong, but the data page is checked first
    ReceiveFrameRow badPgn = singleFrame();
    badPgn.PGN = "F004";
    EXPECT_THAT(ValidateReceiveFrames({singleFrame(), singleFrame(), badPage, badPgn}),
                Optional(std::string("Error in row 3!! The Data Page must be 0 or 1")));
    EXPECT_EQ(ValidateReceiveFrames({singleFrame(), singleFrame()}), std::nullopt);
    EXPECT_EQ(ValidateReceiveFrames({}), std::nullopt);
}

TEST(ValidateReceiveFrames, DataPageIsZeroOrOne) {
    for (const char* page : {"0", "1", "0x1", " 1"}) {
        ReceiveFrameRow row = singleFrame();
        row.DataPage = page;
        EXPECT_EQ(validateOne(row), std::nullopt) << page;
    }
    for (const char* page : {"2", "-1", "x", "1 "}) {
        ReceiveFrameRow row = singleFrame();
        row.DataPage = page;
        EXPECT_THAT(validateOne(row), Optional(std::string("Error in row 1!! The Data Page must be 0 or 1"))) << page;
    }
}

TEST(ValidateReceiveFrames, PgnTextsByTheIntegerRule) {
    for (const char* pgn : {"0xF004", "$F004", "61444", "65534", "0"}) {
        ReceiveFrameRow row = singleFrame();
        row.PGN = pgn;
        EXPECT_EQ(validateOne(row), std::nullopt) << pgn;
    }
    for (const char* pgn : {"65535", "0xFFFF", "0x10000", "F004", "-1", ""}) {
        ReceiveFrameRow row = singleFrame();
        row.PGN = pgn;
        EXPECT_THAT(validateOne(row),
                    Optional(std::string("Error in row 1!! The PGN must be between 0x0000 and 0xFFFF")))
            << pgn;
    }
}

TEST(ValidateReceiveFrames, SourceAddressIsRequiredOnlyWhenMultiPacketIsExplicitlyUnticked) {
    const std::string message = "Error in row 1!! The Source Address must be between 0 and 239";
    auto withAddress = [](std::string multiFrame, std::string address) {
        ReceiveFrameRow row = singleFrame();
        row.MultiFrame = std::move(multiFrame);
        row.ID_DEV = std::move(address);
        return row;
    };
    EXPECT_EQ(validateOne(withAddress("N", "1")), std::nullopt);
    EXPECT_EQ(validateOne(withAddress("N", "238")), std::nullopt);
    EXPECT_THAT(validateOne(withAddress("N", "0")), Optional(message));
    EXPECT_THAT(validateOne(withAddress("N", "239")), Optional(message));
    EXPECT_THAT(validateOne(withAddress("N", "")), Optional(message));
    // A never-touched check box leaves the cell empty: a blank address passes then.
    EXPECT_EQ(validateOne(withAddress("", "")), std::nullopt);
    EXPECT_EQ(validateOne(withAddress("", "  \t")), std::nullopt);
    EXPECT_EQ(validateOne(withAddress("n", "")), std::nullopt);
    EXPECT_THAT(validateOne(withAddress("", "0")), Optional(message));
    EXPECT_THAT(validateOne(withAddress("", "abc")), Optional(message));
    ReceiveFrameRow longMessage = multiPacket("1", "16");
    longMessage.ID_DEV = "";
    EXPECT_EQ(validateOne(longMessage), std::nullopt);
}

TEST(ValidateReceiveFrames, MultiPacketByteRange) {
    EXPECT_EQ(validateOne(multiPacket("1", "1784")), std::nullopt);
    EXPECT_EQ(validateOne(multiPacket("1784", "1")), std::nullopt);
    EXPECT_THAT(validateOne(multiPacket("2", "1784")),
                Optional(std::string("Error in row 1!! The Number Bytes plus Start Byte must be minor of 1785")));
    EXPECT_THAT(validateOne(multiPacket("0", "10")),
                Optional(std::string("Error in row 1!! The Start Byte must be between 1 and 1785")));
    EXPECT_THAT(validateOne(multiPacket("1785", "10")),
                Optional(std::string("Error in row 1!! The Start Byte must be between 1 and 1785")));
    EXPECT_THAT(validateOne(multiPacket("", "10")),
                Optional(std::string("Error in row 1!! The Start Byte must be between 1 and 1785")));
    EXPECT_THAT(validateOne(multiPacket("1", "1785")),
                Optional(std::string("Error in row 1!! The Number Bytes must be between 1 and 1785")));
    EXPECT_THAT(validateOne(multiPacket("1", "")),
                Optional(std::string("Error in row 1!! The Number Bytes must be between 1 and 1785")));
}

TEST(ValidateReceiveFrames, FastPacketByteRangeAndItsPrecedence) {
    EXPECT_EQ(validateOne(fastPacket("1", "222")), std::nullopt);
    EXPECT_THAT(validateOne(fastPacket("1", "223")),
                Optional(std::string("Error in row 1!! The Number Bytes must be between 1 and 223")));
    EXPECT_THAT(validateOne(fastPacket("223", "1")),
                Optional(std::string("Error in row 1!! The Start Byte must be between 1 and 223")));
    EXPECT_THAT(validateOne(fastPacket("2", "222")),
                Optional(std::string("Error in row 1!! The Number Bytes plus Start Byte must be minor of 223")));
    // Both ticked: the multi-packet limits apply.
    ReceiveFrameRow both = fastPacket("1", "223");
    both.MultiFrame = "Y";
    EXPECT_EQ(validateOne(both), std::nullopt);
}

TEST(ValidateReceiveFrames, FlagsAreComparedExactly) {
    // Without an exact "Y" no byte range is checked, so anything goes in those cells.
    ReceiveFrameRow row = singleFrame();
    row.StartByte = "junk";
    row.NByte = "";
    EXPECT_EQ(validateOne(row), std::nullopt);
    row.MultiFrame = "y";
    row.FastPacket = "y";
    EXPECT_EQ(validateOne(row), std::nullopt);
    row.FastPacket = "Y";
    EXPECT_THAT(validateOne(row), Optional(std::string("Error in row 1!! The Start Byte must be between 1 and 223")));
}

TEST(ValidateReceiveFrames, TheTableEndsAtTheFirstEmptyDataPage) {
    ReceiveFrameRow end = singleFrame();
    end.DataPage = "";
    ReceiveFrameRow bad = singleFrame();
    bad.PGN = "nonsense";
    std::vector<ReceiveFrameRow> rows{singleFrame(), singleFrame(), end, bad, bad};
    EXPECT_EQ(ReceiveFramesLength(rows), 2u);
    EXPECT_EQ(ValidateReceiveFrames(rows), std::nullopt);
}

class ReceiveFramesFile : public ::testing::Test {
protected:
    fs::path file() const { return project / "RCobDef.xml"; }
    TempDir project;
};

TEST_F(ReceiveFramesFile, NoFileIsAnEmptyTable) {
    ReceiveFramesLoad load = LoadReceiveFrames(file());
    EXPECT_EQ(load.outcome, FrameTableOutcome::NoFile);
    EXPECT_TRUE(load.rows.empty());
    EXPECT_TRUE(load.failure.empty());
}

TEST_F(ReceiveFramesFile, SavedRowsComeOutAsOneLineInAttributeOrderAndLoadBack) {
    ReceiveFrameRow deleted = fastPacket("1", "43");
    deleted.Delete = "Y";
    deleted.Mnemonic = "GNSS <position> & \"data\"";
    ReceiveFrameRow untouched{"0", "0xEE00", "", "", "", "", "", "", ""};
    std::vector<ReceiveFrameRow> rows{singleFrame(), deleted, untouched};
    SaveReceiveFrames(file(), rows);
    EXPECT_EQ(readFile(file()),
              "<COBID>"
              "<row DataPage=\"1\" PGN=\"0xF801\" ID_DEV=\"35\" MultiFrame=\"N\" FastPacket=\"N\" StartByte=\"\" "
              "NByte=\"\" Delete=\"N\" Mnemonic=\"Position rapid update\"/>"
              "<row DataPage=\"1\" PGN=\"0xF801\" ID_DEV=\"35\" MultiFrame=\"N\" FastPacket=\"Y\" StartByte=\"1\" "
              "NByte=\"43\" Delete=\"Y\" Mnemonic=\"GNSS &lt;position> &amp; &quot;data&quot;\"/>"
              "<row DataPage=\"0\" PGN=\"0xEE00\" ID_DEV=\"\" MultiFrame=\"\" FastPacket=\"\" StartByte=\"\" "
              "NByte=\"\" Delete=\"\" Mnemonic=\"\"/>"
              "</COBID>");
    ReceiveFramesLoad load = LoadReceiveFrames(file());
    EXPECT_EQ(load.outcome, FrameTableOutcome::Loaded);
    EXPECT_EQ(load.rows, rows);
}

TEST_F(ReceiveFramesFile, SavingStopsAtTheFirstEmptyDataPage) {
    ReceiveFrameRow end = singleFrame();
    end.DataPage = "";
    SaveReceiveFrames(file(), {singleFrame(), singleFrame(), end, singleFrame()});
    EXPECT_EQ(LoadReceiveFrames(file()).rows.size(), 2u);
    SaveReceiveFrames(file(), {});
    EXPECT_EQ(readFile(file()), "<COBID/>");
}

TEST_F(ReceiveFramesFile, TheSampleProjectRoundTripsByteForByte) {
    fs::path sample = testing::examplesDir() / "Boat1" / "RCobDef.xml";
    ReceiveFramesLoad load = LoadReceiveFrames(sample);
    ASSERT_EQ(load.outcome, FrameTableOutcome::Loaded) << load.failure;
    ASSERT_EQ(load.rows.size(), 3u);
    EXPECT_EQ(load.rows[1].FastPacket, "Y");
    EXPECT_EQ(load.rows[1].Delete, "Y");
    SaveReceiveFrames(file(), load.rows);
    EXPECT_EQ(readFile(file()), readFile(sample));
}

TEST_F(ReceiveFramesFile, MoreThanTheGridsRowsAreAllKept) {
    std::vector<ReceiveFrameRow> rows;
    for (int i = 0; i < 300; ++i) {
        ReceiveFrameRow row = singleFrame();
        row.Mnemonic = "frame " + std::to_string(i + 1);
        rows.push_back(row);
    }
    SaveReceiveFrames(file(), rows);
    std::string written = readFile(file());
    ReceiveFramesLoad load = LoadReceiveFrames(file());
    EXPECT_EQ(load.rows, rows);
    SaveReceiveFrames(file(), load.rows);
    EXPECT_EQ(readFile(file()), written);
}

TEST_F(ReceiveFramesFile, ReadersAcceptDeclarationIndentationAnyElementNameAndAnyLetterCase) {
    writeFile(project / "rcobdef.XML",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- made by hand -->\r\n<COBID>\r\n"
              "  <row DataPage=\"0\" PGN=\"1\" ID_DEV=\"2\" MultiFrame=\"N\" FastPacket=\"N\" StartByte=\"\" "
              "NByte=\"\" Delete=\"N\" Mnemonic=\"a\"/>\r\n"
              "  <!-- comments are not rows -->\r\n"
              "  <frame DataPage=\"1\" PGN=\"3\" ID_DEV=\"4\" MultiFrame=\"Y\" FastPacket=\"N\" StartByte=\"1\" "
              "NByte=\"9\" Delete=\"Y\" Mnemonic=\"b\"/>\r\n</COBID>\r\n");
    ReceiveFramesLoad load = LoadReceiveFrames(file());
    ASSERT_EQ(load.outcome, FrameTableOutcome::Loaded) << load.failure;
    ASSERT_EQ(load.rows.size(), 2u);
    EXPECT_EQ(load.rows[1], (ReceiveFrameRow{"1", "3", "4", "Y", "N", "1", "9", "Y", "b"}));

    // The writer replaces the file that is there instead of adding a second spelling.
    SaveReceiveFrames(file(), load.rows);
    EXPECT_FALSE(fs::exists(file()));
    EXPECT_EQ(LoadReceiveFrames(project / "rcobdef.XML").rows, load.rows);
}

TEST_F(ReceiveFramesFile, RowsWithoutFastPacketLoadWithItEmptyAndSaveItEmpty) {
    writeFile(file(),
              "<COBID><row DataPage=\"1\" PGN=\"0xF801\" ID_DEV=\"35\" MultiFrame=\"N\" StartByte=\"\" NByte=\"\" "
              "Delete=\"N\" Mnemonic=\"old\"/></COBID>");
    ReceiveFramesLoad load = LoadReceiveFrames(file());
    ASSERT_EQ(load.outcome, FrameTableOutcome::Loaded) << load.failure;
    EXPECT_EQ(load.rows[0].FastPacket, "");
    EXPECT_EQ(load.rows[0].Mnemonic, "old");
    SaveReceiveFrames(file(), load.rows);
    EXPECT_THAT(readFile(file()), HasSubstr("MultiFrame=\"N\" FastPacket=\"\" StartByte=\"\""));
}

TEST_F(ReceiveFramesFile, AMissingAttributeEndsTheLoadWithTheCellsReadBeforeIt) {
    writeFile(file(),
              "<COBID>"
              "<row DataPage=\"1\" PGN=\"1\" ID_DEV=\"2\" MultiFrame=\"N\" FastPacket=\"N\" StartByte=\"\" NByte=\"\" "
              "Delete=\"N\" Mnemonic=\"first\"/>"
              "<row DataPage=\"0\" PGN=\"3\" ID_DEV=\"4\" MultiFrame=\"Y\" FastPacket=\"N\" StartByte=\"1\" "
              "NByte=\"8\" Delete=\"Y\"/>"
              "<row DataPage=\"1\" PGN=\"5\" ID_DEV=\"6\" MultiFrame=\"N\" FastPacket=\"N\" StartByte=\"\" "
              "NByte=\"\" Delete=\"N\" Mnemonic=\"never read\"/>"
              "</COBID>");
    ReceiveFramesLoad load = LoadReceiveFrames(file());
    EXPECT_EQ(load.outcome, FrameTableOutcome::Failed);
    EXPECT_EQ(load.failure, "Error in reading file " + file().string() + ": row 2 has no attribute Mnemonic");
    ASSERT_EQ(load.rows.size(), 2u);
    EXPECT_EQ(load.rows[0].Mnemonic, "first");
    EXPECT_EQ(load.rows[1], (ReceiveFrameRow{"0", "3", "4", "Y", "N", "1", "8", "Y", ""}));
}

TEST_F(ReceiveFramesFile, AMissingMultiFrameStopsBeforeTheLaterCells) {
    writeFile(file(), "<COBID><row DataPage=\"1\" PGN=\"1\" ID_DEV=\"2\" FastPacket=\"Y\" StartByte=\"1\" NByte=\"2\" "
                      "Delete=\"N\" Mnemonic=\"m\"/></COBID>");
    ReceiveFramesLoad load = LoadReceiveFrames(file());
    EXPECT_EQ(load.outcome, FrameTableOutcome::Failed);
    EXPECT_THAT(load.failure, HasSubstr("row 1 has no attribute MultiFrame"));
    ASSERT_EQ(load.rows.size(), 1u);
    EXPECT_EQ(load.rows[0], (ReceiveFrameRow{"1", "1", "2", "", "", "", "", "", ""}));
}

TEST_F(ReceiveFramesFile, AFileThatDoesNotParseGivesTheParsersMessageWithItsLine) {
    writeFile(file(), "<COBID>\n<row DataPage=\"1\"/>\n<row DataPage=\"0\">\n</COBID>\n");
    ReceiveFramesLoad load = LoadReceiveFrames(file());
    EXPECT_EQ(load.outcome, FrameTableOutcome::Failed);
    EXPECT_THAT(load.failure, HasSubstr("Error in reading file " + file().string() + ": "));
    EXPECT_THAT(load.failure, HasSubstr("line 4"));
    EXPECT_TRUE(load.rows.empty());
}

TEST_F(ReceiveFramesFile, AFileWithoutCobidIsRefused) {
    writeFile(file(), "<TCobDef><row DataPage=\"1\"/></TCobDef>");
    ReceiveFramesLoad load = LoadReceiveFrames(file());
    EXPECT_EQ(load.outcome, FrameTableOutcome::Failed);
    EXPECT_EQ(load.failure, "Error in reading file " + file().string() + ": there is no top-level COBID element");
    EXPECT_TRUE(load.rows.empty());
}

TEST_F(ReceiveFramesFile, AFailedWriteNamesTheFile) {
    fs::path nowhere = project / "gone" / "RCobDef.xml";
    try {
        SaveReceiveFrames(nowhere, {singleFrame()});
        ADD_FAILURE() << "no error";
    } catch (const FileError& error) {
        EXPECT_THAT(error.what(), HasSubstr(nowhere.string()));
    }
}

TEST(CheckReceiveFrames, SaysWhatTheWindowWouldSayAtOk) {
    TempDir project;
    EXPECT_FALSE(CheckReceiveFrames(project.path()).present);

    ReceiveFrameRow bad = singleFrame();
    bad.DataPage = "2";
    SaveReceiveFrames(project / "RCobDef.xml", {singleFrame(), singleFrame(), bad});
    FrameTableCheck check = CheckReceiveFrames(project.path());
    EXPECT_TRUE(check.present);
    EXPECT_THAT(check.refusal, Optional(std::string("Error in row 3!! The Data Page must be 0 or 1")));
    EXPECT_TRUE(check.warnings.empty());

    SaveReceiveFrames(project / "RCobDef.xml", {singleFrame()});
    check = CheckReceiveFrames(project.path());
    EXPECT_TRUE(check.present);
    EXPECT_EQ(check.refusal, std::nullopt);

    writeFile(project / "RCobDef.xml", "<COBID><row DataPage=\"1\"/></COBID>");
    check = CheckReceiveFrames(project.path());
    EXPECT_THAT(check.refusal, Optional(HasSubstr("row 1 has no attribute PGN")));
}

TEST(CheckReceiveFrames, WarnsOfRowsThatOkWouldDrop) {
    TempDir project;
    writeFile(project / "RCobDef.xml",
              "<COBID>"
              "<row DataPage=\"1\" PGN=\"1\" ID_DEV=\"2\" MultiFrame=\"N\" FastPacket=\"N\" StartByte=\"\" NByte=\"\" "
              "Delete=\"N\" Mnemonic=\"\"/>"
              "<row DataPage=\"\" PGN=\"1\" ID_DEV=\"2\" MultiFrame=\"N\" FastPacket=\"N\" StartByte=\"\" NByte=\"\" "
              "Delete=\"N\" Mnemonic=\"\"/>"
              "<row DataPage=\"7\" PGN=\"1\" ID_DEV=\"2\" MultiFrame=\"N\" FastPacket=\"N\" StartByte=\"\" NByte=\"\" "
              "Delete=\"N\" Mnemonic=\"\"/>"
              "</COBID>");
    FrameTableCheck check = CheckReceiveFrames(project.path());
    EXPECT_EQ(check.refusal, std::nullopt);  // row 3 lies beyond the end of the table
    EXPECT_THAT(check.warnings, ::testing::ElementsAre("row 2 has an empty Data Page: the table ends there, so OK "
                                                       "would drop rows 2 to 3 of the file"));
}

TEST(CheckReceiveFrames, WarnsOfLowerCaseFlagsThatTheWindowAndTheImageReadApart) {
    TempDir project;
    ReceiveFrameRow lower = singleFrame();
    lower.MultiFrame = "y";
    lower.Delete = "y";  // the window does not check it
    SaveReceiveFrames(project / "RCobDef.xml", {singleFrame(), lower});
    FrameTableCheck check = CheckReceiveFrames(project.path());
    EXPECT_EQ(check.refusal, std::nullopt);
    EXPECT_THAT(check.warnings, ::testing::ElementsAre("row 2: MultiFrame is \"y\": the window checks the row as "
                                                       "unticked, the image builder takes it as ticked"));
}

}  // namespace
}  // namespace telvanor
