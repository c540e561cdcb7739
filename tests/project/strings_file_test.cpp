#include "project/strings_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using testing::TempDir;
using testing::writeFile;

TEST(StringsFile, TextsOfTheRootsChildElementsInOrder) {
    TempDir folder;
    writeFile(folder / "strings.xml",
              "<?xml version=\"1.0\"?>\r\n<strings>\r\n  <s>Engine speed</s>\r\n  <!-- spare -->\r\n  <s/>\r\n"
              "  <s>Fuel &amp; oil</s>\r\n</strings>\r\n");
    StringsFileLoad load = LoadStringsFile(folder / "strings.xml");
    EXPECT_EQ(load.outcome, StringsFileLoad::Outcome::Loaded);
    EXPECT_EQ(load.message, std::nullopt);
    EXPECT_THAT(load.texts, ElementsAre("Engine speed", "", "Fuel & oil"));
    // Found in any letter case, as every file of the program.
    EXPECT_EQ(LoadStringsFile(folder / "STRINGS.XML").texts.size(), 3u);
}

TEST(StringsFile, MissingAndUnreadableFilesGiveTheirMessage) {
    TempDir folder;
    StringsFileLoad none = LoadStringsFile("");
    EXPECT_EQ(none.outcome, StringsFileLoad::Outcome::NoFile);
    EXPECT_EQ(none.message, "File strings XML not found");
    EXPECT_EQ(LoadStringsFile(folder / "absent.xml").message, "File strings XML not found");

    writeFile(folder / "broken.xml", "<strings><s>open");
    StringsFileLoad broken = LoadStringsFile(folder / "broken.xml");
    EXPECT_EQ(broken.outcome, StringsFileLoad::Outcome::Failed);
    EXPECT_EQ(broken.message, "Error in reading file XML");
    EXPECT_THAT(broken.texts, ElementsAre());

    writeFile(folder / "empty.xml", "<!-- nothing -->");
    EXPECT_EQ(LoadStringsFile(folder / "empty.xml").message, "Error in reading file XML");
}

TEST(StringsFile, TextsBeyondTheLastRowAreLeftOut) {
    TempDir folder;
    std::string content = "<strings>";
    for (int i = 0; i < 1005; ++i) content += "<s>" + std::to_string(i) + "</s>";
    writeFile(folder / "many.xml", content + "</strings>");
    StringsFileLoad load = LoadStringsFile(folder / "many.xml");
    ASSERT_EQ(load.texts.size(), 1000u);
    EXPECT_EQ(load.texts.back(), "999");
}

}  // namespace
}  // namespace telvanor
