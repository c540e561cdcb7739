#include "editors/register_map/register_map_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::TempDir;
using testing::writeFile;

std::string receiveFrame(const std::string& multi = "N", const std::string& bytes = "") {
    return "<row DataPage=\"1\" PGN=\"0xF801\" ID_DEV=\"35\" MultiFrame=\"" + multi +
           "\" FastPacket=\"N\" StartByte=\"1\" NByte=\"" + bytes + "\" Delete=\"N\" Mnemonic=\"\"/>";
}

std::string mapRow(const std::string& index, const std::string& frame, const std::string& posComp) {
    return "<row Index=\"" + index + "\" NrPdo=\"" + frame + "\" PosComp=\"" + posComp + "\"/>";
}

RegisterMapFinding error(const std::string& file, const std::string& message, std::size_t row = 0,
                         const std::string& attribute = "", std::size_t frame = 0) {
    return {file, message, false, row, attribute, frame};
}
RegisterMapFinding warning(const std::string& file, const std::string& message) { return {file, message, true}; }

class RegisterMapCheck : public ::testing::Test {
protected:
    void receiveFrames(int count) {
        std::string rows;
        for (int i = 0; i < count; ++i) rows += receiveFrame();
        writeFile(dir / "RCobDef.xml", "<COBID>" + rows + "</COBID>");
    }
    void receiveMap(const std::string& rows) { writeFile(dir / "RInfoCob.xml", "<RInfoCob>" + rows + "</RInfoCob>"); }
    TempDir dir;
};

TEST_F(RegisterMapCheck, SampleProjectAndProjectWithoutMapsHaveNoFindings) {
    EXPECT_THAT(CheckReceiveMap(testing::examplesDir() / "Boat1"), IsEmpty());
    EXPECT_THAT(CheckTransmitMap(testing::examplesDir() / "Boat1"), IsEmpty());
    receiveFrames(2);
    EXPECT_THAT(CheckReceiveMap(dir.path()), IsEmpty());
}

TEST_F(RegisterMapCheck, RowNamingNoFrameIsAnError) {
    receiveFrames(4);
    receiveMap(mapRow("1", "1", "1") + mapRow("2", "2", "1") + mapRow("3", "4", "1") + mapRow("4", "5", "1"));
    EXPECT_THAT(CheckReceiveMap(dir.path()),
                ElementsAre(error("RInfoCob.xml",
                                  "Define NMEA (receive), Correlated frame 5 does not exist (RCobDef.xml has 4 rows); "
                                  "the window drops the mapping (RInfoCob.xml row 4, NrPdo)",
                                  4, "NrPdo")));
}

TEST_F(RegisterMapCheck, IndexesAsTheWindowsOkTreatsThem) {
    receiveFrames(2);
    receiveMap(mapRow("16", "1", "1") + mapRow("70000", "1", "1") + mapRow("0x10", "2", "1") + mapRow("abc", "2", "1") +
               mapRow("-1", "1", "0"));
    EXPECT_THAT(CheckReceiveMap(dir.path()),
                ElementsAre(warning("RInfoCob.xml",
                                    "row 2: Index 70000 lies outside 0 to 65535; the device takes it "
                                    "as register 4464"),
                            warning("RInfoCob.xml",
                                    "row 3: Index 0x10 is register 16, as in row 1: two mappings for "
                                    "one register"),
                            error("RInfoCob.xml",
                                  "Define NMEA (receive), frame 2, Index MODBUS is not a valid integer: 'abc'; the "
                                  "window's OK writes nothing until it is changed (RInfoCob.xml row 4, Index)",
                                  4, "Index", 2),
                            warning("RInfoCob.xml",
                                    "row 5: Index -1 lies outside 0 to 65535; the device takes it as "
                                    "register 65535")));
}

TEST_F(RegisterMapCheck, BytePositionsBeyondTheFrame) {
    writeFile(dir / "RCobDef.xml", "<COBID>" + receiveFrame() + receiveFrame("Y", "10") + "</COBID>");
    receiveMap(mapRow("1", "1", std::to_string(9 * 65536 + 8)) + mapRow("2", "2", std::to_string(10 * 65536 + 11)) +
               mapRow("3", "2", "x"));
    EXPECT_THAT(CheckReceiveMap(dir.path()),
                ElementsAre(warning("RInfoCob.xml",
                                    "row 1: PosComp 589832 names byte 9 for the high byte, but frame 1 "
                                    "has 8 bytes"),
                            warning("RInfoCob.xml",
                                    "row 2: PosComp 655371 names byte 11 for the low byte, but frame 2 "
                                    "has 10 bytes")));
}

TEST_F(RegisterMapCheck, LoadFailuresSayWhatTheWindowShowsAndWhy) {
    writeFile(dir / "RCobDef.xml",
              "<COBID>" + receiveFrame() + receiveFrame("Y", "many") + receiveFrame() + "</COBID>");
    receiveMap(mapRow("1", "1", "1") + mapRow("2", "3", "1") + "<row Index=\"3\" NrPdo=\"1\"/>");
    EXPECT_THAT(CheckReceiveMap(dir.path()),
                ElementsAre(error("RInfoCob.xml",
                                  "Define NMEA (receive): RCobDef.xml: row 2: attribute NByte of a multi-frame "
                                  "message is not an integer: 'many'; the window says \"Error in reading file PDO "
                                  "XML\" and lists only the 1 frame before it (RInfoCob.xml)"),
                            error("RInfoCob.xml",
                                  "Define NMEA (receive), Correlated frame 3 does not exist (the window reads only "
                                  "1 frame of RCobDef.xml); the window drops the mapping (RInfoCob.xml row 2, "
                                  "NrPdo)",
                                  2, "NrPdo"),
                            error("RInfoCob.xml",
                                  "Define NMEA (receive), frame 1, High MODBUS Byte and Low MODBUS Byte is missing; "
                                  "the window says \"Error in reading file SDOPDO XML\" and keeps only the mappings "
                                  "read before it (RInfoCob.xml row 3, PosComp)",
                                  3, "PosComp", 1)));
}

TEST_F(RegisterMapCheck, TransmitMapRangesAndWriteFlags) {
    writeFile(dir / "TCobDef.xml",
              "<COBID><row Priority=\"3\" DP=\"1\" PGN=\"1\" ID_DEV=\"2\" Mnemonic=\"\"/></COBID>");
    writeFile(dir / "TInfoCob.xml",
              "<TInfoCob><row Index=\"1\" NrPdo=\"1\" PosComp=\"33\"/>"
              "<row Index=\"2\" NrPdo=\"1\" PosComp=\"153\" Write_J1939=\"2\"/>"
              "<row Index=\"3\" NrPdo=\"1\" PosComp=\"0\" Write_J1939=\"\"/>"
              "<row Index=\"4\" NrPdo=\"2\" PosComp=\"0\" Write_J1939=\"0\"/></TInfoCob>");
    EXPECT_THAT(CheckTransmitMap(dir.path()),
                ElementsAre(warning("TInfoCob.xml",
                                    "row 2: PosComp 153 names byte 9 for the high byte and byte 9 for "
                                    "the low byte, but frame 1 has 8 bytes"),
                            warning("TInfoCob.xml", "row 2: Write_J1939 2 is neither 0 nor 1"),
                            warning("TInfoCob.xml", "row 3: Write_J1939 '' is not an integer; the image takes it as 0"),
                            error("TInfoCob.xml",
                                  "Define NMEA (transmit), Correlated frame 2 does not exist (TCobDef.xml has 1 "
                                  "row); the window drops the mapping (TInfoCob.xml row 4, NrPdo)",
                                  4, "NrPdo")));
}

}  // namespace

void PrintTo(const RegisterMapFinding& finding, std::ostream* out) {
    *out << (finding.warning ? "warning " : "error ") << finding.file << " row " << finding.row << " "
         << finding.attribute << " frame " << finding.frame << ": " << finding.message;
}

}  // namespace telvanor
