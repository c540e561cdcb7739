#include "editors/pargen/comm_params.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project/atomic_file.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

// A parameter file with every element, each value replaceable.
std::string pargenWith(const std::map<std::string, std::string>& replaced = {}) {
    std::vector<std::pair<std::string, std::string>> elements = {
        {"BaudRateCAN", "4"}, {"CANType", "1"},      {"Baud_Ser", "3"},     {"Par_Ser", "0"},    {"IDDev_Ser", "1"},
        {"TimeOut_Ser", "1000"}, {"TimeOut_Data", "0"}, {"TO_ModReg", "1"}, {"Peer_to_Peer", "0"}, {"Serial", "1"},
        {"Write_J1939", "0"}, {"En_Rem_Req", "0"},   {"Pri_Des", "0"},      {"PGN1", "0"},       {"PGN2", "0"},
        {"SA", "0"},          {"Send_Every", "0"},   {"SE_ms", "1000"},     {"HW_Type", "0"}};
    std::string text = "<GeneralParameter>";
    for (const auto& [name, value] : elements) {
        auto found = replaced.find(name);
        if (found == replaced.end())
            text += "<" + name + ">" + value + "</" + name + ">";
        else if (found->second != "<absent>")
            text += "<" + name + ">" + found->second + "</" + name + ">";
    }
    return text + "</GeneralParameter>";
}

class LoadCommParamsTest : public ::testing::Test {
protected:
    CommParamsLoad load(const std::string& content) {
        writeFile(file(), content);
        return LoadCommParams(file());
    }
    CommParams loaded(const std::map<std::string, std::string>& replaced) {
        CommParamsLoad result = load(pargenWith(replaced));
        EXPECT_EQ(result.outcome, CommParamsOutcome::Loaded);
        return result.params;
    }
    fs::path file() const { return dir / "pargen.xml"; }

    TempDir dir;
};

TEST_F(LoadCommParamsTest, NoFileGivesTheNewProjectValuesAndKeepsTheHiddenTimeout) {
    CommParams shown;
    shown.TimeOut_Ser = "250";
    shown.IDDev_Ser = "77";
    CommParamsLoad result = LoadCommParams(file(), shown);
    EXPECT_EQ(result.outcome, CommParamsOutcome::NoFile);
    EXPECT_FALSE(result.canTypeEnabled);
    CommParams expected;
    expected.TimeOut_Ser = "250";
    EXPECT_EQ(result.params, expected);
    EXPECT_EQ(result.params.BaudRateCAN, 4);
    EXPECT_TRUE(result.params.CANType);
    EXPECT_TRUE(result.params.Serial);
    EXPECT_FALSE(result.params.HW_Type);
}

TEST_F(LoadCommParamsTest, FileWithoutGeneralParameterGivesEveryFallback) {
    CommParamsLoad result = load("<?xml version=\"1.0\"?>\n<Parameters><BaudRateCAN>4</BaudRateCAN></Parameters>");
    EXPECT_EQ(result.outcome, CommParamsOutcome::Loaded);
    EXPECT_FALSE(result.canTypeEnabled);
    const CommParams& p = result.params;
    // Position 0 here, where a project without file shows 4.
    EXPECT_EQ(p.BaudRateCAN, 0);
    EXPECT_TRUE(p.CANType);
    EXPECT_EQ(p.Baud_Ser, 3);
    EXPECT_EQ(p.Par_Ser, 0);
    EXPECT_EQ(p.IDDev_Ser, "1");
    EXPECT_EQ(p.TimeOut_Ser, "1000");
    EXPECT_EQ(p.TimeOut_Data, "0");
    EXPECT_EQ(p.TO_ModReg, "1");
    EXPECT_FALSE(p.Peer_to_Peer || p.Write_J1939 || p.En_Rem_Req || p.Send_Every);
    EXPECT_TRUE(p.Serial);
    EXPECT_EQ(p.Pri_Des + p.PGN1 + p.PGN2 + p.SA, "0000");
    EXPECT_EQ(p.SE_ms, "1000");
    EXPECT_FALSE(p.HW_Type);
    EXPECT_THAT(result.notes, Contains(HasSubstr("no GeneralParameter element")));
}

TEST_F(LoadCommParamsTest, EachElementFallsBackByItself) {
    CommParams p = loaded({{"BaudRateCAN", "6"}, {"IDDev_Ser", "<absent>"}, {"SE_ms", "<absent>"},
                           {"TimeOut_Data", "12"}, {"Serial", "<absent>"}, {"Baud_Ser", "seven"}});
    EXPECT_EQ(p.BaudRateCAN, 6);
    EXPECT_EQ(p.IDDev_Ser, "1");
    EXPECT_EQ(p.SE_ms, "1000");
    EXPECT_EQ(p.TimeOut_Data, "12");
    EXPECT_TRUE(p.Serial);
    EXPECT_EQ(p.Baud_Ser, 3);
    // An element without text counts as unreadable.
    EXPECT_EQ(loaded({{"TO_ModReg", ""}}).TO_ModReg, "1");
    EXPECT_EQ(loaded({{"BaudRateCAN", ""}}).BaudRateCAN, 0);
}

TEST_F(LoadCommParamsTest, ListPositionsAreIntegersAndOutsideTheListSelectNothing) {
    EXPECT_EQ(loaded({{"BaudRateCAN", "abc"}}).BaudRateCAN, 0);
    EXPECT_EQ(loaded({{"BaudRateCAN", "9"}}).BaudRateCAN, -1);
    EXPECT_EQ(loaded({{"BaudRateCAN", "8"}}).BaudRateCAN, -1);
    EXPECT_EQ(loaded({{"BaudRateCAN", "-1"}}).BaudRateCAN, -1);
    EXPECT_EQ(loaded({{"BaudRateCAN", "7"}}).BaudRateCAN, 7);
    EXPECT_EQ(loaded({{"BaudRateCAN", "0x5"}}).BaudRateCAN, 5);
    EXPECT_EQ(loaded({{"Baud_Ser", " 7"}}).Baud_Ser, 7);
    EXPECT_EQ(loaded({{"Baud_Ser", "8"}}).Baud_Ser, -1);
    EXPECT_EQ(loaded({{"Par_Ser", "2"}}).Par_Ser, 2);
    EXPECT_EQ(loaded({{"Par_Ser", "3"}}).Par_Ser, -1);
    EXPECT_EQ(loaded({{"Par_Ser", "2 "}}).Par_Ser, 0);
}

TEST_F(LoadCommParamsTest, CanTypeAlwaysComesBackAs2B) {
    CommParamsLoad zero = load(pargenWith({{"CANType", "0"}}));
    EXPECT_TRUE(zero.params.CANType);
    EXPECT_TRUE(zero.canTypeEnabled);
    EXPECT_THAT(zero.notes, Contains("CANType 0 is shown as CAN 2.0B; OK saves 1"));
    SaveCommParams(file(), zero.params);
    EXPECT_THAT(readFile(file()), HasSubstr("<CANType>1</CANType>"));

    CommParamsLoad unreadable = load(pargenWith({{"CANType", "B"}}));
    EXPECT_TRUE(unreadable.params.CANType);
    EXPECT_FALSE(unreadable.canTypeEnabled);
}

TEST_F(LoadCommParamsTest, FlagsAreOnOnlyForExactlyOne) {
    for (const char* text : {"01", " 1", "1 ", "true", "Y", "2", "0"}) {
        CommParams p = loaded({{"Peer_to_Peer", text}, {"Write_J1939", text}, {"En_Rem_Req", text},
                               {"Send_Every", text}, {"Serial", text}, {"HW_Type", text}});
        EXPECT_FALSE(p.Peer_to_Peer || p.Write_J1939 || p.En_Rem_Req || p.Send_Every) << text;
        EXPECT_FALSE(p.Serial) << text;   // RS232
        EXPECT_FALSE(p.HW_Type) << text;  // A1
    }
    CommParams on = loaded({{"Peer_to_Peer", "1"}, {"Write_J1939", "1"}, {"En_Rem_Req", "1"}, {"Send_Every", "1"},
                            {"Serial", "1"}, {"HW_Type", "1"}});
    EXPECT_TRUE(on.Peer_to_Peer && on.Write_J1939 && on.En_Rem_Req && on.Send_Every && on.Serial && on.HW_Type);
    EXPECT_THAT(load(pargenWith({{"Peer_to_Peer", "true"}})).notes,
                Contains("Peer_to_Peer 'true' is not 1, so the editor shows clear"));
}

TEST_F(LoadCommParamsTest, FileThatDoesNotParseLeavesTheShownValues) {
    CommParams shown;
    shown.IDDev_Ser = "42";
    shown.HW_Type = true;
    writeFile(file(), "<GeneralParameter><BaudRateCAN>4</GeneralParameter>");
    CommParamsLoad result = LoadCommParams(file(), shown);
    EXPECT_EQ(result.outcome, CommParamsOutcome::Unreadable);
    EXPECT_THAT(result.failure, HasSubstr("line 1"));
    EXPECT_EQ(result.params.IDDev_Ser, "42");
    EXPECT_TRUE(result.params.HW_Type);
    EXPECT_FALSE(result.params.CANType);  // 2.0A was selected before reading, and stays
    EXPECT_FALSE(result.canTypeEnabled);
}

TEST_F(LoadCommParamsTest, ReadsIndentedFilesInAnyCaseOfTheName) {
    writeFile(dir / "Pargen.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<GeneralParameter>\r\n"
                                  "  <IDDev_Ser> 7</IDDev_Ser>\r\n  <HW_Type>1</HW_Type>\r\n</GeneralParameter>\r\n");
    CommParamsLoad result = LoadCommParams(file());
    EXPECT_EQ(result.outcome, CommParamsOutcome::Loaded);
    EXPECT_EQ(result.params.IDDev_Ser, " 7");
    EXPECT_TRUE(result.params.HW_Type);
}

TEST(SaveCommParams, WritesTheNineteenElementsInOrderAsTyped) {
    TempDir dir;
    CommParams p;
    p.BaudRateCAN = -1;
    p.CANType = false;
    p.Baud_Ser = 7;
    p.Par_Ser = 2;
    p.IDDev_Ser = " 12";
    p.TimeOut_Ser = "500";
    p.TimeOut_Data = "0x10";
    p.TO_ModReg = "100";
    p.Peer_to_Peer = true;
    p.Serial = false;
    p.Write_J1939 = true;
    p.En_Rem_Req = true;
    p.Pri_Des = "101";
    p.PGN1 = "102";
    p.PGN2 = "103";
    p.SA = "";
    p.Send_Every = true;
    p.SE_ms = "250";
    p.HW_Type = true;
    SaveCommParams(dir / "pargen.xml", p);
    EXPECT_EQ(readFile(dir / "pargen.xml"),
              "<GeneralParameter><BaudRateCAN>-1</BaudRateCAN><CANType>0</CANType><Baud_Ser>7</Baud_Ser>"
              "<Par_Ser>2</Par_Ser><IDDev_Ser> 12</IDDev_Ser><TimeOut_Ser>500</TimeOut_Ser>"
              "<TimeOut_Data>0x10</TimeOut_Data><TO_ModReg>100</TO_ModReg><Peer_to_Peer>1</Peer_to_Peer>"
              "<Serial>0</Serial><Write_J1939>1</Write_J1939><En_Rem_Req>1</En_Rem_Req><Pri_Des>101</Pri_Des>"
              "<PGN1>102</PGN1><PGN2>103</PGN2><SA></SA><Send_Every>1</Send_Every><SE_ms>250</SE_ms>"
              "<HW_Type>1</HW_Type></GeneralParameter>");

    // Read back, everything but the empty register and the CAN type returns.
    CommParamsLoad again = LoadCommParams(dir / "pargen.xml");
    CommParams expected = p;
    expected.CANType = true;
    expected.SA = "0";
    EXPECT_EQ(again.params, expected);
}

TEST(SaveCommParams, ReplacesTheFileThatIsThereAndDropsUnknownElements) {
    TempDir dir;
    writeFile(dir / "PARGEN.XML", pargenWith() .insert(18, "<Extra>5</Extra>"));
    CommParamsLoad load = LoadCommParams(dir / "pargen.xml");
    EXPECT_THAT(load.notes, Contains("Extra is not a communication parameter; OK drops it"));
    SaveCommParams(dir / "pargen.xml", load.params);
    EXPECT_FALSE(fs::exists(dir / "pargen.xml"));
    EXPECT_EQ(readFile(dir / "PARGEN.XML"), pargenWith());
}

TEST(SaveCommParams, UnwritableFolderThrowsAndNamesTheFile) {
    TempDir dir;
    EXPECT_THROW(
        {
            try {
                SaveCommParams(dir / "gone" / "pargen.xml", CommParams{});
            } catch (const FileError& error) {
                EXPECT_THAT(error.what(), HasSubstr("pargen.xml"));
                throw;
            }
        },
        FileError);
}

// Remote request on, with five different registers: valid.
CommParams remoteRequest() {
    CommParams p;
    p.En_Rem_Req = true;
    p.TO_ModReg = "1";
    p.Pri_Des = "2";
    p.PGN1 = "3";
    p.PGN2 = "4";
    p.SA = "5";
    return p;
}

std::string refusal(const CommParams& p) { return Controllo_Dati(p).value_or("<valid>"); }

TEST(ControlloDati, RangesOfTheTimeoutRegisterAndSendPeriod) {
    EXPECT_EQ(refusal(CommParams{}), "<valid>");
    EXPECT_EQ(refusal(remoteRequest()), "<valid>");
    const std::string timeout = "Error! The Time Out Data must to be between 0 and 255 seconds";
    const std::string reg = "Error! The Modbus Register must to be between 1 and 65535";
    const std::string period = "Error! The Send Frame Every must to be between 1 and 65535 ms";
    struct Case {
        std::string CommParams::*field;
        std::string text;
        std::string expected;
    };
    for (const Case& c : std::vector<Case>{{&CommParams::TimeOut_Data, "255", "<valid>"},
                                           {&CommParams::TimeOut_Data, "0xFF", "<valid>"},
                                           {&CommParams::TimeOut_Data, "256", timeout},
                                           {&CommParams::TimeOut_Data, "-1", timeout},
                                           {&CommParams::TimeOut_Data, "", timeout},
                                           {&CommParams::TimeOut_Data, "1 ", timeout},
                                           {&CommParams::TO_ModReg, "65535", "<valid>"},
                                           {&CommParams::TO_ModReg, "65536", reg},
                                           {&CommParams::TO_ModReg, "0", reg},
                                           {&CommParams::TO_ModReg, "abc", reg},
                                           {&CommParams::SE_ms, "1", "<valid>"},
                                           {&CommParams::SE_ms, "65535", "<valid>"},
                                           {&CommParams::SE_ms, "0", period},
                                           {&CommParams::SE_ms, "65536", period}}) {
        CommParams p;
        p.*c.field = c.text;
        EXPECT_EQ(refusal(p), c.expected) << c.text;
    }
    // Checked whether or not periodic sending is on.
    CommParams sending;
    sending.Send_Every = true;
    sending.SE_ms = "0";
    EXPECT_EQ(refusal(sending), period);
    // The first failure only.
    CommParams all;
    all.TimeOut_Data = "300";
    all.TO_ModReg = "0";
    all.SE_ms = "0";
    EXPECT_EQ(refusal(all), timeout);
    all.TimeOut_Data = "3";
    EXPECT_EQ(refusal(all), reg);
}

TEST(ControlloDati, RemoteRequestRegistersOnlyWhenTicked) {
    CommParams clear;
    clear.Pri_Des = "0";
    clear.SA = "not a number";
    clear.PGN1 = clear.PGN2 = "1";  // equal to the data time-out register too
    EXPECT_EQ(refusal(clear), "<valid>");

    struct Case {
        std::string CommParams::*field;
        std::string expected;
    };
    for (const Case& c : std::vector<Case>{
             {&CommParams::Pri_Des, "Error! The Modbus Register for Priority and Destination must to be between 1 and 65535"},
             {&CommParams::PGN1, "Error! The Modbus Register for PGN Part 1 must to be between 1 and 65535"},
             {&CommParams::PGN2, "Error! The Modbus Register for PGN Part 2 must to be between 1 and 65535"},
             {&CommParams::SA, "Error! The Modbus Register for Source Address must to be between 1 and 65535"}}) {
        for (const char* text : {"0", "65536", "x"}) {
            CommParams p = remoteRequest();
            p.*c.field = text;
            EXPECT_EQ(refusal(p), c.expected) << text;
        }
        CommParams top = remoteRequest();
        top.*c.field = "65535";
        EXPECT_EQ(refusal(top), "<valid>");
    }
    // Range checks come in their order, before any comparison.
    CommParams two = remoteRequest();
    two.PGN2 = "0";
    two.PGN1 = "0";
    two.Pri_Des = "1";
    EXPECT_EQ(refusal(two), "Error! The Modbus Register for PGN Part 1 must to be between 1 and 65535");
}

TEST(ControlloDati, RegistersMustDifferPairwiseFirstPairFirst) {
    struct Case {
        std::string CommParams::*a;
        std::string CommParams::*b;
        std::string expected;
    };
    for (const Case& c : std::vector<Case>{
             {&CommParams::TO_ModReg, &CommParams::Pri_Des, "Error! The Modbus Register cannot be equal to Priority and Destination"},
             {&CommParams::TO_ModReg, &CommParams::PGN1, "Error! The Modbus Register cannot be equal to PGN Part 1"},
             {&CommParams::TO_ModReg, &CommParams::PGN2, "Error! The Modbus Register cannot be equal to PGN Part 2"},
             {&CommParams::TO_ModReg, &CommParams::SA, "Error! The Modbus Register cannot be equal to Source Address"},
             {&CommParams::Pri_Des, &CommParams::PGN1, "Error! The Priority and Destination cannot be equal to PGN Part 1"},
             {&CommParams::Pri_Des, &CommParams::PGN2, "Error! The Priority and Destination cannot be equal to PGN Part 2"},
             {&CommParams::Pri_Des, &CommParams::SA, "Error! The Priority and Destination cannot be equal to Source Address"},
             {&CommParams::PGN1, &CommParams::PGN2, "Error! The PGN Part 1 cannot be equal to PGN Part 2"},
             {&CommParams::PGN1, &CommParams::SA, "Error! The PGN Part 1 cannot be equal to Source Address"},
             {&CommParams::PGN2, &CommParams::SA, "Error! The PGN Part 2 cannot be equal to Source Address"}}) {
        CommParams p = remoteRequest();
        // Equal as numbers, written differently.
        p.*c.b = "0x" + p.*c.a;
        EXPECT_EQ(refusal(p), c.expected);
    }
    CommParams allOne = remoteRequest();
    allOne.Pri_Des = allOne.PGN1 = allOne.PGN2 = allOne.SA = "1";
    EXPECT_EQ(refusal(allOne), "Error! The Modbus Register cannot be equal to Priority and Destination");
    // Comparisons come before the send period.
    allOne.SE_ms = "0";
    EXPECT_EQ(refusal(allOne), "Error! The Modbus Register cannot be equal to Priority and Destination");
}

}  // namespace
}  // namespace telvanor
