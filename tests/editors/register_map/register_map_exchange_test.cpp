#include "editors/register_map/register_map_exchange.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project/atomic_file.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

fs::path workbook(const char* name) { return testing::testDataDir() / "workbooks" / name; }

// A transmit map of `frames` frames, each given as its (Index, PosComp) pairs.
RegisterMap transmitMap(const std::vector<std::vector<std::pair<std::string, std::string>>>& frames) {
    RegisterMap map{MapKind::Transmit, true, {}};
    for (const auto& mappings : frames) {
        TClPdo& frame = map.frames.emplace_back();
        frame.frameNumber = map.frames.size();
        for (const auto& [index, posComp] : mappings) frame.mappings.push_back({index, posComp, "1"});
    }
    return map;
}

// Each frame's mappings as "Index/PosComp/Write_J1939".
std::vector<std::vector<std::string>> mappingsOf(const RegisterMap& map) {
    std::vector<std::vector<std::string>> frames;
    for (const TClPdo& frame : map.frames) {
        auto& texts = frames.emplace_back();
        for (const TClIndMB& mapping : frame.mappings)
            texts.push_back(mapping.Index + "/" + mapping.PosComp + "/" + mapping.Write_J1939);
    }
    return frames;
}

TEST(RegisterMapExport, WritesOneLinePerMappingInFrameOrder) {
    TempDir project;
    ExportRegisterMap(project.path(), transmitMap({{{"1", "33"}, {"2", "0"}}, {}}));
    EXPECT_EQ(readFile(project / "TInfoCob.csv"), "1,1,33,\r\n2,1,0,\r\n");

    // Frame order first, then each frame's list order, unsorted; the frame number in decimal.
    RegisterMap map = transmitMap({{{"9", "17"}}, {}, {{"0x10", "136"}, {"3", ""}}});
    EXPECT_EQ(registerMapCsv(map), "9,1,17,\r\n0x10,3,136,\r\n3,3,,\r\n");
    EXPECT_EQ(registerMapCsv(transmitMap({{}, {}})), "") << "an empty map gives an empty file";
}

TEST(RegisterMapExport, QuotesOnlyTextsThatWouldSplitTheirLine) {
    RegisterMap map = transmitMap({{{"1,5", "say \"hi\""}, {"a\r\nb", "33"}}});
    EXPECT_EQ(registerMapCsv(map), "\"1,5\",1,\"say \"\"hi\"\"\",\r\n\"a\r\nb\",1,33,\r\n");
}

TEST(RegisterMapExport, ReplacesTheFileThatIsThereInAnyLetterCase) {
    TempDir project;
    writeFile(project / "tinfocob.csv", "old,1,1,\r\nolder,1,1,\r\n");
    ExportRegisterMap(project.path(), transmitMap({{{"4", "33"}}}));
    EXPECT_EQ(readFile(project / "tinfocob.csv"), "4,1,33,\r\n");
    EXPECT_FALSE(fs::exists(project / "TInfoCob.csv"));
}

TEST(RegisterMapExport, FailureNamesTheFile) {
    TempDir project;
    EXPECT_THAT([&] { ExportRegisterMap(project / "gone", transmitMap({{}})); },
                ::testing::ThrowsMessage<FileError>(HasSubstr("TInfoCob.csv")));
    fs::create_directory(project / "TInfoCob.csv");
    EXPECT_THROW(ExportRegisterMap(project.path(), transmitMap({{}})), FileError);
}

TEST(RegisterMapImport, ReadsRecordsByPositionSkippingThoseNamingNoFrame) {
    RegisterMap map = transmitMap({{{"old", "1"}}, {{"older", "2"}}});
    MapImport result = ImportRegisterMap(workbook("tinfocob.xls"), map);
    EXPECT_EQ(result.end, ImportEnd::Complete);
    EXPECT_EQ(result.imported, 6u);
    EXPECT_EQ(result.skipped, 2u) << "frame 5 of two frames, and 128 whose low seven bits are 0";
    // Number cells as their text, text cells as they stand, the Index unchecked and its
    // duplicate kept; frame 130 and -126 are frame 2; the old mappings are gone.
    EXPECT_THAT(mappingsOf(map),
                ElementsAre(ElementsAre("0x10/17/", "9//", "100/0/"), ElementsAre("100/33/", "7/136/", "12.5/x/")));
}

TEST(RegisterMapImport, FindsTheWorksheetInAnyLetterCase) {
    for (const char* name : {"tinfocob_lower.xls", "tinfocob_upper.xls"}) {
        RegisterMap map = transmitMap({{}});
        EXPECT_EQ(ImportRegisterMap(workbook(name), map).end, ImportEnd::Complete) << name;
        EXPECT_EQ(map.mappingCount(), 1u) << name;
    }
}

TEST(RegisterMapImport, MissingWorksheetOrUnreadableWorkbookLeavesTheMapAsItWas) {
    TempDir dir;
    std::string bytes = readFile(workbook("tinfocob.xls"));
    writeFile(dir / "cut.xls", bytes.substr(0, bytes.size() / 3));
    const RegisterMap before = transmitMap({{{"1", "33"}}, {{"2", "17"}}});
    for (auto [file, end] : {std::pair{workbook("without_tinfocob.xls"), ImportEnd::NoWorksheet},
                             std::pair{dir / "cut.xls", ImportEnd::WorkbookUnreadable},
                             std::pair{dir / "missing.xls", ImportEnd::WorkbookUnreadable}}) {
        RegisterMap map = before;
        EXPECT_EQ(ImportRegisterMap(file, map).end, end) << file;
        EXPECT_EQ(mappingsOf(map), mappingsOf(before)) << file;
    }
}

TEST(RegisterMapImport, FoundWorksheetDropsEveryMappingFirst) {
    RegisterMap map = transmitMap({{{"1", "33"}}, {{"2", "17"}}});
    EXPECT_EQ(ImportRegisterMap(workbook("tinfocob_titles_only.xls"), map).end, ImportEnd::Complete);
    EXPECT_EQ(map.mappingCount(), 0u);
    EXPECT_EQ(map.frames.size(), 2u) << "the frames stay";

    map = transmitMap({{{"1", "33"}}});
    EXPECT_EQ(ImportRegisterMap(workbook("tinfocob_two_columns.xls"), map).end, ImportEnd::TooFewColumns);
    EXPECT_EQ(map.mappingCount(), 0u);

    // Without a frame table there is no frame to take a record.
    map = RegisterMap{MapKind::Transmit, false, {}};
    MapImport result = ImportRegisterMap(workbook("tinfocob.xls"), map);
    EXPECT_EQ(result.imported, 0u);
    EXPECT_EQ(result.skipped, 8u);
}

TEST(RegisterMapImport, EmptyOrNonIntegerFrameNumberEndsTheImportThere) {
    for (const char* name : {"tinfocob_gap.xls", "tinfocob_bad_frame.xls"}) {
        RegisterMap map = transmitMap({{{"old", "1"}}});
        MapImport result = ImportRegisterMap(workbook(name), map);
        EXPECT_EQ(result.end, ImportEnd::BadFrameNumber) << name;
        EXPECT_EQ(result.stoppedAt, 2u) << name;
        EXPECT_THAT(mappingsOf(map), ElementsAre(ElementsAre("1/33/"))) << name << ": the records before it stay";
    }
}

// The export opened in a spreadsheet, given a title row and saved as .xls (the fixture
// script does that to roundtrip.csv) comes back with the same texts in the same frames.
TEST(RegisterMapExchange, ExportThenImportKeepsIndexAndPosCompTexts) {
    RegisterMap map =
        transmitMap({{{"0x10", "33"}, {"100", "136"}}, {}, {{"$1A", "0"}, {"-5", "17"}, {"1,5", "say \"hi\""}}});
    TempDir project;
    ExportRegisterMap(project.path(), map);
    ASSERT_EQ(readFile(project / "TInfoCob.csv"), readFile(workbook("roundtrip.csv")));

    RegisterMap imported = transmitMap({{}, {}, {}});
    EXPECT_EQ(ImportRegisterMap(workbook("roundtrip.xls"), imported).end, ImportEnd::Complete);
    for (TClPdo& frame : map.frames)
        for (TClIndMB& mapping : frame.mappings) mapping.Write_J1939.clear();
    EXPECT_EQ(mappingsOf(imported), mappingsOf(map));
}

}  // namespace
}  // namespace telvanor
