#include <chrono>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "catalogue/pgn_catalogue.h"
#include "editors/pargen/pargen_file.h"
#include "report/project_report.h"
#include "report/report_writers.h"
#include "report/sample_project.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using testing::copySampleProject;
using ::testing::ElementsAre;
using testing::expectGolden;
using testing::fileTimeOf;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::pargenWith;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

std::string rcobdef(const std::string& rows) { return "<COBID>" + rows + "</COBID>"; }

std::string receiveRow(const std::string& dataPage, const std::string& pgn, const std::string& extra,
                       const std::string& mnemonic = "") {
    return "<row DataPage=\"" + dataPage + "\" PGN=\"" + pgn + "\" ID_DEV=\"35\" " + extra +
           " Delete=\"N\" Mnemonic=\"" + mnemonic + "\"/>";
}

std::string singleFrame(const std::string& dataPage, const std::string& pgn, const std::string& mnemonic = "") {
    return receiveRow(dataPage, pgn, "MultiFrame=\"N\" FastPacket=\"N\" StartByte=\"\" NByte=\"\"", mnemonic);
}

TEST(ProjectReportGolden, SampleProjectInEachFormat) {
    TempDir dir;
    ProjectReport report = BuildProjectReport(copySampleProject(dir));
    EXPECT_EQ(report.projectName, "Boat1");
    EXPECT_EQ(report.date, "2026-01-15");
    // The sample's made-up multi-packet address claim contradicts the PGN catalogue: warnings
    // only, nothing check would refuse.
    ASSERT_EQ(report.problems.size(), 2u);
    for (const CheckFinding& problem : report.problems) EXPECT_TRUE(problem.warning) << problem.message;
    expectGolden(htmlReport(report), "Boat1.html");
    expectGolden(markdownReport(report), "Boat1.md");
    expectGolden(csvReport(report), "Boat1.csv");
}

TEST(ProjectReport, DescribesTheSampleFramesAndRegisters) {
    TempDir dir;
    ProjectReport report = BuildProjectReport(copySampleProject(dir));
    ASSERT_EQ(report.receiveFrames.size(), 3u);
    const ReportReceiveFrame& position = report.receiveFrames[0];
    EXPECT_EQ(position.pgnHex, "0x1F801");
    EXPECT_EQ(position.pgnDecimal, "129025");
    EXPECT_EQ(position.framing, "single frame");
    EXPECT_EQ(position.bytes, "8");
    EXPECT_FALSE(position.deleted);
    EXPECT_EQ(report.receiveFrames[1].framing, "fast packet");
    EXPECT_EQ(report.receiveFrames[1].bytes, "43 from byte 1");
    EXPECT_TRUE(report.receiveFrames[1].deleted);
    EXPECT_EQ(report.receiveFrames[2].framing, "multi-packet");

    ASSERT_EQ(report.transmitFrames.size(), 1u);
    // Priority 3, data page 1, PGN 0xF802, source address 36.
    EXPECT_EQ(report.transmitFrames[0].identifier, "0x0DF80224");

    ASSERT_EQ(report.receiveRegisters.size(), 2u);
    const ReportRegister& first = report.receiveRegisters[0];
    EXPECT_EQ(first.registerDecimal, "0");
    EXPECT_EQ(first.registerHex, "0x0000");
    EXPECT_EQ(first.frameNumber, 1u);
    // PosComp 131073: high byte from byte 2, low byte from byte 1.
    EXPECT_EQ(first.high.position, "byte 2");
    EXPECT_EQ(first.low.position, "byte 1");
    const PgnInfo* info = PgnCatalogue::builtIn().find(129025);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(first.high.field, describeDataByte(*info, 2));
    EXPECT_FALSE(first.high.field.empty());

    ASSERT_EQ(report.transmitRegisters.size(), 1u);
    // PosComp 33 in the transmit map: bytes 2 and 1.
    EXPECT_EQ(report.transmitRegisters[0].high.position, "byte 2");
    EXPECT_EQ(report.transmitRegisters[0].low.position, "byte 1");
    EXPECT_EQ(report.transmitRegisters[0].write, "no");
}

TEST(ProjectReport, SortsRegistersByValueWithTextsThatAreNoNumbersLast) {
    TempDir dir;
    writeFile(dir / "RCobDef.xml", rcobdef(singleFrame("1", "0xF801") + singleFrame("1", "0xF802")));
    writeFile(dir / "RInfoCob.xml",
              "<RInfoCob><row Index=\"0x20\" NrPdo=\"1\" PosComp=\"1\"/><row Index=\"abc\" NrPdo=\"1\" PosComp=\"1\"/>"
              "<row Index=\"5\" NrPdo=\"2\" PosComp=\"1\"/><row Index=\"$10\" NrPdo=\"2\" PosComp=\"x\"/></RInfoCob>");
    ProjectReport report = BuildProjectReport(dir.path());
    std::vector<std::string> order;
    for (const ReportRegister& entry : report.receiveRegisters) order.push_back(entry.registerDecimal);
    EXPECT_THAT(order, ElementsAre("5", "16", "32", "abc"));
    EXPECT_EQ(report.receiveRegisters[1].registerHex, "0x0010");
    EXPECT_EQ(report.receiveRegisters[1].high.position, "'x' (not a number)");
    EXPECT_EQ(report.receiveRegisters[3].registerHex, "");
}

TEST(ProjectReport, ValuesOutsideTheirFieldsAreShownAsStoredNotCutToFit) {
    TempDir dir;
    writeFile(dir / "RCobDef.xml", rcobdef(singleFrame("1", "0x1F801") + singleFrame("2", "0xF801") +
                                           singleFrame("1", "-1") + singleFrame("0", "x")));
    writeFile(dir / "TCobDef.xml",
              "<COBID><row Priority=\"3\" DP=\"1\" PGN=\"0x1F802\" ID_DEV=\"36\" Mnemonic=\"\"/>"
              "<row Priority=\"3\" DP=\"1\" PGN=\"0xF802\" ID_DEV=\"y\" Mnemonic=\"\"/></COBID>");
    ProjectReport report = BuildProjectReport(dir.path());
    ASSERT_EQ(report.receiveFrames.size(), 4u);
    for (std::size_t i = 1; i < report.receiveFrames.size(); ++i) {
        EXPECT_EQ(report.receiveFrames[i].pgnDecimal, "") << i;
        EXPECT_EQ(report.receiveFrames[i].name, "") << i;
    }
    // A PGN typed whole, data page included, is named as typed, with what the table wants.
    EXPECT_EQ(report.receiveFrames[0].pgnHex, "0x1F801");
    EXPECT_EQ(report.receiveFrames[0].pgnDecimal, "129025");
    EXPECT_EQ(report.receiveFrames[0].name,
              "Position, Rapid Update; the table holds the PGN without its data page: Data Page 1, PGN 0xF801");
    EXPECT_EQ(report.receiveFrames[2].pgnHex, "-1");
    ASSERT_EQ(report.transmitFrames.size(), 2u);
    // The PGN with its data page bit typed into it spills into the data page of the identifier.
    EXPECT_EQ(report.transmitFrames[0].identifier, "0x0EF80224 (a part out of range)");
    EXPECT_EQ(report.transmitFrames[1].identifier, "");
}

TEST(ProjectReport, NamesTheFieldsOfAMultiPacketMessageFromItsStartByte) {
    TempDir dir;
    // Position 1 of the map is byte 3 of the message when the gateway handles it from byte 3.
    writeFile(dir / "RCobDef.xml",
              rcobdef(receiveRow("1", "0xF805", "MultiFrame=\"N\" FastPacket=\"Y\" StartByte=\"3\" NByte=\"8\"")));
    writeFile(dir / "RInfoCob.xml", "<RInfoCob><row Index=\"1\" NrPdo=\"1\" PosComp=\"65537\"/></RInfoCob>");
    ProjectReport report = BuildProjectReport(dir.path());
    const PgnInfo* info = PgnCatalogue::builtIn().find(129029);
    ASSERT_NE(info, nullptr);
    ASSERT_EQ(report.receiveRegisters.size(), 1u);
    EXPECT_EQ(report.receiveRegisters[0].high.field, describeDataByte(*info, 3));
    EXPECT_EQ(report.receiveFrames[0].bytes, "8 from byte 3");

    // A start byte no message reaches names no field instead of wrapping round to one.
    writeFile(
        dir / "RCobDef.xml",
        rcobdef(receiveRow("1", "0xF805", "MultiFrame=\"N\" FastPacket=\"Y\" StartByte=\"2147483647\" NByte=\"8\"")));
    report = BuildProjectReport(dir.path());
    ASSERT_EQ(report.receiveRegisters.size(), 1u);
    EXPECT_EQ(report.receiveRegisters[0].high.position, "byte 1");
    EXPECT_EQ(report.receiveRegisters[0].high.field, "");
}

TEST(ProjectReport, ProjectWithProblemsListsThemFirstAndStillReportsWhatItRead) {
    TempDir dir;
    writeFile(dir / "pargen.xml", pargenWith({{"TimeOut_Data", "256"}}));
    // The second row lacks its Delete attribute: the load stops there.
    writeFile(dir / "RCobDef.xml",
              rcobdef(singleFrame("1", "0xF801", "kept") +
                      "<row DataPage=\"1\" PGN=\"0xF802\" ID_DEV=\"1\" MultiFrame=\"N\" StartByte=\"\" NByte=\"\"/>"));
    ProjectReport report = BuildProjectReport(dir.path());
    ASSERT_GE(report.problems.size(), 2u);
    EXPECT_EQ(report.problems[0].file, "pargen.xml");
    EXPECT_THAT(report.problems[0].message,
                HasSubstr("\"Error! The Time Out Data must to be between 0 and 255 seconds\""));
    ASSERT_EQ(report.receiveFrames.size(), 1u);
    EXPECT_EQ(report.receiveFrames[0].mnemonic, "kept");
    ASSERT_TRUE(report.parameters.has_value());

    std::string html = htmlReport(report);
    std::size_t problems = html.find("Error! The Time Out Data");
    ASSERT_NE(problems, std::string::npos);
    EXPECT_LT(problems, html.find("Communication parameters"));
    EXPECT_THAT(html, HasSubstr("RCobDef.xml: "));

    std::string markdown = markdownReport(report);
    EXPECT_LT(markdown.find("## Problems"), markdown.find("## Communication parameters"));

    std::string csv = csvReport(report);
    EXPECT_LT(csv.find("Problem: pargen.xml: Set Communication, TimeOut Data"), csv.find("Register,Hex,"));
}

TEST(ProjectReport, SpecialCharactersAreEscapedInHtmlAndMarkdownAndQuotedInCsv) {
    TempDir dir;
    // <b>Tank & "Fuel", 'port'; 1|2</b> as an XML attribute holds it.
    const std::string mnemonic = "&lt;b&gt;Tank &amp; &quot;Fuel&quot;, 'port'; 1|2&lt;/b&gt;";
    writeFile(dir / "RCobDef.xml", rcobdef(singleFrame("1", "0xF801", mnemonic)));
    writeFile(dir / "RInfoCob.xml", "<RInfoCob><row Index=\"7\" NrPdo=\"1\" PosComp=\"1\"/></RInfoCob>");
    ProjectReport report = BuildProjectReport(dir.path());
    ASSERT_EQ(report.receiveFrames.size(), 1u);
    EXPECT_EQ(report.receiveFrames[0].mnemonic, "<b>Tank & \"Fuel\", 'port'; 1|2</b>");

    std::string html = htmlReport(report);
    EXPECT_THAT(html, HasSubstr("&lt;b&gt;Tank &amp; &quot;Fuel&quot;, &#39;port&#39;; 1|2&lt;/b&gt;"));
    EXPECT_THAT(html, Not(HasSubstr("<b>")));

    EXPECT_THAT(markdownReport(report), HasSubstr("\\<b\\>Tank \\& \"Fuel\", 'port'; 1\\|2\\</b\\>"));

    std::string comma = csvReport(report);
    EXPECT_THAT(comma, HasSubstr(",\"<b>Tank & \"\"Fuel\"\", 'port'; 1|2</b>\","));
    std::string semicolon = csvReport(report, ';');
    EXPECT_THAT(semicolon, HasSubstr(";\"<b>Tank & \"\"Fuel\"\", 'port'; 1|2</b>\";"));
    EXPECT_THAT(semicolon, HasSubstr("Register;Hex;Direction;"));
}

TEST(ProjectReport, EmptyFolderGivesAReportWithoutDateOrTables) {
    TempDir dir;
    ProjectReport report = BuildProjectReport(dir.path());
    EXPECT_EQ(report.date, "");
    EXPECT_FALSE(report.parameters.has_value());
    EXPECT_TRUE(report.receiveFrames.empty());
    std::string html = htmlReport(report);
    EXPECT_THAT(html, HasSubstr("The folder holds none of the project files."));
    EXPECT_THAT(html, HasSubstr("The project has no receive frames."));
    EXPECT_THAT(csvReport(report), HasSubstr("Register,Hex,"));
}

TEST(NewestProjectFileDate, TakesTheNewestProjectFileAndNoOtherFile) {
    using namespace std::chrono;
    TempDir dir;
    writeFile(dir / "pargen.xml", pargenWith());
    writeFile(dir / "rcobdef.xml", rcobdef(""));
    writeFile(dir / "notes.txt", "not a project file");
    fs::last_write_time(dir / "pargen.xml", fileTimeOf(sys_days{year{2025} / 3 / 1}));
    fs::last_write_time(dir / "rcobdef.xml", fileTimeOf(sys_days{year{2025} / 11 / 30} + hours{23}));
    fs::last_write_time(dir / "notes.txt", fileTimeOf(sys_days{year{2026} / 6 / 1}));
    EXPECT_EQ(newestProjectFileDate(dir.path()), "2025-11-30");
}

TEST(DescribeCommParams, SaysTheParametersInWords) {
    CommParams params;
    EXPECT_EQ(describeCommParams(params),
              "CAN 250 kbit/s, 29-bit identifiers; RS485 9600 baud, parity NONE, Modbus device ID 1; serial time-out "
              "1000 ms; data time-out 0 s, Modbus register 1; peer to peer off; write NMEA on request off; remote "
              "request off; send frame every off; hardware variant A1 (RM40915-A1)");
    params.BaudRateCAN = -1;
    params.Serial = false;
    params.Par_Ser = 2;
    params.En_Rem_Req = true;
    params.Pri_Des = "2";
    params.PGN1 = "3";
    params.PGN2 = "4";
    params.SA = "5";
    params.Send_Every = true;
    params.SE_ms = "500";
    params.HW_Type = true;
    std::string text = describeCommParams(params);
    EXPECT_THAT(text, HasSubstr("CAN not set (-1), "));
    EXPECT_THAT(text, HasSubstr("RS232 9600 baud, parity ODD"));
    EXPECT_THAT(text, HasSubstr("remote request on (registers: priority and destination 2, PGN part 1 3, PGN part 2 4, "
                                "source address 5)"));
    EXPECT_THAT(text, HasSubstr("send frame every 500 ms"));
    EXPECT_THAT(text, HasSubstr("hardware variant B2 (RM40915-B2)"));
}

}  // namespace
}  // namespace telvanor
