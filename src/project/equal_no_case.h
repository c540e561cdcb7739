#pragma once

#include <algorithm>
#include <string_view>

namespace telvanor {

// Whether two texts are equal when ASCII letters are compared without regard to their case,
// as file names, worksheet names and settings keys are matched. Other bytes compare as they
// stand.
inline bool equalNoCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&lower](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace telvanor
