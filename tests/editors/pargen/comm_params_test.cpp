#include "editors/pargen/comm_params.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "editors/pargen/pargen_file.h"
#include "project/atomic_file.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::pargenWith;
using testing::readFile;
using testing::spellingsIn;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

class LoadCommParamsTest : public ::testing::Test {
protected:
    CommParamsLoad load(const std::string& content, const CommParams& shown = {}) {
        writeFile(dir / "pargen.xml", content);
        return LoadCommParams(dir / "pargen.xml", shown);
    }
    CommParams loaded(const std::map<std::string, std::string>& replaced) {
        CommParamsLoad result = load(pargenWith(replaced));
        EXPECT_EQ(result.outcome, CommParamsOutcome::Loaded);
        return result.params;
    }

    TempDir dir;
};

TEST_F(LoadCommParamsTest, NoFileAndNoGeneralParameterGiveDifferentValues) {
    CommParams shown;
    shown.TimeOut_Ser = "250";
    shown.IDDev_Ser = "77";
    CommParamsLoad none = LoadCommParams(dir / "pargen.xml", shown);
    EXPECT_EQ(none.outcome, CommParamsOutcome::NoFile);
    EXPECT_FALSE(none.canTypeEnabled);
    CommParams newProject;           // 250 kbit/s, 2.0B, 9600, NONE, "1", RS485, A1, ...
    newProject.TimeOut_Ser = "250";  // left as it was shown
    EXPECT_EQ(none.params, newProject);

    CommParamsLoad rootless = load("<?xml version=\"1.0\"?>\n<Other><BaudRateCAN>4</BaudRateCAN></Other>", shown);
    EXPECT_EQ(rootless.outcome, CommParamsOutcome::Loaded);
    EXPECT_FALSE(rootless.canTypeEnabled);
    CommParams fallbacks;
    fallbacks.BaudRateCAN = 0;  // not the 4 of a new project
    EXPECT_EQ(rootless.params, fallbacks);
    EXPECT_THAT(rootless.notes, Contains(HasSubstr("no GeneralParameter element")));
}

TEST_F(LoadCommParamsTest, EachElementFallsBackByItself) {
    CommParams p = loaded({{"BaudRateCAN", "6"},
                           {"IDDev_Ser", "<absent>"},
                           {"SE_ms", ""},
                           {"TimeOut_Data", "12"},
                           {"Serial", "<absent>"},
                           {"Baud_Ser", "seven"},
                           {"TO_ModReg", " 0x1A"}});
    EXPECT_EQ(p.BaudRateCAN, 6);
    EXPECT_EQ(p.IDDev_Ser, "1");
    EXPECT_EQ(p.SE_ms, "1000");  // an element without text counts as unreadable
    EXPECT_EQ(p.TimeOut_Data, "12");
    EXPECT_TRUE(p.Serial);
    EXPECT_EQ(p.Baud_Ser, 3);
    EXPECT_EQ(p.TO_ModReg, " 0x1A");  // texts are kept as they stand
}

TEST_F(LoadCommParamsTest, ListPositionsOutsideTheListSelectNothing) {
    std::vector<std::pair<std::string, int>> bitRates = {{"", 0},    {"abc", 0}, {"9", -1},  {"8", -1},
                                                         {"-1", -1}, {"7", 7},   {"0x5", 5}, {" 2", 2}};
    for (const auto& [text, position] : bitRates)
        EXPECT_EQ(loaded({{"BaudRateCAN", text}}).BaudRateCAN, position) << text;
    EXPECT_EQ(loaded({{"Baud_Ser", "8"}}).Baud_Ser, -1);
    EXPECT_EQ(loaded({{"Par_Ser", "3"}}).Par_Ser, -1);
    EXPECT_EQ(loaded({{"Par_Ser", "2 "}}).Par_Ser, 0);
}

TEST_F(LoadCommParamsTest, CanTypeComesBackAs2BAndFlagsNeedExactlyOne) {
    CommParamsLoad zero = load(pargenWith({{"CANType", "0"}}));
    EXPECT_TRUE(zero.params.CANType);
    EXPECT_TRUE(zero.canTypeEnabled);
    EXPECT_FALSE(load(pargenWith({{"CANType", "B"}})).canTypeEnabled);
    SaveCommParams(dir / "pargen.xml", zero.params);
    EXPECT_THAT(readFile(dir / "pargen.xml"), HasSubstr("<CANType>1</CANType>"));

    const char* flags[] = {"Peer_to_Peer", "Write_J1939", "En_Rem_Req", "Send_Every", "Serial", "HW_Type"};
    for (const char* text : {"01", " 1", "1 ", "true", "2"}) {
        std::map<std::string, std::string> replaced;
        for (const char* flag : flags) replaced[flag] = text;
        CommParams p = loaded(replaced);
        EXPECT_FALSE(p.Peer_to_Peer || p.Write_J1939 || p.En_Rem_Req || p.Send_Every || p.Serial || p.HW_Type) << text;
    }
    std::map<std::string, std::string> on;
    for (const char* flag : flags) on[flag] = "1";
    CommParams p = loaded(on);
    EXPECT_TRUE(p.Peer_to_Peer && p.Write_J1939 && p.En_Rem_Req && p.Send_Every && p.Serial && p.HW_Type);
}

TEST_F(LoadCommParamsTest, FileThatDoesNotParseLeavesTheShownValues) {
    CommParams shown;
    shown.IDDev_Ser = "42";
    CommParamsLoad result = load("<GeneralParameter><BaudRateCAN>4</GeneralParameter>", shown);
    EXPECT_EQ(result.outcome, CommParamsOutcome::Unreadable);
    EXPECT_THAT(result.failure, HasSubstr("line 1"));
    EXPECT_EQ(result.params.IDDev_Ser, "42");
    EXPECT_FALSE(result.params.CANType);  // 2.0A is selected before reading, and stays
}

TEST(SaveCommParams, WritesTheNineteenElementsInOrderAndReadsThemBack) {
    TempDir dir;
    CommParams p{-1,   false, 7,     2,     " 12", "500", "0x10", "100", true, false,
                 true, true,  "101", "102", "103", "",    true,   "250", true};
    SaveCommParams(dir / "pargen.xml", p);
    EXPECT_EQ(readFile(dir / "pargen.xml"),
              "<GeneralParameter><BaudRateCAN>-1</BaudRateCAN><CANType>0</CANType><Baud_Ser>7</Baud_Ser>"
              "<Par_Ser>2</Par_Ser><IDDev_Ser> 12</IDDev_Ser><TimeOut_Ser>500</TimeOut_Ser>"
              "<TimeOut_Data>0x10</TimeOut_Data><TO_ModReg>100</TO_ModReg><Peer_to_Peer>1</Peer_to_Peer>"
              "<Serial>0</Serial><Write_J1939>1</Write_J1939><En_Rem_Req>1</En_Rem_Req><Pri_Des>101</Pri_Des>"
              "<PGN1>102</PGN1><PGN2>103</PGN2><SA></SA><Send_Every>1</Send_Every><SE_ms>250</SE_ms>"
              "<HW_Type>1</HW_Type></GeneralParameter>");
    CommParams expected = p;
    expected.CANType = true;
    expected.SA = "0";
    EXPECT_EQ(LoadCommParams(dir / "pargen.xml").params, expected);

    EXPECT_THROW(SaveCommParams(dir / "gone" / "pargen.xml", p), FileError);
}

TEST(SaveCommParams, ReplacesTheFileThatIsThereAndDropsUnknownElements) {
    TempDir dir;
    writeFile(dir / "PARGEN.XML", pargenWith().insert(18, "<Extra>5</Extra>"));
    CommParamsLoad load = LoadCommParams(dir / "pargen.xml");
    EXPECT_THAT(load.notes, Contains("Extra is not a communication parameter; OK drops it"));
    SaveCommParams(dir / "pargen.xml", load.params);
    EXPECT_THAT(spellingsIn(dir.path(), "pargen.xml"), ElementsAre("PARGEN.XML"));
    EXPECT_EQ(readFile(dir / "PARGEN.XML"), pargenWith());
}

// Every message has a project of its own in the tests of `check`; here the limits and order.
std::string refusal(const CommParams& p) { return Controllo_Dati(p).value_or("valid"); }

TEST(ControlloDati, RangeLimits) {
    const std::string timeout = "Error! The Time Out Data must to be between 0 and 255 seconds";
    const std::string reg = "Error! The Modbus Register must to be between 1 and 65535";
    const std::string period = "Error! The Send Frame Every must to be between 1 and 65535 ms";
    struct Case {
        std::string CommParams::*field;
        std::string text;
        std::string expected;
    };
    for (const Case& c : std::vector<Case>{{&CommParams::TimeOut_Data, "255", "valid"},
                                           {&CommParams::TimeOut_Data, "0xFF", "valid"},
                                           {&CommParams::TimeOut_Data, "256", timeout},
                                           {&CommParams::TimeOut_Data, "-1", timeout},
                                           {&CommParams::TimeOut_Data, "", timeout},
                                           {&CommParams::TimeOut_Data, "1 ", timeout},
                                           {&CommParams::TO_ModReg, "65535", "valid"},
                                           {&CommParams::TO_ModReg, "65536", reg},
                                           {&CommParams::TO_ModReg, "0", reg},
                                           {&CommParams::SE_ms, "65535", "valid"},
                                           {&CommParams::SE_ms, "0", period},
                                           {&CommParams::SE_ms, "65536", period}}) {
        CommParams p;  // periodic sending off: its period is checked all the same
        p.*c.field = c.text;
        EXPECT_EQ(refusal(p), c.expected) << c.text;
    }
    CommParams all;
    all.TimeOut_Data = "300";
    all.TO_ModReg = "0";
    all.SE_ms = "0";
    EXPECT_EQ(refusal(all), timeout);
}

TEST(ControlloDati, RemoteRequestRegistersCountOnlyWhenTicked) {
    CommParams p;
    p.Pri_Des = "0";
    p.SA = "not a number";
    p.PGN1 = p.PGN2 = "1";
    EXPECT_EQ(refusal(p), "valid");

    p.En_Rem_Req = true;
    p.TO_ModReg = p.Pri_Des = p.PGN1 = p.PGN2 = p.SA = "1";
    p.SE_ms = "0";
    EXPECT_EQ(refusal(p), "Error! The Modbus Register cannot be equal to Priority and Destination");
    p.Pri_Des = "0x2";
    p.SA = "2";  // equal as numbers, written differently
    p.PGN1 = "3";
    p.PGN2 = "4";
    EXPECT_EQ(refusal(p), "Error! The Priority and Destination cannot be equal to Source Address");
    p.SA = "65535";
    EXPECT_EQ(refusal(p), "Error! The Send Frame Every must to be between 1 and 65535 ms");
}

}  // namespace
}  // namespace telvanor
