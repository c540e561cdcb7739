#include "project/worksheet.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project/xlsx_writer.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::TempDir;
using testing::testDataDir;
using testing::writeFile;
namespace fs = std::filesystem;

fs::path workbook(const char* name) { return testDataDir() / "workbooks" / name; }

// Each row as its number followed by its cells.
std::vector<std::vector<std::string>> rowsOf(const Worksheet& sheet) {
    std::vector<std::vector<std::string>> rows;
    for (const SheetRow& row : sheet.rows) {
        rows.push_back({std::to_string(row.number)});
        rows.back().insert(rows.back().end(), row.cells.begin(), row.cells.end());
    }
    return rows;
}

using Rows = std::vector<std::vector<std::string>>;

// The same table read from an .xls made by xlwt and an .xlsx made by the export's writer: number
// cells as their text, texts as they stand, empty rows and trailing empty cells left out.
TEST(Worksheet, XlsAndXlsxGiveRowsByNumberAndCellsAsTexts) {
    EXPECT_THAT(worksheetNames(workbook("reader.xls")), ElementsAre("Notes", "Mixed"));
    std::optional<Worksheet> xls = readWorksheet(workbook("reader.xls"), "MIXED");
    ASSERT_TRUE(xls);
    EXPECT_EQ(xls->name, "Mixed");
    EXPECT_EQ(rowsOf(*xls), (Rows{{"1", "Index", "Frame", "PosComp"},
                                  {"2", "100", "2", "33"},
                                  {"3", "0.5", "-7"},
                                  {"4", "0x10", "1e+20", "citt\xC3\xA0"},
                                  {"6", "2026-12-09", "3", "4"}}));

    TempDir dir;
    writeFile(dir / "book.xlsx",
              xlsxWorkbook("Mixed", {"Index", "Frame"}, {{"100", "007", "", "-5"}, {}, {"0x10", "citt\xC3\xA0"}}));
    EXPECT_THAT(worksheetNames(dir / "book.xlsx"), ElementsAre("Mixed"));
    std::optional<Worksheet> xlsx = readWorksheet(dir / "book.xlsx", "mixed");
    ASSERT_TRUE(xlsx);
    EXPECT_EQ(rowsOf(*xlsx),
              (Rows{{"1", "Index", "Frame"}, {"2", "100", "007", "", "-5"}, {"4", "0x10", "citt\xC3\xA0"}}));
    EXPECT_FALSE(readWorksheet(dir / "book.xlsx", "TInfoCob")) << "no such sheet is nothing, not an error";
    EXPECT_FALSE(readWorksheet(workbook("reader.xls"), "TInfoCob"));
}

// What spreadsheets write as CSV: comma, semicolon or tab, with or without a byte order mark,
// quoted fields, CR LF, LF or CR line ends, UTF-8 or the Windows western code page. A CSV file
// holds one table, which any sheet name finds.
TEST(Worksheet, CsvDialects) {
    struct Case {
        std::string text;
        Rows rows;
    };
    const std::vector<Case> cases = {
        {"100,2,33,1\r\n7,1,17,\r\n", {{"1", "100", "2", "33", "1"}, {"2", "7", "1", "17"}}},
        {"\xEF\xBB\xBFIndex;NrPdo\n1;\"2;3\";\"say \"\"hi\"\"\"\n",
         {{"1", "Index", "NrPdo"}, {"2", "1", "2;3", "say \"hi\""}}},
        {"a\tb\rc\td", {{"1", "a", "b"}, {"2", "c", "d"}}},
        {"\"two\nlines\",x\n\n12,5;1\n", {{"1", "two\nlines", "x"}, {"3", "12", "5;1"}}},
        {"citt\xE0,\x80\n", {{"1", "citt\xC3\xA0", "\xE2\x82\xAC"}}},
        {"", {}},
    };
    TempDir dir;
    for (const Case& c : cases) {
        writeFile(dir / "TInfoCob.csv", c.text);
        std::optional<Worksheet> sheet = readWorksheet(dir / "TInfoCob.csv", "anything");
        ASSERT_TRUE(sheet) << c.text;
        EXPECT_EQ(sheet->name, "TInfoCob");
        EXPECT_EQ(rowsOf(*sheet), c.rows) << c.text;
    }
}

// Files that are no workbook, damaged ones, and files beyond the reader's limits: a message that
// names the file and the reason, or the limit that stopped the reading.
TEST(Worksheet, UnreadableFilesAreRefusedWithTheReason) {
    TempDir dir;
    std::string xls = testing::readFile(workbook("reader.xls"));
    std::string xlsx = xlsxWorkbook("Mixed", {"Index"}, {{"1"}});
    writeFile(dir / "cut.xls", xls.substr(0, xls.size() / 2));
    writeFile(dir / "cut.xlsx", xlsx.substr(0, xlsx.size() / 2));
    writeFile(dir / "binary.xls", std::string("\x01\x02\x00\xFF", 4) + xls.substr(100, 400));
    writeFile(dir / "empty.xls", "");
    writeFile(dir / "wide.csv", std::string(4'000'000, ',') + "x");
    writeFile(dir / "huge.csv", "");
    fs::resize_file(dir / "huge.csv", 101 * 1024 * 1024);
    fs::create_directory(dir / "folder.xls");
    const std::vector<std::pair<fs::path, std::string>> cases = {
        {dir / "cut.xls", "no readable .xls workbook"},
        {dir / "cut.xlsx", "no readable .xlsx workbook"},
        {dir / "binary.xls", "neither an .xls nor an .xlsx workbook, nor a CSV text"},
        {dir / "empty.xls", "the file is empty"},
        {dir / "missing.xls", "does not exist"},
        {dir / "folder.xls", "it is a folder"},
        {dir / "wide.csv", "the reader's limit of 4000000 cells"},
        {dir / "huge.csv", "the reader's limit of 100 MB"},
    };
    for (const auto& [file, reason] : cases) {
        EXPECT_THAT([&] { readWorksheet(file, "Mixed"); },
                    ::testing::ThrowsMessage<WorkbookError>(AllOf(HasSubstr(file.string()), HasSubstr(reason))));
        ImportSheet read = readImportSheet(file, "Mixed");
        EXPECT_EQ(read.end, ImportEnd::WorkbookUnreadable) << file;
        EXPECT_THAT(read.problem, HasSubstr(reason));
    }
    ImportSheet missing = readImportSheet(workbook("reader.xls"), "TInfoCob");
    EXPECT_EQ(missing.end, ImportEnd::NoWorksheet);
    EXPECT_THAT(missing.problem, HasSubstr("reader.xls has no worksheet TInfoCob; its worksheets are Notes, Mixed"));
}

// Workbooks found by fuzzing: one makes libfreexl read past a buffer while it opens the file, two
// claim worksheet dimensions far beyond their content. The reader process takes whatever
// happens; the program gets a message that names the file, or the little the sheet holds.
TEST(Worksheet, WorkbooksThatBreakTheLibraryCannotTakeTheProgramWithThem) {
    for (const char* name : {"freexl-overread.xls", "huge-dimensions.xls", "slow-allocation.xls"}) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            try {
                for (const std::string& sheet : worksheetNames(workbook(name)))
                    (void)readWorksheet(workbook(name), sheet);
            } catch (const WorkbookError& error) {
                EXPECT_THAT(error.what(), HasSubstr(name));
            }
        }
    }
}

// A stray cell far away costs one row: the sheet is read, not refused by the limits.
TEST(Worksheet, StrayFarCellDoesNotRefuseASmallSheet) {
    std::optional<Worksheet> sheet = readWorksheet(workbook("tinfocob_stray_cell.xls"), "TInfoCob");
    ASSERT_TRUE(sheet);
    ASSERT_EQ(sheet->rows.size(), 3u);
    EXPECT_EQ(sheet->rows[2].number, 65536u);
    EXPECT_EQ(sheet->rows[2].cells.size(), 61u);
    EXPECT_EQ(sheet->rows[2].cell(60), "stray");
}

TEST(Worksheet, NumberCellTexts) {
    EXPECT_EQ(numberCellText(33.0), "33");
    EXPECT_EQ(numberCellText(-0.0), "0");
    EXPECT_EQ(numberCellText(2.25), "2.25");
    EXPECT_EQ(numberCellText(0.1), "0.1");
    EXPECT_EQ(numberCellText(65536.0), "65536");
}

}  // namespace
}  // namespace telvanor
