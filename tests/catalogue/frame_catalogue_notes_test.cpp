#include <sstream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "catalogue/frame_row_lookup.h"
#include "cli/cli.h"
#include "editors/receive_frames/receive_framing_warnings.h"
#include "editors/register_map/register_map_catalogue.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::TempDir;
using testing::writeFile;

TEST(RowCatalogueLine, NamesTheRowsPgnFromItsTypedTexts) {
    EXPECT_EQ(rowCatalogueLine("1", "0xF200"),
              "127488 Engine Parameters, Rapid Update, priority 2, single frame, 8 bytes");
    EXPECT_EQ(rowCatalogueLine("1", "$F200"), rowCatalogueLine("1", "0xF200"));
    // An addressed PGN typed with its destination byte is still found.
    EXPECT_EQ(rowCatalogueLine("0", "0xEA05"), "59904 ISO Request, priority 6, single frame, 3 bytes");
    EXPECT_EQ(rowCatalogueLine("1", "0xFFFE"), "PGN 131070 is not in the catalogue");
    // Nothing to say while the row is being typed or is out of the table's ranges.
    EXPECT_EQ(rowCatalogueLine("", "0xF200"), "");
    // Hexadecimal without its prefix is no integer text: the table would refuse it.
    EXPECT_EQ(rowCatalogueLine("1", "F200"), "PGN F200 is not a number: a hexadecimal PGN is written 0xF200 or $F200");
    EXPECT_EQ(rowCatalogueLine("1", "12AB5"), "");
    EXPECT_EQ(rowCatalogueLine("2", "0xF200"), "");
    // A PGN typed whole, data page included, is named and told how the table wants it.
    const std::string wholeHint = "the table holds the PGN without its data page: Data Page 1, PGN 0xF200";
    EXPECT_EQ(rowCatalogueLine("1", "0x1F200"),
              "127488 Engine Parameters, Rapid Update, priority 2, single frame, 8 bytes; " + wholeHint);
    EXPECT_EQ(rowCatalogueLine("0", "127488"), rowCatalogueLine("1", "0x1F200"));
    EXPECT_EQ(rowCatalogueLine("1", "131070"),
              "PGN 131070 is not in the catalogue; the table holds the PGN without its data page: Data Page 1, PGN "
              "0xFFFE");
    EXPECT_EQ(rowCatalogueLine("1", "0x20000"), "") << "beyond any data page";
}

TEST(PriorityToFill, OnlyAnEmptyPriorityOfAKnownPgn) {
    EXPECT_EQ(priorityToFill("", "1", "0xF200"), 2);
    EXPECT_EQ(priorityToFill("3", "1", "0xF200"), std::nullopt) << "a typed priority stays";
    EXPECT_EQ(priorityToFill("", "1", "0xFFFE"), std::nullopt) << "unknown PGN";
    EXPECT_EQ(priorityToFill("", "1", "0xF805"), 3);
}

ReceiveFrameRow receiveRow(const char* dataPage, const char* pgn, const char* multi, const char* fast,
                           const char* start = "", const char* count = "") {
    return {dataPage, pgn, "5", multi, fast, start, count, "N", "frame"};
}

TEST(ReceiveFramingWarnings, FlagsThatContradictTheCatalogue) {
    // 129029 GNSS Position Data is a fast-packet message.
    EXPECT_THAT(
        receiveFramingWarnings(receiveRow("1", "0xF805", "N", "N")),
        ElementsAre("PGN 129029 (GNSS Position Data) is a fast-packet message but \"Fast packet\" is not ticked"));
    EXPECT_THAT(receiveFramingWarnings(receiveRow("1", "0xF805", "N", "Y", "1", "43")), IsEmpty());
    // 127488 is a single frame.
    EXPECT_THAT(
        receiveFramingWarnings(receiveRow("1", "0xF200", "Y", "Y", "1", "8")),
        ElementsAre("PGN 127488 (Engine Parameters, Rapid Update) is a single-frame message but \"Fast packet\" "
                    "is ticked",
                    "PGN 127488 (Engine Parameters, Rapid Update) is a single-frame message but \"Multi Packet\" "
                    "is ticked"));
    EXPECT_THAT(receiveFramingWarnings(receiveRow("1", "0xF200", "N", "")), IsEmpty());
    // 65240 ISO Commanded Address travels by the transport protocol.
    EXPECT_THAT(receiveFramingWarnings(receiveRow("0", "0xFED8", "N", "Y", "1", "9")),
                ElementsAre("PGN 65240 (ISO Commanded Address) is a multi-packet (ISO transport) message but \"Multi "
                            "Packet\" is not ticked"));
    // Flags are compared as the table's checks compare them: exactly "Y".
    EXPECT_THAT(receiveFramingWarnings(receiveRow("1", "0xF805", "N", "y", "1", "43")), ::testing::SizeIs(1));
}

TEST(ReceiveFramingWarnings, AByteRangeBeyondTheMessagesLength) {
    // 126983 Alert is 28 bytes long.
    EXPECT_THAT(receiveFramingWarnings(receiveRow("1", "0xF007", "N", "Y", "1", "28")), IsEmpty());
    EXPECT_THAT(receiveFramingWarnings(receiveRow("1", "0xF007", "N", "Y", "5", "24")), IsEmpty());
    EXPECT_THAT(
        receiveFramingWarnings(receiveRow("1", "0xF007", "N", "Y", "5", "25")),
        ElementsAre("PGN 126983 (Alert) is 28 bytes long but \"Start Byte\" 5 and \"N° Byte\" 25 reach byte 29"));
    // A message of at least its length (repeating fields) has no upper end.
    EXPECT_THAT(receiveFramingWarnings(receiveRow("1", "0xF805", "N", "Y", "1", "200")), IsEmpty());
    // Unknown PGNs and rows that are not numbers say nothing.
    EXPECT_THAT(receiveFramingWarnings(receiveRow("1", "0xFFFE", "Y", "Y", "1", "900")), IsEmpty());
    EXPECT_THAT(receiveFramingWarnings(receiveRow("1", "abc", "N", "N")), IsEmpty());
}

TEST(ReceiveFramingWarnings, TableWarningsNameTheirRowAndStopAtTheTablesEnd) {
    std::vector<ReceiveFrameRow> rows = {receiveRow("1", "0xF200", "N", "N"), receiveRow("1", "0xF200", "N", "N"),
                                         receiveRow("1", "0xF805", "N", "N"), receiveRow("", "", "", ""),
                                         receiveRow("1", "0xF805", "N", "N")};
    std::vector<RowFramingWarning> warnings = receiveTableFramingWarnings(rows);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].row, 3u);
    EXPECT_EQ(warnings[0].text,
              "row 3: PGN 129029 (GNSS Position Data) is a fast-packet message but \"Fast packet\" is not ticked");
}

TEST(RegisterMapCatalogue, NamesFramesAndTheirBytesFromTheStartByte) {
    TClPdo engine;
    engine.DataPage = "1";
    engine.PGN = "0xF200";
    EXPECT_EQ(frameCatalogueName(engine), "Engine Parameters, Rapid Update");
    EXPECT_EQ(frameByteField(engine, 2), "Speed, low byte, 0.25 rpm");
    EXPECT_EQ(frameByteField(engine, 9), "");
    // Byte1 of a multi-packet message is its Start Byte.
    TClPdo position;
    position.DataPage = "1";
    position.PGN = "0xF805";
    position.byteCount = 8;
    position.firstDataByte = 4;
    EXPECT_EQ(frameByteField(position, 2), "Time, byte 2 of 4, 0.0001 s");
    TClPdo unknown;
    unknown.DataPage = "1";
    unknown.PGN = "0xFFFE";
    EXPECT_EQ(frameCatalogueName(unknown), "");
    EXPECT_EQ(frameByteField(unknown, 1), "");
    // A PGN typed whole is named, with what the table wants instead.
    engine.PGN = "127488";
    EXPECT_EQ(frameCatalogueName(engine),
              "Engine Parameters, Rapid Update; the table holds the PGN without its data page: Data Page 1, PGN "
              "0xF200");
    EXPECT_EQ(frameByteField(engine, 2), "Speed, low byte, 0.25 rpm");
}

TEST(CheckCommand, WarnsAboutFramingThatContradictsTheCatalogue) {
    TempDir dir;
    auto row = [](const char* pgn, const char* multi, const char* fast, const char* start, const char* count) {
        return std::string("<row DataPage=\"1\" PGN=\"") + pgn + "\" ID_DEV=\"5\" MultiFrame=\"" + multi +
               "\" FastPacket=\"" + fast + "\" StartByte=\"" + start + "\" NByte=\"" + count +
               "\" Delete=\"N\" Mnemonic=\"m\"/>";
    };
    writeFile(dir / "RCobDef.xml", "<COBID>" + row("0xF200", "N", "N", "", "") + row("0xF200", "N", "Y", "1", "8") +
                                       row("0xF805", "N", "N", "", "") + row("0xF007", "N", "Y", "20", "10") +
                                       "</COBID>");
    std::ostringstream out, err;
    EXPECT_EQ(runCli({"check", dir.path().string()}, out, err), 0);
    EXPECT_EQ(out.str(),
              "warning: RCobDef.xml: row 2: PGN 127488 (Engine Parameters, Rapid Update) is a single-frame message but "
              "\"Fast packet\" is ticked\n"
              "warning: RCobDef.xml: row 3: PGN 129029 (GNSS Position Data) is a fast-packet message but \"Fast "
              "packet\" is not ticked\n"
              "warning: RCobDef.xml: row 4: PGN 126983 (Alert) is 28 bytes long but \"Start Byte\" 20 and \"N° Byte\" "
              "10 reach byte 29\n"
              "Checked 1 file; none would be refused.\n");
}

}  // namespace
}  // namespace telvanor
