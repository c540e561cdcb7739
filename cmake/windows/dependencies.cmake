# The libraries of a cross build for Windows: the prefix that scripts/build-windows-deps fills
# from Debian's sources, found through its pkg-config files and CMake packages and never
# through the Linux host's.
set(TELVANOR_WINDOWS_DEPS ${CMAKE_BINARY_DIR}/deps/prefix
    CACHE PATH "Libraries cross-built for Windows (scripts/build-windows-deps)")
if(NOT EXISTS ${TELVANOR_WINDOWS_DEPS}/lib/pkgconfig/freexl.pc)
  message(FATAL_ERROR "No libraries for Windows in ${TELVANOR_WINDOWS_DEPS}: run scripts/build-windows-deps")
endif()
list(APPEND CMAKE_FIND_ROOT_PATH ${TELVANOR_WINDOWS_DEPS})
list(APPEND CMAKE_PREFIX_PATH ${TELVANOR_WINDOWS_DEPS})
set(ENV{PKG_CONFIG_LIBDIR} ${TELVANOR_WINDOWS_DEPS}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
