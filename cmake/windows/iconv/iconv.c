#include "iconv.h"
#include "localcharset.h"

#include <errno.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

enum { kUtf16LittleEndian = 1200, kUsAscii = 20127, kMacRoman = 10000 };

struct converter {
    UINT code_page;
};

static UINT code_page_named(const char* name) {
    if (_stricmp(name, "UTF-16LE") == 0) return kUtf16LittleEndian;
    if (_stricmp(name, "ASCII") == 0) return kUsAscii;
    if (_stricmp(name, "MacRoman") == 0) return kMacRoman;
    if (_strnicmp(name, "CP", 2) == 0 && name[2] != '\0') {
        char* end = NULL;
        unsigned long number = strtoul(name + 2, &end, 10);
        if (*end == '\0' && number > 0 && number < 65536) return (UINT)number;
    }
    return 0;
}

iconv_t iconv_open(const char* to_code, const char* from_code) {
    UINT code_page = code_page_named(from_code);
    if (_stricmp(to_code, "UTF-8") != 0 || code_page == 0 ||
        (code_page != kUtf16LittleEndian && !IsValidCodePage(code_page))) {
        errno = EINVAL;
        return (iconv_t)-1;
    }
    struct converter* converter = malloc(sizeof *converter);
    if (converter == NULL) {
        errno = ENOMEM;
        return (iconv_t)-1;
    }
    converter->code_page = code_page;
    return converter;
}

/* The input as UTF-16 in a buffer of its own (the input may be unaligned); NULL with errno set
 * on failure. */
static wchar_t* wide_text(UINT code_page, const char* in, size_t in_left, int* length) {
    if (in_left > INT_MAX) {
        errno = E2BIG;
        return NULL;
    }
    if (code_page == kUtf16LittleEndian) {
        if (in_left % 2 != 0) {
            errno = EINVAL;
            return NULL;
        }
        *length = (int)(in_left / 2);
        wchar_t* wide = malloc(in_left + sizeof(wchar_t));
        if (wide == NULL) {
            errno = ENOMEM;
            return NULL;
        }
        memcpy(wide, in, in_left);
        return wide;
    }
    *length = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, in, (int)in_left, NULL, 0);
    if (*length == 0) {
        errno = EILSEQ;
        return NULL;
    }
    wchar_t* wide = malloc(((size_t)*length + 1) * sizeof(wchar_t));
    if (wide == NULL) {
        errno = ENOMEM;
        return NULL;
    }
    MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, in, (int)in_left, wide, *length);
    return wide;
}

size_t iconv(iconv_t cd, char** in, size_t* in_left, char** out, size_t* out_left) {
    if (in == NULL || *in == NULL || *in_left == 0) return 0; /* no shift state to reset or flush */
    const struct converter* converter = cd;
    int wide_length = 0;
    wchar_t* wide = wide_text(converter->code_page, *in, *in_left, &wide_length);
    if (wide == NULL) return (size_t)-1;
    int utf8_length = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide, wide_length, NULL, 0, NULL, NULL);
    if (utf8_length == 0) {
        free(wide);
        errno = EILSEQ;
        return (size_t)-1;
    }
    if ((size_t)utf8_length > *out_left) {
        free(wide);
        errno = E2BIG;
        return (size_t)-1;
    }
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide, wide_length, *out, utf8_length, NULL, NULL);
    free(wide);
    *in += *in_left;
    *in_left = 0;
    *out += utf8_length;
    *out_left -= (size_t)utf8_length;
    return 0;
}

int iconv_close(iconv_t cd) {
    free(cd);
    return 0;
}

const char* locale_charset(void) {
    static char name[16];
    snprintf(name, sizeof name, "CP%u", GetACP());
    return name;
}
