#pragma once

#include <string>

// The compiler checks the arguments against the pattern. MinGW's C++ library formats as C99 does
// (__USE_MINGW_ANSI_STDIO), which GCC calls gnu_printf there; its printf means Microsoft's.
#if defined(__MINGW32__)
#define TELVANOR_PRINTF_FORMAT(pattern, first) __attribute__((format(gnu_printf, pattern, first)))
#else
#define TELVANOR_PRINTF_FORMAT(pattern, first) __attribute__((format(printf, pattern, first)))
#endif

namespace telvanor {

// printf-style formatting into a string, for the fixed-width columns of the image texts.
std::string printfText(const char* pattern, ...) TELVANOR_PRINTF_FORMAT(1, 2);

}  // namespace telvanor
