#include "project/settings_file.h"

#include "project/atomic_file.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace telvanor {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

TEST(SettingsFile, ValuesSurviveExactly) {
    TempDir dir;
    auto file = dir / "Telvanor_NMEA20002MRTUs.ini";
    for (const char* value : {"\\Boat1", "/Boat1/sub", "  Boat with blanks ", "", "\"quoted\"", "a=b;c"}) {
        writeIniValue(file, "lastproj", "projectname", value);
        EXPECT_EQ(readIniValue(file, "lastproj", "projectname"), value);
    }
}

TEST(SettingsFile, ValueWithAControlCharacterIsNeitherWrittenNorRestored) {
    TempDir dir;
    auto file = dir / "settings.ini";
    struct Case {
        std::string value;
        const char* reason;
    };
    for (const Case& c : {Case{"/Boat\n[evil]\nx=1", "a line break"}, Case{"/Boat\r", "a line break"},
                          Case{std::string("/Bo\0at", 6), "a control character (0x00)"},
                          Case{"/Bo\x1B"
                               "at",
                               "a control character (0x1B)"},
                          Case{"/Bo\tat", "a control character (0x09)"}}) {
        writeIniValue(file, "lastproj", "projectname", "\\Boat1");
        try {
            writeIniValue(file, "lastproj", "projectname", c.value);
            ADD_FAILURE() << c.reason;
        } catch (const FileError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "Cannot write " + file.string() + ": the value of projectname holds " + c.reason);
        }
        EXPECT_EQ(readFile(file), "[lastproj]\nprojectname=\\Boat1\n");

        // Written by another program: refused when read, never cut at the NUL.
        if (c.value.find_first_of("\r\n") != std::string::npos) continue;  // a line break ends the line
        writeFile(file, "[lastproj]\nprojectname=" + c.value + "\n");
        try {
            readIniValue(file, "lastproj", "projectname");
            ADD_FAILURE() << c.reason;
        } catch (const FileError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "Cannot read " + file.string() + ": the value of projectname holds " + c.reason);
        }
    }
}

// Notepad saves "UTF-8 with BOM": the mark is read past, and the value is written back into
// the one section, without the mark.
TEST(SettingsFile, ByteOrderMarkIsReadPastAndNotWritten) {
    TempDir dir;
    auto file = dir / "settings.ini";
    writeFile(file, "\xEF\xBB\xBF[lastproj]\r\nprojectname=\\Boat1\r\n");
    EXPECT_EQ(readIniValue(file, "lastproj", "projectname"), "\\Boat1");
    writeIniValue(file, "lastproj", "projectname", "\\Boat2");
    EXPECT_EQ(readFile(file), "[lastproj]\nprojectname=\\Boat2\n");

    // Notepad's "Unicode" is UTF-16: refused, never appended to in UTF-8.
    const std::string utf16("\xFF\xFE[\0l\0", 6);
    writeFile(file, utf16);
    EXPECT_THROW(readIniValue(file, "lastproj", "projectname"), FileError);
    EXPECT_THROW(writeIniValue(file, "lastproj", "projectname", "\\Boat2"), FileError);
    EXPECT_EQ(readFile(file), utf16);
}

TEST(SettingsFile, ReadsWindowsStyleFiles) {
    TempDir dir;
    auto file = dir / "settings.ini";
    writeFile(file, "[other]\r\nprojectname=wrong\r\n\r\n[LastProj]\r\n  ProjectName = \\Boat2  \r\n");
    EXPECT_EQ(readIniValue(file, "lastproj", "projectname"), "\\Boat2");
    EXPECT_EQ(readIniValue(file, "lastproj", "missing"), std::nullopt);
    EXPECT_EQ(readIniValue(dir / "none.ini", "lastproj", "projectname"), std::nullopt);
}

TEST(SettingsFile, WritingKeepsTheOtherLines) {
    TempDir dir;
    auto file = dir / "settings.ini";
    writeFile(file, "; kept\n[lastproj]\nprojectname=old\nother=1\n\n[window]\nx=3\n");
    writeIniValue(file, "lastproj", "projectname", "new");
    EXPECT_EQ(readFile(file), "; kept\n[lastproj]\nprojectname=new\nother=1\n\n[window]\nx=3\n");

    writeFile(file, "[lastproj]\nother=1\n\n[window]\nx=3\n");
    writeIniValue(file, "lastproj", "projectname", "added");
    EXPECT_EQ(readFile(file), "[lastproj]\nother=1\nprojectname=added\n\n[window]\nx=3\n");
}

}  // namespace
}  // namespace telvanor
