#include "project/worksheet.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using testing::testDataDir;

std::filesystem::path workbook(const char* name) { return testDataDir() / "workbooks" / name; }

TEST(Worksheet, ListsTheWorksheetsInOrder) {
    EXPECT_THAT(worksheetNames(workbook("reader.xls")), ElementsAre("Notes", "Mixed"));
}

TEST(Worksheet, GivesTheRowsBelowTheTitleRowAsTexts) {
    std::optional<WorksheetRows> sheet = readWorksheet(workbook("reader.xls"), "MIXED");
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->columns, 3u);
    ASSERT_EQ(sheet->rows.size(), 5u);
    EXPECT_THAT(sheet->rows[0], ElementsAre("100", "2", "33"));
    EXPECT_THAT(sheet->rows[1], ElementsAre("0.5", "-7", ""));
    EXPECT_THAT(sheet->rows[2], ElementsAre("0x10", "1e+20", "citt\xC3\xA0"));
    EXPECT_THAT(sheet->rows[3], ElementsAre("", "", "")) << "an empty row inside the sheet is a record";
    EXPECT_THAT(sheet->rows[4], ElementsAre("2026-12-09", "3", "4"));
}

TEST(Worksheet, MissingSheetIsNothingAndABrokenWorkbookAnError) {
    EXPECT_FALSE(readWorksheet(workbook("reader.xls"), "TInfoCob"));
    testing::TempDir dir;
    std::string bytes = testing::readFile(workbook("reader.xls"));
    testing::writeFile(dir / "cut.xls", bytes.substr(0, bytes.size() / 2));
    testing::writeFile(dir / "text.xls", "Index,Frame,PosComp\n");
    EXPECT_THROW(readWorksheet(dir / "cut.xls", "Mixed"), WorkbookError);
    EXPECT_THROW(readWorksheet(dir / "text.xls", "Mixed"), WorkbookError);
    EXPECT_THROW(worksheetNames(dir / "missing.xls"), WorkbookError);
}

// A workbook found by fuzzing that makes FreeXL read past a buffer while it opens the file.
// The library runs in a child process, so at worst the reading fails with a message.
TEST(Worksheet, WorkbookThatBreaksTheLibraryCannotTakeTheProgramWithIt) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        try {
            for (const std::string& name : worksheetNames(workbook("freexl-overread.xls")))
                (void)readWorksheet(workbook("freexl-overread.xls"), name);
        } catch (const WorkbookError& error) {
            EXPECT_THAT(error.what(), ::testing::HasSubstr("freexl-overread.xls"));
        }
    }
}

// Workbooks found by fuzzing whose worksheets claim dimensions that make FreeXL ask for
// gigabytes (the second one spent seconds filling memory before it failed): the reading child
// runs out of its memory limit and the reading fails with a message that names the file.
TEST(Worksheet, WorkbookAskingForHugeMemoryFailsWithAMessage) {
    for (const char* name : {"huge-dimensions.xls", "slow-allocation.xls"}) {
        std::filesystem::path file = workbook(name);
        bool refused = false;
        try {
            for (const std::string& sheet : worksheetNames(file)) (void)readWorksheet(file, sheet);
        } catch (const WorkbookError& error) {
            refused = true;
            EXPECT_THAT(error.what(), ::testing::HasSubstr(name));
        }
        EXPECT_TRUE(refused) << name;
    }
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
