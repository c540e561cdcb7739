#include "image/image_dump.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "image/config_image.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::HasSubstr;
using Bytes = std::vector<std::uint8_t>;

Bytes workedExample() { return BuildConfigImage(testing::examplesDir() / "Boat1").bytes; }

void put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::string refusal(const Bytes& bytes) {
    try {
        readImageLayout(bytes);
    } catch (const ImageFormatError& error) {
        return error.what();
    }
    return "<accepted>";
}

TEST(ImageDump, ReadsTheLayoutOfABuiltImage) {
    ImageLayout layout = readImageLayout(workedExample());
    EXPECT_EQ(layout.receiveFrames, 3u);
    EXPECT_EQ(layout.transmitFrames, 1u);
    EXPECT_EQ(layout.receiveMappings, 2u);
    EXPECT_EQ(layout.transmitMappings, 1u);
    EXPECT_TRUE(layout.hasParameters);
}

TEST(ImageDump, DescribesEverySectionInWords) {
    std::string text = describeImage(workedExample());
    EXPECT_THAT(text, HasSubstr("Configuration image: 164 bytes"));
    EXPECT_THAT(text, HasSubstr("0xF805 (63493)   35  fast packet          1     43        8  deleted"));
    EXPECT_THAT(text, HasSubstr("0xEE00 (60928)    7  multi-packet"));
    EXPECT_THAT(text, HasSubstr("0x0DF80224         3   1  0xF802 (63490)   36"));
    EXPECT_THAT(text, HasSubstr("5     (0x0005)       51  #3         none            byte 4"));
    EXPECT_THAT(text, HasSubstr("100   (0x0064)  #1     byte 2          byte 1         no"));
    EXPECT_THAT(text, HasSubstr("250 kbit/s"));
    EXPECT_THAT(text, HasSubstr("9600 baud"));
    EXPECT_THAT(text, HasSubstr("RS485"));
    EXPECT_THAT(text, HasSubstr("variant A1"));
    EXPECT_THAT(text, HasSubstr("Deleted frames: #2\n"));
    EXPECT_THAT(text, HasSubstr("0x00EE0007  data page 0  PGN 0xEE00 (60928)  source 7  60928 ISO Address Claim"));
    EXPECT_THAT(text, HasSubstr("0        0  129025 Position, Rapid Update"));
    EXPECT_THAT(text, HasSubstr("36  129026 COG & SOG, Rapid Update"));
}

TEST(ImageDump, EmptyProjectImageHasNoParameters) {
    testing::TempDir dir;
    std::string text = describeImage(BuildConfigImage(dir.path()).bytes);
    EXPECT_THAT(text, HasSubstr("Parameters: none"));
    EXPECT_THAT(text, HasSubstr("Deleted frames: none"));
}

TEST(ImageDump, RefusesHeadersThatDoNotHoldTogether) {
    Bytes good = workedExample();
    EXPECT_THAT(refusal(Bytes(good.begin(), good.begin() + 20)), HasSubstr("shorter than the 28-byte header"));

    Bytes firstOffset = good;
    put32(firstOffset, 0, 29);
    EXPECT_THAT(refusal(firstOffset), HasSubstr("receive frames offset is 29"));

    Bytes outOfOrder = good;
    put32(outOfOrder, 8, 60);
    EXPECT_THAT(refusal(outOfOrder), HasSubstr("comes before"));

    Bytes beyond = good;
    put32(beyond, 24, 5000);
    EXPECT_THAT(refusal(beyond), HasSubstr("beyond the end of the file"));

    Bytes truncated(good.begin(), good.end() - 1);
    EXPECT_THAT(refusal(truncated), HasSubstr("it must be 164"));

    Bytes partialRecord = good;
    put32(partialRecord, 4, 60);
    EXPECT_THAT(refusal(partialRecord), HasSubstr("not a whole number of 11-byte records"));

    Bytes wrongCount = good;
    wrongCount[86 + 26] = 4;
    EXPECT_THAT(refusal(wrongCount), HasSubstr("count 4 receive frames"));
}

}  // namespace
}  // namespace telvanor
