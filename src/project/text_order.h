#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace telvanor {

// The order in which tables keyed by a number text are saved: the positions of the texts by
// ascending integer value, among equal values the later text first; every value of the
// 32-bit range takes its place. Throws ConversionError for the first text, in list order,
// that is not an integer.
std::vector<std::size_t> AscendingTextOrder(const std::vector<std::string_view>& texts);

}  // namespace telvanor
