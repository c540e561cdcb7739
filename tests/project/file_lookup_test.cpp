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

// What stands under a project file's name is found whatever it is, so that its reader says
// what is wrong with it instead of taking the file as absent; a regular file comes first.
TEST(FileLookup, PrefersTheExactSpellingThenARegularFileAndFindsWhatIsNoFile) {
    TempDir dir;
    writeFile(dir / "Pargen.xml", "old");
    writeFile(dir / "pargen.xml", "new");
    std::filesystem::create_directory(dir / "RCOBDEF.XML");
    std::filesystem::create_symlink("gone.xml", dir / "tinfocob.xml");
    std::filesystem::create_directory(dir / "TCOBDEF.XML");
    writeFile(dir / "tcobdef.XML", "<COBID/>");
    EXPECT_EQ(findFileNoCase(dir.path(), "pargen.xml"), dir / "pargen.xml");
    EXPECT_EQ(findFileNoCase(dir.path(), "Pargen.xml"), dir / "Pargen.xml");
    EXPECT_EQ(findFileNoCase(dir.path(), "RCobDef.xml"), dir / "RCOBDEF.XML");
    EXPECT_EQ(findFileNoCase(dir.path(), "TInfoCob.xml"), dir / "tinfocob.xml");
    EXPECT_EQ(findFileNoCase(dir.path(), "TCobDef.xml"), dir / "tcobdef.XML");
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
