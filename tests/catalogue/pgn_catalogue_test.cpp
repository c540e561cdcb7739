#include "catalogue/pgn_catalogue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace telvanor {
namespace {

const PgnCatalogue& catalogue() { return PgnCatalogue::builtIn(); }

TEST(PgnCatalogue, FindsAFrameTableRowByDataPageAndPgn) {
    const PgnInfo* engine = catalogue().find(fullPgn(1, 0xF200));
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(engine->pgn, 127488u);
    EXPECT_EQ(engine->name, "Engine Parameters, Rapid Update");
    EXPECT_EQ(engine->priority, 2);
    EXPECT_EQ(engine->framing, PgnFraming::Single);
    EXPECT_EQ(engine->length, 8u);
    EXPECT_EQ(engine->summary(), "127488 Engine Parameters, Rapid Update, priority 2, single frame, 8 bytes");
}

TEST(PgnCatalogue, FastPacketMessagesAreMarked) {
    const PgnInfo* position = catalogue().find(129029);
    ASSERT_NE(position, nullptr);
    EXPECT_EQ(position->name, "GNSS Position Data");
    EXPECT_EQ(position->framing, PgnFraming::FastPacket);
    EXPECT_TRUE(position->minimumLength);
    EXPECT_EQ(position->length, 43u);
    EXPECT_EQ(position->framingText(), "fast packet");
}

TEST(PgnCatalogue, AddressedPgnsIgnoreTheDestinationByte) {
    const PgnInfo* request = catalogue().find(fullPgn(0, 0xEAFF));
    ASSERT_NE(request, nullptr);
    EXPECT_EQ(request->pgn, 59904u);
    EXPECT_EQ(request->name, "ISO Request");
    EXPECT_EQ(catalogue().find(fullPgn(0, 0xEA23)), request);
    // A broadcast PGN's low byte is part of the number.
    EXPECT_EQ(catalogue().find(fullPgn(1, 0xF201))->pgn, 127489u);
    EXPECT_EQ(catalogue().find(fullPgn(1, 0xF2FF)), nullptr);
}

TEST(PgnCatalogue, UnknownAndProprietaryPgnsAreNotFound) {
    EXPECT_EQ(catalogue().find(0x1FFFF), nullptr);
    EXPECT_EQ(catalogue().find(0x1EF00), nullptr) << "proprietary";
    EXPECT_EQ(catalogue().find(0xFF00), nullptr) << "proprietary";
    EXPECT_EQ(catalogue().find(0), nullptr);
}

TEST(PgnCatalogue, VariantsBecomeOneEntry) {
    const PgnInfo* management = catalogue().find(60416);
    ASSERT_NE(management, nullptr);
    EXPECT_EQ(management->displayName(), "ISO Transport Protocol, Connection Management (5 variants)");
}

TEST(PgnCatalogue, NamesTheFieldOfEachDataByte) {
    const PgnInfo& engine = *catalogue().find(127488);
    EXPECT_EQ(describeDataByte(engine, 1), "Instance");
    EXPECT_EQ(describeDataByte(engine, 2), "Speed, low byte, 0.25 rpm");
    EXPECT_EQ(describeDataByte(engine, 3), "Speed, high byte, 0.25 rpm");
    EXPECT_EQ(describeDataByte(engine, 4), "Boost Pressure, low byte, 100 Pa");
    EXPECT_EQ(describeDataByte(engine, 6), "Tilt/Trim, %");
    EXPECT_EQ(describeDataByte(engine, 9), "");
    EXPECT_EQ(describeDataByte(engine, 0), "");

    const PgnInfo& position = *catalogue().find(129029);
    EXPECT_EQ(describeDataByte(position, 5), "Time, byte 2 of 4, 0.0001 s");
}

TEST(PgnCatalogue, SharedBytesListTheirBitFields) {
    PgnCatalogue small = PgnCatalogue::parse(
        "# comment\nPGN\t130000\t\tSingle\t8\t0\t1\tTest\nFIELD\t0\t2\t1\t\tMode\nFIELD\t2\t6\t1\t\tReserved\n"
        "FIELD\t8\t4\t1\tV\tLevel\nbroken line\nFIELD\tx\t1\t1\t\tBad\n");
    const PgnInfo* test = small.find(130000);
    ASSERT_NE(test, nullptr);
    EXPECT_FALSE(test->priority);
    EXPECT_EQ(describeDataByte(*test, 1), "Mode (bits 0-1); Reserved (bits 2-7)");
    EXPECT_EQ(describeDataByte(*test, 2), "Level, bits 0-3, V");
    EXPECT_EQ(test->fields.size(), 3u);
}

TEST(PgnCatalogue, BuiltInCatalogueIsComplete) { EXPECT_GT(catalogue().size(), 200u); }

}  // namespace
}  // namespace telvanor
