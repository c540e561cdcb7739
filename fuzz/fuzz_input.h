#pragma once

#include <cstddef>
#include <cstdint>
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

}  // namespace telvanor::fuzz
