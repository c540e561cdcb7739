#include "update/update_summary.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::HasSubstr;
using testing::readFile;
using ::testing::StartsWith;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

auto fact(const std::string& label, const std::string& text) {
    return AllOf(Field(&SummaryFact::label, label), Field(&SummaryFact::text, text));
}

class PrepareUpdateTest : public ::testing::Test {
protected:
    fs::path project() {
        fs::copy(testing::examplesDir() / "Boat1", dir / "Boat1", fs::copy_options::recursive);
        fs::remove_all(dir / "Boat1" / "bin");
        return dir / "Boat1";
    }
    TempDir dir;
};

TEST_F(PrepareUpdateTest, WritesTheImageIntoABinFolderItMakesAndSaysWhatItHolds) {
    UpdateSummary summary = PrepareUpdate(project());
    fs::path image = dir / "Boat1" / "bin" / "bank.bin";
    EXPECT_EQ(readFile(image).size(), 164u);
    EXPECT_TRUE(summary.mayGoOn());
    EXPECT_EQ(summary.warnings.size(), 2u);  // the sample's framing warnings
    EXPECT_THAT(summaryFacts(summary),
                ElementsAre(fact("Project", "Boat1 (" + (dir / "Boat1").string() + ")"),
                            fact("Image", image.string() + " (bin folder made now)"), fact("Size", "164 bytes"),
                            fact("Receive", "3 frames, 2 register mappings"),
                            fact("Transmit", "1 frame, 1 register mapping"), fact("Parameters", "in the image")));
    EXPECT_EQ(summaryHeadline(summary),
              "The image is written, with 2 warnings. Go on to the update, or go back and mend them.");
    EXPECT_THAT(summaryFindingLines(summary), ElementsAre(StartsWith("Warning: RCobDef.xml: row 3: PGN 60928"),
                                                          StartsWith("Warning: RCobDef.xml: row 3: PGN 60928")));
}

TEST_F(PrepareUpdateTest, AnErrorWritesNothingAndKeepsTheUpdateBack) {
    fs::path folder = project();
    writeFile(folder / "bin" / "bank.bin", "previous");
    writeFile(folder / "TCobDef.xml",
              "<COBID><row Priority=\"3\" DP=\"1\" PGN=\"26 \" ID_DEV=\"1\" Mnemonic=\"\"/></COBID>");
    UpdateSummary summary = PrepareUpdate(folder);
    EXPECT_FALSE(summary.mayGoOn());
    EXPECT_EQ(readFile(folder / "bin" / "bank.bin"), "previous");
    EXPECT_THAT(summaryFacts(summary),
                ElementsAre(fact("Project", "Boat1 (" + folder.string() + ")"), fact("Image", "not written")));
    EXPECT_EQ(summaryHeadline(summary),
              "The device cannot be updated: 1 error must be mended first. Nothing was written.");
    EXPECT_THAT(summaryFindingLines(summary).front(),
                "Error: Transmit NMEA, row 1, PGN is not a valid integer: '26 ' (TCobDef.xml row 1, PGN)");
}

TEST_F(PrepareUpdateTest, ImagesWithoutParametersOrWithoutAnythingAreWarnedOf) {
    fs::path folder = project();
    fs::remove(folder / "pargen.xml");
    UpdateSummary summary = PrepareUpdate(folder);
    EXPECT_FALSE(summary.hasParameters);
    EXPECT_THAT(summaryFacts(summary).back(), fact("Parameters", "none: the image has no parameters section"));
    EXPECT_THAT(summaryFindingLines(summary).back(),
                "Warning: pargen.xml: Set Communication: there is no pargen.xml, so the image has no parameters "
                "section; OK in Set Communication writes it (pargen.xml)");

    fs::create_directory(dir / "Empty");
    UpdateSummary empty = PrepareUpdate(dir / "Empty");
    EXPECT_TRUE(empty.mayGoOn());
    EXPECT_EQ(empty.imageSize, 60u);
    EXPECT_THAT(summaryFindingLines(empty), ElementsAre(HasSubstr("holds none of the project files")));

    UpdateSummary gone = PrepareUpdate(dir / "Gone");
    EXPECT_FALSE(gone.mayGoOn());
    EXPECT_FALSE(fs::exists(dir / "Gone")) << "no project folder is made up";
}

}  // namespace
}  // namespace telvanor
