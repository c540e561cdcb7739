#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "editors/register_map/mapping_line.h"
#include "editors/register_map/register_map_file.h"
#include "overview/overview_project.h"
#include "overview/overview_table.h"
#include "overview/register_overview.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::TempDir;
using testing::writeOverviewProject;

using F = OverviewFinding;

std::uint8_t bits(std::initializer_list<OverviewFinding> findings) {
    std::uint8_t all = 0;
    for (OverviewFinding finding : findings) all |= 1u << static_cast<unsigned>(finding);
    return all;
}

std::vector<std::string> column(const RegisterOverview& overview, const OverviewOrder& rows, OverviewColumn which) {
    std::vector<std::string> texts;
    for (std::size_t row : rows) texts.push_back(overview.rows[row].cell(which));
    return texts;
}

class RegisterOverviewTest : public ::testing::Test {
protected:
    RegisterOverviewTest() { writeOverviewProject(dir.path()); }

    TempDir dir;
};

TEST_F(RegisterOverviewTest, MarksAndCountsEveryFinding) {
    RegisterOverview overview = BuildRegisterOverview(dir.path());
    struct Expected {
        MapKind kind;
        const char* registerText;
        std::uint8_t findings;
        const char* findingsText;
    };
    const Expected expected[] = {
        {MapKind::Receive, "26", bits({F::MappedTwice}), "register mapped twice"},
        {MapKind::Receive, "26", bits({F::MappedTwice}), "register mapped twice"},
        {MapKind::Receive, "30", bits({F::FeedsNeitherByte}), "feeds neither byte"},
        {MapKind::Receive, "31", bits({F::BeyondFrameBytes}), "byte 17 beyond the frame's 16 bytes"},
        {MapKind::Receive, "32", bits({F::BeyondFrameBytes}), "byte 9 beyond the frame's 8 bytes"},
        {MapKind::Receive, "40", bits({F::FrameGone}), "frame 5 is gone from RCobDef.xml"},
        {MapKind::Receive, "41", bits({F::PositionsNotANumber}), "byte positions are not a number"},
        {MapKind::Receive, "70000", bits({F::RegisterOutOfRange}), "register outside 0 to 65535"},
        {MapKind::Transmit, "26", bits({F::BeyondFirstEightBytes}),
         "byte 9 beyond the first 8 bytes of a fast-packet PGN"},
        {MapKind::Transmit, "100", 0, ""},
        {MapKind::Transmit, "101", bits({F::BeyondFrameBytes}), "bytes 9 and 10 beyond the frame's 8 bytes"},
    };
    ASSERT_EQ(overview.rows.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const OverviewRow& row = overview.rows[i];
        EXPECT_EQ(row.kind, expected[i].kind) << i;
        EXPECT_EQ(row.cell(OverviewColumn::Register), expected[i].registerText) << i;
        EXPECT_EQ(row.findings, expected[i].findings) << i;
        EXPECT_EQ(row.cell(OverviewColumn::Findings), expected[i].findingsText) << i;
    }
    EXPECT_EQ(findingsSummary(overview),
              "10 rows with findings: register mapped twice 2, feeds neither byte 1, beyond its frame's bytes 3, "
              "beyond the first 8 bytes of a fast-packet PGN 1, frame row gone 1, register outside 0 to 65535 1, "
              "byte positions not a number 1");
    EXPECT_TRUE(overview.problems.empty());
    EXPECT_EQ(overview.rows[5].ref, MappingRef{}) << "a gone frame has no place in the map";
}

TEST_F(RegisterOverviewTest, NamesEachMappingLikeTheReport) {
    RegisterOverview overview = BuildRegisterOverview(dir.path());
    const OverviewRow& typed = overview.rows[0];
    std::vector<std::string> cells;
    for (std::size_t column = 0; column + 1 < kOverviewColumns; ++column)
        cells.push_back(typed.cell(static_cast<OverviewColumn>(column)));
    EXPECT_EQ(cells,
              (std::vector<std::string>{"NMEA 2000 to Modbus", "26", "0x001A", "$1A", "1", "129025 (DP 1, PGN 0xF801)",
                                        "Position, Rapid Update", "35", "byte 2: Latitude, byte 2 of 4, 1e-07 deg",
                                        "byte 1: Latitude, low byte, 1e-07 deg", "", "Position <rapid>"}));
    EXPECT_EQ(typed.ref, (MappingRef{0, 0}));
    const OverviewRow& transmit = overview.rows[9];
    EXPECT_EQ(transmit.cell(OverviewColumn::Direction), "Modbus to NMEA 2000");
    EXPECT_EQ(transmit.cell(OverviewColumn::Write), "no");
    EXPECT_EQ(transmit.cell(OverviewColumn::TypedAs), "") << "typed as shown";
    EXPECT_THAT(transmit.cell(OverviewColumn::HighByte), ::testing::StartsWith("byte 2"));
}

TEST_F(RegisterOverviewTest, AnEditedMapTakesThePlaceOfItsFile) {
    RegisterMap edited = LoadRegisterMap(dir.path(), MapKind::Transmit).map;
    edited.frames[1].mappings = {{"0x200", "0", "1"}};
    edited.frames[0].mappings.clear();
    RegisterOverview overview = BuildRegisterOverview(dir.path(), &edited);
    ASSERT_EQ(overview.rows.size(), 9u);
    EXPECT_EQ(overview.rows.back().cell(OverviewColumn::Register), "512");
    EXPECT_EQ(overview.rows.back().ref, (MappingRef{1, 0}));
    EXPECT_EQ(overview.rows.back().findings, bits({F::FeedsNeitherByte}));
}

TEST_F(RegisterOverviewTest, SortsByValuesAndFiltersByTextOrNumber) {
    RegisterOverview overview = BuildRegisterOverview(dir.path());
    OverviewOrder byRegister = sortedRows(overview, OverviewColumn::Register, true);
    EXPECT_THAT(column(overview, byRegister, OverviewColumn::Register),
                ElementsAre("26", "26", "26", "30", "31", "32", "40", "41", "100", "101", "70000"));
    // Equal registers keep the overview's order (receive first), also descending.
    EXPECT_THAT(column(overview, sortedRows(overview, OverviewColumn::Register, false), OverviewColumn::Direction),
                ElementsAre("NMEA 2000 to Modbus", "Modbus to NMEA 2000", "Modbus to NMEA 2000", "NMEA 2000 to Modbus",
                            "NMEA 2000 to Modbus", "NMEA 2000 to Modbus", "NMEA 2000 to Modbus", "NMEA 2000 to Modbus",
                            "NMEA 2000 to Modbus", "NMEA 2000 to Modbus", "Modbus to NMEA 2000"));
    EXPECT_THAT(column(overview, sortedRows(overview, OverviewColumn::Pgn, true), OverviewColumn::Frame),
                ElementsAre("2", "2", "1", "1", "1", "1", "1", "2", "2", "1", "5"));

    EXPECT_THAT(column(overview, filteredRows(overview, byRegister, "0x1a"), OverviewColumn::Register),
                ElementsAre("26", "26", "26"));
    EXPECT_THAT(column(overview, filteredRows(overview, byRegister, "cog"), OverviewColumn::Register),
                ElementsAre("100", "101"));
    EXPECT_THAT(column(overview, filteredRows(overview, byRegister, "129029"), OverviewColumn::Register),
                ElementsAre("26"));
    EXPECT_EQ(filteredRows(overview, byRegister, "").size(), overview.rows.size());
}

TEST_F(RegisterOverviewTest, CopiesAndExportsTheRowsShown) {
    RegisterOverview overview = BuildRegisterOverview(dir.path());
    OverviewOrder rows = filteredRows(overview, sortedRows(overview, OverviewColumn::Register, true), "rapid");
    ASSERT_EQ(rows.size(), 7u);
    std::string copied = tabSeparatedRows(overview, {rows[0]});
    EXPECT_EQ(copied,
              "NMEA 2000 to Modbus\t26\t0x001A\t$1A\t1\t129025 (DP 1, PGN 0xF801)\tPosition, Rapid Update\t35\tbyte 2: "
              "Latitude, byte 2 of 4, 1e-07 deg\tbyte 1: Latitude, low byte, 1e-07 deg\t\tPosition "
              "<rapid>\tregister mapped twice\n");

    std::string csv = overviewCsv(overview, rows, "rapid");
    EXPECT_THAT(csv, ::testing::StartsWith("\xEF\xBB\xBFRegister overview of project "));
    EXPECT_THAT(csv, HasSubstr("\r\n\"7 of 11 mappings, those holding \"\"rapid\"\"\"\r\n"));
    EXPECT_THAT(csv, HasSubstr("\r\nDirection,Register,Hex,Typed as,Frame,PGN,Name,Source,High byte,Low byte,Write,"
                               "Mnemonic,Findings\r\n"));
    EXPECT_THAT(csv,
                HasSubstr("\r\nNMEA 2000 to Modbus,26,0x001A,$1A,1,\"129025 (DP 1, PGN 0xF801)\",\"Position, Rapid "
                          "Update\",35,"));

    std::string html = overviewHtml(overview, rows, "rapid");
    EXPECT_THAT(html, HasSubstr("<h1>Register overview of project "));
    EXPECT_THAT(html, HasSubstr("<td>Position &lt;rapid&gt;</td>"));
    EXPECT_THAT(html, HasSubstr("<p>10 rows with findings:"));
}

TEST(MappingLine, ShowsTheRegisterAndTheByteChoices) {
    TClPdo ordinary;
    TClPdo multi;
    multi.byteCount = 16;
    struct Case {
        MapKind kind;
        const TClPdo& frame;
        TClIndMB mapping;
        const char* details;
    };
    const Case cases[] = {
        {MapKind::Receive, ordinary, {"26", "131073", ""}, "26 (0x1A)   B2 / B1"},
        {MapKind::Receive, ordinary, {"$1A", "4", ""}, "26 (0x1A)   none / B4"},
        {MapKind::Receive, multi, {"27", "786432", ""}, "27 (0x1B)   Byte12 / None"},
        {MapKind::Transmit, ordinary, {"100", "33", "0"}, "100 (0x64)   B2 / B1"},
        {MapKind::Transmit, ordinary, {"abc", "x", ""}, "abc   'x'"},
    };
    for (const Case& c : cases) EXPECT_EQ(mappingDetails(c.kind, c.frame, c.mapping), c.details) << c.details;
}

TEST(MappingLine, NextFreeRegisterFollowsTheHighestOrFillsAGap) {
    auto mapWith = [](std::vector<std::string> indexes) {
        RegisterMap map;
        map.frames.emplace_back();
        for (std::string& index : indexes) map.frames[0].mappings.push_back({index, "1", ""});
        return map;
    };
    EXPECT_EQ(nextFreeRegister(mapWith({})), 0);
    EXPECT_EQ(nextFreeRegister(mapWith({"0", "5", "0x20", "abc", "70000", "-3"})), 33);
    EXPECT_EQ(nextFreeRegister(mapWith({"0", "1", "65535"})), 2);
    std::vector<std::string> all;
    for (int index = 0; index <= 65535; ++index) all.push_back(std::to_string(index));
    EXPECT_EQ(nextFreeRegister(mapWith(all)), std::nullopt);
}

}  // namespace
}  // namespace telvanor
