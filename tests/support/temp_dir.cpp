#include "support/temp_dir.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>

#include "platform/path_text.h"

namespace telvanor::testing {

namespace fs = std::filesystem;

TempDir::TempDir() {
    static std::mt19937 generator{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path folder = fs::temp_directory_path() / ("telvanor-test-" + std::to_string(generator() % 1000000000));
        // Made with the owner's rights only, as mkdtemp does.
        if (fs::create_directory(folder)) {
            fs::permissions(folder, fs::perms::owner_all);
            path_ = folder;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

void writeFile(const fs::path& file, std::string_view content) {
    if (file.has_parent_path()) fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::size_t filesIn(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

std::vector<std::string> spellingsIn(const fs::path& folder, std::string_view name) {
    auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
        return text;
    };
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        std::string entryName = platform::utf8FromPath(entry.path().filename());
        if (lower(entryName) == lower(std::string(name))) names.push_back(entryName);
    }
    std::sort(names.begin(), names.end());
    return names;
}

fs::path examplesDir() { return fs::path(TELVANOR_SOURCE_DIR) / "examples"; }
fs::path testDataDir() { return fs::path(TELVANOR_SOURCE_DIR) / "tests" / "data"; }

}  // namespace telvanor::testing
