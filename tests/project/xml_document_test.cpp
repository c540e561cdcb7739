#include "project/xml_document.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project/atomic_file.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::HasSubstr;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

TEST(XmlDocument, TellsAnAbsentAttributeFromAnEmptyOne) {
    XmlDocument document;
    ASSERT_FALSE(document.parse(R"(<COBID><row StartByte="" NByte="16"/></COBID>)"));
    XmlElement row = document.documentElement()->children().at(0);
    EXPECT_EQ(row.attribute("StartByte"), "");
    EXPECT_EQ(row.attribute("NByte"), "16");
    EXPECT_EQ(row.attribute("FastPacket"), std::nullopt);
}

TEST(XmlDocument, RowsAreChildElementsInOrderWhateverTheirNames) {
    XmlDocument document;
    ASSERT_FALSE(
        document.parse("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<COBID>\r\n"
                       "  <!-- a comment is not a row -->\r\n"
                       "  <row n=\"1\"/>\r\n  <frame n=\"2\"/>\r\n  <row n=\"3\"/>\r\n</COBID>\r\n"));
    std::vector<XmlElement> rows = document.documentElement()->children();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(document.documentElement()->childCount(), 3u);
    EXPECT_EQ(rows[1].attribute("n"), "2");
    EXPECT_EQ(rows[1].name(), "frame");
}

TEST(XmlDocument, ElementTextIsKeptAsWrittenAndAbsentWhenEmpty) {
    XmlDocument document;
    ASSERT_FALSE(
        document.parse("<GeneralParameter>\n  <IDDev_Ser>  1</IDDev_Ser>\n  <SA>   </SA>\n  <PGN1/>\n"
                       "  <PGN2></PGN2>\n</GeneralParameter>"));
    XmlElement root = *document.topLevelElement("GeneralParameter");
    EXPECT_EQ(root.child("IDDev_Ser")->text(), "  1");
    EXPECT_EQ(root.child("SA")->text(), "   ");
    EXPECT_EQ(root.child("PGN1")->text(), std::nullopt);
    EXPECT_EQ(root.child("PGN2")->text(), std::nullopt);
    EXPECT_FALSE(root.child("Serial"));
    EXPECT_FALSE(document.topLevelElement("COBID"));
}

TEST(XmlDocument, FailedParseCarriesTheParsersMessageWithItsLine) {
    XmlDocument document;
    std::optional<std::string> failure = document.parse("<COBID>\n<row a=\"1\">\n</COBID>");
    ASSERT_TRUE(failure);
    EXPECT_THAT(*failure, HasSubstr("line 3"));
    EXPECT_FALSE(document.documentElement());
    EXPECT_TRUE(document.parse(""));
    EXPECT_TRUE(document.parse("just text"));
}

TEST(XmlDocument, WritesOneLineWithoutDeclarationAttributesInOrder) {
    XmlDocument document;
    XmlElement root = document.createRoot("COBID");
    XmlElement row = root.appendChild("row");
    row.setAttribute("Priority", "3");
    row.setAttribute("DP", "");
    row.setAttribute("Mnemonic", "a \"quoted\" <name> & more");
    root.appendChild("row").setAttribute("Priority", "7");
    EXPECT_EQ(document.toText(),
              "<COBID><row Priority=\"3\" DP=\"\" Mnemonic=\"a &quot;quoted&quot; &lt;name> "
              "&amp; more\"/><row Priority=\"7\"/></COBID>");
}

TEST(XmlDocument, SavedFileReadsBackTheSameValues) {
    TempDir dir;
    XmlDocument written;
    XmlElement root = written.createRoot("GeneralParameter");
    root.appendChild("IDDev_Ser").setText(" 1 ");
    root.appendChild("Mnemonic").setText("Motore sinistro \xC3\xA8");
    written.save(dir / "pargen.xml");

    XmlDocument read;
    ASSERT_FALSE(read.load(dir / "pargen.xml"));
    EXPECT_EQ(read.documentElement()->child("IDDev_Ser")->text(), " 1 ");
    EXPECT_EQ(read.documentElement()->child("Mnemonic")->text(), "Motore sinistro \xC3\xA8");
}

TEST(XmlDocument, CreateRootDiscardsTheEarlierContent) {
    XmlDocument document;
    ASSERT_FALSE(document.parse("<old><row/></old>"));
    document.createRoot("new");
    EXPECT_EQ(document.toText(), "<new/>");
}

TEST(XmlDocument, LoadOfAMissingOrOversizedFileGivesAMessage) {
    TempDir dir;
    XmlDocument document;
    EXPECT_TRUE(document.load(dir / "missing.xml"));
    writeFile(dir / "huge.xml", std::string(kMaxXmlFileBytes + 1, ' '));
    std::optional<std::string> failure = document.load(dir / "huge.xml");
    ASSERT_TRUE(failure);
    EXPECT_THAT(*failure, HasSubstr("larger than"));
}

// Text in another encoding is refused at its first bad byte, never shown or saved with
// replacement characters; the encodings the parser converts are read.
TEST(XmlDocument, TextThatIsNotUtf8IsRefusedWithTheLineAndColumnOfItsFirstBadByte) {
    // "Öldruck" in Windows-1252: Ö is the single byte 0xD6.
    const std::string cp1252 = "<COBID>\n  <row Mnemonic=\"\xC3\xA8 \xD6ldruck\"/>\n</COBID>";
    XmlDocument document;
    EXPECT_EQ(document.parse(cp1252),
              "the file is not UTF-8 text: line 2, column 20 holds the byte 0xD6, and the file declares no "
              "encoding. Save it as UTF-8 (or declare encoding=\"ISO-8859-1\" for Latin-1 text)");
    EXPECT_FALSE(document.documentElement());
    std::optional<std::string> declared =
        document.parse("<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<r v=\"\xD6\"/>");
    ASSERT_TRUE(declared);
    EXPECT_THAT(*declared, HasSubstr("declares the encoding windows-1252, which the program does not convert"));
    for (std::string overlong : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82"})
        EXPECT_TRUE(document.parse("<r v=\"" + overlong + "\"/>")) << "not UTF-8";

    ASSERT_FALSE(document.parse("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r v=\"\xD6ldruck\"/>"));
    EXPECT_EQ(document.documentElement()->attribute("v"), "\xC3\x96ldruck") << "Latin-1 is converted";
    const std::string utf16 = std::string("\xFF\xFE<\0r\0 \0v\0=\0\"\0\xD6\0\"\0/\0>\0", 22);
    ASSERT_FALSE(document.parse(utf16));
    EXPECT_EQ(document.documentElement()->attribute("v"), "\xC3\x96");
}

TEST(XmlDocument, DeepNestingAndEntitiesDoNotExhaustTheParser) {
    std::string deep;
    for (int i = 0; i < 200000; ++i) deep += "<a>";
    for (int i = 0; i < 200000; ++i) deep += "</a>";
    XmlDocument document;
    EXPECT_FALSE(document.parse(deep));

    std::string laughs =
        "<!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
        "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]><r v=\"&c;\"/>";
    XmlDocument entities;
    ASSERT_FALSE(entities.parse(laughs));
    EXPECT_LT(entities.documentElement()->attribute("v")->size(), 10u) << "custom entities are not expanded";
}

}  // namespace
}  // namespace telvanor
