#include "dormant/sdo/sdo_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project/integer_text.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::Optional;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

SdoRow sdoRow(const char* addrWord) { return {addrWord, "2", "3", "1", "5", "0x2000", "1", "2", "pressure"}; }

std::optional<std::string> failureOf(std::string SdoRow::*field, const char* text) {
    SdoRow row = sdoRow("100");
    row.*field = text;
    return ValidateSdoTable({row});
}

TEST(SdoConf, HiWordRwAndLoWordPackIntoOneNumberAndBack) {
    EXPECT_EQ(packSdoConf(sdoRow("1")), "83");
    SdoRow unpacked;
    unpackSdoConf(83, unpacked);
    EXPECT_EQ(unpacked.HiWord, "2");
    EXPECT_EQ(unpacked.RW, "1");
    EXPECT_EQ(unpacked.LoWord, "3");
    // Kept to 16 bits when the cells were never checked (an export).
    SdoRow wide = sdoRow("1");
    wide.HiWord = "2048";
    wide.LoWord = "0";
    wide.RW = "0";
    EXPECT_EQ(packSdoConf(wide), "0");
    wide.HiWord = "x";
    EXPECT_THROW(packSdoConf(wide), ConversionError);
    // Absent or not an integer: all three 0.
    unpackSdoConf(std::optional<std::string>("abc"), unpacked);
    EXPECT_EQ(unpacked.HiWord + unpacked.RW + unpacked.LoWord, "000");
    unpackSdoConf(std::optional<std::string>("0xFFFF"), unpacked);
    EXPECT_EQ(unpacked.HiWord + "/" + unpacked.RW + "/" + unpacked.LoWord, "2047/1/7");
}

TEST(ValidateSdoTable, EachColumnsRangeAndItsMessage) {
    EXPECT_EQ(ValidateSdoTable({sdoRow("1"), sdoRow("65535"), sdoRow("0xFFFF")}), std::nullopt);
    EXPECT_THAT(failureOf(&SdoRow::AddrWord, "65536"),
                Optional(std::string("Value of range [1..65535](hex 0x0001..0xFFFF ) column Addr Word row 1")));
    EXPECT_THAT(failureOf(&SdoRow::HiWord, "5"), Optional(std::string("Value of range [0..4] column Hi Word row 1")));
    EXPECT_THAT(failureOf(&SdoRow::LoWord, "-1"), Optional(std::string("Value of range [0..4] column Lo Word row 1")));
    EXPECT_THAT(failureOf(&SdoRow::RW, "2"), Optional(std::string("Value of range [0,1] column R/W row 1")));
    EXPECT_THAT(failureOf(&SdoRow::ID, "128"), Optional(std::string("Value of range [1..127] column ID row 1")));
    EXPECT_THAT(failureOf(&SdoRow::Index, "0x1FFF"),
                Optional(std::string("Value of range [8192..65535](hex 0x2000..0xFFFF ) column Index row 1")));
    EXPECT_THAT(failureOf(&SdoRow::SubIndex, "256"),
                Optional(std::string("Value of range [0..255] column SubIndex row 1")));
    for (const char* bytes : {"1", "2", "4"}) EXPECT_EQ(failureOf(&SdoRow::nByte, bytes), std::nullopt) << bytes;
    for (const char* bytes : {"0", "3", "8"})
        EXPECT_THAT(failureOf(&SdoRow::nByte, bytes),
                    Optional(std::string("Value of range [1,2,4] column nByte row 1")));
    // The mnemonic is free.
    EXPECT_EQ(failureOf(&SdoRow::mnemonico, ""), std::nullopt);
}

TEST(ValidateSdoTable, TheLastFailingRowIsReportedWithItsFirstFailingColumn) {
    std::vector<SdoRow> rows(5, sdoRow("10"));
    rows[1].ID = "0";
    rows[4].Index = "1";
    rows[4].nByte = "3";
    EXPECT_THAT(ValidateSdoTable(rows),
                Optional(std::string("Value of range [8192..65535](hex 0x2000..0xFFFF ) column Index row 5")));
    // A row's later cells are not read once a column has failed.
    rows[4].nByte = "";
    EXPECT_THAT(ValidateSdoTable(rows),
                Optional(std::string("Value of range [8192..65535](hex 0x2000..0xFFFF ) column Index row 5")));
}

TEST(ValidateSdoTable, AnEmptyCheckedCellIsAConversionErrorAndTheTableEndsAtAnEmptyAddrWord) {
    std::vector<SdoRow> rows{sdoRow("10"), sdoRow("20")};
    rows[0].ID = "128";
    rows[1].ID = "";
    try {
        ValidateSdoTable(rows);
        ADD_FAILURE() << "no conversion error";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'' is not a valid integer value");
    }
    // Rows after the first empty Addr Word are not part of the table.
    rows[1].AddrWord = "";
    EXPECT_THAT(ValidateSdoTable(rows), Optional(std::string("Value of range [1..127] column ID row 1")));
    EXPECT_EQ(SdoTableLength(rows), 1u);
}

TEST(SdoFile, RowsAreWrittenInAddrWordOrderAndReadBack) {
    TempDir project;
    std::vector<SdoRow> rows{sdoRow("300"), sdoRow("20"), sdoRow("0x64"), sdoRow("20"), sdoRow(""), sdoRow("1")};
    rows[1].mnemonico = "first 20";
    rows[3].mnemonico = "second 20";
    rows[3].HiWord = "0";
    SaveSdoTable(project / "sdo.xml", rows);
    EXPECT_EQ(readFile(project / "sdo.xml"),
              "<sdo>"
              "<row conf=\"83\" IndexA=\"20\" SubindexA=\"0\" devIDB=\"5\" IndexB=\"0x2000\" SubindexB=\"1\" "
              "nbyteB=\"2\" mnemonico=\"first 20\"/>"
              "<row conf=\"19\" IndexA=\"20\" SubindexA=\"0\" devIDB=\"5\" IndexB=\"0x2000\" SubindexB=\"1\" "
              "nbyteB=\"2\" mnemonico=\"second 20\"/>"
              "<row conf=\"83\" IndexA=\"0x64\" SubindexA=\"0\" devIDB=\"5\" IndexB=\"0x2000\" SubindexB=\"1\" "
              "nbyteB=\"2\" mnemonico=\"pressure\"/>"
              "<row conf=\"83\" IndexA=\"300\" SubindexA=\"0\" devIDB=\"5\" IndexB=\"0x2000\" SubindexB=\"1\" "
              "nbyteB=\"2\" mnemonico=\"pressure\"/>"
              "</sdo>");
    SdoTableLoad load = LoadSdoTable(project / "SDO.XML");
    EXPECT_EQ(load.outcome, FrameTableOutcome::Loaded);
    EXPECT_EQ(load.message, std::nullopt);
    EXPECT_EQ(load.rows, (std::vector<SdoRow>{rows[1], rows[3], rows[2], rows[0]}));
}

TEST(SdoFile, ConfAndMnemonicoMayBeAbsentAnyOtherAttributeEndsTheLoad) {
    TempDir project;
    writeFile(project / "sdo.xml",
              "<?xml version=\"1.0\"?>\r\n<sdo>\r\n"
              "  <row IndexA=\"7\" SubindexA=\"9\" devIDB=\"1\" IndexB=\"8192\" SubindexB=\"0\" nbyteB=\"4\"/>\r\n"
              "  <row conf=\"83\" IndexA=\"8\" devIDB=\"2\" SubindexB=\"1\" nbyteB=\"1\" mnemonico=\"m\"/>\r\n"
              "  <row conf=\"83\" IndexA=\"9\" devIDB=\"3\" IndexB=\"8192\" SubindexB=\"1\" nbyteB=\"1\"/>\r\n"
              "</sdo>\r\n");
    SdoTableLoad load = LoadSdoTable(project / "sdo.xml");
    EXPECT_EQ(load.outcome, FrameTableOutcome::Failed);
    EXPECT_EQ(load.message, "Error in reading file XML");
    ASSERT_EQ(load.rows.size(), 2u);
    EXPECT_EQ(load.rows[0], (SdoRow{"7", "0", "0", "0", "1", "8192", "0", "4", ""}));
    // The failing row keeps the cells read before IndexB.
    EXPECT_EQ(load.rows[1], (SdoRow{"8", "2", "3", "1", "2", "", "", "", ""}));

    writeFile(project / "sdo.xml", "<sdo><row");
    load = LoadSdoTable(project / "sdo.xml");
    EXPECT_EQ(load.message, "Error in reading file XML");
    EXPECT_TRUE(load.rows.empty());

    load = LoadSdoTable(project / "missing.xml");
    EXPECT_EQ(load.outcome, FrameTableOutcome::NoFile);
    EXPECT_EQ(load.message, "File XML not found");
}

}  // namespace
}  // namespace telvanor
