#include "project/file_backup.h"

#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project/atomic_file.h"
#include "project/xml_document.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;
using Clock = std::chrono::system_clock;

std::vector<std::string> backupsIn(const fs::path& folder) {
    std::vector<std::string> names;
    if (!fs::exists(folder)) return names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// 2026-01-15 09:30:12 local time, plus `seconds`.
Clock::time_point at(int seconds) {
    std::tm local{};
    local.tm_year = 126;
    local.tm_mon = 0;
    local.tm_mday = 15;
    local.tm_hour = 9;
    local.tm_min = 30;
    local.tm_sec = 12 + seconds;
    local.tm_isdst = -1;
    return Clock::from_time_t(std::mktime(&local));
}

TEST(FileBackup, TheOldBytesAreKeptUnderTheTimeOfTheSaveWithASuffixWhenThatNameIsTaken) {
    TempDir dir;
    EXPECT_FALSE(backUpFile(dir / "RInfoCob.xml", "new")) << "no file, nothing to keep";
    writeFile(dir / "RInfoCob.xml", "first");
    EXPECT_EQ(backUpFile(dir / "RInfoCob.xml", "new", at(0)), dir / "backup" / "RInfoCob.xml.20260115-093012");
    writeFile(dir / "RInfoCob.xml", "second");
    EXPECT_EQ(backUpFile(dir / "RInfoCob.xml", "new", at(0)), dir / "backup" / "RInfoCob.xml.20260115-093012-2");
    EXPECT_FALSE(backUpFile(dir / "RInfoCob.xml", "second", at(1))) << "the same bytes again are no new version";
    EXPECT_EQ(readFile(dir / "backup" / "RInfoCob.xml.20260115-093012"), "first");
    EXPECT_EQ(readFile(dir / "backup" / "RInfoCob.xml.20260115-093012-2"), "second");
}

TEST(FileBackup, TheTwentyNewestOfEachFileAreKept) {
    TempDir dir;
    writeFile(dir / "backup" / "pargen.xml.20250101-000000", "older than all");
    writeFile(dir / "backup" / "pargen.xml.notes", "not a backup");
    writeFile(dir / "backup" / "TCobDef.xml.20250101-000000", "another file's");
    for (int save = 0; save < 25; ++save) {
        writeFile(dir / "pargen.xml", "version " + std::to_string(save));
        backUpFile(dir / "pargen.xml", "next", at(save / 2));  // two saves a second: suffixes count
    }
    std::vector<std::string> kept = backupsIn(dir / "backup");
    EXPECT_EQ(kept.size(), 22u);
    EXPECT_EQ(
        std::count_if(kept.begin(), kept.end(), [](const std::string& n) { return n.starts_with("pargen.xml.2"); }),
        20);
    EXPECT_EQ(readFile(dir / "backup" / "pargen.xml.20260115-093024"), "version 24");
    EXPECT_EQ(readFile(dir / "backup" / "pargen.xml.20260115-093014-2"), "version 5");
    EXPECT_FALSE(fs::exists(dir / "backup" / "pargen.xml.20260115-093014")) << "version 4, the oldest of the 25";
    EXPECT_TRUE(fs::exists(dir / "backup" / "pargen.xml.notes"));
    EXPECT_TRUE(fs::exists(dir / "backup" / "TCobDef.xml.20250101-000000"));
}

// Every project file writer saves through the document: the old file goes to backup/ first,
// and a backup that cannot be made leaves the file as it was.
TEST(FileBackup, ASaveBacksUpFirstAndStopsWhenTheBackupCannotBeMade) {
    TempDir dir;
    writeFile(dir / "TInfoCob.xml", "<TInfoCob/>");
    XmlDocument document;
    document.createRoot("TInfoCob").appendChild("row");
    document.save(dir / "TInfoCob.xml");
    EXPECT_EQ(readFile(dir / "TInfoCob.xml"), "<TInfoCob><row/></TInfoCob>");
    ASSERT_EQ(backupsIn(dir / "backup").size(), 1u);
    EXPECT_EQ(readFile(dir / "backup" / backupsIn(dir / "backup")[0]), "<TInfoCob/>");

    fs::remove_all(dir / "backup");
    writeFile(dir / "backup", "a file where the folder should be");
    try {
        document.createRoot("TInfoCob");
        document.save(dir / "TInfoCob.xml");
        FAIL() << "the backup cannot be made";
    } catch (const FileError& error) {
        EXPECT_THAT(error.what(), HasSubstr("Cannot back up " + (dir / "TInfoCob.xml").string()));
        EXPECT_THAT(error.what(), HasSubstr("The file was not saved and is as it was."));
    }
    EXPECT_EQ(readFile(dir / "TInfoCob.xml"), "<TInfoCob><row/></TInfoCob>");
}

#ifndef _WIN32  // symbolic links
TEST(FileBackup, ALinkedFileIsBackedUpBesideTheLinkWithItsTargetsBytes) {
    TempDir dir;
    writeFile(dir / "elsewhere" / "real.xml", "<old/>");
    fs::create_directories(dir / "project");
    fs::create_symlink(dir / "elsewhere" / "real.xml", dir / "project" / "RCobDef.xml");
    saveProjectFile(dir / "project" / "RCobDef.xml", "<new/>");
    EXPECT_EQ(readFile(dir / "elsewhere" / "real.xml"), "<new/>");
    ASSERT_EQ(backupsIn(dir / "project" / "backup").size(), 1u);
    EXPECT_THAT(backupsIn(dir / "project" / "backup"), ElementsAre(::testing::StartsWith("RCobDef.xml.")));
}
#endif

}  // namespace
}  // namespace telvanor
