#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace telvanor::testing {

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / std::string(name); }

private:
    std::filesystem::path path_;
};

// Writes a file, creating its folders.
void writeFile(const std::filesystem::path& file, std::string_view content);
std::string readFile(const std::filesystem::path& file);
// How many entries a folder holds (to see that no temporary file was left behind).
std::size_t filesIn(const std::filesystem::path& folder);

// The source tree's examples/ and tests/data/ folders.
std::filesystem::path examplesDir();
std::filesystem::path testDataDir();

}  // namespace telvanor::testing
