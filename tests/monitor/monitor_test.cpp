#include <chrono>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "monitor/monitor_project.h"
#include "monitor/monitor_session.h"
#include "monitor/register_blocks.h"
#include "support/modbus_slave.h"
#include "support/pseudo_terminal_pair.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::ModbusSlave;
using testing::TempDir;

std::vector<std::int32_t> range(std::int32_t first, std::int32_t count) {
    std::vector<std::int32_t> values;
    for (std::int32_t value = first; value < first + count; ++value) values.push_back(value);
    return values;
}

TEST(PlanBlocks, ContiguousRegistersInTheFewestReadsOfAtMost125) {
    struct Case {
        std::vector<std::int32_t> registers;
        std::vector<RegisterBlock> blocks;
    };
    const Case cases[] = {
        {{}, {}},
        {{5, 3, 1, 2, 3}, {{1, 3}, {5, 1}}},  // sorted, the register given twice read once
        {range(0, 250), {{0, 125}, {125, 125}}},
        {range(10, 126), {{10, 125}, {135, 1}}},
        {{-1, 70000, 65535, 65534}, {{65534, 2}}},  // no registers outside 0 to 65535
    };
    for (const Case& c : cases) EXPECT_EQ(planBlocks(c.registers), c.blocks) << c.registers.size();
    EXPECT_EQ(planBlocks(range(0, 4000)).size(), 32u);
}

TEST(MonitorSession, AWriteOvertakenByTheStopIsSaidToBeLost) {
    TempDir quiet;
    testing::PseudoTerminalPair silent(quiet.path());
    SerialLine line;
    line.device = silent.first.string();
    line.responseTimeout = std::chrono::milliseconds(200);
    MonitorSession session(line, RegisterFunction::Holding, {{100, 1}}, std::chrono::milliseconds(1000));
    // Both come while the first read still waits for its answer.
    session.requestWrite(100, 7);
    session.requestStop();
    std::vector<MonitorSession::Write> writes;
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (bool finished = false; !finished && std::chrono::steady_clock::now() < until;) {
        MonitorSession::Events events = session.takeEvents();
        writes.insert(writes.end(), events.writes.begin(), events.writes.end());
        finished = events.finished;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].value, 7);
    EXPECT_EQ(writes[0].error, "the reads were stopped before it");
}

class MonitorCommand : public ::testing::Test {
protected:
    MonitorCommand() { testing::writeMonitorProject(project.path()); }

    int monitor(const std::filesystem::path& port, std::vector<std::string> options) {
        std::vector<std::string> arguments = {"monitor", project.path().string(), "--port", port.string(), "--once"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        out.str("");
        err.str("");
        return runCli(arguments, out, err);
    }
    std::vector<std::string> lines() {
        std::vector<std::string> all;
        std::istringstream text(out.str());
        for (std::string line; std::getline(text, line);)
            all.push_back(line.substr(0, line.find_last_not_of('\r') + 1));
        return all;
    }

    TempDir project;
    TempDir serial;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(MonitorCommand, ReadsEveryRegisterOfBothMapsOnTheProjectsLine) {
    // Only the mapped registers are held: a read across the gap from 27 to 41 would fail.
    ModbusSlave slave(serial.path(), {"26=0x04D2,27=7,41=65535,100=0x0201", "", testing::kMonitorProjectDeviceId});
    ASSERT_EQ(monitor(slave.port, {"--format", "csv"}), kExitSuccess) << err.str();
    std::vector<std::string> csv = lines();
    ASSERT_EQ(csv.size(), 5u) << out.str();
    EXPECT_EQ(csv[0],
              "time,direction,register,register_hex,value,value_hex,high_byte,high_field,low_byte,low_field,error");
    EXPECT_THAT(csv[1], HasSubstr(",NMEA 2000 to Modbus,26,0x001A,1234,0x04D2,0x04,\"byte 2: Latitude, byte 2 of 4, "
                                  "1e-07 deg\",0xD2,\"byte 1: Latitude, low byte, 1e-07 deg\","));
    EXPECT_THAT(csv[2], HasSubstr(",27,0x001B,7,0x0007,0x00,"));
    EXPECT_THAT(csv[3], HasSubstr(",41,0x0029,65535,0xFFFF,0xFF,"));
    EXPECT_THAT(csv[4], HasSubstr(",Modbus to NMEA 2000,100,0x0064,513,0x0201,0x02,"));
    EXPECT_THAT(err.str(), HasSubstr("4 mappings, 3 reads, at least 0.04 s on the wire, function 3 on " +
                                     slave.port.string() + " at 19200 baud, 8E1, device ID 3"));
}

TEST_F(MonitorCommand, FailedReadsSayWhyAndLeaveTheValueEmpty) {
    // Register 41 is not held: the device answers with an exception. The other device ID gets no
    // answer at all, and neither does a line with nothing on it.
    ModbusSlave slave(serial.path(), {"", "26=1,27=2,100=3", testing::kMonitorProjectDeviceId});
    ASSERT_EQ(monitor(slave.port, {"--format", "json", "--function", "4"}), kExitFailure) << err.str();
    nlohmann::json round = nlohmann::json::parse(out.str());
    ASSERT_EQ(round["registers"].size(), 4u);
    EXPECT_EQ(round["registers"][0]["value"], 1);
    EXPECT_EQ(round["registers"][2]["register"], 41);
    EXPECT_TRUE(round["registers"][2]["value"].is_null());
    EXPECT_EQ(round["registers"][2]["error"], "exception 2 (illegal data address)");
    EXPECT_EQ(round["registers"][3]["value"], 3);

    EXPECT_EQ(monitor(slave.port, {"--function", "4", "--id", "4"}), kExitFailure);
    EXPECT_THAT(lines(), ::testing::Contains(HasSubstr("register 26 (0x001A)  error: time-out")));

    TempDir quiet;
    testing::PseudoTerminalPair silent(quiet.path());
    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(monitor(silent.first, {"--format", "csv"}), kExitFailure);
    // Three reads of a second's time-out each; never a hang.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    EXPECT_THAT(lines()[1], ::testing::EndsWith(",time-out"));
}

TEST_F(MonitorCommand, RefusesWhatItCannotUse) {
    struct Case {
        std::vector<std::string> options;
        int status;
        const char* says;
    };
    const Case cases[] = {
        {{"--baud", "12345"}, kExitUsage, "--baud 12345 is no baud rate"},
        {{"--parity", "X"}, kExitUsage, "--parity takes N, E or O"},
        {{"--id", "248"}, kExitUsage, "--id takes a number from 1 to 247"},
        {{"--function", "6"}, kExitUsage, "--function takes 3"},
        {{"--format", "xml"}, kExitUsage, "unknown monitor format 'xml'"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(monitor(project / "no-such-port", c.options), c.status) << c.says;
        EXPECT_THAT(err.str(), HasSubstr(c.says));
    }
    EXPECT_EQ(runCli({"monitor", project.path().string()}, out, err), kExitUsage);
    EXPECT_THAT(err.str(), HasSubstr("monitor needs --port DEVICE"));
    EXPECT_EQ(monitor(project / "no-such-port", {}), kExitFailure);
    EXPECT_THAT(err.str(), HasSubstr("Cannot open " + (project / "no-such-port").string() + ": No such file"));
    // A device ID that pargen.xml does not give usably must come from the command line.
    testing::writeFile(project / "pargen.xml", testing::pargenWith({{"IDDev_Ser", "abc"}}));
    EXPECT_EQ(monitor(project / "no-such-port", {}), kExitFailure);
    EXPECT_THAT(err.str(), HasSubstr("give what pargen.xml does not: --id"));
}

}  // namespace
}  // namespace telvanor
