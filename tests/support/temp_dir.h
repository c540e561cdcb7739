#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

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
// The names in `folder` that spell `name` in any letter case, as the folder lists them, in
// name order. A replaced file must keep its spelling: a lookup of the name alone cannot tell
// that on Windows, where every spelling opens the file.
std::vector<std::string> spellingsIn(const std::filesystem::path& folder, std::string_view name);

// The source tree's examples/ and tests/data/ folders.
std::filesystem::path examplesDir();
std::filesystem::path testDataDir();

}  // namespace telvanor::testing
