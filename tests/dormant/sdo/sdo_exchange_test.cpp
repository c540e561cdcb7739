#include "dormant/sdo/sdo_exchange.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project/integer_text.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

fs::path workbook(const char* name) { return testing::testDataDir() / "workbooks" / name; }

TEST(ExportSdoTable, ATitleLineThenTheRowsInAddrWordOrderUnchecked) {
    TempDir project;
    std::vector<SdoRow> rows{{"300", "2", "3", "1", "5", "0x2000", "1", "2", "pressure, left"},
                             {"20", "9", "0", "0", "", "1", "", "3", "say \"hi\""},
                             {"", "1", "1", "1", "1", "1", "1", "1", "after the table"}};
    ExportSdoTable(project.path(), rows);
    EXPECT_EQ(readFile(project / "sdo.csv"),
              "conf,IndexA,SubindexA,devIDB,IndexB,SubindexB,nbyteB,mnemonico\r\n"
              "288,20,0,,1,,3,\"say \"\"hi\"\"\"\r\n"
              "83,300,0,5,0x2000,1,2,\"pressure, left\"\r\n");

    // A conf that cannot be computed writes nothing: the earlier export stays.
    rows[1].RW = "r";
    EXPECT_THROW(ExportSdoTable(project.path(), rows), ConversionError);
    EXPECT_EQ(readFile(project / "sdo.csv").substr(0, 5), "conf,");
    EXPECT_EQ(sdoTableCsv({}), "conf,IndexA,SubindexA,devIDB,IndexB,SubindexB,nbyteB,mnemonico\r\n");
}

TEST(ImportSdoTable, RecordsByColumnPositionFromTheSdoWorksheetInAnyCase) {
    SdoImport result = ImportSdoTable(workbook("sdo.xls"));
    EXPECT_EQ(importMessage(result.summary), "sdo: 4 rows imported");
    EXPECT_EQ(result.rows, (std::vector<SdoRow>{
                               {"300", "2", "3", "1", "5", "0x2000", "1", "2", "pressure, left"},
                               {"20", "", "", "", "127", "65535", "255", "4", ""},
                               {"0x14", "0", "0", "0", "", "8192", "0", "1", "x"},
                               {"100", "0", "0", "1", "1", "8192", "0", "3", "m"},
                           }));
}

// The export read back: its own title line passed over, the rows in the export's order.
TEST(ImportSdoTable, ReadsItsOwnExportAndSaysWhyNothingWasImported) {
    TempDir dir;
    std::vector<SdoRow> rows{{"300", "2", "3", "1", "5", "0x2000", "1", "2", "pressure, left"},
                             {"20", "9", "0", "1", "", "1", "", "3", ""}};
    ExportSdoTable(dir.path(), rows);
    SdoImport result = ImportSdoTable(dir / "sdo.csv");
    EXPECT_EQ(result.rows, (std::vector<SdoRow>{rows[1], rows[0]}));

    std::string bytes = readFile(workbook("sdo.xls"));
    writeFile(dir / "cut.xls", bytes.substr(0, bytes.size() / 3));
    EXPECT_THAT(importMessage(ImportSdoTable(dir / "cut.xls").summary),
                ::testing::StartsWith("sdo: nothing imported, the table is unchanged: " + (dir / "cut.xls").string() +
                                      " cannot be read: "));
    SdoImport missing = ImportSdoTable(workbook("tinfocob.xls"));
    EXPECT_EQ(missing.summary.end, ImportEnd::NoWorksheet);
    EXPECT_TRUE(missing.rows.empty());
}

}  // namespace
}  // namespace telvanor
