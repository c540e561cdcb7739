#include "project/digits_only_value.h"

#include <gtest/gtest.h>

#include "project/integer_text.h"

namespace telvanor {
namespace {

TEST(DigitsOnlyValue, KeepsTheDigitsWhereverTheyStand) {
    EXPECT_EQ(DigitsOnlyValue("12"), 12);
    EXPECT_EQ(DigitsOnlyValue("ID 12a"), 12);
    EXPECT_EQ(DigitsOnlyValue("abc12"), 12);
    EXPECT_EQ(DigitsOnlyValue("0x1A"), 1) << "hexadecimal is not understood: the digits 0 and 1 remain";
    EXPECT_EQ(DigitsOnlyValue("1 2\t3"), 123);
    EXPECT_EQ(DigitsOnlyValue("-7"), 7) << "a sign is no digit";
    EXPECT_EQ(DigitsOnlyValue(" \t\r\n 42 \x01"), 42);
    EXPECT_EQ(DigitsOnlyValue("0000000000000000000007"), 7) << "leading zeros are no overflow";
}

TEST(DigitsOnlyValue, NoDigitsGiveZero) {
    EXPECT_EQ(DigitsOnlyValue(""), 0);
    EXPECT_EQ(DigitsOnlyValue("   "), 0);
    EXPECT_EQ(DigitsOnlyValue("abc"), 0);
}

TEST(DigitsOnlyValue, TooManyDigitsForThirtyTwoBitsAreAConversionError) {
    EXPECT_EQ(DigitsOnlyValue("2147483647"), 2147483647);
    try {
        DigitsOnlyValue("n 2147483648");
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'2147483648' is not a valid integer value");
    }
    EXPECT_THROW(DigitsOnlyValue("99999999999999999999999"), ConversionError);
}

}  // namespace
}  // namespace telvanor
