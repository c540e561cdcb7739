#include "update/s_record.h"

#include <array>
#include <numeric>

#include <gtest/gtest.h>

namespace telvanor {
namespace {

TEST(S2Record, ThirtyTwoZeroBytesAtTheFirstBankAddress) {
    std::array<std::uint8_t, 32> zeros{};
    std::string record = S2Record(0x388000, zeros);
    EXPECT_EQ(record, "S224388000" + std::string(64, '0') + "23");
    EXPECT_EQ(record.size(), 76u);
}

TEST(S2Record, ChecksumIsTheComplementOfTheLowByteOfTheSum) {
    std::array<std::uint8_t, 32> rising{};
    std::iota(rising.begin(), rising.end(), std::uint8_t{0});
    EXPECT_EQ(S2Record(0x398020, rising),
              "S224398020000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F12");
    std::array<std::uint8_t, 32> erased;
    erased.fill(0xFF);
    EXPECT_EQ(S2Record(0x38BFE0, erased), "S22438BFE0" + std::string(64, 'F') + "24");
}

TEST(S2Record, AddressIsReadFromTheSixDigitsBehindTheCount) {
    EXPECT_EQ(s2RecordAddress("S224388000" + std::string(66, '0')), 0x388000u);
    EXPECT_EQ(s2RecordAddress("S2243a8fe0"), 0x3A8FE0u);
    EXPECT_EQ(s2RecordAddress("S1130000"), std::nullopt);
    EXPECT_EQ(s2RecordAddress("S224388"), std::nullopt);
    EXPECT_EQ(s2RecordAddress("S22438G000"), std::nullopt);
}

}  // namespace
}  // namespace telvanor
