/* FreeXL includes this header on Windows; the name of the system's ANSI code page. */
#ifndef TELVANOR_WINDOWS_LOCALCHARSET_H
#define TELVANOR_WINDOWS_LOCALCHARSET_H

#ifdef __cplusplus
extern "C" {
#endif

const char* locale_charset(void);

#ifdef __cplusplus
}
#endif

#endif
