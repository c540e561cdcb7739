# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers (g++-mingw-w64-x86-64-posix).
# The posix flavour brings std::thread and std::mutex, which the win32 flavour lacks.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TELVANOR_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TELVANOR_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TELVANOR_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TELVANOR_MINGW_TRIPLE}-windres)

# Headers and libraries come from the MinGW-w64 tree only, never from the Linux host's /usr.
# Programs (code generators, pkg-config) are the host's.
set(CMAKE_FIND_ROOT_PATH /usr/${TELVANOR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One executable without DLLs beside it: the compiler's runtime, the C++ library and
# winpthreads are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests and test discovery run the Windows executables under Wine.
if(EXISTS /usr/lib/wine/wine64)
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
endif()
