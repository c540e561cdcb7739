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

TEST(SettingsFile, ValueWithALineBreakIsRefusedAndTheFileKept) {
    TempDir dir;
    auto file = dir / "settings.ini";
    writeIniValue(file, "lastproj", "projectname", "\\Boat1");
    EXPECT_THROW(writeIniValue(file, "lastproj", "projectname", "/Boat\n[evil]\nx=1"), FileError);
    EXPECT_EQ(readFile(file), "[lastproj]\nprojectname=\\Boat1\n");
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
