#pragma once

#include <string>

namespace telvanor {

// printf-style formatting into a string, for the fixed-width columns of the image texts.
std::string printfText(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

}  // namespace telvanor
