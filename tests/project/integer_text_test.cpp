#include "project/integer_text.h"

#include <gtest/gtest.h>

namespace telvanor {
namespace {

struct IntegerCase {
    const char* text;
    std::optional<std::int32_t> value;
};

class IntegerTextRule : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerTextRule, ReadsTheValueOrRefusesTheText) {
    const IntegerCase& c = GetParam();
    EXPECT_EQ(parseIntegerText(c.text), c.value) << "text: '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, IntegerTextRule,
    ::testing::Values(IntegerCase{"26", 26}, IntegerCase{"  26", 26}, IntegerCase{"0x1A", 26}, IntegerCase{"0X1a", 26},
                      IntegerCase{"$1a", 26}, IntegerCase{"x1A", 26}, IntegerCase{"X1A", 26}, IntegerCase{"+26", 26},
                      IntegerCase{"-26", -26}, IntegerCase{"-0x1A", -26}, IntegerCase{"007", 7}, IntegerCase{"0", 0},
                      IntegerCase{"2147483647", 2147483647}, IntegerCase{"-2147483648", INT32_MIN},
                      IntegerCase{"$FFFFFFFF", -1}, IntegerCase{"0x80000000", INT32_MIN},
                      // refused
                      IntegerCase{"26 ", std::nullopt}, IntegerCase{"1A", std::nullopt}, IntegerCase{"", std::nullopt},
                      IntegerCase{"   ", std::nullopt}, IntegerCase{"2147483648", std::nullopt},
                      IntegerCase{"-2147483649", std::nullopt}, IntegerCase{"99999999999999999999", std::nullopt},
                      IntegerCase{"0x", std::nullopt}, IntegerCase{"$", std::nullopt}, IntegerCase{"-", std::nullopt},
                      IntegerCase{"0x123456789", std::nullopt}, IntegerCase{"\t26", std::nullopt},
                      IntegerCase{"2 6", std::nullopt}, IntegerCase{"+-26", std::nullopt},
                      IntegerCase{"1.5", std::nullopt}, IntegerCase{"1,000", std::nullopt},
                      IntegerCase{"0x1G", std::nullopt}));

TEST(IntegerText, ThrowingVariantCarriesTheUsersText) {
    EXPECT_EQ(integerText(" 0x10"), 16);
    try {
        integerText("1A");
        FAIL() << "1A is not an integer";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'1A' is not a valid integer value");
        EXPECT_EQ(error.text(), "1A");
    }
}

TEST(YesNoFlag, OnlyYInEitherCaseIsYes) {
    EXPECT_TRUE(isYes("Y"));
    EXPECT_TRUE(isYes("y"));
    for (const char* no : {"N", "", "YES", "Y ", " Y", "1", "true"}) EXPECT_FALSE(isYes(no)) << no;
}

}  // namespace
}  // namespace telvanor
