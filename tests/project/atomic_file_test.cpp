#include "project/atomic_file.h"

#include <sys/resource.h>
#include <csignal>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace telvanor {
namespace {

using ::testing::HasSubstr;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

std::size_t filesIn(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(AtomicFile, ReplacesTheFileWhole) {
    TempDir dir;
    writeFile(dir / "a.xml", "a much longer old content");
    writeFileAtomically(dir / "a.xml", "new");
    EXPECT_EQ(readFile(dir / "a.xml"), "new");
    EXPECT_EQ(filesIn(dir.path()), 1u) << "no temporary file is left behind";
}

TEST(AtomicFile, KeepsThePermissionsOfTheReplacedFile) {
    TempDir dir;
    writeFile(dir / "a.xml", "old");
    fs::permissions(dir / "a.xml", fs::perms::owner_read | fs::perms::owner_write);
    writeFileAtomically(dir / "a.xml", "new");
    EXPECT_EQ(fs::status(dir / "a.xml").permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

TEST(AtomicFile, MissingFolderIsReportedWithTheFileName) {
    TempDir dir;
    try {
        writeFileAtomically(dir / "bin" / "bank.bin", "x");
        FAIL() << "the folder does not exist";
    } catch (const FileError& error) {
        EXPECT_THAT(error.what(), HasSubstr((dir / "bin" / "bank.bin").string()));
        EXPECT_THAT(error.what(), HasSubstr("No such file or directory"));
    }
}

TEST(AtomicFile, TargetThatIsAFolderIsRefusedAndKept) {
    TempDir dir;
    fs::create_directory(dir / "pargen.xml");
    writeFile(dir / "pargen.xml" / "inside", "keep");
    EXPECT_THROW(writeFileAtomically(dir / "pargen.xml", "x"), FileError);
    EXPECT_EQ(readFile(dir / "pargen.xml" / "inside"), "keep");
}

// A file system that fills up during the write: the old file must survive whole.
TEST(AtomicFile, WriteThatRunsOutOfSpaceLeavesTheOldFileWhole) {
    TempDir dir;
    const std::string old(100, 'o');
    writeFile(dir / "TInfoCob.xml", old);

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    bool failed = false;
    std::string message;
    try {
        writeFileAtomically(dir / "TInfoCob.xml", std::string(5000, 'n'));
    } catch (const FileError& error) {
        failed = true;
        message = error.what();
    }
    setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_TRUE(failed);
    EXPECT_THAT(message, HasSubstr("TInfoCob.xml"));
    EXPECT_EQ(readFile(dir / "TInfoCob.xml"), old);
    EXPECT_EQ(filesIn(dir.path()), 1u);
}

TEST(AtomicFile, ReadRefusesFilesOverTheLimit) {
    TempDir dir;
    writeFile(dir / "big", std::string(2000, 'x'));
    EXPECT_EQ(readWholeFile(dir / "big", 2000).size(), 2000u);
    EXPECT_THROW(readWholeFile(dir / "big", 1999), FileError);
    EXPECT_THROW(readWholeFile(dir / "missing", 10), FileError);
}

}  // namespace
}  // namespace telvanor
