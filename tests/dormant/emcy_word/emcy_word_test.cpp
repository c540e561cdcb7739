#include "dormant/emcy_word/emcy_word.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "dormant/emcy_word/emcy_word_exchange.h"
#include "dormant/emcy_word/emcy_word_file.h"
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

// A word whose bit n holds the texts "n.0", "n.1" and "n.2".
TClWEmcy word(const std::string& index, const std::string& devid = "5") {
    TClWEmcy made{index, devid, {}};
    for (std::size_t bit = 0; bit < kEmcyWordBits; ++bit) {
        std::string n = std::to_string(bit);
        made.bits[bit] = {n + ".0", n + ".1", n + ".2"};
    }
    return made;
}

// A row of emcyword.xml, the bit texts as in word(), subindex and extdata holding `held` (left
// out when it is empty).
std::string row(const std::string& index, const std::string& held = "3") {
    std::string text = "<row index_addrm=\"" + index + "\"";
    if (!held.empty()) text += " subindex=\"" + held + "\" extdata=\"" + held + "\"";
    text += " devid=\"5\"";
    for (std::size_t bit = 0; bit < kEmcyWordBits; ++bit) {
        std::string n = std::to_string(bit);
        text += " bit" + n + "_b0=\"" + n + ".0\" bit" + n + "_b1=\"" + n + ".1\" bit" + n + "_poscomp=\"" + n + ".2\"";
    }
    return text + "/>";
}

std::vector<std::string> captions(const EmcyWordTable& table) {
    std::vector<std::string> texts;
    for (int number : table.numbers) texts.push_back(wordNodeCaption(number));
    return texts;
}

std::vector<std::string> indexes(const EmcyWordTable& table) {
    std::vector<std::string> texts;
    for (const TClWEmcy& made : table.words) texts.push_back(made.index_addrm);
    return texts;
}

TEST(EmcyWord, NodesAreNumberedSeventeenPerWord) {
    EXPECT_EQ(emcyNodeAt(0), (EmcyNode{0, std::nullopt}));
    EXPECT_EQ(emcyNodeAt(16), (EmcyNode{0, 15}));
    EXPECT_EQ(emcyNodeAt(17), (EmcyNode{1, std::nullopt}));
    EXPECT_EQ(emcyNodeAt(21), (EmcyNode{1, 3}));
    for (std::size_t number : {0u, 1u, 16u, 17u, 21u, 50u}) EXPECT_EQ(emcyNodeNumber(emcyNodeAt(number)), number);
    EXPECT_EQ(wordGroupCaption(21), "Word n°1 Emcy Define ");
    EXPECT_EQ(bitGroupCaption(21), "Mask BIT n°21 Define") << "the node number, not the bit number";
    EXPECT_EQ(bitNodeCaption(15), "Bit15");
}

TEST(EmcyWord, NewNumbersAfterTheLastWordAndNeverRenumbers) {
    EmcyWordTable table;
    for (const char* index : {"1", "9", "x"}) table.appendNumbered(word(index));
    const TClWEmcy& added = NewEmcyWord(table);
    EXPECT_EQ(added.index_addrm, "10") << "one above the largest index, a non-integer counting as 0";
    EXPECT_EQ(added.devid, "0");
    for (const ClEbm& bit : added.bits) EXPECT_EQ(bit, (ClEbm{"0", "0", "0"}));
    EXPECT_THAT(captions(table), ElementsAre("W0", "W1", "W2", "W3"));

    DeleteEmcyWord(table, 1);
    NewEmcyWord(table);
    EXPECT_THAT(captions(table), ElementsAre("W0", "W2", "W3", "W4")) << "after deleting W1";

    EmcyWordTable three;
    for (const char* index : {"1", "2", "3"}) three.appendNumbered(word(index));
    DeleteEmcyWord(three, 2);
    NewEmcyWord(three);
    EXPECT_THAT(captions(three), ElementsAre("W0", "W1", "W2")) << "after deleting the last, W2 again";

    EmcyWordTable empty;
    EXPECT_EQ(NewEmcyWord(empty).index_addrm, "1");
    EXPECT_THAT(captions(empty), ElementsAre("W0"));
}

TEST(EmcyWord, NodeTextsSplitPoscompIntoItsTwoEmcyBytes) {
    TClWEmcy made = word("7", "12");
    made.bits[3].poscomp = "35";
    EmcyNodeTexts texts = emcyNodeTexts(made, 3);
    EXPECT_EQ(texts.index_addrm, "7");
    EXPECT_EQ(texts.devid, "12");
    EXPECT_EQ(texts.b0, "3.0");
    EXPECT_EQ(texts.b1, "3.1");
    EXPECT_EQ(texts.emcyByte1, "2");
    EXPECT_EQ(texts.emcyByte2, "3");
    made.bits[3].poscomp = "p65571";  // digits only, kept to 16 bits: 35 again
    EXPECT_EQ(emcyNodeTexts(made, 3).emcyByte1, "2");
    EmcyNodeTexts wordTexts = emcyNodeTexts(made, std::nullopt);
    EXPECT_EQ(wordTexts.b0 + wordTexts.b1 + wordTexts.emcyByte1 + wordTexts.emcyByte2, "0000");
}

TEST(EmcyWord, ModifyOfABitPacksTheEmcyBytesToSixteenBits) {
    TClWEmcy made = word("1");
    ModifyEmcyBit(made, 2, {"a", "b", "2", "3"});
    EXPECT_EQ(made.bits[2], (ClEbm{"a", "b", "35"}));
    ModifyEmcyBit(made, 2, {"a", "b", "4096", "0"});
    EXPECT_EQ(made.bits[2].poscomp, "0");
    ModifyEmcyBit(made, 2, {"a", "b", "-1", "0x20"});
    EXPECT_EQ(made.bits[2].poscomp, "16") << "no range check: -16 + 32";
    ModifyEmcyBit(made, 2, {"a", "b", "2147483647", "0"});
    EXPECT_EQ(made.bits[2].poscomp, "65520") << "a large E1 wraps like the 32-bit product";

    EXPECT_THROW(ModifyEmcyBit(made, 2, {"c", "d", "two", "3"}), ConversionError);
    EXPECT_EQ(made.bits[2], (ClEbm{"c", "d", "65520"})) << "the mask bytes are set, poscomp is not";
}

TEST(EmcyWord, ModifyOfAWordComparesIndexTextsExactly) {
    EmcyWordTable table;
    table.appendNumbered(word("7"));
    table.appendNumbered(word("8"));
    EXPECT_EQ(ModifyEmcyWord(table, 1, "", "3"), "Index ' not vaid");
    EXPECT_EQ(ModifyEmcyWord(table, 1, "7", "3"), "Index already Exists");
    EXPECT_EQ(table.words[1], word("8")) << "unchanged";
    EXPECT_EQ(ModifyEmcyWord(table, 1, "8", "3"), std::nullopt) << "its own index";
    EXPECT_EQ(ModifyEmcyWord(table, 1, "07", ""), std::nullopt) << "07 is not 7";
    EXPECT_EQ(table.words[1].index_addrm, "07");
    EXPECT_EQ(table.words[1].devid, "0") << "an empty ID becomes 0";
    EXPECT_THAT(EmcyWordSaveOrder(table.words), ElementsAre(1, 0)) << "both are 7: the later first";
}

TEST(EmcyWord, LeavingIdEmcyKeepsItsDigitsAndWarnsAbove127) {
    IdEmcyExit exit = CheckIdEmcy("abc12");
    EXPECT_EQ(exit.text, "12");
    EXPECT_EQ(exit.message, std::nullopt);
    EXPECT_EQ(CheckIdEmcy("127").message, std::nullopt);
    exit = CheckIdEmcy("200");
    EXPECT_EQ(exit.text, "200");
    EXPECT_EQ(exit.message, "Error !Max value 127");
    EXPECT_EQ(CheckIdEmcy("").text, "0");
    EXPECT_THROW(CheckIdEmcy("12345678901"), ConversionError);
}

TEST(EmcyWordFile, LoadsNumberedWordsAndSavesThemOrderedWithSubindexAndExtdataZero) {
    TempDir project;
    writeFile(project / "EmcyWord.xml", "<emcyword>" + row("10") + row("2") + row("7") + "</emcyword>");
    EmcyWordLoad load = LoadEmcyWords(project / "emcyword.xml");
    EXPECT_EQ(load.outcome, EmcyFileOutcome::Loaded);
    EXPECT_THAT(indexes(load.table), ElementsAre("10", "2", "7"));
    EXPECT_THAT(captions(load.table), ElementsAre("W0", "W1", "W2"));
    EXPECT_EQ(load.table.words[0], word("10"));

    SaveEmcyWords(project / "emcyword.xml", load.table.words);
    std::string expected = "<emcyword>" + row("2", "0") + row("7", "0") + row("10", "0") + "</emcyword>";
    EXPECT_EQ(readFile(project / "EmcyWord.xml"), expected);
    EXPECT_THAT(spellingsIn(project.path(), "emcyword.xml"), ElementsAre("EmcyWord.xml"))
        << "the file of any letter case is replaced";

    EXPECT_THROW(SaveEmcyWords(project / "emcyword.xml", {word("1"), word("one")}), ConversionError);
    EXPECT_EQ(readFile(project / "EmcyWord.xml"), expected) << "nothing written";
}

TEST(EmcyWordFile, AttributesAreFiftyTwoInTheirOrder) {
    const auto& names = emcyWordAttributes();
    ASSERT_EQ(names.size(), 52u);
    EXPECT_EQ(names[0], "index_addrm");
    EXPECT_EQ(names[3], "devid");
    EXPECT_EQ(names[4], "bit0_b0");
    EXPECT_EQ(names[6], "bit0_poscomp");
    EXPECT_EQ(names[51], "bit15_poscomp");
}

TEST(EmcyWordFile, LoadEndsAtARowMissingANeededAttribute) {
    TempDir project;
    EXPECT_EQ(LoadEmcyWords(project / "emcyword.xml").outcome, EmcyFileOutcome::NoFile);
    std::string withoutSubindex = row("2", "");
    std::string withoutBit = row("3");
    withoutBit.replace(withoutBit.find(" bit15_poscomp=\"15.2\""), 21, "");
    writeFile(project / "emcyword.xml", "<emcyword>" + withoutSubindex + withoutBit + row("4") + "</emcyword>");
    EmcyWordLoad load = LoadEmcyWords(project / "emcyword.xml");
    EXPECT_EQ(load.outcome, EmcyFileOutcome::Failed);
    EXPECT_THAT(indexes(load.table), ElementsAre("2")) << "subindex and extdata are not needed";
    EXPECT_THAT(load.failure, HasSubstr("row 2 has no attribute bit15_poscomp"));
}

TEST(EmcyWordExport, TitleLineThenOneLinePerWordEndingWithAComma) {
    TempDir project;
    TClWEmcy made = word("3", "12");
    ExportEmcyWords(project.path(), {made});
    std::string csv = readFile(project / "emcyword.csv");
    std::string title = "index_addrm,subindex,extdata,devid";
    std::string line = "3,0,0,12,";
    for (std::size_t bit = 0; bit < kEmcyWordBits; ++bit) {
        std::string n = std::to_string(bit);
        title += ",bit" + n + "_b0,bit" + n + "_b1,bit" + n + "_poscomp";
        line += n + ".0," + n + ".1," + n + ".2,";
    }
    EXPECT_EQ(csv, title + "\r\n" + line + "\r\n");
    EXPECT_EQ(emcyWordCsv({}), title + "\r\n");
}

TEST(EmcyWordImport, ReadsFortyNineFieldsWithTheDevidInPlaceOfBitZerosPoscomp) {
    EmcyWordTable table;
    table.appendNumbered(word("99"));
    ImportSummary result = ImportEmcyWords(workbook("emcyword.xls"), table);
    EXPECT_EQ(importMessage(result), "emcyword: 2 words imported");
    ASSERT_EQ(table.words.size(), 2u);
    const TClWEmcy& first = table.words[0];
    EXPECT_EQ(first.index_addrm, "101");
    EXPECT_EQ(first.devid, "104");
    EXPECT_EQ(first.bits[0], (ClEbm{"102", "103", ""}));
    EXPECT_EQ(first.bits[1], (ClEbm{"105", "106", "107"}));
    EXPECT_EQ(first.bits[15], (ClEbm{"147", "148", "149"})) << "field 49 ends at bit 15's poscomp";
    EXPECT_EQ(table.words[1].index_addrm, "7");
    EXPECT_EQ(table.words[1].devid, "0") << "an empty cell gives 0";
    EXPECT_EQ(table.words[1].bits[15].poscomp, "0");
    EXPECT_THAT(captions(table), ElementsAre("W0", "W1"));
}

// The export's 52 fields are told from the short layout by its title row or by a row of 52
// fields, and come back as they were written.
TEST(EmcyWordImport, ReadsItsOwnExportWithTitlesOrWithout) {
    TempDir project;
    const std::vector<TClWEmcy> exported{word("3", "12"), word("5", "7")};
    ExportEmcyWords(project.path(), exported);
    std::string csv = readFile(project / "emcyword.csv");
    writeFile(project / "untitled.csv", "x,y\r\n" + csv.substr(csv.find("\r\n") + 2));
    for (const char* name : {"emcyword.csv", "untitled.csv"}) {
        EmcyWordTable table;
        ImportEmcyWords(project / name, table);
        EXPECT_EQ(table.words, exported) << name;
    }
}

TEST(EmcyWordImport, KeepsTheTableWhenNothingCanBeImported) {
    for (const char* name : {"without_emcy.xls", "no such workbook.xls"}) {
        EmcyWordTable table;
        table.appendNumbered(word("99"));
        EXPECT_FALSE(ImportEmcyWords(workbook(name), table).changedTable()) << name;
        EXPECT_EQ(table.words.size(), 1u) << name;
    }
}

}  // namespace
}  // namespace telvanor
