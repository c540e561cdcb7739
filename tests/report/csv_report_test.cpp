#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "report/project_report.h"
#include "report/report_writers.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// Mnemonics a spreadsheet would run as formulas reach the CSV as text.
TEST(CsvReport, FieldsThatLookLikeFormulasAreNeutralisedAndTheFileIsMarkedUtf8) {
    testing::TempDir dir;
    std::string frames, mappings;
    const std::vector<std::pair<std::string, std::string>> cases = {
        // mnemonic as the XML attribute holds it, and the CSV field it must give
        {"=HYPERLINK(&quot;http://x&quot;)", "\"'=HYPERLINK(\"\"http://x\"\")\""},
        {"+1+2", "'+1+2"},
        {"-3", "'-3"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"&#9;=1", "'\t=1"},
        {"&#13;=1", "\"'\r=1\""},
        {"Depth = 3", "Depth = 3"},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        frames += "<row Priority=\"3\" DP=\"1\" PGN=\"0xF802\" ID_DEV=\"36\" Mnemonic=\"" + cases[i].first + "\"/>";
        mappings += "<row Index=\"" + std::to_string(100 + i) + "\" NrPdo=\"" + std::to_string(i + 1) +
                    "\" PosComp=\"33\" Write_J1939=\"0\"/>";
    }
    testing::writeFile(dir / "TCobDef.xml", "<COBID>" + frames + "</COBID>");
    testing::writeFile(dir / "TInfoCob.xml", "<TInfoCob>" + mappings + "</TInfoCob>");

    std::string csv = csvReport(BuildProjectReport(dir.path()));
    EXPECT_THAT(csv, StartsWith("\xEF\xBB\xBF\"Modbus registers of project "));
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_THAT(
            csv, HasSubstr(",Modbus to NMEA 2000," + std::to_string(i + 1) + "," + cases[i].second + ",\"129026 COG"))
            << cases[i].first;
}

}  // namespace
}  // namespace telvanor
