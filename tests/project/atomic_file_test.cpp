#include "project/atomic_file.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#include <csignal>
#include <functional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project/file_kind.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

using testing::filesIn;
using ::testing::HasSubstr;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

TEST(AtomicFile, ReplacesTheFileWhole) {
    TempDir dir;
    writeFile(dir / "a.xml", "a much longer old content");
    writeFileAtomically(dir / "a.xml", "new");
    EXPECT_EQ(readFile(dir / "a.xml"), "new");
    EXPECT_EQ(filesIn(dir.path()), 1u) << "no temporary file is left behind";
}

#ifndef _WIN32  // POSIX permissions, FIFOs, devices, links, file size limits
TEST(AtomicFile, KeepsThePermissionsOfTheReplacedFile) {
    TempDir dir;
    writeFile(dir / "a.xml", "old");
    fs::permissions(dir / "a.xml", fs::perms::owner_read | fs::perms::owner_write);
    writeFileAtomically(dir / "a.xml", "new");
    EXPECT_EQ(fs::status(dir / "a.xml").permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

#endif

TEST(AtomicFile, MissingFolderIsReportedWithTheFileName) {
    TempDir dir;
    try {
        writeFileAtomically(dir / "bin" / "bank.bin", "x");
        FAIL() << "the folder does not exist";
    } catch (const FileError& error) {
        EXPECT_THAT(error.what(), HasSubstr((dir / "bin" / "bank.bin").string()));
#ifndef _WIN32
        EXPECT_THAT(error.what(), HasSubstr("No such file or directory"));
#endif
    }
}

TEST(AtomicFile, TargetThatIsAFolderIsRefusedAndKept) {
    TempDir dir;
    fs::create_directory(dir / "pargen.xml");
    writeFile(dir / "pargen.xml" / "inside", "keep");
    EXPECT_THROW(writeFileAtomically(dir / "pargen.xml", "x"), FileError);
    EXPECT_EQ(readFile(dir / "pargen.xml" / "inside"), "keep");
}

#ifndef _WIN32  // POSIX permissions, FIFOs, devices, links, file size limits
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

#endif

std::string failureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const FileError& error) {
        return error.what();
    }
    return "(no failure)";
}

TEST(AtomicFile, ReadRefusesFilesOverTheLimitWithTheirSizeAndTheLimit) {
    TempDir dir;
    writeFile(dir / "big", std::string(2000, 'x'));
    EXPECT_EQ(readWholeFile(dir / "big", 2000).size(), 2000u);
    EXPECT_EQ(
        failureOf([&] { readWholeFile(dir / "big", 1999); }),
        "Cannot read " + (dir / "big").string() + ": the file is 2000 bytes, larger than the limit of 1999 bytes");
    EXPECT_THROW(readWholeFile(dir / "missing", 10), FileError);
    EXPECT_EQ(byteSizeText(52u * 1024 * 1024 + 400 * 1024), "52.4 MB");
    EXPECT_EQ(byteSizeText(32u * 1024 * 1024), "32 MB");
}

#ifndef _WIN32  // POSIX permissions, FIFOs, devices, links, file size limits
// What stands in place of a file, made in `dir` under the name "f".
struct Irregular {
    const char* kind;
    std::function<void(const fs::path&)> make;
};

// Reading and replacing refuse everything but regular files, by name and kind, at once: a
// FIFO never makes them wait for a writer, and a device is never opened.
TEST(AtomicFile, OnlyRegularFilesAreReadOrReplaced) {
    const std::vector<Irregular> cases = {
        {"it is a folder, not a regular file", [](const fs::path& f) { fs::create_directory(f); }},
        {"it is a FIFO (named pipe), not a regular file",
         [](const fs::path& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0644), 0); }},
        {"it is a character device, not a regular file", [](const fs::path& f) { fs::create_symlink("/dev/null", f); }},
        {"it is a link to nowhere.xml, which does not exist",
         [](const fs::path& f) { fs::create_symlink("nowhere.xml", f); }},
    };
    for (const Irregular& irregular : cases) {
        TempDir dir;
        irregular.make(dir / "f");
        EXPECT_EQ(irregularFileReason(dir / "f"), irregular.kind);
        EXPECT_EQ(failureOf([&] { readWholeFile(dir / "f", 100); }),
                  "Cannot read " + (dir / "f").string() + ": " + irregular.kind);
        EXPECT_EQ(failureOf([&] { writeFileAtomically(dir / "f", "x"); }),
                  "Cannot write " + (dir / "f").string() + ": " + irregular.kind);
        EXPECT_EQ(filesIn(dir.path()), 1u) << irregular.kind;
    }
}

// A link is kept as a link: its target takes the new bytes.
TEST(AtomicFile, ReplacingALinkedFileWritesItsTarget) {
    TempDir dir;
    fs::create_directory(dir / "shared");
    writeFile(dir / "shared" / "pargen.xml", "old");
    fs::create_symlink("shared/pargen.xml", dir / "pargen.xml");
    writeFileAtomically(dir / "pargen.xml", "new");
    EXPECT_TRUE(fs::is_symlink(dir / "pargen.xml"));
    EXPECT_EQ(readFile(dir / "shared" / "pargen.xml"), "new");
}

TEST(AtomicFile, AReplacedFileKeepsItsOwnerWherePermitted) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
    TempDir dir;
    writeFile(dir / "a.xml", "old");
    ASSERT_EQ(::chown((dir / "a.xml").c_str(), 65534, 65534), 0);
    writeFileAtomically(dir / "a.xml", "new");
    struct stat status {};
    ASSERT_EQ(::stat((dir / "a.xml").c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, 65534u);
    EXPECT_EQ(status.st_gid, 65534u);
}

#endif

TEST(AtomicFile, TemporaryFilesOfAnInterruptedSaveAreRemovedAtTheNextSaveOfThatFile) {
    TempDir dir;
    writeFile(dir / ".RCobDef.xml.tmp123456", "left by a killed save");
    writeFile(dir / ".TCobDef.xml.tmp42", "another file's");
    writeFile(dir / ".RCobDef.xml.tmpfoo", "not of our naming");
    writeFileAtomically(dir / "RCobDef.xml", "new");
    EXPECT_FALSE(fs::exists(dir / ".RCobDef.xml.tmp123456"));
    EXPECT_TRUE(fs::exists(dir / ".TCobDef.xml.tmp42"));
    EXPECT_TRUE(fs::exists(dir / ".RCobDef.xml.tmpfoo"));
}

}  // namespace
}  // namespace telvanor
