#include "image/config_image.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project/atomic_file.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// The image of examples/Boat1, as the device expects it.
const Bytes kWorkedExample = {
    0x1C, 0x00, 0x00, 0x00, 0x3D, 0x00, 0x00, 0x00, 0x41, 0x00, 0x00, 0x00, 0x51, 0x00, 0x00, 0x00, 0x56, 0x00, 0x00,
    0x00, 0x78, 0x00, 0x00, 0x00, 0x98, 0x00, 0x00, 0x00, 0x01, 0x01, 0xF8, 0x23, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x01, 0x05, 0xF8, 0x23, 0x02, 0x01, 0x00, 0x2B, 0x00, 0x08, 0x00, 0x00, 0x00, 0xEE, 0x07, 0x01, 0x01, 0x00,
    0x10, 0x00, 0x33, 0x00, 0x24, 0x02, 0xF8, 0x0D, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x01, 0x00, 0x05, 0x00, 0x33,
    0x00, 0x00, 0x00, 0x04, 0x00, 0x64, 0x00, 0x01, 0x21, 0x00, 0x05, 0x01, 0x03, 0x00, 0x01, 0xE8, 0x03, 0x00, 0x01,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xE8, 0x03, 0x00, 0x03, 0x00,
    0x01, 0x00, 0x02, 0x00, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x07, 0x00, 0xEE, 0x00, 0x23, 0x01, 0xF8, 0x01, 0x23, 0x05, 0xF8, 0x01};

std::uint32_t u32(const Bytes& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}
std::uint32_t u16(const Bytes& bytes, std::size_t at) { return bytes[at] | bytes[at + 1] << 8; }

std::vector<std::uint32_t> header(const Bytes& bytes) {
    std::vector<std::uint32_t> offsets;
    for (std::size_t i = 0; i < 7; ++i) offsets.push_back(u32(bytes, 4 * i));
    return offsets;
}

Bytes slice(const Bytes& bytes, std::size_t at, std::size_t length) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                 bytes.begin() + static_cast<std::ptrdiff_t>(at + length));
}

std::string receiveRow(const std::string& dataPage, const std::string& pgn, const std::string& source,
                       const std::string& multi = "N", const std::string& fast = "N", const std::string& start = "",
                       const std::string& count = "", const std::string& deleted = "N") {
    return "<row DataPage=\"" + dataPage + "\" PGN=\"" + pgn + "\" ID_DEV=\"" + source + "\" MultiFrame=\"" + multi +
           "\" FastPacket=\"" + fast + "\" StartByte=\"" + start + "\" NByte=\"" + count + "\" Delete=\"" + deleted +
           "\" Mnemonic=\"\"/>";
}

std::string table(const std::string& root, const std::string& rows) {
    return "<" + root + ">" + rows + "</" + root + ">";
}

std::string pargen(const std::string& elements) { return table("GeneralParameter", elements); }

const std::string kRequiredParameters =
    "<BaudRateCAN>4</BaudRateCAN><CANType>1</CANType><Baud_Ser>3</Baud_Ser><Par_Ser>0</Par_Ser>"
    "<IDDev_Ser>1</IDDev_Ser><TimeOut_Ser>1000</TimeOut_Ser>";

class ImageBuilder : public ::testing::Test {
protected:
    void file(const std::string& name, const std::string& content) { writeFile(dir / name, content); }
    Bytes build() { return BuildConfigImage(dir.path()).bytes; }
    std::string failure() {
        try {
            BuildConfigImage(dir.path());
        } catch (const ImageBuildError& error) {
            return error.what();
        }
        return "<built>";
    }
    TempDir dir;
};

TEST_F(ImageBuilder, WorkedExampleToTheByte) {
    ConfigImage image = BuildConfigImage(testing::examplesDir() / "Boat1");
    EXPECT_THAT(image.bytes, ElementsAreArray(kWorkedExample));
    EXPECT_EQ(image.receiveFrames, 3u);
    EXPECT_EQ(image.transmitFrames, 1u);
    EXPECT_EQ(image.receiveMappings, 2u);
    EXPECT_EQ(image.transmitMappings, 1u);
    EXPECT_TRUE(image.warnings.empty());
}

TEST_F(ImageBuilder, EmptyProjectIsHeaderAndDeletedSet) {
    Bytes image = build();
    EXPECT_EQ(image.size(), 60u);
    EXPECT_THAT(header(image), ElementsAre(28, 28, 28, 28, 28, 28, 60));
}

TEST_F(ImageBuilder, OnlyParametersGiveNinetyFourBytesWithZeroCounts) {
    file("pargen.xml", pargen(kRequiredParameters));
    Bytes image = build();
    ASSERT_EQ(image.size(), 94u);
    EXPECT_THAT(header(image), ElementsAre(28, 28, 28, 28, 28, 62, 94));
    // Defaults of the optional elements: time-out register 1, everything else 0 (RS485).
    EXPECT_THAT(slice(image, 28, 34), ElementsAre(5, 1, 3, 0, 1, 0xE8, 0x03, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
}

TEST_F(ImageBuilder, ParameterEncodings) {
    file("Pargen.xml",
         pargen(kRequiredParameters +
                "<TimeOut_Data>0x20</TimeOut_Data><TO_ModReg>abc</TO_ModReg><Peer_to_Peer>1</Peer_to_Peer>"
                "<Serial>0</Serial><Write_J1939>1</Write_J1939><En_Rem_Req>1</En_Rem_Req>"
                "<Pri_Des>300</Pri_Des><PGN1>301</PGN1><PGN2>302</PGN2><SA>303</SA>"
                "<Send_Every>1</Send_Every><SE_ms>500</SE_ms><HW_Type>1</HW_Type><Extra>9</Extra>"));
    Bytes p = slice(build(), 28, 34);
    EXPECT_EQ(p[0], 5) << "list position 4 (250 kbit/s) is stored as 5";
    EXPECT_EQ(p[7], 0x20);
    EXPECT_EQ(u16(p, 8), 1u) << "a time-out register that is not an integer takes its default";
    EXPECT_EQ(p[10], 1);
    EXPECT_EQ(p[11], 1) << "RS232 (Serial 0) is stored as 1";
    EXPECT_EQ(p[12], 1);
    EXPECT_EQ(p[13], 1);
    EXPECT_EQ(u16(p, 14), 300u);
    EXPECT_EQ(u16(p, 20), 303u);
    EXPECT_EQ(p[22], 1);
    EXPECT_EQ(u16(p, 23), 500u);
    EXPECT_EQ(p[25], 1);
}

TEST_F(ImageBuilder, SerialRs485AndUnreadableSerialAreStoredAsZero) {
    for (const char* serial : {"<Serial>1</Serial>", "<Serial>x</Serial>", "<Serial>256</Serial>", ""}) {
        file("pargen.xml", pargen(kRequiredParameters + serial));
        EXPECT_EQ(build()[28 + 11], serial == std::string("<Serial>256</Serial>") ? 1 : 0) << serial;
    }
}

TEST_F(ImageBuilder, DeletedFrameKeepsItsRecordLengthAndIdentifier) {
    file("RCobDef.xml",
         table("COBID", receiveRow("1", "0xF801", "1") + receiveRow("1", "0xF802", "2", "N", "Y", "1", "20", "Y") +
                            receiveRow("1", "0xF803", "3")));
    Bytes image = build();
    EXPECT_EQ(u16(image, 28 + 11 + 9), 8u);
    EXPECT_EQ(u16(image, 28 + 22 + 9), 28u) << "the deleted frame's 20 bytes still count";
    std::size_t deleted = u32(image, 20);
    EXPECT_EQ(image[deleted], 0x02);
    std::size_t identifiers = u32(image, 24);
    EXPECT_EQ(u32(image, identifiers + 4), 0x01F80202u);
}

TEST_F(ImageBuilder, ZeroLengthPacketGivesItsSuccessorTheSamePosition) {
    file("RCobDef.xml", table("COBID", receiveRow("0", "1", "1", "Y", "N", "1", "0") +
                                           receiveRow("0", "2", "1", "N", "Y", "1", "0") + receiveRow("0", "3", "1")));
    Bytes image = build();
    EXPECT_EQ(u16(image, 28 + 9), 0u);
    EXPECT_EQ(u16(image, 28 + 11 + 9), 0u);
    EXPECT_EQ(u16(image, 28 + 22 + 9), 0u);
    EXPECT_EQ(image[28 + 4], 1);
    EXPECT_EQ(image[28 + 11 + 4], 2);
}

TEST_F(ImageBuilder, SingleFramesNeedNoStartByteNorFastPacket) {
    file("RCobDef.xml",
         "<COBID><row DataPage=\"1\" PGN=\"0xF200\" ID_DEV=\"0\" MultiFrame=\"n\" Delete=\"y\"/>"
         "<row DataPage=\"1\" PGN=\"0xF201\" ID_DEV=\"0\" MultiFrame=\"N\" StartByte=\"7\" NByte=\"9\""
         " Delete=\"N\"/></COBID>");
    Bytes image = build();
    EXPECT_THAT(slice(image, 28, 11), ElementsAre(1, 0x00, 0xF2, 0, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_THAT(slice(image, 39 + 4, 5), ElementsAre(0, 0, 0, 0, 0)) << "start byte and count not stored";
    EXPECT_EQ(u16(image, 39 + 9), 8u);
    EXPECT_EQ(image[u32(image, 20)], 1) << "a lower-case y counts as Y";
}

TEST_F(ImageBuilder, PeerToPeerClearsTheSourceAddressesBeforeSorting) {
    file("RCobDef.xml", table("COBID", receiveRow("1", "0xF801", "35") + receiveRow("0", "0xEE00", "7") +
                                           receiveRow("1", "0xF801", "36")));
    file("pargen.xml", pargen(kRequiredParameters + "<Peer_to_Peer>1</Peer_to_Peer>"));
    Bytes image = build();
    std::size_t at = u32(image, 24);
    EXPECT_EQ(u32(image, at), 0x00EE0000u);
    EXPECT_EQ(u32(image, at + 4), 0x01F80100u);
    EXPECT_EQ(u32(image, at + 8), 0x01F80100u);

    file("pargen.xml", pargen(kRequiredParameters + "<Peer_to_Peer>257</Peer_to_Peer>"));
    EXPECT_EQ(u32(build(), at + 4), 0x01F80100u) << "the flag's low 8 bits decide";
    file("pargen.xml", pargen(kRequiredParameters + "<Peer_to_Peer>2</Peer_to_Peer>"));
    EXPECT_EQ(u32(build(), at + 4), 0x01F80123u);
}

TEST_F(ImageBuilder, IdentifiersSortAsUnsignedNumbers) {
    file("RCobDef.xml", table("COBID", receiveRow("0x80", "0", "0") + receiveRow("1", "0xFFFF", "0xFF") +
                                           receiveRow("-1", "-1", "-1")));
    Bytes image = build();
    std::size_t at = u32(image, 24);
    EXPECT_EQ(u32(image, at), 0x01FFFFFFu);
    EXPECT_EQ(u32(image, at + 4), 0x80000000u);
    EXPECT_EQ(u32(image, at + 8), 0xFFFFFFFFu);
}

TEST_F(ImageBuilder, RegisterMapsPackTheirPositions) {
    file("RCobDef.xml", table("COBID", receiveRow("1", "1", "1") + receiveRow("1", "2", "1", "Y", "N", "1", "300")));
    file("RInfoCob.xml", table("RInfoCob",
                               "<row Index=\"0x1A\" NrPdo=\"2\" PosComp=\"131073\"/>"
                               "<row Index=\"65536\" NrPdo=\"1\" PosComp=\"0\"/>"));
    file("TInfoCob.xml", table("TInfoCob",
                               "<row Index=\"100\" NrPdo=\"258\" PosComp=\"0x121\" Write_J1939=\"1\"/>"
                               "<row Index=\"101\" NrPdo=\"1\" PosComp=\"33\"/>"
                               "<row Index=\"102\" NrPdo=\"1\" PosComp=\"33\" Write_J1939=\"\"/>"
                               "<row Index=\"103\" NrPdo=\"1\" PosComp=\"33\" Write_J1939=\"yes\"/>"));
    Bytes image = build();
    std::size_t receive = u32(image, 8);
    EXPECT_THAT(slice(image, receive, 8), ElementsAre(0x1A, 0, 8, 0, 0x02, 0x00, 0x01, 0x00));
    EXPECT_THAT(slice(image, receive + 8, 8), ElementsAre(0, 0, 0, 0, 0, 0, 0, 0)) << "Index keeps its low 16 bits";
    std::size_t transmit = u32(image, 12);
    EXPECT_THAT(slice(image, transmit, 5), ElementsAre(100, 0, 2, 0x21, 1));
    EXPECT_EQ(image[transmit + 9], 0);
    EXPECT_EQ(image[transmit + 14], 0);
    EXPECT_EQ(image[transmit + 19], 0);
}

TEST_F(ImageBuilder, TransmitIdentifierIsComputedModulo32Bits) {
    file("TCobDef.xml", table("COBID",
                              "<row Priority=\"7\" DP=\"1\" PGN=\"0xFFFF\" ID_DEV=\"255\" Mnemonic=\"\"/>"
                              "<row Priority=\"0x40\" DP=\"0\" PGN=\"0x1F802\" ID_DEV=\"0\" Mnemonic=\"\"/>"));
    Bytes image = build();
    EXPECT_EQ(u32(image, 28), 0x1DFFFFFFu);
    EXPECT_EQ(u32(image, 32), 0x01F80200u) << "the priority overflows out of 32 bits";
}

// A value wider than its field keeps its low bits, as the device has always been given it, and the
// build says so at its place, with what the device gets.
TEST_F(ImageBuilder, ValuesTheirFieldsCannotHoldAreBuiltAndWarnedAbout) {
    // 37 frames of 1,784 bytes put the 38th frame's data beyond the 2-byte data position.
    std::string receive;
    for (int i = 0; i < 38; ++i) receive += receiveRow("1", "0xF805", "1", "Y", "N", "1", "1784");
    file("RCobDef.xml", table("COBID", receive));
    file("TCobDef.xml", table("COBID", "<row Priority=\"3\" DP=\"1\" PGN=\"129026\" ID_DEV=\"36\" Mnemonic=\"\"/>"));
    file("TInfoCob.xml", table("TInfoCob", "<row Index=\"70000\" NrPdo=\"1\" PosComp=\"33\" Write_J1939=\"256\"/>"));
    file("pargen.xml", pargen("<BaudRateCAN>255</BaudRateCAN><CANType>1</CANType><Baud_Ser>3</Baud_Ser>"
                              "<Par_Ser>0</Par_Ser><IDDev_Ser>300</IDDev_Ser><TimeOut_Ser>-1</TimeOut_Ser>"
                              "<Serial>256</Serial>"));
    ConfigImage image = BuildConfigImage(dir.path());
    EXPECT_EQ(u32(image.bytes, u32(image.bytes, 4)), 0x0EF80224u) << "the PGN's 17th bit lands beyond, as ever";
    std::vector<std::string> messages;
    for (const ImageWarning& warning : image.warnings) messages.push_back(warning.message());
    EXPECT_THAT(
        messages,
        ElementsAre(
            "Receive NMEA, row 38: its data begins at byte 66008 of the frames' data, beyond the image's 2-byte data "
            "position "
            "(0 to 65535): the device takes the data of this frame and the frames after it from the wrong place "
            "(RCobDef.xml row 38)",
            "Transmit NMEA, row 1, PGN is 129026, which does not fit its 16 bits of the CAN identifier (0 to 65535); "
            "the device sends priority 3, the extended data page bit set, data page 0, PGN 0xF802, source address "
            "36 (0x0EF80224) (TCobDef.xml row 1, PGN)",
            HasSubstr("is 70000, which does not fit the image's 2-byte field (0 to 65535); the device gets 4464 "
                      "(TInfoCob.xml row 1, Index)"),
            HasSubstr("is 256, which does not fit the image's 1-byte field (0 to 255); the device gets 0 "
                      "(TInfoCob.xml row 1, Write_J1939)"),
            HasSubstr("is 255, which does not fit the image's 1-byte field (0 to 254); the device gets 0 "
                      "(pargen.xml, BaudRateCAN)"),
            HasSubstr("is 300, which does not fit the image's 1-byte field (0 to 255); the device gets 44 "
                      "(pargen.xml, IDDev_Ser)"),
            HasSubstr("is -1, which does not fit the image's 2-byte field (0 to 65535); the device gets 65535 "
                      "(pargen.xml, TimeOut_Ser)"),
            HasSubstr("is 256, which does not fit the byte the device reads (0 to 255); the device takes its low "
                      "byte 0, RS232 (pargen.xml, Serial)")));
}

TEST_F(ImageBuilder, TwoHundredFiftyFramesBuildAndTheLastDeletedBitIsInByte31) {
    std::string rows;
    for (int i = 0; i < 249; ++i) rows += receiveRow("0", std::to_string(i), "1");
    rows += receiveRow("0", "249", "1", "N", "N", "", "", "Y");
    file("RCobDef.xml", table("COBID", rows));
    Bytes image = build();
    std::size_t deleted = u32(image, 20);
    EXPECT_EQ(image[deleted + 31], 0x02);
    EXPECT_EQ(u16(image, 28 + 249 * 11 + 9), 249u * 8);

    file("RCobDef.xml", table("COBID", rows + receiveRow("0", "250", "1")));
    EXPECT_EQ(failure(), "Receive NMEA: the table has 251 receive frames; the device takes at most 250 (RCobDef.xml)");
}

TEST_F(ImageBuilder, ImageOverTheDeviceLimitIsRefused) {
    file("RCobDef.xml", table("COBID", receiveRow("0", "1", "1")));
    std::string rows;
    for (int i = 0; i < 8200; ++i) rows += "<row Index=\"" + std::to_string(i) + "\" NrPdo=\"1\" PosComp=\"1\"/>";
    file("RInfoCob.xml", table("RInfoCob", rows));
    EXPECT_THAT(failure(), HasSubstr("65535 bytes"));
}

TEST_F(ImageBuilder, MappingThatNamesNoFrameFails) {
    file("RCobDef.xml", table("COBID", receiveRow("0", "1", "1") + receiveRow("0", "2", "1")));
    file("RInfoCob.xml", table("RInfoCob",
                               "<row Index=\"1\" NrPdo=\"1\" PosComp=\"1\"/>"
                               "<row Index=\"2\" NrPdo=\"3\" PosComp=\"1\"/>"));
    EXPECT_EQ(
        failure(),
        "Define NMEA (receive), Correlated frame 3 does not exist: Receive NMEA has 2 frames (RInfoCob.xml row 2, "
        "NrPdo)");
    file("RInfoCob.xml", table("RInfoCob", "<row Index=\"1\" NrPdo=\"0\" PosComp=\"1\"/>"));
    EXPECT_THAT(failure(), HasSubstr("Correlated frame 0 does not exist"));
    fs::remove(dir / "RCobDef.xml");
    file("RInfoCob.xml", table("RInfoCob", "<row Index=\"1\" NrPdo=\"1\" PosComp=\"1\"/>"));
    EXPECT_THAT(failure(), HasSubstr("Receive NMEA has 0 frames"));
}

TEST_F(ImageBuilder, MalformedFileIsNamedWithTheParsersLine) {
    file("tcobdef.XML", "<COBID>\n<row Priority=\"1\">\n</COBID>");
    std::string message = failure();
    EXPECT_THAT(message, HasSubstr("Transmit NMEA: TCobDef.xml: not a well-formed XML file"));
    EXPECT_THAT(message, HasSubstr("line 3"));
}

struct RequiredValue {
    const char* file;
    const char* content;
    const char* message;
};

class RequiredValues : public ::testing::TestWithParam<RequiredValue> {};

const std::string kFrame = receiveRow("1", "2", "3");

TEST_P(RequiredValues, MissingOrNotIntegerFailsNamingFileRowAndAttribute) {
    TempDir dir;
    writeFile(dir / "RCobDef.xml", table("COBID", kFrame + kFrame));
    writeFile(dir / GetParam().file, GetParam().content);
    try {
        BuildConfigImage(dir.path());
        FAIL() << "built despite " << GetParam().content;
    } catch (const ImageBuildError& error) {
        EXPECT_STREQ(error.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, RequiredValues,
    ::testing::Values(
        RequiredValue{"RCobDef.xml", "<COBID><row PGN=\"1\" ID_DEV=\"1\" MultiFrame=\"N\" Delete=\"N\"/></COBID>",
                      "Receive NMEA, row 1, Data Page is missing (RCobDef.xml row 1, DataPage)"},
        RequiredValue{"RCobDef.xml",
                      "<COBID><row DataPage=\"1\" PGN=\"1\" ID_DEV=\"1\" MultiFrame=\"N\" Delete=\"N\"/>"
                      "<row DataPage=\"1\" PGN=\"1A\" ID_DEV=\"1\" MultiFrame=\"N\" Delete=\"N\"/></COBID>",
                      "Receive NMEA, row 2, PGN is not a valid integer: '1A' (RCobDef.xml row 2, PGN)"},
        // Flag boxes never ticked leave the address blank, which the window lets pass.
        RequiredValue{"RCobDef.xml",
                      "<COBID><row DataPage=\"1\" PGN=\"1\" ID_DEV=\"\" MultiFrame=\"\" Delete=\"N\"/></COBID>",
                      "Receive NMEA, row 1, Source Address is empty (RCobDef.xml row 1, ID_DEV)"},
        RequiredValue{"RCobDef.xml", "<COBID><row DataPage=\"1\" PGN=\"1\" MultiFrame=\"N\" Delete=\"N\"/></COBID>",
                      "Receive NMEA, row 1, Source Address is missing (RCobDef.xml row 1, ID_DEV)"},
        RequiredValue{"RCobDef.xml", "<COBID><row DataPage=\"1\" PGN=\"1\" ID_DEV=\"1\" Delete=\"N\"/></COBID>",
                      "Receive NMEA, row 1, Multi Packet is missing (RCobDef.xml row 1, MultiFrame)"},
        RequiredValue{"RCobDef.xml", "<COBID><row DataPage=\"1\" PGN=\"1\" ID_DEV=\"1\" MultiFrame=\"N\"/></COBID>",
                      "Receive NMEA, row 1, Cancel Data is missing (RCobDef.xml row 1, Delete)"},
        RequiredValue{"RCobDef.xml",
                      "<COBID><row DataPage=\"1\" PGN=\"1\" ID_DEV=\"1\" MultiFrame=\"Y\" StartByte=\"\" NByte=\"3\""
                      " Delete=\"N\"/></COBID>",
                      "Receive NMEA, row 1, Start Byte is empty (RCobDef.xml row 1, StartByte)"},
        RequiredValue{"RCobDef.xml",
                      "<COBID><row DataPage=\"1\" PGN=\"1\" ID_DEV=\"1\" MultiFrame=\"N\" FastPacket=\"Y\""
                      " StartByte=\"1\" Delete=\"N\"/></COBID>",
                      "Receive NMEA, row 1, N° Byte is missing (RCobDef.xml row 1, NByte)"},
        RequiredValue{"TCobDef.xml", "<COBID><row DP=\"1\" PGN=\"1\" ID_DEV=\"1\"/></COBID>",
                      "Transmit NMEA, row 1, Priority is missing (TCobDef.xml row 1, Priority)"},
        RequiredValue{"TCobDef.xml", "<COBID><row Priority=\"3\" DP=\"one\" PGN=\"1\" ID_DEV=\"1\"/></COBID>",
                      "Transmit NMEA, row 1, Data Page is not a valid integer: 'one' (TCobDef.xml row 1, DP)"},
        RequiredValue{"TCobDef.xml", "<COBID><row Priority=\"3\" DP=\"1\" ID_DEV=\"1\"/></COBID>",
                      "Transmit NMEA, row 1, PGN is missing (TCobDef.xml row 1, PGN)"},
        RequiredValue{"TCobDef.xml", "<COBID><row Priority=\"3\" DP=\"1\" PGN=\"1\" ID_DEV=\"1 \"/></COBID>",
                      "Transmit NMEA, row 1, Source Address is not a valid integer: '1 ' (TCobDef.xml row 1, ID_DEV)"},
        RequiredValue{"RInfoCob.xml", "<RInfoCob><row NrPdo=\"1\" PosComp=\"1\"/></RInfoCob>",
                      "Define NMEA (receive), frame 1, Index MODBUS is missing (RInfoCob.xml row 1, Index)"},
        RequiredValue{
            "RInfoCob.xml", "<RInfoCob><row Index=\"1\" NrPdo=\"x\" PosComp=\"1\"/></RInfoCob>",
            "Define NMEA (receive), Correlated frame is not a valid integer: 'x' (RInfoCob.xml row 1, NrPdo)"},
        RequiredValue{"RInfoCob.xml", "<RInfoCob><row Index=\"1\" NrPdo=\"1\"/></RInfoCob>",
                      "Define NMEA (receive), frame 1, High MODBUS Byte and Low MODBUS Byte is missing (RInfoCob.xml "
                      "row 1, PosComp)"},
        RequiredValue{"TInfoCob.xml", "<TInfoCob><row Index=\"\" NrPdo=\"1\" PosComp=\"1\"/></TInfoCob>",
                      "Define NMEA (transmit), Index MODBUS is empty (TInfoCob.xml row 1, Index)"},
        RequiredValue{"TInfoCob.xml", "<TInfoCob><row Index=\"1\" PosComp=\"1\"/></TInfoCob>",
                      "Define NMEA (transmit), Correlated frame is missing (TInfoCob.xml row 1, NrPdo)"},
        RequiredValue{"TInfoCob.xml", "<TInfoCob><row Index=\"1\" NrPdo=\"1\" PosComp=\"$\"/></TInfoCob>",
                      "Define NMEA (transmit), High MODBUS Byte and Low MODBUS Byte is not a valid integer: '$' "
                      "(TInfoCob.xml row 1, PosComp)"},
        RequiredValue{"pargen.xml",
                      "<GeneralParameter><CANType>1</CANType><Baud_Ser>3</Baud_Ser><Par_Ser>0</Par_Ser>"
                      "<IDDev_Ser>1</IDDev_Ser><TimeOut_Ser>1000</TimeOut_Ser></GeneralParameter>",
                      "Set Communication, Baud rate (NMEA2000) is missing (pargen.xml, BaudRateCAN)"},
        RequiredValue{"pargen.xml",
                      "<GeneralParameter><BaudRateCAN>4</BaudRateCAN><CANType/><Baud_Ser>3</Baud_Ser>"
                      "<Par_Ser>0</Par_Ser><IDDev_Ser>1</IDDev_Ser><TimeOut_Ser>1000</TimeOut_Ser></GeneralParameter>",
                      "Set Communication, CAN Bus 2.0B (CobID 29Bit) is empty (pargen.xml, CANType)"},
        RequiredValue{"pargen.xml",
                      "<GeneralParameter><BaudRateCAN>4</BaudRateCAN><CANType>1</CANType><Par_Ser>0</Par_Ser>"
                      "<IDDev_Ser>1</IDDev_Ser><TimeOut_Ser>1000</TimeOut_Ser></GeneralParameter>",
                      "Set Communication, Baud rate (Serial) is missing (pargen.xml, Baud_Ser)"},
        RequiredValue{"pargen.xml",
                      "<GeneralParameter><BaudRateCAN>4</BaudRateCAN><CANType>1</CANType><Baud_Ser>3</Baud_Ser>"
                      "<Par_Ser>N</Par_Ser><IDDev_Ser>1</IDDev_Ser><TimeOut_Ser>1000</TimeOut_Ser></GeneralParameter>",
                      "Set Communication, Parity is not a valid integer: 'N' (pargen.xml, Par_Ser)"},
        RequiredValue{"pargen.xml",
                      "<GeneralParameter><BaudRateCAN>4</BaudRateCAN><CANType>1</CANType><Baud_Ser>3</Baud_Ser>"
                      "<Par_Ser>0</Par_Ser><TimeOut_Ser>1000</TimeOut_Ser></GeneralParameter>",
                      "Set Communication, Dev ID is missing (pargen.xml, IDDev_Ser)"},
        RequiredValue{
            "pargen.xml",
            "<GeneralParameter><BaudRateCAN>4</BaudRateCAN><CANType>1</CANType><Baud_Ser>3</Baud_Ser>"
            "<Par_Ser>0</Par_Ser><IDDev_Ser>1</IDDev_Ser><TimeOut_Ser>1 s</TimeOut_Ser></GeneralParameter>",
            "Set Communication, Timeout  (ms) (not shown) is not a valid integer: '1 s' (pargen.xml, TimeOut_Ser)"}));

TEST(ImageWriter, WritesIntoTheBinFolderAndReportsAMissingOne) {
    TempDir dir;
    ConfigImage image = BuildConfigImage(dir.path());
    EXPECT_THROW(WriteConfigImage(image, dir.path()), FileError);
    EXPECT_FALSE(fs::exists(dir / "bin"));
    fs::create_directory(dir / "bin");
    WriteConfigImage(image, dir.path());
    EXPECT_EQ(testing::readFile(dir / "bin" / "bank.bin").size(), 60u);
}

}  // namespace
}  // namespace telvanor
