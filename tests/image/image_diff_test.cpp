#include "image/image_diff.h"

#include <regex>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "image/config_image.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace fs = std::filesystem;

ImageReader imageOf(const fs::path& project) { return ImageReader(BuildConfigImage(project).bytes); }

// Replaces what the pattern `from` matches by `to` in one of the project's files.
void edit(const fs::path& file, const std::string& from, const std::string& to) {
    std::string text = testing::readFile(file);
    ASSERT_TRUE(std::regex_search(text, std::regex(from))) << from;
    testing::writeFile(file, std::regex_replace(text, std::regex(from), to));
}

TEST(ImageDiff, NamesEachDifferenceInTheImagesOwnTerms) {
    testing::TempDir dir;
    fs::path old = testing::examplesDir() / "Boat1";
    fs::path changed = dir / "Boat1";
    fs::copy(old, changed, fs::copy_options::recursive);
    EXPECT_THAT(diffImages(imageOf(old), imageOf(changed)), IsEmpty());

    edit(changed / "RCobDef.xml", "Delete=\"Y\"", "Delete=\"N\"");
    edit(changed / "RCobDef.xml", "ID_DEV=\"7\"", "ID_DEV=\"9\"");
    edit(changed / "RInfoCob.xml", "PosComp=\"4\"", "PosComp=\"5\"");
    edit(changed / "TInfoCob.xml", "</TInfoCob>", "<row Index=\"101\" NrPdo=\"1\" PosComp=\"18\"/></TInfoCob>");
    edit(changed / "TCobDef.xml", "Priority=\"3\"", "Priority=\"2\"");
    edit(changed / "pargen.xml", "<Baud_Ser>3", "<Baud_Ser>4");
    EXPECT_THAT(
        diffImages(imageOf(old), imageOf(changed)),
        ElementsAre("receive frame #2: deleted: yes -> no", "receive frame #3: source address: 7 -> 9",
                    "transmit frame #1: priority: 3 -> 2", "transmit frame #1: identifier: 0x0DF80224 -> 0x09F80224",
                    "receive map register 5: low byte from: byte 4 -> byte 5",
                    "transmit map register 101: added (frame #1, high byte from byte 1, low byte from byte 2, "
                    "write NMEA2000 frame no)",
                    "parameters: serial baud rate: 9600 baud -> 19200 baud",
                    "parameters: transmit mappings (count): 1 -> 2",
                    "identifier 0x00EE0007: removed (data page 0, PGN 0xEE00 / 60928, source address 7)",
                    "identifier 0x00EE0009: added (data page 0, PGN 0xEE00 / 60928, source address 9)"));

    // A frame that goes takes its mapping with it; a project without pargen.xml has no parameters.
    fs::path smaller = dir / "smaller";
    fs::copy(old, smaller, fs::copy_options::recursive);
    edit(smaller / "RCobDef.xml", "<row DataPage=\"0\"[^>]*/>", "");
    edit(smaller / "RInfoCob.xml", "<row Index=\"5\"[^>]*/>", "");
    fs::remove(smaller / "pargen.xml");
    std::vector<std::string> lines = diffImages(imageOf(old), imageOf(smaller));
    EXPECT_THAT(lines, ::testing::Contains(::testing::StartsWith(
                           "receive frame #3: removed (data page 0, PGN 0xEE00 / 60928, source address 7, "
                           "framing multi-packet")));
    EXPECT_THAT(lines, ::testing::Contains(::testing::StartsWith("receive map register 5: removed")));
    EXPECT_THAT(lines, ::testing::Contains(::testing::StartsWith("parameters: removed (CAN bit rate 250 kbit/s")));
}

}  // namespace
}  // namespace telvanor
