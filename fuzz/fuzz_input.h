#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace telvanor::fuzz {

// Project-folder harnesses take one input holding several files, separated by this line, so
// that seeds can be made by concatenating real project files.
inline constexpr std::string_view kFileSeparator = "\n=====\n";

inline std::vector<std::string> splitFiles(const std::uint8_t* data, std::size_t size, std::size_t count) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> files;
    while (files.size() + 1 < count) {
        std::size_t end = input.find(kFileSeparator);
        if (end == std::string_view::npos) break;
        files.emplace_back(input.substr(0, end));
        input.remove_prefix(end + kFileSeparator.size());
    }
    files.emplace_back(input);
    files.resize(count);
    return files;
}

// A folder of this process for the files a harness writes, in memory where the system has
// /dev/shm, so that runs are not slowed by the disk.
inline std::filesystem::path scratchFolder(const char* name) {
    namespace fs = std::filesystem;
    fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    fs::path folder = base / ("telvanor-fuzz-" + std::string(name) + "-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    return folder;
}

}  // namespace telvanor::fuzz
