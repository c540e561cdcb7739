/* The part of iconv that FreeXL uses, for the Windows build: conversions from the workbook's
 * code page (or UTF-16LE) to UTF-8, done by the system's own code page tables. Debian carries
 * no iconv for MinGW-w64. */
#ifndef TELVANOR_WINDOWS_ICONV_H
#define TELVANOR_WINDOWS_ICONV_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef void* iconv_t;

/* to_code must be "UTF-8"; from_code is "UTF-16LE", "ASCII", "MacRoman" or "CP<number>". */
iconv_t iconv_open(const char* to_code, const char* from_code);
/* Converts the whole input or nothing: on failure returns (size_t)-1 with errno EILSEQ (a byte
 * sequence the code page does not define), EINVAL (half a UTF-16 unit) or E2BIG (the output
 * does not fit), and leaves the pointers and counts as they were. */
size_t iconv(iconv_t cd, char** in, size_t* in_left, char** out, size_t* out_left);
int iconv_close(iconv_t cd);

#ifdef __cplusplus
}
#endif

#endif
