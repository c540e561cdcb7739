#include "editors/register_map/register_map_exchange.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project/atomic_file.h"
#include "project/worksheet.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::readFile;
using testing::spellingsIn;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

fs::path workbook(const char* name) { return testing::testDataDir() / "workbooks" / name; }

using Frames = std::vector<std::vector<TClIndMB>>;

// A map of `frameCount` frames, frame n (1-based) holding the mappings given for it.
RegisterMap mapOf(MapKind kind, std::size_t frameCount, const std::vector<std::pair<std::size_t, TClIndMB>>& mappings) {
    RegisterMap map{kind, true, {}};
    for (std::size_t n = 1; n <= frameCount; ++n) map.frames.emplace_back().frameNumber = n;
    for (const auto& [frame, mapping] : mappings) map.frames[frame - 1].mappings.push_back(mapping);
    return map;
}

Frames framesOf(const RegisterMap& map) {
    Frames frames;
    for (const TClPdo& frame : map.frames) frames.push_back(frame.mappings);
    return frames;
}

// The map of roundtrip.csv: hexadecimal and negative Index texts, both Write flags, a frame
// beyond 127.
RegisterMap roundTripMap() {
    return mapOf(MapKind::Transmit, 130,
                 {{1, {"0x10", "33", "1"}},
                  {1, {"100", "136", "0"}},
                  {3, {"$1A", "0", "1"}},
                  {3, {"-5", "17", "0"}},
                  {130, {"7", "18", "1"}}});
}

std::string replaced(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

TEST(RegisterMapExport, CsvLinesHoldIndexFramePosCompAndTheWriteFlag) {
    EXPECT_EQ(registerMapCsv(mapOf(MapKind::Transmit, 2, {{1, {"1", "33", "1"}}, {1, {"2", "0", "0"}}})),
              "1,1,33,1\r\n2,1,0,0\r\n");
    EXPECT_EQ(registerMapCsv(mapOf(MapKind::Receive, 3, {{3, {"0x10", "131073", ""}}})), "0x10,3,131073,\r\n")
        << "the receive map keeps the fourth field empty";
    EXPECT_EQ(registerMapCsv(mapOf(MapKind::Transmit, 2, {})), "") << "an empty map gives an empty file";
    EXPECT_EQ(registerMapCsv(mapOf(MapKind::Transmit, 1, {{1, {"1,5", "say \"hi\"", "1"}}})),
              "\"1,5\",1,\"say \"\"hi\"\"\",1\r\n");
}

TEST(RegisterMapExport, ReplacesTheFileInAnyLetterCaseOrNamesItOnFailure) {
    TempDir project;
    writeFile(project / "tinfocob.csv", "old,1,1,\r\nolder,1,1,\r\n");
    EXPECT_EQ(ExportRegisterMap(project.path(), mapOf(MapKind::Transmit, 1, {{1, {"4", "33", "0"}}})),
              project / "tinfocob.csv");
    EXPECT_EQ(readFile(project / "tinfocob.csv"), "4,1,33,0\r\n");
    EXPECT_THAT(spellingsIn(project.path(), "TInfoCob.csv"), ElementsAre("tinfocob.csv"));

    EXPECT_THAT([&] { ExportRegisterMap(project / "gone", mapOf(MapKind::Receive, 1, {}), ExchangeFormat::Xlsx); },
                ::testing::ThrowsMessage<FileError>(HasSubstr("RInfoCob.xlsx")));
}

// The xlsx export: a title row, the exchanged fields, then the frame's PGN, name and source
// address, which the import passes over.
TEST(RegisterMapExport, XlsxAddsTitlesAndWhatTheFrameIs) {
    RegisterMap map = mapOf(MapKind::Transmit, 1, {{1, {"0x10", "33", "1"}}});
    map.frames[0].DataPage = "1";
    map.frames[0].PGN = "0xF801";
    map.frames[0].ID_DEV = "35";
    TempDir project;
    fs::path file = ExportRegisterMap(project.path(), map, ExchangeFormat::Xlsx);
    EXPECT_EQ(file, project / "TInfoCob.xlsx");
    std::optional<Worksheet> sheet = readWorksheet(file, "TInfoCob");
    ASSERT_TRUE(sheet);
    ASSERT_EQ(sheet->rows.size(), 2u);
    EXPECT_THAT(sheet->rows[0].cells,
                ElementsAre("Index", "NrPdo", "PosComp", "Write_J1939", "PGN", "Name", "Source address"));
    EXPECT_THAT(sheet->rows[1].cells, ElementsAre("0x10", "1", "33", "1", "0xF801", "Position, Rapid Update", "35"));
}

// Export, then import directly or after a spreadsheet saved the export as .xls, .xlsx or CSV,
// with or without a title row: every mapping comes back, Write flag included.
TEST(RegisterMapExchange, ExportThenImportGivesBackEveryMapping) {
    const RegisterMap map = roundTripMap();
    TempDir project;
    ASSERT_EQ(readFile(ExportRegisterMap(project.path(), map)), readFile(workbook("roundtrip.csv")));
    ExportRegisterMap(project.path(), map, ExchangeFormat::Xlsx);
    const std::string csv = registerMapCsv(map);
    writeFile(project / "semicolons.csv",
              "\xEF\xBB\xBF"
              "Index;NrPdo;PosComp;Write\n" +
                  replaced(replaced(csv, ",", ";"), "\r\n", "\n"));
    writeFile(project / "quoted.csv", "\"" + replaced(replaced(csv, ",", "\",\""), "\r\n", "\"\r\n\"") + "\"");
    const std::vector<fs::path> files = {
        project / "TInfoCob.csv",   project / "TInfoCob.xlsx",           project / "semicolons.csv",
        project / "quoted.csv",     workbook("roundtrip.xls"),           workbook("roundtrip_untitled.xls"),
        workbook("roundtrip.xlsx"), workbook("roundtrip_untitled.xlsx"),
    };
    for (const fs::path& file : files) {
        RegisterMap imported = mapOf(MapKind::Transmit, 130, {{2, {"9", "9", "1"}}});
        ImportSummary summary = ImportRegisterMap(file, imported);
        EXPECT_EQ(importMessage(summary), "TInfoCob: 5 mappings imported") << file;
        EXPECT_EQ(framesOf(imported), framesOf(map)) << file;
    }

    // The receive map, with its own packing and no Write flag.
    const RegisterMap receive = mapOf(MapKind::Receive, 2, {{2, {"0", "131073", ""}}, {1, {"0x20", "4", ""}}});
    for (ExchangeFormat format : {ExchangeFormat::Csv, ExchangeFormat::Xlsx}) {
        RegisterMap imported = mapOf(MapKind::Receive, 2, {});
        EXPECT_TRUE(ImportRegisterMap(ExportRegisterMap(project.path(), receive, format), imported).changedTable());
        EXPECT_EQ(framesOf(imported), framesOf(receive));
    }
}

// Rows that give no mapping are skipped and named with their reason; the Write flag takes 0 or
// 1 and reads anything else as 0, saying so; other columns and empty rows are passed over.
TEST(RegisterMapImport, SkipsRowsThatGiveNoMappingAndSaysWhy) {
    RegisterMap map = mapOf(MapKind::Transmit, 2, {{1, {"old", "1", "0"}}});
    ImportSummary summary = ImportRegisterMap(workbook("tinfocob.xls"), map);
    EXPECT_EQ(framesOf(map),
              (Frames{{{"0x10", "17", "0"}, {"100", "0", "0"}}, {{"100", "33", "1"}, {"13", "0x21", "1"}}}));
    EXPECT_EQ(summary.imported, 4u);
    EXPECT_EQ(summary.skipped, (std::vector<RowNote>{{4, "frame 130 does not exist"},
                                                     {5, "no PosComp"},
                                                     {6, "no Index"},
                                                     {7, "Index '12.5' is not an integer"},
                                                     {10, "frame number 'two' is not an integer"},
                                                     {11, "no frame number"}}));
    EXPECT_EQ(summary.readAs, (std::vector<RowNote>{{9, "Write flag 'yes' read as 0"}}));
    EXPECT_EQ(importMessage(summary),
              "TInfoCob: 4 mappings imported; 6 rows skipped (row 4: frame 130 does not exist; row 5: no PosComp; "
              "row 6: no Index; row 7: Index '12.5' is not an integer; row 10: frame number 'two' is not an integer; "
              "row 11: no frame number); 1 value read otherwise (row 9: Write flag 'yes' read as 0)");

    // A stray cell far away is one more row that names no frame.
    map = mapOf(MapKind::Transmit, 1, {});
    summary = ImportRegisterMap(workbook("tinfocob_stray_cell.xls"), map);
    EXPECT_EQ(importMessage(summary), "TInfoCob: 2 mappings imported; 1 row skipped (row 65536: no frame number)");
}

// The sheet is found by the map's name in any letter case; once found it replaces every
// mapping, a sheet of titles alone too. An unreadable workbook or a missing sheet changes
// nothing and says why.
TEST(RegisterMapImport, WhatReplacesTheMapAndWhatLeavesIt) {
    const RegisterMap before = mapOf(MapKind::Transmit, 2, {{1, {"1", "33", "0"}}, {2, {"2", "17", "1"}}});
    struct Case {
        fs::path file;
        std::size_t mappingsAfter;
        std::string message;
    };
    const std::vector<Case> cases = {
        {workbook("tinfocob_lower.xls"), 1, "TInfoCob: 1 mapping imported"},
        {workbook("tinfocob_upper.xls"), 1, "TInfoCob: 1 mapping imported"},
        {workbook("tinfocob_titles_only.xls"), 0, "TInfoCob: 0 mappings imported"},
        {workbook("without_tinfocob.xls"), 2,
         "TInfoCob: nothing imported, the map is unchanged: " + workbook("without_tinfocob.xls").string() +
             " has no worksheet TInfoCob; its worksheets are Sheet1, TInfoCob2, RInfoCob"},
        {workbook("missing.xls"), 2,
         "TInfoCob: nothing imported, the map is unchanged: " + workbook("missing.xls").string() +
             " cannot be read: it does not exist or may not be read"},
    };
    for (const Case& c : cases) {
        RegisterMap map = before;
        ImportSummary summary = ImportRegisterMap(c.file, map);
        EXPECT_EQ(importMessage(summary), c.message);
        EXPECT_EQ(map.mappingCount(), c.mappingsAfter) << c.file;
        EXPECT_EQ(map.frames.size(), 2u) << "the frames stay";
    }
    RegisterMap noFrames{MapKind::Transmit, false, {}};
    ImportSummary summary = ImportRegisterMap(workbook("roundtrip.xls"), noFrames);
    EXPECT_EQ(summary.imported, 0u);
    EXPECT_EQ(summary.skipped.size(), 5u) << "without a frame table no row names a frame";
}

TEST(ImportMessage, ListsTenRowsOfEachKindAndCountsTheRest) {
    ImportSummary summary;
    summary.table = "sdo";
    summary.items = "rows";
    summary.imported = 1;
    for (std::size_t row = 2; row <= 13; ++row) summary.skipped.push_back({row, "x"});
    EXPECT_THAT(importMessage(summary), ::testing::EndsWith("row 11: x; and 2 more)"));
    EXPECT_THAT(importMessage(summary), ::testing::StartsWith("sdo: 1 row imported; 12 rows skipped (row 2: x; "));
}

}  // namespace
}  // namespace telvanor
