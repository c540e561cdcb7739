#include "project/file_lookup.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace telvanor {
namespace {

using testing::TempDir;
using testing::writeFile;

TEST(FileLookup, FindsAFileWhateverItsLetterCase) {
    TempDir dir;
    writeFile(dir / "pargen.xml", "<a/>");
    EXPECT_EQ(findFileNoCase(dir.path(), "Pargen.xml"), dir / "pargen.xml");
    EXPECT_EQ(findFileNoCase(dir.path(), "PARGEN.XML"), dir / "pargen.xml");
    EXPECT_EQ(findFileNoCase(dir / "PaRgEn.xml"), dir / "pargen.xml");
    EXPECT_FALSE(findFileNoCase(dir.path(), "pargen.xm"));
    EXPECT_FALSE(findFileNoCase(dir / "missing-folder", "pargen.xml"));
}

TEST(FileLookup, PrefersTheExactSpellingAndIgnoresFolders) {
    TempDir dir;
    writeFile(dir / "Pargen.xml", "old");
    writeFile(dir / "pargen.xml", "new");
    std::filesystem::create_directory(dir / "RCOBDEF.XML");
    EXPECT_EQ(findFileNoCase(dir.path(), "pargen.xml"), dir / "pargen.xml");
    EXPECT_EQ(findFileNoCase(dir.path(), "Pargen.xml"), dir / "Pargen.xml");
    EXPECT_FALSE(findFileNoCase(dir.path(), "RCobDef.xml"));
}

TEST(FileLookup, WriterReplacesTheSpellingThatIsThere) {
    TempDir dir;
    EXPECT_EQ(writeTargetNoCase(dir.path(), "pargen.xml"), dir / "pargen.xml");
    writeFile(dir / "PARGEN.xml", "x");
    EXPECT_EQ(writeTargetNoCase(dir.path(), "pargen.xml"), dir / "PARGEN.xml");
    EXPECT_EQ(writeTargetNoCase(dir / "Pargen.xml"), dir / "PARGEN.xml");
}

}  // namespace
}  // namespace telvanor
