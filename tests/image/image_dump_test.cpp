#include "image/image_dump.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

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
    EXPECT_THAT(text,
                HasSubstr("    #  DP  PGN               SA  framing          start  bytes  data at  deleted  name\n"
                          "    1   1  0x1F801 / 129025  35  single frame         0      0        0  no       "
                          "Position, Rapid Update\n"
                          "    2   1  0x1F805 / 129029  35  fast packet          1     43        8  yes      "
                          "GNSS Position Data\n"
                          "    3   0  0xEE00 / 60928     7  multi-packet         1     16       51  no       "
                          "ISO Address Claim\n"));
    EXPECT_THAT(text, HasSubstr("    1  0x0DF80224         3   1  0x1F802 / 129026  36  COG & SOG, Rapid Update\n"));
    EXPECT_THAT(text, HasSubstr("5     (0x0005)       51  #3         none            byte 4"));
    EXPECT_THAT(text, HasSubstr("100   (0x0064)  #1     byte 2          byte 1         no"));
    EXPECT_THAT(text, HasSubstr("250 kbit/s"));
    EXPECT_THAT(text, HasSubstr("9600 baud"));
    EXPECT_THAT(text, HasSubstr("RS485"));
    EXPECT_THAT(text, HasSubstr("variant A1"));
    EXPECT_THAT(text, HasSubstr("receive mappings (count)           2\n"));
    EXPECT_THAT(text, HasSubstr("Deleted frames: #2\n"));
    EXPECT_THAT(text, HasSubstr("0x00EE0007  data page 0  PGN 0xEE00 / 60928  source 7  ISO Address Claim\n"));
}

TEST(ImageDump, JsonHoldsEverySectionAsStored) {
    nlohmann::json json = nlohmann::json::parse(imageJson(ImageReader(workedExample())));
    EXPECT_EQ(json["length"], 164);
    EXPECT_EQ(json["offsets"], nlohmann::json({28, 61, 65, 81, 86, 120, 152}));
    ASSERT_EQ(json["receive_frames"].size(), 3u);
    const nlohmann::json& fast = json["receive_frames"][1];
    EXPECT_EQ(fast["number"], 2);
    EXPECT_EQ(fast["pgn"], 0xF805);
    EXPECT_EQ(fast["full_pgn"], 129029);
    EXPECT_EQ(fast["flags"], 2);
    EXPECT_EQ(fast["byte_count"], 43);
    EXPECT_EQ(fast["data_position"], 8);
    EXPECT_EQ(fast["deleted"], true);
    EXPECT_EQ(fast["name"], "GNSS Position Data");
    EXPECT_EQ(json["transmit_frames"][0]["identifier"], 0x0DF80224);
    EXPECT_EQ(json["transmit_frames"][0]["priority"], 3);
    EXPECT_EQ(json["receive_map"][1], nlohmann::json::parse(R"({"register": 5, "data_position": 51, "high_byte": 0,
                                                               "low_byte": 4, "frames": [3]})"));
    EXPECT_EQ(json["transmit_map"][0]["high_byte"], 2);
    EXPECT_EQ(json["parameters"]["can_bit_rate"], 5);
    EXPECT_EQ(json["parameters"]["rs232"], 0);
    EXPECT_EQ(json["parameters"]["receive_frames"], 3);
    EXPECT_EQ(json["deleted"], nlohmann::json({2}));
    EXPECT_EQ(json["identifiers"][0]["identifier"], 0x00EE0007);

    testing::TempDir dir;
    nlohmann::json empty = nlohmann::json::parse(imageJson(ImageReader(BuildConfigImage(dir.path()).bytes)));
    EXPECT_TRUE(empty["parameters"].is_null());
    EXPECT_TRUE(empty["receive_frames"].empty());
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
