#include "dormant/emcy_translation/emcy_translation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "dormant/emcy_translation/emcy_translation_exchange.h"
#include "dormant/emcy_translation/emcy_translation_file.h"
#include "project/atomic_file.h"
#include "project/integer_text.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using testing::readFile;
using testing::spellingsIn;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

fs::path workbook(const char* name) { return testing::testDataDir() / "workbooks" / name; }

// An entry whose texts are the ID followed by the field's position ("5.1" to "5.10").
TClEmcy entry(const std::string& id) {
    TClEmcy made;
    for (std::size_t field = 0; field < kEmcyFields.size(); ++field)
        made.*kEmcyFields[field].text = field == 0 ? id : id + "." + std::to_string(field);
    return made;
}

std::string row(const std::string& id, const std::string& value = "1", const std::string& extra = "") {
    std::string text = "<row";
    for (const RowField<TClEmcy>& field : kEmcyFields)
        text += " " + std::string(field.name) + "=\"" + (field.name == "id_dev" ? id : value) + "\"";
    return text + extra + "/>";
}

std::vector<std::string> ids(const std::vector<TClEmcy>& entries) {
    std::vector<std::string> texts;
    for (const TClEmcy& made : entries) texts.push_back(made.id_dev);
    return texts;
}

TEST(EmcyTranslation, NewTakesOneAboveTheLargestIntegerId) {
    EXPECT_EQ(NextEmcyId({}), "1");
    EXPECT_EQ(NextEmcyId({entry("3"), entry("7"), entry("ID 9")}), "8") << "a text that is no integer counts as 0";
    EXPECT_EQ(NextEmcyId({entry("127")}), "128") << "nothing caps the ID";
    EXPECT_EQ(NextEmcyId({entry("-5"), entry("0x10")}), "17");
    EXPECT_EQ(NextEmcyId({entry("2147483647")}), "2147483648") << "no wrap to a negative ID";
}

TEST(EmcyTranslation, ModifyRefusesAnEmptyIdAndOneAnotherEntryHas) {
    std::vector<TClEmcy> entries{entry("5"), entry("7"), entry("012")};
    EXPECT_EQ(CheckEmcyIdChange(entries, 0, "5"), std::nullopt) << "keeping its own ID";
    EXPECT_EQ(CheckEmcyIdChange(entries, 0, "7"), "Index Not Valid");
    EXPECT_EQ(CheckEmcyIdChange(entries, 0, ""), "Index Not Valid");
    EXPECT_EQ(CheckEmcyIdChange(entries, 0, "12"), std::nullopt) << "12 and 012 are different texts";
    EXPECT_EQ(CheckEmcyIdChange(entries, 0, "9"), std::nullopt);
}

TEST(EmcyTranslation, SaveOrderIsAscendingByValueTheLaterOfEqualValuesFirst) {
    EXPECT_THAT(EmcyDefSaveOrder({entry("10"), entry("2"), entry("7")}), ElementsAre(1, 2, 0));
    EXPECT_THAT(EmcyDefSaveOrder({entry("7"), entry("0x7"), entry("1000000"), entry("-1")}), ElementsAre(3, 1, 0, 2))
        << "values above 999999 and negative ones take their place too";
    EXPECT_THROW(EmcyDefSaveOrder({entry("1"), entry("ID 2")}), ConversionError);
}

TEST(EmcyTranslationFile, LoadTakesTheFirstOfRowsWithEqualIds) {
    TempDir project;
    writeFile(project / "EmcyDef.xml", "<emcydef>" + row("5", "a") + row("3") + row("5", "b") + "</emcydef>");
    EmcyDefLoad load = LoadEmcyDef(project / "emcydef.xml");
    EXPECT_EQ(load.outcome, EmcyFileOutcome::Loaded);
    EXPECT_THAT(ids(load.entries), ElementsAre("5", "3"));
    EXPECT_EQ(load.entries[0].enmask_eq_m3, "a") << "the first row's values";
    EXPECT_THAT(load.loss.dropped,
                ElementsAre(DroppedRows{3, 3, "its id_dev 5 is that of row 1, whose entry is shown"}));

    SaveEmcyDef(project / "emcydef.xml", load.entries);
    EXPECT_THAT(spellingsIn(project.path(), "emcydef.xml"), ElementsAre("EmcyDef.xml"))
        << "the file of any letter case is replaced";
    EXPECT_EQ(readFile(project / "EmcyDef.xml"),
              "<emcydef>" + row("3", "1", " bypass_set=\"0\"") + row("5", "a", " bypass_set=\"0\"") + "</emcydef>");
}

TEST(EmcyTranslationFile, LoadEndsAtARowMissingAnAttributeKeepingTheRowsBefore) {
    TempDir project;
    EXPECT_EQ(LoadEmcyDef(project / "emcydef.xml").outcome, EmcyFileOutcome::NoFile);

    writeFile(project / "emcydef.xml", "<x>" + row("1") + "<row id_dev=\"2\" mask_eq_ec=\"1\"/>" + row("3") + "</x>");
    EmcyDefLoad load = LoadEmcyDef(project / "emcydef.xml");
    EXPECT_EQ(load.outcome, EmcyFileOutcome::Failed);
    EXPECT_THAT(ids(load.entries), ElementsAre("1"));
    EXPECT_THAT(load.failure, HasSubstr("row 2 has no attribute mask_eq_er"));
    EXPECT_THAT(load.loss.dropped, ElementsAre(DroppedRows{2, 2, "attribute mask_eq_er is missing"},
                                               DroppedRows{3, 3, "not read after row 2"}));

    writeFile(project / "emcydef.xml", "<emcydef>" + row("1") + "<row");
    EXPECT_EQ(LoadEmcyDef(project / "emcydef.xml").outcome, EmcyFileOutcome::Failed);
    writeFile(project / "emcydef.xml", "");
    EXPECT_EQ(LoadEmcyDef(project / "emcydef.xml").outcome, EmcyFileOutcome::Failed) << "no root element";
}

TEST(EmcyTranslationFile, SaveWritesTheTwelveAttributesInOrderOrNothing) {
    TempDir project;
    SaveEmcyDef(project / "emcydef.xml", {entry("10"), entry("2"), entry("7")});
    std::string saved = readFile(project / "emcydef.xml");
    EXPECT_THAT(saved, HasSubstr("<row id_dev=\"2\" mask_eq_ec=\"2.1\" mask_eq_er=\"2.2\" mask_eq_m1=\"2.3\" "
                                 "mask_eq_m2=\"2.4\" mask_eq_m3=\"2.5\" enmask_eq_ec=\"2.6\" enmask_eq_er=\"2.7\" "
                                 "enmask_eq_m1=\"2.8\" enmask_eq_m2=\"2.9\" enmask_eq_m3=\"2.10\" bypass_set=\"0\"/>"));
    EXPECT_LT(saved.find("id_dev=\"2\""), saved.find("id_dev=\"7\""));
    EXPECT_LT(saved.find("id_dev=\"7\""), saved.find("id_dev=\"10\""));

    EXPECT_THROW(SaveEmcyDef(project / "emcydef.xml", {entry("1"), entry("x")}), ConversionError);
    EXPECT_EQ(readFile(project / "emcydef.xml"), saved) << "nothing written";
}

TEST(EmcyTranslationFile, UsedIdsAreTheDigitsOfTheWordsNonEmptyDevids) {
    TempDir project;
    EXPECT_THAT(LoadUsedEmcyIds(project / "emcyword.xml").ids, IsEmpty()) << "no file, no message";
    EXPECT_EQ(LoadUsedEmcyIds(project / "emcyword.xml").failure, std::nullopt);

    writeFile(project / "EMCYWORD.xml",
              "<emcyword><row devid=\"ID 12\"/><row/><row devid=\"\"/><row devid=\"0x1A\"/>"
              "<row devid=\"99999999999\"/><row devid=\"40\"/></emcyword>");
    UsedEmcyIds used = LoadUsedEmcyIds(project / "emcyword.xml");
    EXPECT_THAT(used.ids, ElementsAre(1, 12)) << "the IDs before the one too long for 32 bits";
    EXPECT_EQ(used.failure, "'99999999999' is not a valid integer value");

    EXPECT_EQ(CheckEmcyDelete(entry("ID 12"), used), "Error ! ID Emcy assigned to Emcy Word");
    EXPECT_EQ(CheckEmcyDelete(entry("0x1A"), used), "Error ! ID Emcy assigned to Emcy Word") << "its digits are 01";
    EXPECT_EQ(CheckEmcyDelete(entry("40"), used), std::nullopt) << "read after the failure: not protected";

    writeFile(project / "EMCYWORD.xml", "<emcyword><row devid=\"3\"/>");
    used = LoadUsedEmcyIds(project / "emcyword.xml");
    EXPECT_THAT(used.ids, IsEmpty());
    ASSERT_TRUE(used.failure);
    EXPECT_THAT(*used.failure, HasSubstr("EMCYWORD.xml"));
}

TEST(EmcyTranslationExport, TitleLineThenElevenTextsWithCommasAndTheBypassSet) {
    TempDir project;
    TClEmcy quoted = entry("9");
    quoted.mask_eq_ec = "1,2";
    ExportEmcyDef(project.path(), {entry("5"), quoted});
    EXPECT_EQ(readFile(project / "emcydef.csv"),
              "id_dev,mask_eq_ec,mask_eq_er,mask_eq_m1,mask_eq_m2,mask_eq_m3,enmask_eq_ec,enmask_eq_er,"
              "enmask_eq_m1,enmask_eq_m2,enmask_eq_m3,bypass_set\r\n"
              "5,5.1,5.2,5.3,5.4,5.5,5.6,5.7,5.8,5.9,5.10,0\r\n"
              "9,\"1,2\",9.2,9.3,9.4,9.5,9.6,9.7,9.8,9.9,9.10,0\r\n");

    EXPECT_THROW(ExportEmcyDef(project / "missing", {}), FileError);
}

TEST(EmcyTranslationImport, TakesElevenCellsPerRecordFromTheWorksheetInAnyCase) {
    std::vector<TClEmcy> entries{entry("99")};
    ImportSummary result = ImportEmcyDef(workbook("emcydef.xls"), entries);
    EXPECT_EQ(importMessage(result), "emcydef: 3 entries imported");
    EXPECT_THAT(ids(entries), ElementsAre("5", "ID 12", "5")) << "no check, not even for duplicates";
    TClEmcy first{"5", "65535", "255", "0x10", "2", "3", "4", "5", "6", "7", "8", 0};
    EXPECT_EQ(entries[0], first) << "the twelfth column is ignored";
    EXPECT_EQ(entries[1].enmask_eq_m3, "") << "an empty cell, an empty text";
}

TEST(EmcyTranslationImport, KeepsTheEntriesWhenNothingCanBeImported) {
    for (const char* name : {"without_emcy.xls", "no such workbook.xls"}) {
        std::vector<TClEmcy> entries{entry("99")};
        EXPECT_FALSE(ImportEmcyDef(workbook(name), entries).changedTable()) << name;
        EXPECT_THAT(ids(entries), ElementsAre("99")) << name;
    }
    // Its own export comes back.
    TempDir project;
    const std::vector<TClEmcy> exported{entry("5"), entry("9")};
    ExportEmcyDef(project.path(), exported);
    std::vector<TClEmcy> entries;
    ImportEmcyDef(project / "emcydef.csv", entries);
    EXPECT_EQ(entries, exported);
}

}  // namespace
}  // namespace telvanor
