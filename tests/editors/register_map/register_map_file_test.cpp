#include "editors/register_map/register_map_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project/integer_text.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Optional;
using testing::readFile;
using testing::spellingsIn;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

std::string receiveFrame(const std::string& pgn, const std::string& multi = "N", const std::string& bytes = "") {
    return "<row DataPage=\"1\" PGN=\"" + pgn + "\" ID_DEV=\"35\" MultiFrame=\"" + multi +
           "\" FastPacket=\"N\" StartByte=\"\" NByte=\"" + bytes + "\" Delete=\"N\" Mnemonic=\"\"/>";
}

std::string transmitFrame(const std::string& pgn) {
    return "<row Priority=\"3\" DP=\"1\" PGN=\"" + pgn + "\" ID_DEV=\"36\" Mnemonic=\"m\"/>";
}

std::string mapRow(const std::string& index, const std::string& frame, const std::string& posComp) {
    return "<row Index=\"" + index + "\" NrPdo=\"" + frame + "\" PosComp=\"" + posComp + "\"/>";
}

std::string table(const std::string& root, const std::string& rows) {
    return "<" + root + ">" + rows + "</" + root + ">";
}

std::vector<std::string> indexesOf(const TClPdo& frame) {
    std::vector<std::string> indexes;
    for (const TClIndMB& mapping : frame.mappings) indexes.push_back(mapping.Index);
    return indexes;
}

class RegisterMapFile : public ::testing::Test {
protected:
    void file(const std::string& name, const std::string& content) { writeFile(dir / name, content); }
    void receiveFrames(int count) {
        std::string rows;
        for (int i = 1; i <= count; ++i) rows += receiveFrame(std::to_string(0xF800 + i));
        file("RCobDef.xml", table("COBID", rows));
    }
    RegisterMapLoad load(MapKind kind = MapKind::Receive) { return LoadRegisterMap(dir.path(), kind); }
    TempDir dir;
};

TEST_F(RegisterMapFile, FramesWithTheirLinesAndByteCounts) {
    file("RCobDef.xml",
         "<?xml version=\"1.0\"?>\r\n<COBID>\r\n  " + receiveFrame("0xF801") + "\r\n  " +
             receiveFrame("0xEE00", "y", "10") + "\r\n  <!-- a comment -->\r\n  " +
             "<frame DataPage=\"0\" PGN=\"1\" ID_DEV=\"2\" MultiFrame=\"N\" FastPacket=\"Y\" NByte=\"43\"/>" +
             "\r\n</COBID>\r\n");
    RegisterMapLoad loaded = load();
    EXPECT_THAT(loaded.messages, IsEmpty());
    EXPECT_TRUE(loaded.map.frameTableLoaded);
    ASSERT_EQ(loaded.map.frames.size(), 3u);
    EXPECT_EQ(displayLine(MapKind::Receive, loaded.map.frames[0]), "1\t0xF801\t35");
    EXPECT_EQ(loaded.map.frames[0].byteCount, 0);
    EXPECT_EQ(loaded.map.frames[1].byteCount, 10) << "MultiFrame is read in any letter case";
    EXPECT_EQ(loaded.map.frames[2].byteCount, 0) << "FastPacket without MultiFrame is an ordinary frame";
    EXPECT_EQ(loaded.map.frames[2].frameNumber, 3u) << "any element name is a frame row";
}

TEST_F(RegisterMapFile, TransmitFramesShowFourTextsAndMissingWriteFlagsReadZero) {
    file("tcobdef.XML", table("COBID", transmitFrame("0xF802") + transmitFrame("0xF803")));
    file("TInfoCob.xml", table("TInfoCob",
                               "<row Index=\"100\" NrPdo=\"2\" PosComp=\"33\"/>"
                               "<row Index=\"101\" NrPdo=\"1\" PosComp=\"0\" Write_J1939=\"\"/>"));
    RegisterMapLoad loaded = load(MapKind::Transmit);
    EXPECT_THAT(loaded.messages, IsEmpty());
    ASSERT_EQ(loaded.map.frames.size(), 2u);
    EXPECT_EQ(displayLine(MapKind::Transmit, loaded.map.frames[0]), "3\t1\t0xF802\t36");
    EXPECT_THAT(loaded.map.frames[1].mappings, ElementsAre(TClIndMB{"100", "33", "0"}));
    EXPECT_THAT(loaded.map.frames[0].mappings, ElementsAre(TClIndMB{"101", "0", ""}));
}

TEST_F(RegisterMapFile, RowsNamingNoFrameAreDroppedAndVanishAtTheNextSave) {
    receiveFrames(4);
    file("RInfoCob.xml", table("RInfoCob", mapRow("1", "1", "1") + mapRow("2", "4", "1") + mapRow("3", "5", "1") +
                                               mapRow("4", "2", "1")));
    RegisterMapLoad loaded = load();
    EXPECT_THAT(loaded.messages, IsEmpty());
    EXPECT_THAT(loaded.droppedRows, ElementsAre(DroppedMapRow{3, 5, {"3", "1", ""}}));
    EXPECT_THAT(loaded.loss.dropped, ElementsAre(DroppedRows{3, 3, "NrPdo 5 names no frame (RCobDef.xml has 4 rows)"}));
    EXPECT_THAT(loadNotices(loaded), ElementsAre("RInfoCob.xml:\nrow 3: NrPdo 5 names no frame (RCobDef.xml has 4 "
                                                 "rows)\nThe window holds 3 of the file's 4 mappings; OK asks before "
                                                 "it saves fewer."));
    EXPECT_EQ(loaded.map.mappingCount(), 3u);
    SaveRegisterMap(loaded.map, dir.path());
    EXPECT_EQ(readFile(dir / "RInfoCob.xml"),
              table("RInfoCob", mapRow("1", "1", "1") + mapRow("2", "4", "1") + mapRow("4", "2", "1")));
}

TEST_F(RegisterMapFile, MappingsFollowTheirPositionWhenAFrameRowIsRemoved) {
    file("RInfoCob.xml", table("RInfoCob", mapRow("1", "1", "1") + mapRow("2", "2", "2") + mapRow("3", "3", "3")));
    // The second of three frames was removed: the third now holds position 2.
    file("RCobDef.xml", table("COBID", receiveFrame("0xF801") + receiveFrame("0xF803")));
    RegisterMapLoad loaded = load();
    EXPECT_THAT(indexesOf(loaded.map.frames[1]), ElementsAre("2"));
    EXPECT_EQ(loaded.map.frames[1].PGN, "0xF803");
    SaveRegisterMap(loaded.map, dir.path());
    EXPECT_EQ(readFile(dir / "RInfoCob.xml"), table("RInfoCob", mapRow("1", "1", "1") + mapRow("2", "2", "2")));
}

TEST_F(RegisterMapFile, FrameTableFailureKeepsTheFramesBeforeTheBadRow) {
    file("RCobDef.xml", table("COBID", receiveFrame("0xF801") + receiveFrame("0xF802") +
                                           "<row DataPage=\"1\" PGN=\"3\" ID_DEV=\"4\"/>" + receiveFrame("0xF804")));
    file("RInfoCob.xml", table("RInfoCob", mapRow("1", "2", "1") + mapRow("2", "4", "1")));
    RegisterMapLoad loaded = load();
    EXPECT_THAT(loaded.messages, ElementsAre("Error in reading file PDO XML"));
    EXPECT_THAT(loaded.frameTableFailure, Optional(std::string("row 3: attribute MultiFrame is missing")));
    EXPECT_EQ(loaded.map.frames.size(), 2u);
    EXPECT_THAT(indexesOf(loaded.map.frames[1]), ElementsAre("1"));
    EXPECT_THAT(loaded.droppedRows, ElementsAre(DroppedMapRow{2, 4, {"2", "1", ""}}));
}

TEST_F(RegisterMapFile, FrameTableFailuresOfMultiFrameMessages) {
    file("RCobDef.xml", table("COBID", receiveFrame("1", "N", "abc") + receiveFrame("2", "Y", "abc")));
    RegisterMapLoad loaded = load();
    EXPECT_THAT(loaded.messages, ElementsAre("Error in reading file PDO XML"));
    EXPECT_EQ(loaded.map.frames.size(), 1u) << "NByte is read only for a multi-frame message";

    file("RCobDef.xml", table("COBID", "<row DataPage=\"1\" PGN=\"3\" ID_DEV=\"4\" MultiFrame=\"Y\"/>"));
    EXPECT_THAT(load().frameTableFailure, Optional(std::string("row 1: attribute NByte is missing")));

    file("TCobDef.xml", table("COBID", transmitFrame("1") + "<row Priority=\"3\" DP=\"1\" PGN=\"2\"/>"));
    RegisterMapLoad transmit = load(MapKind::Transmit);
    EXPECT_THAT(transmit.messages, ElementsAre("Error in reading file PDO XML"));
    EXPECT_EQ(transmit.map.frames.size(), 1u);
}

TEST_F(RegisterMapFile, UnreadableFrameTableLeavesNoTableSoMapRowsFailToo) {
    file("RCobDef.xml", "<COBID><row DataPage=\"1\"");
    file("RInfoCob.xml", table("RInfoCob", mapRow("1", "1", "1")));
    RegisterMapLoad loaded = load();
    EXPECT_THAT(loaded.messages, ElementsAre("Error in reading file PDO XML", "Error in reading file SDOPDO XML"));
    EXPECT_FALSE(loaded.map.frameTableLoaded);
    EXPECT_THAT(*loaded.frameTableFailure, HasSubstr("not a well-formed XML file"));
}

TEST_F(RegisterMapFile, MapRowsWithoutAFrameTable) {
    file("RInfoCob.xml", table("RInfoCob", ""));
    EXPECT_THAT(load().messages, IsEmpty()) << "an empty map needs no frame table";
    file("RInfoCob.xml", table("RInfoCob", mapRow("1", "7", "1")));
    RegisterMapLoad loaded = load();
    EXPECT_THAT(loaded.messages, ElementsAre("Error in reading file SDOPDO XML"));
    EXPECT_FALSE(loaded.map.frameTableLoaded);
}

TEST_F(RegisterMapFile, MapFailureKeepsTheMappingsBeforeTheBadRow) {
    receiveFrames(2);
    struct Case {
        std::string badRow;
        std::string failure;
    };
    for (const Case& bad : {Case{"<row Index=\"9\" NrPdo=\"1\"/>", "row 3: attribute PosComp is missing"},
                            Case{"<row NrPdo=\"1\" PosComp=\"1\"/>", "row 3: attribute Index is missing"},
                            Case{"<row Index=\"9\" PosComp=\"1\"/>", "row 3: attribute NrPdo is missing"},
                            Case{mapRow("9", "abc", "1"), "row 3: attribute NrPdo is not an integer: 'abc'"},
                            Case{mapRow("9", "0", "1"), "row 3: attribute NrPdo is below 1: 0"},
                            Case{mapRow("9", "-4", "1"), "row 3: attribute NrPdo is below 1: -4"}}) {
        file("RInfoCob.xml",
             table("RInfoCob", mapRow("1", "2", "1") + mapRow("2", "1", "1") + bad.badRow + mapRow("4", "1", "1")));
        RegisterMapLoad loaded = load();
        EXPECT_THAT(loaded.messages, ElementsAre("Error in reading file SDOPDO XML")) << bad.failure;
        EXPECT_THAT(loaded.mapFailure, Optional(bad.failure));
        EXPECT_THAT(indexesOf(loaded.map.frames[0]), ElementsAre("2"));
        EXPECT_THAT(indexesOf(loaded.map.frames[1]), ElementsAre("1"));
    }
    // What OK asks: the rows from the bad one on would vanish from the file.
    std::string rows;
    for (int row = 1; row <= 10; ++row)
        rows += row == 6 ? "<row Index=\"6\" NrPdo=\"1\"/>" : mapRow(std::to_string(row), "1", "1");
    file("RInfoCob.xml", table("RInfoCob", rows));
    EXPECT_EQ(lossQuestion(load().loss),
              "RInfoCob.xml: 5 of its 10 mappings could not be read. Saving now keeps 5 and removes 5 (the old file "
              "is kept in backup/).\n\nrow 6: attribute PosComp is missing\nrows 7 to 10: not read after row 6");
    EXPECT_THAT(loadNotices(load()),
                ElementsAre("Error in reading file SDOPDO XML\n\nRInfoCob.xml:\nrow 6: attribute PosComp is "
                            "missing\nrows 7 to 10: not read after row 6\nThe window holds 5 of the file's 10 "
                            "mappings; OK asks before it saves fewer."));
    // A row naming a frame beyond the table is dropped before its other attributes are read.
    file("RInfoCob.xml", table("RInfoCob", "<row NrPdo=\"3\"/>" + mapRow("4", "1", "1")));
    EXPECT_THAT(load().messages, IsEmpty());
}

TEST_F(RegisterMapFile, SaveWritesEqualIndexesOfLaterFramesFirst) {
    receiveFrames(2);
    file("RInfoCob.xml", table("RInfoCob", mapRow("7", "1", "1") + mapRow("7", "2", "2")));
    RegisterMapLoad loaded = load();
    SaveRegisterMap(loaded.map, dir.path());
    EXPECT_EQ(readFile(dir / "RInfoCob.xml"), table("RInfoCob", mapRow("7", "2", "2") + mapRow("7", "1", "1")));
}

TEST_F(RegisterMapFile, SaveKeepsTextsAsTypedAndOrdersByValue) {
    receiveFrames(3);
    RegisterMap map = load().map;
    map.frames[0].mappings = {{"0x1A", "131073", ""}, {" 3", "4", ""}};
    map.frames[2].mappings = {{"$2", "0", ""}, {"100000", "7", ""}};
    SaveRegisterMap(map, dir.path());
    EXPECT_EQ(readFile(dir / "RInfoCob.xml"),
              table("RInfoCob", mapRow("$2", "3", "0") + mapRow(" 3", "1", "4") + mapRow("0x1A", "1", "131073") +
                                    mapRow("100000", "3", "7")));
}

TEST_F(RegisterMapFile, SaveWithoutFramesReplacesTheFileWithAnEmptyMap) {
    file("rinfocob.xml", table("RInfoCob", mapRow("1", "1", "1")));
    RegisterMapLoad loaded = load();
    ASSERT_FALSE(loaded.map.frameTableLoaded);
    SaveRegisterMap(loaded.map, dir.path());
    EXPECT_EQ(readFile(dir / "rinfocob.xml"), "<RInfoCob/>");
    EXPECT_THAT(spellingsIn(dir.path(), "RInfoCob.xml"), ElementsAre("rinfocob.xml"))
        << "the spelling that is there is replaced";
}

TEST_F(RegisterMapFile, SaveRefusingAnIndexLeavesTheOldFileWhole) {
    receiveFrames(1);
    file("RInfoCob.xml", table("RInfoCob", mapRow("1", "1", "1")));
    RegisterMap map = load().map;
    map.frames[0].mappings.push_back({"letters", "0", ""});
    EXPECT_THROW(SaveRegisterMap(map, dir.path()), ConversionError);
    EXPECT_EQ(readFile(dir / "RInfoCob.xml"), table("RInfoCob", mapRow("1", "1", "1")));
}

TEST_F(RegisterMapFile, SampleProjectRoundTripsToTheByte) {
    for (MapKind kind : {MapKind::Receive, MapKind::Transmit}) {
        RegisterMapLoad loaded = LoadRegisterMap(testing::examplesDir() / "Boat1", kind);
        EXPECT_THAT(loaded.messages, IsEmpty());
        SaveRegisterMap(loaded.map, dir.path());
        std::string name(mapFileName(kind));
        EXPECT_EQ(readFile(dir / name), readFile(testing::examplesDir() / "Boat1" / name)) << name;
    }
}

TEST_F(RegisterMapFile, WriteNmeaOption) {
    EXPECT_FALSE(LoadWriteNmeaOption(dir.path())) << "no file";
    auto option = [this](const std::string& name, const std::string& content) {
        fs::remove_all(dir.path());
        file(name, content);
        return LoadWriteNmeaOption(dir.path());
    };
    EXPECT_TRUE(option("pargen.xml", "<GeneralParameter><Write_J1939>1</Write_J1939></GeneralParameter>"));
    EXPECT_TRUE(option("PARGEN.XML", "<Other><Write_J1939>$101</Write_J1939></Other>")) << "any root, any case";
    EXPECT_FALSE(option("Pargen.xml", "<GeneralParameter><Write_J1939>256</Write_J1939></GeneralParameter>"))
        << "only the low 8 bits count";
    EXPECT_FALSE(option("Pargen.xml", "<GeneralParameter><Write_J1939>0</Write_J1939></GeneralParameter>"));
    EXPECT_FALSE(option("Pargen.xml", "<GeneralParameter><Write_J1939>yes</Write_J1939></GeneralParameter>"));
    EXPECT_FALSE(option("Pargen.xml", "<GeneralParameter><Write_J1939/></GeneralParameter>"));
    EXPECT_FALSE(option("Pargen.xml", "<GeneralParameter><Serial>1</Serial></GeneralParameter>"));
    EXPECT_FALSE(option("Pargen.xml", "<GeneralParameter><Write_J1939>1</Write_J1939>"));
}

}  // namespace
}  // namespace telvanor
