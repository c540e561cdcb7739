#pragma once

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace telvanor::testing {

// The moment every file of the copied sample project is given, so that its report's date
// does not depend on when the sources were checked out.
inline std::filesystem::file_time_type fileTimeOf(std::chrono::sys_seconds moment) {
    return std::chrono::file_clock::from_sys(moment);
}

inline std::filesystem::file_time_type sampleFileTime() {
    using namespace std::chrono;
    return fileTimeOf(sys_days{year{2026} / 1 / 15} + hours{12});
}

// A copy of examples/Boat1 in `dir`, named Boat1, with its files' times set.
inline std::filesystem::path copySampleProject(const TempDir& dir) {
    namespace fs = std::filesystem;
    fs::path project = dir / "Boat1";
    fs::copy(examplesDir() / "Boat1", project, fs::copy_options::recursive);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(project))
        if (entry.is_regular_file()) fs::last_write_time(entry.path(), sampleFileTime());
    return project;
}

// Compares a report with its golden file in tests/data/report/. With TELVANOR_UPDATE_GOLDEN
// set in the environment the golden file is rewritten instead, to be reviewed in the diff.
inline void expectGolden(const std::string& text, const std::string& goldenName) {
    std::filesystem::path golden = testDataDir() / "report" / goldenName;
    if (std::getenv("TELVANOR_UPDATE_GOLDEN")) {
        writeFile(golden, text);
        return;
    }
    EXPECT_EQ(text, readFile(golden)) << "differs from " << golden.string();
}

}  // namespace telvanor::testing
